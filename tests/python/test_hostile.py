"""Hostile command texts: nesting at and past the limit, huge values, numbers at every boundary,
look-backs and periods at their maximum, candles that produce NaN, failing suites and concurrent
callers. Every one must end in a response, fast, without taking the interpreter down."""

import json
import os
import subprocess
import sys
import textwrap
import threading

import pytest

from sorvik_benchmark import Benchmark

HASH = "0" * 64
MAX_PERIOD = 16777216
U32_MAX = 4294967295
CANDLES = [[i, 100 + i % 5, 101.5 + i % 5, 99 + i % 5, 100.5 + i % 5, 10 + i] for i in range(12)]
# Zero prices, zero volume, high below low, flat bars, negative prices, extremes, time going back.
NAN_CANDLES = [
    [0, 0, 0, 0, 0, 0],
    [1, 0, 0, 0, 0, 0],
    [2, 100, 99, 101, 100, 0],
    [3, 100, 100, 100, 100, 0],
    [4, 100, 100, 100, 100, 0],
    [5, -5, -1, -10, -2, -1],
    [6, 1e308, 1.7976931348623157e308, 1e-308, 1e308, 1e308],
    [-7, 5e-324, 5e-324, 0, 5e-324, 5e-324],
    [8, 100, 101, 99, 100.5, 1],
    [9, 100, 99, 101, 100, 0],
] * 3


def command(cmd):
    text = cmd if isinstance(cmd, str) else json.dumps(cmd)
    answer = Benchmark().command(text)
    return json.loads(answer)


def strategy(**over):
    s = {"symbol": "X", "timeframe": "1h", "indicators": {}, "entry": {"lt": [{"price": "close"}, 101]},
         "exit": {"gt": [{"price": "close"}, 103]}, "sizing": {"type": "fixed_fraction", "fraction": 0.5}}
    s.update(over)
    return s


def case(strat=None, case_id="c", dataset="d"):
    return {"id": case_id, "description": "", "strategy": strategy() if strat is None else strat,
            "dataset_ref": dataset, "expected": {}, "expected_hash": HASH}


def run_case(strat, data=CANDLES):
    return command({"cmd": "run_case", "case": case(strat), "data": data})


def error(answer):
    assert set(answer) == {"error", "ok"} and answer["ok"] is False, answer
    return answer["error"]


def report(answer):
    assert "error" not in answer, answer
    return answer["recomputed"]


# ---------------------------------------------------------------------------------------------
# Nesting


@pytest.mark.parametrize("opener,closer", [("[", "]"), ('{"a":', "}")])
def test_nesting_at_and_past_the_limit(opener, closer):
    assert error(command(opener * 127 + "1" + closer * 127)) == "parse error: unknown cmd: "
    assert error(command(opener * 128 + "1" + closer * 128)).startswith(
        "parse error: recursion limit exceeded at line 1 column")
    # Far past the limit, unclosed: no stack is spent on it.
    assert error(command(opener * 1_000_000)).startswith("parse error: recursion limit exceeded")


def test_rules_nested_to_the_limit_run():
    # The command, the case and the strategy take 3 levels, each `not` one, the comparison with
    # its array and the price operand 3 more: 121 `not`s reach the 127 levels that are accepted.
    rule = {"gt": [{"price": "close"}, 0]}
    for _ in range(121):
        rule = {"not": rule}
    assert report(run_case(strategy(entry=rule)))["metrics"]["num_trades"] == 0  # odd count: false
    deeper = {"not": rule}
    assert error(run_case(strategy(entry=deeper))).startswith("parse error: recursion limit exceeded")


def test_nested_look_backs_saturate():
    operand = {"price": "close"}
    for _ in range(50):
        operand = {"prev": [operand, U32_MAX]}
    strat = strategy(entry={"cross_above": [operand, 0]}, exit={"rising": [operand, U32_MAX]},
                     sizing={"type": "vol_target", "target_vol": 0.2, "lookback": U32_MAX})
    rep = report(run_case(strat))
    assert rep["trades"] == [] and len(rep["equity"]) == len(CANDLES)


