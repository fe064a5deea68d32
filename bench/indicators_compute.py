"""Timing of the indicator library from Python, in nanoseconds per bar.

    PYTHONPATH=python /usr/bin/python3 bench/indicators_compute.py [--bars N] [--repeat R]

Measures ``indicators.compute("Ema", [20], close=...)`` over N closes (default 10,000,000) in one
native call, against the same exponential average written as a plain Python loop over a numpy
array (the same operations: seeded with the mean of the first 20 closes, then
fma(alpha, x, beta * value)), and against a Python loop of ``Indicator.update``. The two loops run
over a prefix of the data (they take seconds per million bars) and are checked bit for bit against
compute. Best of R runs; a Python-level figure, so Google Benchmark is not used.
"""

from __future__ import annotations

import argparse
import math
import time

import numpy as np

from sorvik_benchmark import indicators

PERIOD = 20


def closes(n: int, seed: int = 1) -> np.ndarray:
    rng = np.random.default_rng(seed)
    return 100.0 * np.exp(np.cumsum(rng.normal(0.0, 0.01, n)))


def best_of(repeat: int, fn, clock=time.perf_counter) -> tuple[float, object]:
    best, result = math.inf, None
    for _ in range(repeat):
        t0 = clock()
        result = fn()
        best = min(best, clock() - t0)
    return best, result


def python_ema(close: np.ndarray) -> np.ndarray:
    """The exponential average as a plain loop (math.fma needs Python 3.13; the product-sum below
    is exact for the check only when fma is available, so the check uses it where present)."""
    fma = getattr(math, "fma", None)
    alpha = 2.0 / (PERIOD + 1)
    beta = 1.0 - alpha
    out = np.full(len(close), np.nan)
    total, count, value = 0.0, 0, 0.0
    for i, x in enumerate(close.tolist()):
        if count < PERIOD:
            total = x + total
            count += 1
            if count == PERIOD:
                value = total / PERIOD
                out[i] = value
            continue
        value = fma(alpha, x, beta * value) if fma else alpha * x + beta * value
        out[i] = value
    return out


def update_loop(close: np.ndarray) -> np.ndarray:
    ind = indicators.create("Ema", [PERIOD])
    out = np.full(len(close), np.nan)
    for i, x in enumerate(close.tolist()):
        v = ind.update(x, x, x, x)
        if v is not None:
            out[i] = v
    return out


def main() -> None:
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--bars", type=int, default=10_000_000)
    ap.add_argument("--loop-bars", type=int, default=1_000_000, help="bars for the two Python loops")
    ap.add_argument("--repeat", type=int, default=5)
    args = ap.parse_args()

    close = closes(args.bars)
    t, result = best_of(args.repeat, lambda: indicators.compute("Ema", [PERIOD], close=close))
    print(f"compute('Ema', [20])        {args.bars:>11,} bars  {t * 1e9 / args.bars:8.2f} ns/bar  "
          f"({t * 1e3:.1f} ms wall clock)")
    # On a shared machine the wall clock also counts time spent waiting for a core.
    t_cpu, _ = best_of(args.repeat, lambda: indicators.compute("Ema", [PERIOD], close=close),
                       clock=time.thread_time)
    print(f"compute('Ema', [20])        {args.bars:>11,} bars  {t_cpu * 1e9 / args.bars:8.2f} ns/bar  "
          f"({t_cpu * 1e3:.1f} ms CPU time of the calling thread)")

    prefix = close[: args.loop_bars]
    t_py, py = best_of(1, lambda: python_ema(prefix))
    print(f"plain Python/numpy loop     {len(prefix):>11,} bars  {t_py * 1e9 / len(prefix):8.2f} ns/bar")
    t_up, up = best_of(1, lambda: update_loop(prefix))
    print(f"Indicator.update loop       {len(prefix):>11,} bars  {t_up * 1e9 / len(prefix):8.2f} ns/bar")

    assert np.array_equal(up, result[: len(prefix)], equal_nan=True), "update loop differs from compute"
    if hasattr(math, "fma"):
        assert np.array_equal(py, result[: len(prefix)], equal_nan=True), "Python loop differs"
    print(f"speed-up of compute: {t_py / len(prefix) / (t / args.bars):.0f}x over the plain loop, "
          f"{t_up / len(prefix) / (t / args.bars):.0f}x over the update loop")


if __name__ == "__main__":
    main()
