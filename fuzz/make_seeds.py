#!/usr/bin/env python3
"""Writes the seed corpora (corpus/{command,json,strategy}/) and the JSON dictionary (sorvik.dict).

Run from anywhere: python3 fuzz/make_seeds.py. The seeds are small valid texts of every kind, so the
fuzzer starts from inputs that reach deep into the readers, the validation and the bar loop."""

import json
import pathlib
import re

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
HASH = "0" * 64


def compact(v):
    return json.dumps(v, separators=(",", ":"))


def strategy(**over):
    s = {
        "symbol": "BTC",
        "timeframe": "1h",
        "indicators": {},
        "entry": {"lt": [{"price": "close"}, 101]},
        "exit": {"gt": [{"price": "close"}, 103]},
        "sizing": {"type": "fixed_fraction", "fraction": 0.5},
    }
    s.update(over)
    return s


STRATEGIES = [
    strategy(),
    strategy(
        indicators={"fast": {"type": "Sma", "params": [3]}, "slow": {"type": "Ema", "params": [5]}},
        entry={"cross_above": ["fast", "slow"]},
        exit={"cross_below": ["fast", {"prev": ["slow", 1]}]},
        costs={"taker_bps": 5, "maker_bps": 2, "slippage": {"type": "fixed_bps", "bps": 3}},
    ),
    strategy(
        indicators={"bb": {"type": "Bollinger", "params": [5, 2]}, "r": {"type": "Rsi", "params": [4]}},
        entry={"all": [{"lt": [{"price": "close"}, "bb.lower"]}, {"between": ["r", 0, 40]}]},
        exit={"any": [{"gt": [{"price": "hlc3"}, "bb.upper"]}, {"bars_since_entry": {"ge": 3}}]},
        short_entry={"not": {"rising": [{"price": "ohlc4"}, 2]}},
        short_exit={"falling": [{"div": [{"price": "close"}, {"price": "open"}]}, 1]},
        sizing={"type": "risk_per_trade", "risk_pct": 1},
        risk={"stop_loss_pct": 2, "take_profit_pct": 4, "trailing_stop_pct": 1.5, "max_leverage": 2,
              "max_position_pct": 50, "liquidation": True},
    ),
    strategy(
        indicators={"m": {"type": "Macd", "params": [3, 6, 2]}},
        entry={"gt": ["m.histogram", 0]},
        exit={"in_position": True},
        sizing=["vol_target", 0.2, 5],
        costs=[1, 2, ["volume_impact", 0.1], False],
        execution={"order_type": "stop_limit", "stop_offset_pct": 1, "limit_offset_pct": 2,
                   "latency_bars": 1, "partial_fills": True, "max_participation": 0.5},
        warmup=3,
    ),
    strategy(
        entry={"ge": [{"mul": [{"price": "volume"}, 2]}, {"sub": [{"add": [1, {"price": "high"}]}, 0.5]}]},
        exit={"le": [{"prev": [{"price": "low"}, 2]}, 99.5]},
        sizing={"type": "fixed_cash", "cash": 1000},
        execution={"order_type": "limit", "limit_offset_pct": 0.5, "fill_timing": "next_open"},
    ),
    strategy(
        entry={"eq": [{"price": "open"}, 100]},
        exit={"ne": [{"price": "open"}, 100]},
        sizing={"type": "fixed_qty", "qty": 3},
        execution={"fill_timing": "close"},
        spec_version=1,
        ref_symbol=None,
    ),
    [1, "BTC", None, "1h", {"x": ["Sma", [16777216]]}, {"gt": ["x", 0]}, {"lt": ["x", 0]}, None, None,
     {"type": "fixed_fraction", "fraction": 1}, None, None, None, 0],
]

CANDLES = [[i, 100 + i % 5, 101.5 + i % 5, 99 + i % 5, 100.5 + i % 5, 10 + i] for i in range(12)]
ODD_CANDLES = [
    {"time": 0, "open": 0, "high": 0, "low": 0, "close": 0},
    [1, 100, 99, 101, 100, 0],
    [-9223372036854775808, 1e308, 1.7976931348623157e308, -1e308, 5e-324, 0],
    [9223372036854775807, -0.0, 1, 0.5, 2, 1e-400],
]


def case(cid, strat, data_name="ds"):
    return {"id": cid, "description": "", "strategy": strat, "dataset_ref": data_name,
            "expected": {}, "expected_hash": HASH}


