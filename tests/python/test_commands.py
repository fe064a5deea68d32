import json
import time

import pytest

from sorvik_benchmark import Benchmark

VERSION = '{"engine_version":"0.2.0","version":"0.2.0"}'
HASH = "a" * 64


def run(cmd):
    return Benchmark().command(cmd)


def error_of(cmd):
    response = json.loads(run(cmd))
    assert set(response) == {"error", "ok"} and response["ok"] is False
    return response["error"]


def case(id_="a", dataset="d", **extra):
    c = {"id": id_, "description": "", "strategy": {}, "dataset_ref": dataset, "expected": {},
         "expected_hash": HASH}
    c.update(extra)
    return c


@pytest.mark.parametrize("cmd", ['{"cmd":"version"}', '  {"cmd":"version","x":[1,2]}  ',
                                 '\n{"cmd": "version", "cmd": "version"}\t'])
def test_version(cmd):
    assert run(cmd) == VERSION


@pytest.mark.parametrize("cmd,name", [('{"cmd":"Version"}', "Version"), ("{}", ""), ("[]", ""),
                                      ('"version"', ""), ('{"cmd":7}', ""), ('{"cmd":"é \\u0000"}', "é \x00")])
def test_unknown_commands(cmd, name):
    assert error_of(cmd) == "parse error: unknown cmd: " + name


def test_unknown_command_response_text_is_canonical():
    assert run('{"cmd":"Version"}') == '{"error":"parse error: unknown cmd: Version","ok":false}'


@pytest.mark.parametrize("cmd,prefix", [
    ("", "parse error: EOF while parsing a value at line 1 column"),
    ("not json", "parse error: expected ident at line 1 column"),
    ('{"cmd":"version"} x', "parse error: trailing characters at line 1 column"),
    ('{"cmd":"version"}\x00', "parse error: trailing characters at line 1 column"),
    ('"\x00"', "parse error: control character (\\u0000-\\u001F) found while parsing a string at line 1"),
    ('{"cmd":"version",}', "parse error: trailing comma at line 1 column"),
])
def test_text_that_is_not_one_json_value(cmd, prefix):
    assert error_of(cmd).startswith(prefix)


def test_request_records():
    assert error_of('{"cmd":"run_case"}') == "parse error: missing field `case`"
    assert error_of(json.dumps({"cmd": "run_case", "case": case()})) == "parse error: missing field `data`"
    assert error_of('{"cmd":"version","cmd":"list_cases"}') == "parse error: missing field `suite`"
    assert error_of(json.dumps({"cmd": "run_case", "case": case(note=1), "data": []})) == (
        "parse error: unknown field `note`, expected one of `id`, `description`, `strategy`, `dataset_ref`, "
        "`expected`, `expected_hash`")
    assert error_of(json.dumps({"cmd": "run_case", "case": case(), "data": [{"time": 1.0, "open": 1, "high": 1,
                                                                              "low": 1, "close": 1}]})) == (
        "parse error: invalid type: floating point `1.0`, expected i64")
    assert error_of(json.dumps({"cmd": "run_case", "case": case(), "data": {}})) == (
        "parse error: invalid type: map, expected a sequence")
    assert error_of(json.dumps({"cmd": "run_suite", "suite": {"cases": []}, "datasets": []})) == (
        "parse error: invalid type: sequence, expected a map")


def test_case_validation():
    def check(c, message):
        assert error_of(json.dumps({"cmd": "run_case", "case": c, "data": [[1, 1, 2, 0.5, 1.5]]})) == message
    check(case(id_="", dataset=""), "invalid case: case id must not be empty")
    check(case(dataset=""), "invalid case: dataset_ref must not be empty")
    check(case(expected_hash="A" * 64),
          'invalid case: expected_hash must be 64 lowercase hex characters, got "' + "A" * 64 + '"')
    check(case(expected_hash='x"\t\n\x00\x01é'),
          'invalid case: expected_hash must be 64 lowercase hex characters, got "x\\"\\t\\n\\0\\u{1}é"')
    check(case(strategy=1, expected=1), "invalid case: expected must be a JSON object (a BacktestReport)")
    check(case(strategy=[]), "invalid strategy spec: strategy must be a JSON object (a StrategySpec)")


def test_list_cases():
    assert run('{"cmd":"list_cases","suite":{"cases":[]}}') == '{"ids":[]}'
    suite = {"cases": [case("b"), case("a"), case("ab")]}
    assert run(json.dumps({"cmd": "list_cases", "suite": suite})) == '{"ids":["a","ab","b"]}'
    suite = {"cases": [case("b"), case("a"), case("b")]}
    assert error_of(json.dumps({"cmd": "list_cases", "suite": suite})) == "invalid case: duplicate case id: b"
    assert run(json.dumps({"cmd": "list_cases", "suite": ["n", [case("z")]]})) == '{"ids":["z"]}'


def test_run_suite_preparation():
    assert run('{"cmd":"run_suite","suite":{"cases":[]}}') == '{"failed":0,"passed":0,"results":[]}'
    assert run('{"cmd":"run_suite","suite":{"cases":[]},"datasets":{"x":[]}}') == (
        '{"failed":0,"passed":0,"results":[]}')
    two_missing = {"cmd": "run_suite", "suite": {"cases": [case("a", "x"), case("b", "y")]}}
    assert error_of(json.dumps(two_missing)) == "data error: no dataset supplied for x"
    invalid_and_missing = {"cmd": "run_suite", "suite": {"cases": [case("", "x")]}}
    assert error_of(json.dumps(invalid_and_missing)) == "invalid case: case id must not be empty"


def quick(cmd):
    start = time.monotonic()
    response = run(cmd)
    assert time.monotonic() - start < 10
    return response


def test_hostile_inputs_answer_errors_quickly():
    assert json.loads(quick("[" * 100_000))["error"] == (
        "parse error: recursion limit exceeded at line 1 column 128")
    assert json.loads(quick("{\"a\":" * 100_000))["error"].startswith("parse error: recursion limit exceeded")
    assert json.loads(quick("1" + "0" * 1_000_000))["error"] == (
        "parse error: number out of range at line 1 column 1000001")
    assert json.loads(quick("1" * 1_000_000))["error"].startswith("parse error: number out of range")
    assert json.loads(quick('{"cmd":"version","n":1' + "0" * 1_000_000 + "}"))["error"].startswith(
        "parse error: number out of range")
    big = "x" * (50 << 20)
    assert error_of('{"cmd":"' + big + '"}') == "parse error: unknown cmd: " + big
    assert json.loads(quick('"' + big))["error"].startswith("parse error: EOF while parsing a string")
    assert quick('{"cmd":"version","s":"' + big + '"}') == VERSION
    assert json.loads(quick("\x00" * 1000))["error"] == "parse error: expected value at line 1 column 1"
    assert json.loads(quick('{"cmd":"version","\\ud800":1}'))["error"].startswith(
        "parse error: unexpected end of hex escape")
    assert json.loads(quick('{"cmd":"version","\\udc00":1}'))["error"].startswith(
        "parse error: lone leading surrogate in hex escape")


def test_random_texts_never_crash():
    import random
    rng = random.Random(11)
    alphabet = '[]{}",:\\u0123456789eE.+- ntrlfa\n\x00\x1fé'
    for _ in range(3000):
        text = "".join(rng.choice(alphabet) for _ in range(rng.randrange(30)))
        response = json.loads(run(text))
        assert isinstance(response, dict)