# ---------------------------------------------------------------------------------------------
# Size


def test_huge_strings_are_carried_not_copied_into_trouble():
    big = "x" * 4_000_000
    assert error(command({"cmd": big})) == "parse error: unknown cmd: " + big
    rep = report(run_case(strategy(symbol=big, timeframe="é" * 100_000)))
    assert rep["symbol"] == big
    assert error(command({"cmd": "run_case", "case": case() | {"expected_hash": big}, "data": []})).startswith(
        'invalid case: expected_hash must be 64 lowercase hex characters, got "xxx')


def test_huge_arrays():
    assert error(command('{"cmd":"run_case","case":' + json.dumps(case()) + ',"data":[' + "0," * 1_000_000 + "0]}")) == (
        "parse error: invalid type: integer `0`, expected struct Candle")
    many = [[i, 1, 2, 0.5, 1.5, 1] for i in range(200_000)]
    rep = report(run_case(strategy(), many))
    assert len(rep["equity"]) == len(many)
    # Many parameters beyond the ones a type reads are ignored.
    strat = strategy(indicators={"s": {"type": "Sma", "params": [3] + [0.5] * 500_000}})
    assert len(report(run_case(strat))["equity"]) == len(CANDLES)


def test_history_beyond_its_limit_is_refused_before_the_first_bar():
    # A look-back over all the candles times thousands of read values would need gigabytes: the
    # bars kept times the values read may not exceed 2**26.
    n, k = 10_000, 7_000
    reads = [{"lt": ["x.k%d" % j, 0]} for j in range(k)]
    strat = strategy(indicators={"x": {"type": "Sma", "params": [2]}},
                     entry={"any": reads + [{"gt": [{"prev": ["x", n]}, 0]}]})
    data = [[i, 1, 2, 0.5, 1.5] for i in range(n)]
    assert error(run_case(strat, data)) == (
        "backtest engine error: invalid input data: a history of 10000 bars with 7001 values each exceeds "
        "the limit of 67108864 values")
    # The same rules over fewer candles keep fewer bars and run.
    assert len(report(run_case(strat, data[:100]))["equity"]) == 100


# ---------------------------------------------------------------------------------------------
# Numbers at their boundaries


def candle_with_time(t):
    return '{"cmd":"run_case","case":%s,"data":[[%s,1,2,0.5,1.5]]}' % (json.dumps(case()), t)


@pytest.mark.parametrize("time_text,expect", [
    ("9223372036854775807", 9223372036854775807),
    ("-9223372036854775808", -9223372036854775808),
    ("9223372036854775808", "parse error: invalid value: integer `9223372036854775808`, expected i64"),
    ("18446744073709551615", "parse error: invalid value: integer `18446744073709551615`, expected i64"),
    ("18446744073709551616", "parse error: invalid type: floating point `18446744073709552000.0`, expected i64"),
    ("-9223372036854775809", "parse error: invalid type: floating point `-9223372036854776000.0`, expected i64"),
    ("-0", "parse error: invalid type: floating point `-0.0`, expected i64"),
    ("1e-400", "parse error: invalid type: floating point `0.0`, expected i64"),
])
def test_candle_time_boundaries(time_text, expect):
    answer = command(candle_with_time(time_text))
    if isinstance(expect, int):
        assert report(answer)["equity"][0]["time"] == expect
    else:
        assert error(answer) == expect


@pytest.mark.parametrize("text,prefix", [
    ("1e309", "parse error: number out of range at line 1 column"),
    ("-1e309", "parse error: number out of range at line 1 column"),
    ("1" * 400, "parse error: number out of range at line 1 column"),
    ("0." + "0" * 400 + "1e-400", "parse error: unknown cmd: "),
    ("1e-400", "parse error: unknown cmd: "),
    ("1e99999999999999999999999", "parse error: number out of range at line 1 column"),
    ("1e-99999999999999999999999", "parse error: unknown cmd: "),
])
def test_number_text_boundaries(text, prefix):
    assert error(command(text)).startswith(prefix)


