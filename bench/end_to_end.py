"""End-to-end timings through the Python module.

    python3 bench/end_to_end.py case [--candles N]     one run_case, wall time and peak memory
    python3 bench/end_to_end.py suite [--cases 8]       run_suite of equal cases on 1 and on 2 CPUs

The suite figure runs each CPU count in its own process with its processor affinity set before the
worker pool starts, since the pool sizes itself from the processors it may use.
"""

from __future__ import annotations

import argparse
import json
import math
import os
import resource
import subprocess
import sys
import time

from sorvik_benchmark import Benchmark

STRATEGY = {
    "symbol": "SYN",
    "timeframe": "1m",
    "indicators": {
        "fast": {"type": "Ema", "params": [20]},
        "slow": {"type": "Sma", "params": [60]},
        "rsi": {"type": "Rsi", "params": [14]},
    },
    "entry": {"all": [{"cross_above": ["fast", "slow"]}, {"lt": ["rsi", 90]}]},
    "exit": {"any": [{"cross_below": ["fast", "slow"]}, {"gt": ["rsi", 95]}]},
    "sizing": {"type": "fixed_fraction", "fraction": 0.5},
    "costs": {"taker_bps": 5, "maker_bps": 2},
}


def candles(n: int) -> list[list[float]]:
    """A deterministic wavy series with a slow drift: enough crossings to trade often."""
    out = []
    price = 100.0
    for i in range(n):
        price = 100.0 + 10.0 * math.sin(i / 300.0) + 3.0 * math.sin(i / 37.0) + i * 1e-5
        o = price - 0.05
        out.append([i * 60, o, price + 0.3, o - 0.3, price, 1000.0 + (i % 17)])
    return out


def case(case_id: str) -> dict:
    return {
        "id": case_id,
        "description": "end-to-end timing",
        "strategy": STRATEGY,
        "dataset_ref": "syn",
        "expected": {},
        "expected_hash": "0" * 64,
    }


def peak_rss_mb() -> float:
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0


def run_case(n: int) -> None:
    # The command text is made by a child process, so that this process holds only the text itself
    # when the command runs and its peak memory is the module's.
    text = subprocess.run(
        [sys.executable, __file__, "_case_text", str(n)], check=True, capture_output=True, text=True
    ).stdout
    before = peak_rss_mb()
    start = time.perf_counter()
    answer = Benchmark().command(text)
    elapsed = time.perf_counter() - start
    trades = len(json.loads(answer)["recomputed"]["trades"])
    print(f"run_case: {n} candles, command {len(text) / 1e6:.1f} MB, {trades} trades")
    print(f"  command wall time   {elapsed:.3f} s")
    print(f"  peak resident       {peak_rss_mb():.0f} MB (before the command: {before:.0f} MB)")


def run_suite_once(cases: int, n: int) -> float:
    text = json.dumps({
        "cmd": "run_suite",
        "suite": {"name": "timing", "cases": [case(f"c{i}") for i in range(cases)]},
        "datasets": {"syn": candles(n)},
    })
    best = math.inf
    for _ in range(3):
        start = time.perf_counter()
        Benchmark().command(text)
        best = min(best, time.perf_counter() - start)
    return best


def suite(cases: int, n: int) -> None:
    times = {}
    for cpus in (1, 2):
        out = subprocess.run(
            [sys.executable, __file__, "_suite_child", str(cpus), str(cases), str(n)],
            check=True, capture_output=True, text=True,
        )
        times[cpus] = float(out.stdout)
    print(f"run_suite: {cases} equal cases of {n} candles (best of 3)")
    print(f"  1 CPU   {times[1]:.3f} s")
    print(f"  2 CPUs  {times[2]:.3f} s")
    print(f"  speed-up {times[1] / times[2]:.2f}")


def main() -> None:
    if len(sys.argv) == 3 and sys.argv[1] == "_case_text":
        sys.stdout.write(json.dumps({"cmd": "run_case", "case": case("c"), "data": candles(int(sys.argv[2]))}))
        return
    if len(sys.argv) == 5 and sys.argv[1] == "_suite_child":
        cpus, cases, n = (int(a) for a in sys.argv[2:])
        os.sched_setaffinity(0, set(range(cpus)))
        print(run_suite_once(cases, n))
        return
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("what", choices=["case", "suite"])
    parser.add_argument("--candles", type=int, default=None)
    parser.add_argument("--cases", type=int, default=8)
    args = parser.parse_args()
    if args.what == "case":
        run_case(args.candles or 1_000_000)
    else:
        suite(args.cases, args.candles or 100_000)


if __name__ == "__main__":
    main()