COMMANDS = [
    {"cmd": "version"},
    {"cmd": "list_cases", "suite": {"name": "s", "cases": [case("b", strategy()), case("a", strategy())]}},
    {"cmd": "list_cases", "suite": ["s", []]},
    {"cmd": "run_suite", "suite": {"cases": []}},
    {"cmd": "run_suite", "suite": {"cases": [case("a", STRATEGIES[1]), case("b", STRATEGIES[2])]},
     "datasets": {"ds": CANDLES}},
    {"cmd": "run_suite", "suite": {"cases": [case("a", STRATEGIES[0], "missing")]}},
    {"cmd": "run_case", "case": case("c", STRATEGIES[0]), "data": CANDLES},
    {"cmd": "run_case", "case": case("c", STRATEGIES[0]), "data": ODD_CANDLES},
    {"cmd": "run_case", "case": ["c", "d", STRATEGIES[6], "ds", {}, HASH], "data": CANDLES[:4]},
    {"cmd": "run_case", "case": case("c", {"entry": 1}), "data": []},
]
COMMANDS += [{"cmd": "run_case", "case": case("c%d" % i, s), "data": CANDLES} for i, s in enumerate(STRATEGIES[1:6])]

JSON_TEXTS = [
    "", "null", "true", "false", "0", "-0", "1.5e3", "-1E-400", "1e400", "18446744073709551615",
    "18446744073709551616", "-9223372036854775808", "-9223372036854775809", "0.1000000000000000055511151231257827",
    '"a\\u00e9\\ud83d\\ude00\\n\\t\\"\\\\\\/"', '"\\udc00"', '"\\ud800x"', '"\u00e9\u20ac\U0001f600"', b'"\xff\xc0\x80"',
    "[1,[2,[3,{}]],{\"a\":{\"b\":[]}}]", '{"b":1,"a":2,"b":3}', "[" * 127 + "]" * 127, "[" * 128 + "]" * 128,
    "[1,]", '{"a":1,}', "[1 2]", '{"a" 1}', "nul", "01", "1.", "-", " \t\r\n[ ] ",
]


def catalog_names():
    text = (ROOT / "sorvik-core/src/catalog.cpp").read_text()
    return sorted(set(re.findall(r'^\s*\{"([A-Za-z0-9]+)",', text, re.M)))


WORDS = [
    # commands and records
    "cmd", "version", "list_cases", "run_case", "run_suite", "suite", "cases", "case", "data", "datasets",
    "name", "id", "description", "strategy", "dataset_ref", "expected", "expected_hash",
    "time", "open", "high", "low", "close", "volume",
    # strategy
    "spec_version", "symbol", "ref_symbol", "timeframe", "indicators", "entry", "exit", "short_entry",
    "short_exit", "sizing", "costs", "risk", "execution", "warmup", "type", "params", "feed",
    "fixed_fraction", "fraction", "fixed_qty", "qty", "fixed_cash", "cash", "vol_target", "target_vol",
    "lookback", "risk_per_trade", "risk_pct", "maker_bps", "taker_bps", "slippage", "funding",
    "fixed_bps", "bps", "spread", "volume_impact", "coef", "stop_loss_pct", "take_profit_pct",
    "trailing_stop_pct", "max_leverage", "max_position_pct", "liquidation", "order_type", "fill_timing",
    "limit_offset_pct", "stop_offset_pct", "latency_bars", "partial_fills", "max_participation",
    "market", "limit", "stop", "stop_limit", "next_open", "kline", "trade", "orderbook", "trade_quote",
    "derivatives", "cross_section",
    # rules
    "gt", "lt", "ge", "le", "eq", "ne", "cross_above", "cross_below", "between", "rising", "falling",
    "all", "any", "not", "in_position", "bars_since_entry", "price", "prev", "add", "sub", "mul", "div",
    "hlc3", "ohlc4", "upper", "middle", "lower", "macd", "signal", "histogram",
]
TOKENS = ["{", "}", "[", "]", ":", ",", '""', "null", "true", "false", "-0", "1e308", "1e-400", "16777216",
          "16777217", "4294967295", "4294967296", "18446744073709551615", "18446744073709551616",
          "-9223372036854775808", "9223372036854775807", "2.5", "\\u0000", "\\ud800\\udc00"]


def dict_entry(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def main():
    for sub in ("command", "json", "strategy"):
        d = HERE / "corpus" / sub
        d.mkdir(parents=True, exist_ok=True)
        for f in d.iterdir():
            f.unlink()
    for i, c in enumerate(COMMANDS):
        (HERE / ("corpus/command/seed-%02d.json" % i)).write_text(compact(c))
    for i, s in enumerate(STRATEGIES):
        (HERE / ("corpus/strategy/seed-%02d.json" % i)).write_text(compact(s))
    for i, t in enumerate(JSON_TEXTS):
        (HERE / ("corpus/json/seed-%02d.json" % i)).write_bytes(t if isinstance(t, bytes) else t.encode())
    lines = ["# JSON tokens, the command and strategy vocabulary and every indicator type name."]
    lines += [dict_entry(t) for t in TOKENS]
    lines += [dict_entry('"%s"' % w) for w in WORDS]
    lines += [dict_entry('"%s"' % n) for n in catalog_names()] + [dict_entry('"Bollinger"'), dict_entry('"Macd"')]
    (HERE / "sorvik.dict").write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
