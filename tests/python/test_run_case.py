"""run_case and run_suite through Benchmark.command: their error paths, matching verdicts and
the equivalence of a suite run with separate case runs."""

import copy
import json

import pytest

from sorvik_benchmark import Benchmark

ZERO_HASH = "0" * 64


def strategy(**overrides):
    s = {
        "symbol": "BTC",
        "timeframe": "1h",
        "indicators": {},
        "entry": {"lt": [{"price": "close"}, 101]},
        "exit": {"gt": [{"price": "close"}, 103]},
        "sizing": {"type": "fixed_fraction", "fraction": 0.5},
        "costs": {"taker_bps": 5, "maker_bps": 2},
    }
    s.update(overrides)
    return s


def case(case_id="c1", strat=None, expected=None, expected_hash=ZERO_HASH, dataset="ds"):
    return {
        "id": case_id,
        "description": "a test case",
        "strategy": strategy() if strat is None else strat,
        "dataset_ref": dataset,
        "expected": {} if expected is None else expected,
        "expected_hash": expected_hash,
    }


CANDLES = [[i, 100 + i % 5, 101.5 + i % 5, 99 + i % 5, 100.5 + i % 5, 10 + i] for i in range(12)]
OTHER = [[i, 200 - i, 201 - i, 198 - i, 199.5 - i] for i in range(9)]


def call(**cmd):
    return json.loads(Benchmark().command(json.dumps(cmd)))


def run_case(c, data=CANDLES):
    return call(cmd="run_case", case=c, data=data)


def run_suite(cases, datasets=None):
    cmd = {"cmd": "run_suite", "suite": {"name": "s", "cases": cases}}
    if datasets is not None:
        cmd["datasets"] = datasets
    return call(**cmd)


def error(text):
    return {"error": text, "ok": False}


# ---------------------------------------------------------------------------------------------
# run_case error paths, one per layer


RUN_CASE_ERRORS = [
    ("empty id", case(case_id=""), CANDLES, "invalid case: case id must not be empty"),
    (
        "strategy not an object",
        case(strat=[1]),
        CANDLES,
        "invalid strategy spec: strategy must be a JSON object (a StrategySpec)",
    ),
    (
        "missing entry",
        case(strat={k: v for k, v in strategy().items() if k != "entry"}),
        CANDLES,
        "invalid strategy spec: missing field `entry`",
    ),
    (
        "operand of no known shape",
        case(strat=strategy(entry={"gt": [None, 1]})),
        CANDLES,
        "invalid strategy spec: data did not match any variant of untagged enum Operand",
    ),
    (
        "undeclared reference",
        case(strat=strategy(exit={"gt": ["rsi.value", 70]})),
        CANDLES,
        "backtest engine error: rule references undeclared indicator: rsi.value",
    ),
    (
        "unsupported version",
        case(strat=strategy(spec_version=2)),
        CANDLES,
        "backtest engine error: invalid strategy spec: spec_version 2 is not supported; "
        "this build reads 1..=1",
    ),
    (
        "risk per trade without a stop keeps its stored spacing",
        case(strat=strategy(sizing={"type": "risk_per_trade", "risk_pct": 1})),
        CANDLES,
        "backtest engine error: invalid strategy spec: sizing risk_per_trade requires "
        "risk.stop_loss_pct: the position size is" + " " * 18 + "derived from the distance to the stop",
    ),
    (
        "funding refused",
        case(strat=strategy(costs={"funding": True})),
        CANDLES,
        "backtest engine error: invalid strategy spec: costs.funding needs a derivatives feed; "
        "without one no funding would be" + " " * 14 + "charged at all",
    ),
    ("no candles", case(), [], "backtest engine error: invalid input data: no candles"),
    (
        "unknown indicator type",
        case(strat=strategy(indicators={"x": {"type": "Foo"}})),
        CANDLES,
        "backtest engine error: unknown indicator type: Foo",
    ),
    (
        "refused indicator parameters",
        case(strat=strategy(indicators={"x": {"type": "Sma", "params": []}})),
        CANDLES,
        "backtest engine error: invalid parameters for indicator Sma: missing parameter #0",
    ),
]


@pytest.mark.parametrize("name,c,data,text", RUN_CASE_ERRORS, ids=[e[0] for e in RUN_CASE_ERRORS])
def test_run_case_errors(name, c, data, text):
    assert run_case(c, data) == error(text)


# ---------------------------------------------------------------------------------------------
# Verdicts


def recompute(c, data=CANDLES):
    out = run_case(c, data)
    assert "error" not in out, out
    return out


def test_matching_case_passes_with_hash():
    first = recompute(case())
    assert first["passed"] is False and first["hash_match"] is False
    assert len(first["hash"]) == 64
    good = case(expected=first["recomputed"], expected_hash=first["hash"])
    out = run_case(good)
    assert out["passed"] is True
    assert out["hash_match"] is True
    assert out["recomputed"] == first["recomputed"]
    assert out["id"] == "c1"