@pytest.mark.parametrize("price_text", ["1e308", "1.7976931348623157e308", "5e-324", "1e-400", "-0", "0"])
def test_candle_prices_at_the_edges_run(price_text):
    text = '{"cmd":"run_case","case":%s,"data":[[0,%s,%s,%s,%s,%s],[1,1,2,0.5,1.5]]}' % (
        json.dumps(case(strategy(entry={"all": []}, exit={"any": []}))), *([price_text] * 5))
    rep = report(command(text))
    assert len(rep["equity"]) == 2


@pytest.mark.parametrize("field,value,message", [
    ("latency_bars", U32_MAX, None),
    ("latency_bars", U32_MAX + 1, "invalid strategy spec: invalid value: integer `4294967296`, expected u32"),
    ("latency_bars", -1, "invalid strategy spec: invalid value: integer `-1`, expected u32"),
    ("max_participation", 1e308, None),
])
def test_u32_and_float_fields(field, value, message):
    execution = {field: value}
    if field == "max_participation":
        execution["partial_fills"] = True
    answer = run_case(strategy(execution=execution, entry={"all": []}))
    if message is None:
        assert len(report(answer)["equity"]) == len(CANDLES)
    else:
        assert error(answer) == message


def test_warmup_and_thresholds_at_u32_max():
    strat = strategy(warmup=U32_MAX, entry={"bars_since_entry": {"gt": U32_MAX}})
    assert report(run_case(strat))["trades"] == []
    strat = strategy(entry={"all": []}, exit={"bars_since_entry": {"ge": U32_MAX}})
    assert [t["reason"] for t in report(run_case(strat))["trades"]] == ["end"]


@pytest.mark.parametrize("params,message", [
    ([1e308], "invalid parameters for indicator Sma: invalid period: period exceeds the maximum supported "
              "window length (see MAX_PERIOD)"),
    ([18446744073709551615], "invalid parameters for indicator Sma: invalid period: period exceeds the maximum "
                             "supported window length (see MAX_PERIOD)"),
    ([MAX_PERIOD + 1], "invalid parameters for indicator Sma: invalid period: period exceeds the maximum "
                       "supported window length (see MAX_PERIOD)"),
    ([1e-400], "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 0"),
    ([-0.0], "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got -0"),
    ([5e-324], None),  # within 2^-52 of 0: read as period 0
])
def test_period_boundaries(params, message):
    answer = run_case(strategy(indicators={"s": {"type": "Sma", "params": params}}))
    if message is None:
        assert error(answer) == "backtest engine error: invalid parameters for indicator Sma: period must be greater than zero"
    else:
        assert error(answer) == "backtest engine error: " + message


# ---------------------------------------------------------------------------------------------
# MAX_PERIOD for many indicators at once: memory grows with the bars seen, not with the periods.

