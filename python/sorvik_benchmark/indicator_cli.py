"""The indicator subcommands of the command line:

- ``indicator TYPE PARAM... --data FILE``: compute one indicator over a candle dataset (CSV or
  JSON, as ``case`` reads them) and print its values per bar as CSV: ``time`` and the value, or one
  column per named output; an empty field where the indicator yielded nothing.
- ``indicators [SUBSTRING]``: list the accepted type names (all, or those containing SUBSTRING,
  ignoring case) with feed kind, parameter kinds, state and named outputs.

``add_subcommands(subparsers)`` registers both on the main parser; ``main`` runs them on their own.
Exit codes as for the other commands: 0 done, 1 nothing listed, 2 an error (its text on standard
error).
"""

from __future__ import annotations

import argparse
import math
import os
import sys
from typing import Any

from .datasets import DatasetError, load_dataset

PROG = "sorvik_benchmark"
EXIT_OK = 0
EXIT_NOTHING = 1
EXIT_ERROR = 2

PARAM_KINDS = {"P": "positive integer", "R": "real", "I": "i32", "U": "u32"}


class IndicatorCliError(Exception):
    """A failure that ends the command with exit code 2 and this text on standard error."""


def _fail(message: str) -> int:
    sys.stdout.flush()
    print(f"{PROG}: error: {message}", file=sys.stderr)
    return EXIT_ERROR


def parse_param(text: str, position: int) -> float:
    """A parameter from the command line: any number Python's float() reads; the factory then
    judges it (so 'nan' reaches it and is refused with the factory's own text)."""
    try:
        return float(text)
    except ValueError:
        raise IndicatorCliError(f"parameter #{position} must be a number, got {text!r}") from None


def format_value(x: float) -> str:
    """A CSV field: the shortest text that reads back as the same double; empty for nothing."""
    return "" if math.isnan(x) else repr(float(x))


# ---------------------------------------------------------------------------------------------
# indicator TYPE PARAM... --data FILE


def cmd_indicator(args: argparse.Namespace, engine: Any = None) -> int:
    from . import indicators

    try:
        params = [parse_param(p, i) for i, p in enumerate(args.params)]
        if os.path.isdir(args.data):
            raise IndicatorCliError(f"{args.data}: is a directory; give one dataset file")
        candles = load_dataset(args.data)
        columns = list(zip(*candles)) if candles else [(), (), (), (), (), ()]
        times = columns[0]
        values = indicators.compute(args.type_name, params, time=times, open=columns[1], high=columns[2],
                                    low=columns[3], close=columns[4], volume=columns[5])
    except (IndicatorCliError, DatasetError, ValueError, TypeError, OverflowError) as e:
        return _fail(str(e))

    if isinstance(values, dict):
        names = list(values)
        series = [values[n] for n in names]
    else:
        names = ["value"]
        series = [values]
    out = sys.stdout
    out.write(",".join(["time", *names]) + "\n")
    for i, t in enumerate(times):
        out.write(",".join([str(t), *(format_value(s[i]) for s in series)]) + "\n")
    out.flush()
    return EXIT_OK


# ---------------------------------------------------------------------------------------------
# indicators [SUBSTRING]


def catalog_rows(substring: str | None, built_only: bool = False, feed: str | None = None) -> list[dict]:
    from . import indicators

    needle = (substring or "").lower()
    rows = []
    for e in indicators.catalog():
        if needle not in e["name"].lower():
            continue
        if built_only and not e["built"]:
            continue
        if feed is not None and e["feed"] != feed:
            continue
        rows.append(e)
    return rows


def describe_params(signature: str) -> str:
    return " ".join(signature) if signature else "-"


def cmd_indicators(args: argparse.Namespace, engine: Any = None) -> int:
    rows = catalog_rows(args.substring, args.built, args.feed)
    if not rows:
        what = f" containing {args.substring!r}" if args.substring else ""
        print(f"{PROG}: no indicator type{what}", file=sys.stderr)
        return EXIT_NOTHING
    table = [("TYPE", "FEED", "PARAMS", "STATE", "OUTPUTS")]
    for e in rows:
        if e["name"] != e["canonical"]:
            state = f"alias of {e['canonical']}"
        else:
            state = "built" if e["built"] else "not built yet"
        table.append((e["name"], e["feed"], describe_params(e["params"]), state, ", ".join(e["outputs"])))
    widths = [max(len(r[k]) for r in table) for k in range(len(table[0]) - 1)]
    for r in table:
        cells = [r[k].ljust(widths[k]) for k in range(len(widths))] + [r[-1]]
        print("  ".join(cells).rstrip())
    built = sum(1 for e in rows if e["built"] and e["name"] == e["canonical"])
    print(f"\n{len(rows)} names, {built} built. Parameter kinds: "
          + ", ".join(f"{k} {v}" for k, v in PARAM_KINDS.items()) + ".")
    return EXIT_OK


# ---------------------------------------------------------------------------------------------
# Registration


def add_subcommands(subparsers) -> None:
    """Adds ``indicator`` and ``indicators`` to the main parser's subparsers. Each sets
    ``handler(args, engine) -> exit code``."""
    p = subparsers.add_parser(
        "indicator", help="compute one indicator over a dataset and print its values per bar as CSV",
        description="Compute indicator TYPE with its positional parameters over the candles of FILE, "
                    "fed bar by bar exactly as a backtest feeds it, and print one CSV line per bar: "
                    "the time and the value (one column per named output for types that have them), "
                    "an empty field where the indicator yielded nothing. Put '--' before negative "
                    "parameters written with an exponent.")
    p.add_argument("type_name", metavar="TYPE", help="indicator type name, e.g. Rsi or BollingerBands")
    p.add_argument("params", metavar="PARAM", nargs="*", help="positional parameters, e.g. 20 2")
    p.add_argument("--data", "-d", metavar="FILE", required=True,
                   help="the candles: a CSV or JSON dataset file")
    p.set_defaults(handler=cmd_indicator)

    p = subparsers.add_parser(
        "indicators", help="list the indicator types",
        description="List the accepted indicator type names, or those containing SUBSTRING "
                    "(ignoring case): feed kind, parameter kinds (P positive integer, R real, "
                    "I i32, U u32), whether the type is built, and its named outputs.")
    p.add_argument("substring", metavar="SUBSTRING", nargs="?", help="part of the name to look for")
    p.add_argument("--built", action="store_true", help="only types that can be created")
    p.add_argument("--feed", choices=["kline", "trade", "orderbook", "trade_quote", "derivatives",
                                      "cross_section"], help="only types of this feed kind")
    p.set_defaults(handler=cmd_indicators)


def main(argv: list[str] | None = None) -> int:
    parser = argparse.ArgumentParser(prog=PROG, description="The indicator library on the command line.")
    add_subcommands(parser.add_subparsers(dest="command", required=True, metavar="COMMAND"))
    args = parser.parse_args(argv)
    try:
        return args.handler(args, None)
    except BrokenPipeError:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, sys.stdout.fileno())
        return EXIT_ERROR


if __name__ == "__main__":
    sys.exit(main())