def test_report_shape():
    rep = recompute(case())["recomputed"]
    assert set(rep) == {
        "schema_version", "symbol", "timeframe", "metrics", "trades", "equity", "fees_paid",
        "initial_capital",
    }
    assert rep["schema_version"] == 1 and rep["initial_capital"] == 10000
    assert set(rep["metrics"]) == {
        "pnl", "return_pct", "sharpe", "sortino", "calmar", "max_drawdown", "win_rate",
        "profit_factor", "num_trades",
    }
    assert len(rep["equity"]) == len(CANDLES)
    assert [p["time"] for p in rep["equity"]] == [c[0] for c in CANDLES]
    assert rep["metrics"]["num_trades"] == len(rep["trades"]) > 0
    for t in rep["trades"]:
        assert set(t) == {"entry_time", "exit_time", "entry_price", "exit_price", "qty", "pnl",
                          "return_pct", "reason"}


def test_non_finite_metrics_are_null():
    # Only winning trades on a rising curve: infinite profit factor and calmar.
    rising = [[i, 100 + i, 100.5 + i, 99.5 + i, 100 + i] for i in range(6)]
    strat = strategy(entry={"all": []}, exit={"any": []}, execution={"fill_timing": "close"})
    rep = recompute(case(strat=strat), rising)["recomputed"]
    assert rep["metrics"]["profit_factor"] is None
    assert rep["metrics"]["calmar"] is None
    assert rep["trades"][0]["reason"] == "end"


# ---------------------------------------------------------------------------------------------
# run_suite


def test_run_suite_equals_separate_runs_on_one_dataset():
    a = case("b-case", strat=strategy())
    b = case("a-case", strat=strategy(exit={"gt": [{"price": "close"}, 102]},
                                       sizing={"type": "fixed_qty", "qty": 3}))
    alone_a = run_case(a)
    alone_b = run_case(b)
    suite = run_suite([a, b], {"ds": CANDLES, "unused": OTHER})
    assert suite == {"failed": 2, "passed": 0, "results": [alone_b, alone_a]}
    assert alone_a["recomputed"] != alone_b["recomputed"]

    # With matching expectations the same suite passes both.
    good_a = case("b-case", strat=a["strategy"], expected=alone_a["recomputed"],
                  expected_hash=alone_a["hash"])
    good_b = case("a-case", strat=b["strategy"], expected=alone_b["recomputed"],
                  expected_hash=alone_b["hash"])
    out = run_suite([good_a, good_b], {"ds": CANDLES})
    assert out["passed"] == 2 and out["failed"] == 0
    assert [r["id"] for r in out["results"]] == ["a-case", "b-case"]


def test_run_suite_mismatching_hash_counts_as_failed():
    alone = run_case(case())
    c = case(expected=alone["recomputed"])
    out = run_suite([c], {"ds": CANDLES})
    assert out["results"][0]["passed"] is True
    assert out["results"][0]["hash_match"] is False
    assert out["failed"] == 1 and out["passed"] == 0


RUN_SUITE_ERRORS = [
    ("invalid case first, even with its dataset missing", [case(case_id="")], {},
     "invalid case: case id must not be empty"),
    ("duplicate id", [case("x"), case("y"), case("x")], {"ds": CANDLES},
     "invalid case: duplicate case id: x"),
    ("first missing dataset in suite order",
     [case("a", dataset="ds"), case("b", dataset="x"), case("c", dataset="y")], {"ds": CANDLES},
     "data error: no dataset supplied for x"),
    ("datasets omitted", [case("a")], None, "data error: no dataset supplied for ds"),
    ("engine error of a case",
     [case("a"), case("b", strat=strategy(indicators={"q": {"type": "Nope"}}))], {"ds": CANDLES},
     "backtest engine error: unknown indicator type: Nope"),
    ("strategy reader error of a case",
     [case("a", strat=strategy(sizing={"type": "fixed"}))], {"ds": CANDLES},
     "invalid strategy spec: unknown variant `fixed`, expected one of `fixed_fraction`, "
     "`fixed_qty`, `fixed_cash`, `vol_target`, `risk_per_trade`"),
    ("empty dataset", [case("a")], {"ds": []},
     "backtest engine error: invalid input data: no candles"),
]


@pytest.mark.parametrize("name,cases,datasets,text", RUN_SUITE_ERRORS,
                         ids=[e[0] for e in RUN_SUITE_ERRORS])
def test_run_suite_errors(name, cases, datasets, text):
    assert run_suite(cases, datasets) == error(text)


def test_run_suite_empty():
    assert run_suite([]) == {"failed": 0, "passed": 0, "results": []}