MAX_PERIOD_TYPES = [
    ("Sma", [MAX_PERIOD]), ("Ema", [MAX_PERIOD]), ("Wma", [MAX_PERIOD]), ("Dema", [MAX_PERIOD]),
    ("Tema", [MAX_PERIOD]), ("Trima", [MAX_PERIOD]), ("Hma", [MAX_PERIOD]), ("Smma", [MAX_PERIOD]),
    ("Kama", [10, 2, MAX_PERIOD]), ("Alma", [MAX_PERIOD, 0.85, 6]), ("Rsi", [MAX_PERIOD]),
    ("Cci", [MAX_PERIOD]), ("Roc", [MAX_PERIOD]), ("Momentum", [MAX_PERIOD]), ("WilliamsR", [MAX_PERIOD]),
    ("Stochastic", [MAX_PERIOD, 3]), ("BollingerBands", [MAX_PERIOD, 2]), ("Donchian", [MAX_PERIOD]),
    ("Keltner", [MAX_PERIOD, MAX_PERIOD, 2]), ("Atr", [MAX_PERIOD]), ("StdDev", [MAX_PERIOD]),
    ("Variance", [MAX_PERIOD]), ("LinearRegression", [MAX_PERIOD]), ("Adx", [MAX_PERIOD]),
    ("Aroon", [MAX_PERIOD]), ("Mfi", [MAX_PERIOD]), ("Cmf", [MAX_PERIOD]), ("Vwma", [MAX_PERIOD]),
    ("MedianMa", [MAX_PERIOD]), ("ZScore", [MAX_PERIOD]), ("UlcerIndex", [MAX_PERIOD]),
    ("MacdIndicator", [MAX_PERIOD - 2, MAX_PERIOD, MAX_PERIOD]), ("Vortex", [MAX_PERIOD]),
]


def test_max_period_indicators_cost_memory_only_as_bars_arrive():
    # In a fresh interpreter: the peak resident size with every built type above at MAX_PERIOD
    # (a window of 16777216 doubles is 128 MiB) stays within a small budget.
    code = textwrap.dedent("""
        import json, resource, sys
        from sorvik_benchmark import Benchmark
        types = json.loads(sys.argv[1])
        b = Benchmark()
        def run(indicators):
            s = {"symbol": "X", "timeframe": "1h", "indicators": indicators, "entry": {"all": []},
                 "exit": {"any": []}, "sizing": {"type": "fixed_fraction", "fraction": 0.5}}
            c = {"id": "c", "description": "", "strategy": s, "dataset_ref": "d", "expected": {},
                 "expected_hash": "0" * 64}
            data = [[i, 100 + i % 5, 101.5 + i % 5, 99 + i % 5, 100.5 + i % 5, 10 + i] for i in range(50)]
            return json.loads(b.command(json.dumps({"cmd": "run_case", "case": c, "data": data})))
        built = {}
        for name, params in types:
            answer = run({"x": {"type": name, "params": params}})
            if "unknown indicator type" not in answer.get("error", ""):
                assert "error" not in answer, answer
                built["%s_%d" % (name, len(built))] = {"type": name, "params": params}
        base = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
        for _ in range(3):
            assert "error" not in run(built)
        print(json.dumps([len(built), resource.getrusage(resource.RUSAGE_SELF).ru_maxrss - base]))
    """)
    env = dict(os.environ, PYTHONPATH=os.pathsep.join(sys.path))
    out = subprocess.run([sys.executable, "-c", code, json.dumps(MAX_PERIOD_TYPES)], env=env,
                         capture_output=True, text=True, timeout=120)
    assert out.returncode == 0, out.stderr
    built, grown_kb = json.loads(out.stdout)
    assert built >= 20, built
    assert grown_kb < 64 * 1024, (built, grown_kb)


# ---------------------------------------------------------------------------------------------
# Candles whose arithmetic produces NaN and infinities


def test_nan_producing_candles_through_rules_and_costs():
    strat = strategy(
        indicators={"s": {"type": "Sma", "params": [2]}, "r": {"type": "Rsi", "params": [2]},
                    "b": {"type": "BollingerBands", "params": [3, 2]}},
        entry={"any": [{"gt": [{"div": [{"price": "close"}, {"price": "volume"}]}, 0]},
                       {"lt": ["s", {"mul": ["b.upper", 1e308]}]}, {"le": ["r", 50]}]},
        exit={"not": {"between": [{"price": "hlc3"}, "b.lower", "b.upper"]}},
        short_entry={"ge": [{"sub": [{"price": "ohlc4"}, {"prev": [{"price": "ohlc4"}, 1]}]}, 0]},
        sizing={"type": "vol_target", "target_vol": 0.2, "lookback": 3},
        costs={"taker_bps": 5, "slippage": {"type": "volume_impact", "coef": 0.5}},
        risk={"stop_loss_pct": 1, "trailing_stop_pct": 1, "take_profit_pct": 1, "liquidation": True,
              "max_leverage": 1e308, "max_position_pct": 0},
        execution={"partial_fills": True, "max_participation": 0.5, "order_type": "stop",
                   "stop_offset_pct": -1})
    first = Benchmark().command(json.dumps({"cmd": "run_case", "case": case(strat), "data": NAN_CANDLES}))
    again = Benchmark().command(json.dumps({"cmd": "run_case", "case": case(strat), "data": NAN_CANDLES}))
    assert first == again
    rep = report(json.loads(first))
    assert len(rep["equity"]) == len(NAN_CANDLES)


