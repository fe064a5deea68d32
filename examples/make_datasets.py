#!/usr/bin/env python3
"""Writes the example datasets: deterministic synthetic hourly candles, as CSV files in data/.

    python3 examples/make_datasets.py            # (re)write examples/data/*.csv
    python3 examples/make_datasets.py --check    # exit 1 if a committed file differs

Every series comes from its own seeded generator (splitmix64 and Box-Muller, no library random
module), and prices are written with two decimals, so the files are the same on every machine.

- trend:   5,000 bars of a random walk whose drift switches between up, down and flat legs.
- range:   5,000 bars that revert to a slowly moving mean: fuel for mean-reversion rules.
- regimes: 6,000 bars alternating quiet consolidations with violent trending bursts: breakouts
           in both directions, and volatility that sizing rules can target.
"""

from __future__ import annotations

import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")
START = 1_704_067_200  # 2024-01-01 00:00 UTC
STEP = 3_600           # one hour


class Rng:
    """splitmix64: a small generator whose stream is fixed by its seed."""

    MASK = (1 << 64) - 1

    def __init__(self, seed: int):
        self.state = seed & self.MASK
        self.spare: float | None = None

    def next_u64(self) -> int:
        self.state = (self.state + 0x9E3779B97F4A7C15) & self.MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & self.MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & self.MASK
        return z ^ (z >> 31)

    def uniform(self) -> float:
        """In (0, 1): never 0, so its logarithm is finite."""
        return ((self.next_u64() >> 11) + 0.5) / float(1 << 53)

    def normal(self) -> float:
        if self.spare is not None:
            z, self.spare = self.spare, None
            return z
        r = math.sqrt(-2.0 * math.log(self.uniform()))
        t = 2.0 * math.pi * self.uniform()
        self.spare = r * math.sin(t)
        return r * math.cos(t)


def candles_from_returns(rng: Rng, start_price: float, steps):
    """Turns (log return, volatility) steps into OHLCV rows with two-decimal prices."""
    close = start_price
    rows = []
    for i, (ret, vol) in enumerate(steps):
        open_ = close * math.exp(vol * 0.1 * rng.normal())
        close = open_ * math.exp(ret)
        wick_up = abs(rng.normal()) * vol * 0.6
        wick_down = abs(rng.normal()) * vol * 0.6
        o, c = round(open_, 2), round(close, 2)
        h = max(round(max(open_, close) * math.exp(wick_up), 2), o, c)
        lo = min(round(min(open_, close) * math.exp(-wick_down), 2), o, c)
        volume = round(1000.0 * (1.0 + 40.0 * abs(ret)) * math.exp(0.3 * rng.normal()))
        rows.append((START + i * STEP, o, h, lo, c, volume))
        close = c
    return rows


def trend(n: int = 5000):
    rng = Rng(20240101)
    drifts = (0.0009, -0.0008, 0.0, 0.0012, -0.0005, 0.0)

    def steps():
        leg, left = 0, 0
        for _ in range(n):
            if left == 0:
                leg = (leg + 1 + rng.next_u64() % 3) % len(drifts)
                left = 150 + rng.next_u64() % 350
            left -= 1
            vol = 0.008
            yield drifts[leg] + vol * rng.normal(), vol

    return candles_from_returns(rng, 100.0, steps())


def mean_reverting(n: int = 5000):
    rng = Rng(777)

    def steps():
        level = math.log(100.0)
        anchor = level
        for i in range(n):
            anchor += 0.0004 * rng.normal()
            vol = 0.006 * (1.0 + 0.5 * math.sin(i / 400.0))
            ret = 0.06 * (anchor - level) + vol * rng.normal()
            level += ret
            yield ret, vol

    return candles_from_returns(rng, 100.0, steps())


def regimes(n: int = 6000):
    rng = Rng(424242)

    def steps():
        quiet, left, drift, vol = True, 0, 0.0, 0.003
        for _ in range(n):
            if left == 0:
                quiet = not quiet
                if quiet:
                    left, drift, vol = 200 + rng.next_u64() % 300, 0.0, 0.003
                else:
                    left = 60 + rng.next_u64() % 140
                    drift = (0.001 + 0.0015 * rng.uniform()) * (1 if rng.next_u64() % 2 else -1)
                    vol = 0.012 + 0.01 * rng.uniform()
            left -= 1
            yield drift + vol * rng.normal(), vol

    return candles_from_returns(rng, 250.0, steps())


SERIES = {"trend": trend, "range": mean_reverting, "regimes": regimes}


def csv_text(rows) -> str:
    lines = ["time,open,high,low,close,volume"]
    lines += [f"{t},{o:.2f},{h:.2f},{lo:.2f},{c:.2f},{v}" for t, o, h, lo, c, v in rows]
    return "\n".join(lines) + "\n"


def main(argv: list[str]) -> int:
    check = "--check" in argv
    os.makedirs(DATA, exist_ok=True)
    status = 0
    for name, make in SERIES.items():
        path = os.path.join(DATA, f"{name}.csv")
        text = csv_text(make())
        if check:
            try:
                with open(path, encoding="utf-8") as f:
                    same = f.read() == text
            except OSError:
                same = False
            print(f"{path}: {'up to date' if same else 'DIFFERS'}")
            status |= not same
        else:
            with open(path, "w", encoding="utf-8", newline="\n") as f:
                f.write(text)
            print(f"{path}: {text.count(chr(10)) - 1} bars")
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
