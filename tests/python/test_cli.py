"""The command-line runner: exit codes, messages, dataset files, record and run, JSON output."""

import json
import os
import pty
import select
import subprocess
import sys

import pytest

from sorvik_benchmark import Benchmark
from sorvik_benchmark.cli import main, pretty
from sorvik_benchmark.datasets import DatasetError, load_dataset, parse_csv, parse_json

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PYTHONPATH = os.path.join(ROOT, "python")
EXAMPLES = os.path.join(ROOT, "examples")
ZERO_HASH = "0" * 64

# A small zig-zag series: four-bar steps up and down around a slow drift.
BARS = [
    [1_000 + 60 * i, 100 + 0.01 * i + 3 * ((i // 4) % 2), 101.5 + 0.01 * i + 3 * ((i // 4) % 2),
     99 + 0.01 * i + 3 * ((i // 4) % 2), 100.25 + 0.01 * i + 3 * ((i // 4) % 2), 10 + i % 7]
    for i in range(120)
]


def strategy(**overrides):
    s = {
        "symbol": "T",
        "timeframe": "1m",
        "indicators": {"fast": {"type": "Sma", "params": [2]}, "slow": {"type": "Sma", "params": [6]}},
        "entry": {"cross_above": ["fast", "slow"]},
        "exit": {"cross_below": ["fast", "slow"]},
        "sizing": {"type": "fixed_fraction", "fraction": 0.5},
        "costs": {"taker_bps": 5},
    }
    s.update(overrides)
    return s


def draft_case(case_id, dataset="bars", **overrides):
    """A case without its expectation, as a suite author writes it before recording."""
    return {"id": case_id, "description": "", "strategy": strategy(**overrides),
            "dataset_ref": dataset}


def write_csv(path, bars, header=True):
    lines = ["time,open,high,low,close,volume"] if header else []
    lines += [",".join(repr(v) for v in b) for b in bars]
    path.write_text("\n".join(lines) + "\n")
    return path


@pytest.fixture
def data_dir(tmp_path):
    d = tmp_path / "data"
    d.mkdir()
    write_csv(d / "bars.csv", BARS)
    (d / "down.json").write_text(json.dumps([[t, 300 - o, 300 - lo, 300 - h, 300 - c, v]
                                             for t, o, h, lo, c, v in BARS]))
    (d / "notes.txt").write_text("not a dataset")
    return d


def engine_call(cmd):
    return Benchmark().command(json.dumps(cmd))


def recorded_case(case_id, candles=BARS, dataset="bars", **overrides):
    """A case whose expectation is the engine's own report for it."""
    c = draft_case(case_id, dataset, **overrides)
    c.update(expected={}, expected_hash=ZERO_HASH)
    out = json.loads(engine_call({"cmd": "run_case", "case": c, "data": candles}))
    c.update(expected=out["recomputed"], expected_hash=out["hash"])
    return c


def write_suite(path, cases, name="t"):
    path.write_text(json.dumps({"name": name, "cases": cases}, indent=1))
    return path


def cli(capsys, *argv):
    code = main([str(a) for a in argv])
    out, err = capsys.readouterr()
    return code, out, err


# ---------------------------------------------------------------------------------------------
# run: exit codes 0, 1, 2


def test_run_passing_suite(tmp_path, data_dir, capsys):
    suite = write_suite(tmp_path / "s.json", [
        recorded_case("b_case"),
        recorded_case("a_case", indicators={"fast": {"type": "Ema", "params": [3]},
                                  "slow": {"type": "Sma", "params": [8]}}),
    ])
    code, out, err = cli(capsys, "run", suite, "--data", data_dir)
    assert code == 0, err
    assert err == ""
    lines = out.splitlines()
    assert lines[0].split()[:3] == ["case", "passed", "hash"]
    assert [ln.split()[0] for ln in lines[2:4]] == ["a_case", "b_case"]  # sorted by id
    assert all(ln.split()[1:3] == ["yes", "yes"] for ln in lines[2:4])
    assert lines[-1].startswith("2 cases: 2 passed, 0 failed")


def test_run_failing_suite(tmp_path, data_dir, capsys):
    good = recorded_case("good")
    wrong_report = recorded_case("wrong_report")
    wrong_report["expected"]["metrics"]["num_trades"] += 1
    wrong_hash = recorded_case("wrong_hash")
    wrong_hash["expected_hash"] = "f" * 64
    suite = write_suite(tmp_path / "s.json", [good, wrong_report, wrong_hash])
    code, out, err = cli(capsys, "run", suite, "--data", data_dir)
    assert code == 1
    rows = {ln.split()[0]: ln.split()[1:3] for ln in out.splitlines()[2:5]}
    assert rows == {"good": ["yes", "yes"], "wrong_hash": ["yes", "NO"],
                    "wrong_report": ["NO", "yes"]}  # the two verdicts are independent
    assert "wrong_report: report differs: metrics.num_trades: expected" in out
    assert "wrong_hash: hash differs" in out
    assert out.splitlines()[-1].startswith("3 cases: 1 passed, 2 failed")


ENGINE_ERRORS = [
    ("unknown indicator type",
     [draft_case("a"), draft_case("b", indicators={**strategy()["indicators"], "q": {"type": "Nope"}})],
     "backtest engine error: unknown indicator type: Nope"),
    ("duplicate case id", [draft_case("x"), draft_case("x")], "invalid case: duplicate case id: x"),
    ("dataset not supplied", [draft_case("a"), draft_case("b", dataset="missing")],
     "data error: no dataset supplied for missing"),
    ("validation before datasets", [draft_case("a", dataset="missing"), draft_case("")],
     "invalid case: case id must not be empty"),
]


@pytest.mark.parametrize("name,cases,text", ENGINE_ERRORS, ids=[e[0] for e in ENGINE_ERRORS])
def test_run_engine_error(tmp_path, data_dir, capsys, name, cases, text):
    for c in cases:
        c.update(expected={}, expected_hash=ZERO_HASH)
    suite = write_suite(tmp_path / "s.json", cases)
    code, out, err = cli(capsys, "run", suite, "--data", data_dir)
    assert code == 2
    assert out == ""
    assert err == f"sorvik_benchmark: error: {text}\n"


def test_run_json_equals_module_response(tmp_path, data_dir, capsys):
    cases = [recorded_case("c"), recorded_case("a"),
             recorded_case("b", candles=json.loads((data_dir / "down.json").read_text()),
                           dataset="down")]
    cases[0]["expected_hash"] = ZERO_HASH  # one failing case, so the counts are both non-zero
    suite = write_suite(tmp_path / "s.json", cases)
    datasets = {"bars": BARS, "down": json.loads((data_dir / "down.json").read_text()),
                "unused": BARS[:3]}
    expected = engine_call({"cmd": "run_suite", "suite": {"name": "t", "cases": cases},
                            "datasets": datasets})
    for chunk in ("0", "1", "2"):  # one call, and the answers of several calls merged
        code, out, err = cli(capsys, "run", suite, "--data", data_dir, "--json",
                             "--chunk-size", chunk)
        assert code == 1, err
        assert out == expected + "\n"


# ---------------------------------------------------------------------------------------------
# Dataset files


MALFORMED = [
    ("price not a number", "time,open,high,low,close\n1,1,2,0.5,1.5\n2,1,2,x,1.5\n",
     ":3: low must be a number, got 'x'"),
    ("fractional time", "1,1,2,0.5,1.5\n2.5,1,2,0.5,1.5\n", ":2: time must be a whole number"),
    ("too few fields", "1,1,2,0.5,1.5,10\n2,1,2,0.5\n", ":2: expected 5 or 6 fields"),
    ("header width", "time,open,high,low,close\n1,1,2,0.5,1.5,3\n",
     ":2: expected 5 fields as in the header, got 6"),
    ("header lacks a column", "time,open,high,close\n1,1,2,1.5\n", ":1: header lacks column 'low'"),
    ("not finite", "1,1,2,0.5,1.5\n\n2,1,2,0.5,nan\n", ":3: close must be a number, got 'nan'"),
    ("time out of range", "9223372036854775808,1,2,0.5,1.5\n", ":1: time 9223372036854775808 does"),
    ("json candle", '[[1,1,2,0.5,1.5],\n {"time":2,"open":1,"high":2,"low":0.5}]',
     ":2: candle lacks 'close'"),
    ("json syntax", '[[1,1,2,0.5,1.5],\n [2,1,2,0.5,1.5\n', ":3: invalid JSON"),
    ("json float time", '[\n[1.0,1,2,0.5,1.5]]', ":2: time must be a whole number, got 1.0"),
]


@pytest.mark.parametrize("name,text,message", MALFORMED, ids=[m[0] for m in MALFORMED])
def test_malformed_dataset_writes_nothing(tmp_path, capsys, name, text, message):
    path = tmp_path / ("bars.json" if text.startswith("[") else "bars.csv")
    path.write_text(text)
    suite = write_suite(tmp_path / "s.json", [draft_case("a")])
    before = suite.read_bytes()
    out_path = tmp_path / "out.json"
    report = tmp_path / "report.json"
    runs = [
        ("record", suite, "--data", path, "-o", out_path),
        ("record", suite, "--data", path, "--in-place"),
        ("case", recorded_case_file(tmp_path), "--data", path, "--report", report),
    ]
    for argv in runs:
        code, out, err = cli(capsys, *argv)
        assert code == 2, argv
        assert out == ""
        assert err.startswith(f"sorvik_benchmark: error: {path}{message}"), err
        assert "Traceback" not in err
    assert not out_path.exists() and not report.exists()
    assert suite.read_bytes() == before
    assert sorted(p.name for p in tmp_path.iterdir()) == sorted([path.name, "s.json", "case.json"])


def recorded_case_file(tmp_path):
    path = tmp_path / "case.json"
    path.write_text(json.dumps(recorded_case("one")))
    return path


def test_dataset_forms_read_alike(tmp_path):
    rows = [[1, 1.5, 2.25, 0.5, 1.75, 10.0], [2, 1.0, 3.0, 0.125, 2.5, 0.0],
            [-3, 1e-7, 2.0, 1e-8, 1.0, 0.0]]
    text_rows = ["1,1.5,2.25,0.5,1.75,10", "2,1,3,0.125,2.5", "-3,1e-7,2,0.00000001,1.0"]
    forms = {
        "plain.csv": "\n".join(text_rows) + "\n",
        "header.csv": "time,open,high,low,close,volume\n" + "\n".join(
            r if r.count(",") == 5 else r + ",0" for r in text_rows),
        "reordered.csv": "# exported\r\nClose,time,low,high,open,volume,extra\r\n"
                         "1.75,1,0.5,2.25,1.5,10,x\r\n2.5,2,0.125,3,1,0,y\r\n\r\n"
                         "1.0,-3,1e-8,2,1e-7,0,z\r\n",
        "mixed.json": json.dumps([rows[0][:6], {"time": 2, "open": 1, "high": 3, "low": 0.125,
                                                "close": 2.5, "note": 1}, rows[2][:5]]),
    }
    for name, text in forms.items():
        (tmp_path / name).write_text(text, encoding="utf-8-sig" if name == "header.csv" else "utf-8")
        assert load_dataset(str(tmp_path / name)) == rows, name
    assert parse_csv("", "x") == [] and parse_json(" [ ] ", "x") == []
    with pytest.raises(DatasetError, match="x.csv:1: header lacks column 'close'"):
        parse_csv("time,open,high,low,volume\n", "x.csv")


def test_dataset_naming(tmp_path, data_dir, capsys):
    # down.json from the directory, and the same series under another name given as NAME=PATH.
    down = json.loads((data_dir / "down.json").read_text())
    cases = [recorded_case("d", candles=down, dataset="down"),
             recorded_case("e", candles=down, dataset="other")]
    suite = write_suite(tmp_path / "s.json", cases)
    code, out, err = cli(capsys, "run", suite, "--data", data_dir, f"other={data_dir / 'down.json'}")
    assert code == 0, err
    # A file named by its stem; a name given by two files is refused.
    (tmp_path / "down.csv").write_text("1,1,2,0.5,1.5\n")
    code, out, err = cli(capsys, "run", suite, "--data", data_dir, tmp_path / "down.csv",
                         f"down={data_dir / 'down.json'}")
    assert code == 2 and "dataset down given twice" in err
    code, out, err = cli(capsys, "run", suite, "--data", data_dir, tmp_path)
    assert code == 2 and "dataset down is ambiguous" in err


# ---------------------------------------------------------------------------------------------
# record


def test_record_then_run_passes(tmp_path, data_dir, capsys):
    array_form = ["arr", "", strategy(exit={"gt": [{"price": "close"}, 102]}), "bars"]
    stale = recorded_case("stale")
    stale["expected_hash"] = "TODO"
    draft = write_suite(tmp_path / "draft.json", [draft_case("obj"), array_form, stale])
    before = draft.read_bytes()

    code, out, err = cli(capsys, "run", draft, "--data", data_dir)
    assert code == 2 and "missing field `expected`" in err

    recorded = tmp_path / "recorded.json"
    code, out, err = cli(capsys, "record", draft, "--data", data_dir, "-o", recorded)
    assert code == 0, err
    assert out == "" and f"recorded 3 cases (3 changed) to {recorded}" in err
    assert draft.read_bytes() == before
    doc = json.loads(recorded.read_text())
    assert doc["name"] == "t"
    assert len(doc["cases"][1]) == 6 and doc["cases"][1][0] == "arr"
    code, out, err = cli(capsys, "run", recorded, "--data", data_dir)
    assert code == 0, out + err

    # To standard output when no file is named; the same document.
    code, out, err = cli(capsys, "record", draft, "--data", data_dir)
    assert code == 0 and json.loads(out) == doc

    # Over the input only when asked: --in-place, or -o naming the same path.
    for how in (["--in-place"], ["-o", draft]):
        draft.write_bytes(before)
        code, out, err = cli(capsys, "record", draft, "--data", data_dir, *how)
        assert code == 0, err
        assert json.loads(draft.read_text()) == doc
    code, out, err = cli(capsys, "record", draft, "--data", data_dir, "--in-place", "-o", recorded)
    assert code == 2 and "not both" in err


def test_record_engine_error_writes_nothing(tmp_path, data_dir, capsys):
    suite = write_suite(tmp_path / "s.json", [draft_case("a", indicators={**strategy()["indicators"], "q": {"type": "Nope"}})])
    before = suite.read_bytes()
    code, out, err = cli(capsys, "record", suite, "--data", data_dir, "--in-place")
    assert code == 2 and err.endswith("unknown indicator type: Nope\n")
    assert suite.read_bytes() == before
    assert sorted(p.name for p in tmp_path.iterdir()) == ["data", "s.json"]


def test_pretty_keeps_values():
    doc = {"a": [{"x": 1.5, "y": "é"}] * 30, "b": {"c": [1, 2.0, None, True], "d": 1e-05}}
    text = pretty(doc)
    assert json.loads(text) == doc
    assert '{"x": 1.5, "y": "é"}' in text


# ---------------------------------------------------------------------------------------------
# case and list


def test_case_prints_metrics_and_writes_the_hashed_report(tmp_path, data_dir, capsys):
    c = recorded_case("one")
    case_path = tmp_path / "case.json"
    case_path.write_text(json.dumps(c))
    report = tmp_path / "report.json"
    code, out, err = cli(capsys, "case", case_path, "--data", data_dir / "bars.csv",
                         "--report", report)
    assert code == 0, err
    assert out.startswith("case one: passed yes, hash match yes\n")
    assert f"hash            {c['expected_hash']}" in out
    assert "max drawdown %" in out and "profit factor" in out
    response = engine_call({"cmd": "run_case", "case": c, "data": BARS})
    recomputed = response[response.index(',"recomputed":') + len(',"recomputed":'):-1]
    assert report.read_text() == recomputed

    # Against another series it still runs, reports the mismatch and exits 1; the report is
    # written, since that is when it is wanted.
    code, out, err = cli(capsys, "case", case_path, "--data", data_dir / "down.json",
                         "--report", report)
    assert code == 1
    assert "passed NO, hash match NO" in out and "report differs:" in out
    assert report.read_text() != recomputed

    # A case picked from a suite file by id, its dataset looked up in a directory.
    suite = write_suite(tmp_path / "s.json", [c, recorded_case("two")])
    code, out, err = cli(capsys, "case", suite, "--id", "two", "--data", data_dir)
    assert code == 0 and out.startswith("case two: passed yes")
    code, out, err = cli(capsys, "case", suite, "--data", data_dir)
    assert code == 2 and "choose a case with --id (one, two)" in err


def test_list(tmp_path, capsys):
    suite = write_suite(tmp_path / "s.json", [recorded_case(i) for i in ("b", "a", "ab")])
    code, out, err = cli(capsys, "list", suite)
    assert (code, out, err) == (0, "a\nab\nb\n", "")
    bad = tmp_path / "bad.json"
    bad.write_text('{"cases": [\n  {"id": 1,}\n]}')
    code, out, err = cli(capsys, "list", bad)
    assert code == 2 and err.startswith(f"sorvik_benchmark: error: {bad}:2:")


# ---------------------------------------------------------------------------------------------
# As a program: python3 -m sorvik_benchmark, and its progress bar on a terminal


def run_module(*argv, stderr=subprocess.PIPE):
    env = dict(os.environ, PYTHONPATH=PYTHONPATH)
    return subprocess.run([sys.executable, "-m", "sorvik_benchmark", *map(str, argv)],
                          stdout=subprocess.PIPE, stderr=stderr, env=env, text=True)


def test_module_entry_point_and_usage_errors(tmp_path, data_dir):
    suite = write_suite(tmp_path / "s.json", [recorded_case("a")])
    done = run_module("run", suite, "--data", data_dir)
    assert done.returncode == 0 and done.stderr == ""
    assert done.stdout.splitlines()[-1].startswith("1 cases: 1 passed")
    usage = run_module("run")
    assert usage.returncode == 2 and "usage:" in usage.stderr


def test_progress_bar_only_on_a_terminal(tmp_path, data_dir):
    suite = write_suite(tmp_path / "s.json", [recorded_case(i) for i in "abc"])
    master, slave = pty.openpty()
    try:
        env = dict(os.environ, PYTHONPATH=PYTHONPATH)
        proc = subprocess.Popen(
            [sys.executable, "-m", "sorvik_benchmark", "run", suite, "--data", data_dir,
             "--chunk-size", "1"], stdout=subprocess.PIPE, stderr=slave, env=env, text=True)
        os.close(slave)
        slave = None
        out = proc.stdout.read()
        seen = b""
        while select.select([master], [], [], 5)[0]:
            try:
                chunk = os.read(master, 4096)
            except OSError:
                break
            if not chunk:
                break
            seen += chunk
        assert proc.wait() == 0
    finally:
        os.close(master)
        if slave is not None:
            os.close(slave)
    assert b"1/3 cases" in seen and b"3/3 cases" in seen
    assert out.splitlines()[-1].startswith("3 cases: 3 passed")
    # Standard error is a pipe here: no bar, not even with chunks.
    piped = run_module("run", suite, "--data", data_dir, "--chunk-size", "1")
    assert piped.returncode == 0 and piped.stderr == ""


# ---------------------------------------------------------------------------------------------
# The bundled examples


def test_examples_pass_and_datasets_are_reproducible():
    code = main(["run", os.path.join(EXAMPLES, "suite.json"), "--data",
                 os.path.join(EXAMPLES, "data"), "--no-progress"])
    assert code == 0
    check = subprocess.run([sys.executable, os.path.join(EXAMPLES, "make_datasets.py"), "--check"],
                           stdout=subprocess.PIPE, text=True)
    assert check.returncode == 0, check.stdout