@pytest.mark.parametrize("sizing", [
    {"type": "fixed_fraction", "fraction": 1e308}, {"type": "fixed_qty", "qty": -1e308},
    {"type": "fixed_cash", "cash": 0}, {"type": "risk_per_trade", "risk_pct": 1e308},
])
def test_degenerate_sizing_on_degenerate_candles(sizing):
    strat = strategy(entry={"all": []}, exit={"any": []}, sizing=sizing, risk={"stop_loss_pct": 0},
                     execution={"fill_timing": "close"})
    assert len(report(run_case(strat, NAN_CANDLES))["equity"]) == len(NAN_CANDLES)


# ---------------------------------------------------------------------------------------------
# Suites


def test_suite_with_many_failing_cases_answers_one_error():
    bad = strategy(entry={"gt": ["missing", 0]})
    cases = [case(bad, case_id="c%04d" % i) for i in range(2000)]
    answer = command({"cmd": "run_suite", "suite": {"cases": cases}, "datasets": {"d": CANDLES}})
    assert error(answer) == "backtest engine error: rule references undeclared indicator: missing"
    # Mixed: some cases pass, one fails late in id order; still one error, the same every time.
    mixed = [case(case_id="c%04d" % i) for i in range(300)] + [case(bad, case_id="z")]
    for _ in range(3):
        answer = command({"cmd": "run_suite", "suite": {"cases": mixed}, "datasets": {"d": CANDLES}})
        assert error(answer) == "backtest engine error: rule references undeclared indicator: missing"


def test_suite_with_a_missing_dataset_among_many():
    cases = [case(case_id="c%04d" % i) for i in range(500)] + [case(case_id="zz", dataset="gone")]
    assert error(command({"cmd": "run_suite", "suite": {"cases": cases}, "datasets": {"d": CANDLES}})) == (
        "data error: no dataset supplied for gone")


# ---------------------------------------------------------------------------------------------
# Concurrent callers


def test_concurrent_commands_from_several_threads():
    texts = [
        json.dumps({"cmd": "run_case", "case": case(), "data": CANDLES}),
        json.dumps({"cmd": "run_suite", "suite": {"cases": [case(case_id="a"), case(case_id="b")]},
                    "datasets": {"d": CANDLES}}),
        json.dumps({"cmd": "list_cases", "suite": {"cases": [case(case_id="b"), case(case_id="a")]}}),
        '{"cmd":"version"}',
        "[" * 200,
        json.dumps({"cmd": "run_case", "case": case(strategy(entry={"gt": ["nope", 1]})), "data": CANDLES}),
    ]
    expected = [Benchmark().command(t) for t in texts]
    shared = Benchmark()
    failures = []

    def worker(k):
        engine = shared if k % 2 else Benchmark()
        for i in range(30):
            j = (i + k) % len(texts)
            if engine.command(texts[j]) != expected[j]:
                failures.append((k, j))

    threads = [threading.Thread(target=worker, args=(k,)) for k in range(6)]
    for t in threads:
        t.start()
    for t in threads:
        t.join(timeout=60)
    assert not any(t.is_alive() for t in threads)
    assert failures == []
