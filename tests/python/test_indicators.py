"""The indicator library from Python: streaming Indicator objects and whole-array compute."""

import ast
import math
import pathlib
import random
import struct

import numpy as np
import pytest

import sorvik_benchmark
from sorvik_benchmark import _sorvik_benchmark, indicator_cli, indicators

PACKAGE = pathlib.Path(sorvik_benchmark.__file__).parent
CATALOG = indicators.catalog()
BUILT = [e for e in CATALOG if e["built"] and e["name"] == e["canonical"]]
HOUR_MS = 3_600_000


def sample_params(entry, base=3):
    """Parameters that build a type: its registered example, else P = k * base for the k-th P,
    R = 0.5, I = 0, U = 1 (the rule the C++ registry tests use)."""
    if entry["example"]:
        return list(entry["example"])
    params, k = [], 0
    for kind in entry["params"]:
        if kind == "P":
            k += 1
            params.append(float(k * base))
        else:
            params.append({"R": 0.5, "I": 0.0, "U": 1.0}[kind])
    return params


def synthetic_candles(n=3000, seed=7):
    """A random walk of hourly candles (times in milliseconds) with faulty bars mixed in: high below
    low, open or close outside the range, negative, non-finite or zero volume, NaN or infinite
    prices, flat bars and repeated times."""
    rng = random.Random(seed)
    cols = {k: [] for k in ("open", "high", "low", "close", "volume", "time")}
    price, t = 100.0, 1_700_000_000_000
    for i in range(n):
        o = price
        c = max(1.0, o * (1.0 + rng.gauss(0.0, 0.01)))
        h = max(o, c) * (1.0 + abs(rng.gauss(0.0, 0.004)))
        lo = min(o, c) * (1.0 - abs(rng.gauss(0.0, 0.004)))
        v = rng.uniform(0.0, 1000.0)
        price = c
        r = rng.random()
        if r < 0.02:
            h, lo = lo, h                      # high below low
        elif r < 0.03:
            o = h * 1.01                       # open above high
        elif r < 0.04:
            v = 0.0                            # zero volume (valid)
        elif r < 0.045:
            v = -1.0                           # negative volume
        elif r < 0.05:
            c = math.nan                       # close not finite (close-fed types skip it too)
        elif r < 0.055:
            h = math.inf
        elif r < 0.06:
            v = math.nan
        elif r < 0.07:
            o = h = lo = c                     # flat bar
        for k, x in zip(("open", "high", "low", "close", "volume"), (o, h, lo, c, v)):
            cols[k].append(x)
        cols["time"].append(t)
        if rng.random() > 0.01:               # now and then a repeated time
            t += HOUR_MS
    return {k: (np.array(v, dtype=np.int64) if k == "time" else np.array(v)) for k, v in cols.items()}


CANDLES = synthetic_candles()


def bits(x):
    return struct.pack("<d", x)


def loop_of_updates(type_name, params, cols):
    """The reference: Indicator.update bar by bar. Returns the primary values (None for nothing)
    and the outputs dict after each yielding bar (None otherwise)."""
    ind = indicators.create(type_name, params)
    values, outputs = [], []
    for i in range(len(cols["close"])):
        v = ind.update(float(cols["open"][i]), float(cols["high"][i]), float(cols["low"][i]),
                       float(cols["close"][i]), float(cols["volume"][i]), int(cols["time"][i]))
        values.append(v)
        outputs.append(ind.outputs if v is not None else None)
    return ind, values, outputs


def assert_same_column(column, expected, label):
    """Bit for bit; NaN in the column stands for nothing (or a NaN value)."""
    assert column.dtype == np.float64 and column.shape == (len(expected),)
    for i, (got, want) in enumerate(zip(column.tolist(), expected)):
        if want is None or math.isnan(want):
            assert math.isnan(got), f"{label}: bar {i}: expected nothing, got {got!r}"
        else:
            assert bits(got) == bits(want), f"{label}: bar {i}: {got!r} != {want!r}"


# ---------------------------------------------------------------------------------------------
# compute equals a loop of update, for every built type


def test_catalog_has_built_types():
    assert len(BUILT) >= 1
    assert {"Sma", "Ema", "BollingerBands"} <= {e["name"] for e in BUILT}


@pytest.mark.parametrize("entry", BUILT, ids=[e["name"] for e in BUILT])
def test_compute_equals_update_loop(entry):
    name, params = entry["name"], sample_params(entry)
    ind, values, outputs = loop_of_updates(name, params, CANDLES)
    result = indicators.compute(name, params, **CANDLES)
    assert ind.output_names == entry["outputs"]
    if not entry["outputs"]:
        assert isinstance(result, np.ndarray)
        assert all(o == {} for o in outputs if o is not None)
        assert_same_column(result, values, name)
        return
    assert isinstance(result, dict)
    assert tuple(result) == entry["outputs"]
    # The first output is the primary value; every output matches what outputs showed after the bar.
    assert_same_column(result[entry["outputs"][0]], values, name)
    for k, out_name in enumerate(entry["outputs"]):
        expected = [None if o is None else o[out_name] for o in outputs]
        assert_same_column(result[out_name], expected, f"{name}.{out_name}")
    for o in outputs:
        if o is not None:
            assert tuple(o) == entry["outputs"]


def test_reference_types_yield_on_the_synthetic_candles():
    # Guards the test above against comparing nothing with nothing.
    for name, params in [("Sma", [3]), ("Ema", [3]), ("BollingerBands", [3, 2])]:
        result = indicators.compute(name, params, **CANDLES)
        column = result if isinstance(result, np.ndarray) else next(iter(result.values()))
        assert np.count_nonzero(~np.isnan(column)) > len(column) // 2


def test_invalid_candles_are_skipped_like_the_bar_loop():
    # A candle-fed type skips an invalid candle and keeps its state: dropping the invalid bars
    # changes nothing else. A close-fed type skips only a non-finite close.
    o, h, lo, c, v = (CANDLES[k] for k in ("open", "high", "low", "close", "volume"))
    finite = np.isfinite(o) & np.isfinite(h) & np.isfinite(lo) & np.isfinite(c) & np.isfinite(v)
    with np.errstate(invalid="ignore"):
        valid = finite & (v >= 0) & (h >= lo) & (o <= h) & (c <= h) & (o >= lo) & (c >= lo)
    assert 50 < np.count_nonzero(~valid) < 500
    for name, keep in [("Atr", valid), ("Ema", np.isfinite(c))]:
        full = indicators.compute(name, [5], **CANDLES)
        kept = indicators.compute(name, [5], **{k: a[keep] for k, a in CANDLES.items()})
        assert np.isnan(full[~keep]).all()
        np.testing.assert_array_equal(full[keep], kept)


# ---------------------------------------------------------------------------------------------
# Named outputs


def test_named_outputs_stream_and_alias():
    bb = indicators.create("Bollinger", [3, 2])
    assert bb.type_name == "BollingerBands"
    assert bb.output_names == ("upper", "middle", "lower", "stddev")
    assert bb.warmup_period == 3
    assert bb.update(1, 1, 1, 1) is None and bb.outputs == {}
    assert bb.update(2, 2, 2, 2) is None and bb.outputs == {}
    v = bb.update(3, 3, 3, 3)
    out = bb.outputs
    assert list(out) == ["upper", "middle", "lower", "stddev"]
    assert out["upper"] == v and out["middle"] == 2.0
    # An update that yields nothing (an invalid candle for this candle-or-close-fed type: a NaN
    # close) leaves the last named values in place.
    assert bb.update(3, 3, 3, math.nan) is None
    assert bb.outputs == out

    by_alias = indicators.compute("Bollinger", [20, 2], **CANDLES)
    by_name = indicators.compute("BollingerBands", [20, 2], **CANDLES)
    assert list(by_alias) == ["upper", "middle", "lower", "stddev"]
    for k in by_name:
        np.testing.assert_array_equal(by_alias[k], by_name[k])


def test_single_output_type_has_no_named_outputs():
    ema = indicators.create("Ema", [3])
    assert ema.output_names == ()
    assert [ema.update(x, x, x, x) for x in (1.0, 2.0, 3.0, 4.0)] == [None, None, 2.0, 3.0]
    assert ema.outputs == {}
    assert ema.update(open=5.0, high=5.0, low=5.0, close=5.0, volume=1.0, time=-7) == 4.0
    assert ema.params == (3.0,)
    assert repr(ema) == "Indicator('Ema', [3.0])"


# ---------------------------------------------------------------------------------------------
# Errors


FACTORY_ERRORS = [
    ("Foo", [1], "unknown indicator type: Foo"),
    ("sma", [20], "unknown indicator type: sma"),
    ("", [], "unknown indicator type: "),
    ("Sma", [], "invalid parameters for indicator Sma: missing parameter #0"),
    ("Sma", [2.5], "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 2.5"),
    ("Sma", [-3], "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got -3"),
    ("Sma", [math.nan], "invalid parameters for indicator Sma: parameter #0 must be finite"),
    ("Sma", [16777217], "invalid parameters for indicator Sma: invalid period: period exceeds the maximum "
                        "supported window length (see MAX_PERIOD)"),
    ("Bollinger", [20], "invalid parameters for indicator BollingerBands: missing parameter #1"),
]


@pytest.mark.parametrize("type_name,params,text", FACTORY_ERRORS)
def test_factory_errors_raise_value_error_with_its_text(type_name, params, text):
    for build in (indicators.create, indicators.Indicator,
                  lambda n, p: indicators.compute(n, p, close=[1.0, 2.0])):
        with pytest.raises(ValueError) as e:
            build(type_name, params)
        assert str(e.value) == text


def test_not_built_types_are_refused_like_the_factory():
    pending = [e for e in CATALOG if not e["built"]]
    if not pending:
        pytest.skip("every type is built")
    e = pending[0]
    with pytest.raises(ValueError, match=f"^unknown indicator type: {e['name']}$"):
        indicators.create(e["name"], sample_params(e))


def test_surplus_parameters_are_ignored():
    a = indicators.compute("Sma", [20, 5, 7], close=CANDLES["close"])
    b = indicators.compute("Sma", np.array([20.0]), close=CANDLES["close"])
    np.testing.assert_array_equal(a, b)


@pytest.mark.parametrize("call", [
    lambda: indicators.create(b"Sma", [3]),
    lambda: indicators.create("Sma", "3"),
    lambda: indicators.create("Sma", 3),
    lambda: indicators.create("Sma", [None]),
    lambda: indicators.create("Sma", ["3"]),
    lambda: indicators.create("Ema", [3]).update("1", 1, 1, 1),
    lambda: indicators.create("Ema", [3]).update(1, 1, 1),
    lambda: indicators.create("Ema", [3]).update(1, 1, 1, 1, 0.0, 1.5),
    lambda: indicators.compute("Ema", [3]),
    lambda: indicators.compute("Ema", [3], [1.0, 2.0]),
    lambda: indicators.compute("Ema", [3], close="123"),
    lambda: indicators.compute("Ema", [3], close=[1.0, 2.0], time=[0.5, 1.5]),
    lambda: indicators.compute("Ema", [3], close=[1.0, 2.0], time=np.array([1, 2], dtype=np.uint64)),
    lambda: indicators.compute("Ema", [3], close=["1.0", "2.0"]),
    lambda: indicators.compute("Ema", [3], close=[1.0, None]),
    lambda: indicators.compute("Ema", [3], close=[1.0, 2.0], volume=[1 + 2j, 1.0]),
    lambda: indicators.compute("Ema", [3], close=[1.0], bogus=[1.0]),
])
def test_wrong_argument_types_raise_type_error(call):
    with pytest.raises(TypeError):
        call()


@pytest.mark.parametrize("column", ["open", "high", "low", "volume", "time"])
def test_arrays_of_unequal_length_are_refused(column):
    cols = {k: a[:100] for k, a in CANDLES.items()}
    cols[column] = cols[column][:99]
    with pytest.raises(ValueError) as e:
        indicators.compute("Atr", [5], **cols)
    assert str(e.value) == f"arrays of unequal length: close has 100 elements, {column} has 99"


def test_arrays_must_be_one_dimensional():
    with pytest.raises(ValueError, match="close must be one-dimensional, got 2 dimensions"):
        indicators.compute("Ema", [3], close=np.ones((4, 2)))
    with pytest.raises(ValueError, match="high must be one-dimensional, got 0 dimensions"):
        indicators.compute("Ema", [3], close=[1.0], high=5.0)


# ---------------------------------------------------------------------------------------------
# Input forms and defaults


def test_lists_tuples_and_numpy_arrays_give_the_same_values():
    n = 500
    cols = {k: a[:n] for k, a in CANDLES.items()}
    as_lists = {k: a.tolist() for k, a in cols.items()}
    as_tuples = {k: tuple(a.tolist()) for k, a in cols.items()}
    # Every other element of a twice-as-long array: a strided view, copied by the binding.
    strided = {k: np.repeat(a, 2)[::2] for k, a in cols.items()}
    assert not strided["close"].flags.c_contiguous
    reference = indicators.compute("Adx", [5], **cols)
    for form in (as_lists, as_tuples, strided):
        result = indicators.compute("Adx", [5], **form)
        for k in reference:
            np.testing.assert_array_equal(result[k], reference[k])
    # Integer prices and int32 times are converted exactly.
    ints = indicators.compute("Sma", [3], close=np.arange(10), time=np.arange(10, dtype=np.int32))
    np.testing.assert_array_equal(ints, indicators.compute("Sma", [3], close=np.arange(10.0)))


def test_empty_columns_give_empty_results():
    assert indicators.compute("Ema", [3], close=[]).shape == (0,)
    assert all(a.shape == (0,) for a in indicators.compute("Bollinger", [3, 2], close=[]).values())


def test_missing_columns_take_their_documented_defaults():
    o, c = CANDLES["open"][:800], CANDLES["close"][:800]
    n = len(c)
    with np.errstate(invalid="ignore"):
        cases = [
            ({"close": c}, {"open": c, "high": c, "low": c, "volume": np.zeros(n), "time": np.zeros(n, np.int64)}),
            ({"open": o, "close": c}, {"high": np.where(o > c, o, c), "low": np.where(o < c, o, c)}),
        ]
    for name, params in [("Atr", [5]), ("Mfi", [5]), ("Ema", [5]), ("Adx", [5])]:
        for given, explicit in cases:
            a = indicators.compute(name, params, **given)
            b = indicators.compute(name, params, **given, **explicit)
            if isinstance(a, dict):
                for k in a:
                    np.testing.assert_array_equal(a[k], b[k])
            else:
                np.testing.assert_array_equal(a, b)


def test_compute_runs_in_several_threads_at_once():
    # compute lets other threads run while it loops; each call has its own indicator.
    from concurrent.futures import ThreadPoolExecutor

    expected = indicators.compute("Rsi", [14], close=CANDLES["close"])
    with ThreadPoolExecutor(4) as pool:
        results = list(pool.map(lambda _: indicators.compute("Rsi", [14], close=CANDLES["close"]), range(8)))
    for r in results:
        np.testing.assert_array_equal(r, expected)


def test_longest_window_builds_and_updates():
    sma = indicators.create("Sma", [16777216])
    assert sma.warmup_period == 16777216
    assert sma.update(1.0, 1.0, 1.0, 1.0) is None


def test_compute_leaves_its_inputs_alone():
    close = CANDLES["close"].copy()
    indicators.compute("Ema", [5], close=close)
    np.testing.assert_array_equal(close, CANDLES["close"])


# ---------------------------------------------------------------------------------------------
# Catalog


def test_catalog_lists_every_accepted_name_once_in_byte_order():
    names = [e["name"] for e in CATALOG]
    assert len(names) == 497 and len(set(names)) == 497
    assert names == sorted(names, key=lambda s: s.encode())
    by_name = {e["name"]: e for e in CATALOG}
    assert by_name["Bollinger"]["canonical"] == "BollingerBands"
    assert by_name["Macd"]["canonical"] == "MacdIndicator"
    assert sum(e["name"] != e["canonical"] for e in CATALOG) == 2
    assert by_name["BollingerBands"]["params"] == "PR"
    assert by_name["Kst"]["params"] == "PPPPPPPPP"
    for name, feed in [("Sma", "kline"), ("Vpin", "trade"), ("Microprice", "orderbook"),
                       ("KylesLambda", "trade_quote"), ("FundingRate", "derivatives"),
                       ("Trin", "cross_section")]:
        assert by_name[name]["feed"] == feed
    for e in CATALOG:
        assert set(e) == {"name", "canonical", "feed", "params", "outputs", "built", "example"}
        assert set(e["params"]) <= set("PRIU")
        if e["outputs"]:
            assert e["built"]


# ---------------------------------------------------------------------------------------------
# Package, stubs and the command line


def test_package_exposes_the_library_and_keeps_the_engine_module_as_it_was():
    assert sorvik_benchmark.indicators is indicators
    assert _sorvik_benchmark.__all__ == ["__version__", "Benchmark"]
    assert sorvik_benchmark.__all__ == ["Benchmark", "__version__"]
    assert indicators.__all__ == ["Indicator", "catalog", "compute", "create"]


@pytest.mark.parametrize("module", ["_sorvik_indicators", "_sorvik_benchmark"])
def test_stubs_name_what_the_module_has(module):
    assert (PACKAGE / "py.typed").is_file()
    tree = ast.parse((PACKAGE / f"{module}.pyi").read_text())
    stubbed = {n.name for n in tree.body if isinstance(n, (ast.FunctionDef, ast.ClassDef))}
    native = __import__(f"sorvik_benchmark.{module}", fromlist=["x"])
    exported = {n for n in native.__all__ if not n.startswith("__")}
    assert exported <= stubbed
    for cls in (n for n in tree.body if isinstance(n, ast.ClassDef) and hasattr(native, n.name)):
        members = {m.name for m in cls.body if isinstance(m, ast.FunctionDef)} - {"__new__"}
        assert members <= set(dir(getattr(native, cls.name))), cls.name


def test_cli_indicator_prints_values_per_bar(tmp_path, capsys):
    data = tmp_path / "bars.csv"
    data.write_text("time,open,high,low,close,volume\n" + "".join(
        f"{i},{x},{x + 1},{x - 1},{x},10\n" for i, x in enumerate([1.0, 2.0, 3.0, 4.0])))
    assert indicator_cli.main(["indicator", "Ema", "3", "--data", str(data)]) == 0
    assert capsys.readouterr().out == "time,value\n0,\n1,\n2,2.0\n3,3.0\n"
    assert indicator_cli.main(["indicator", "Bollinger", "3", "2", "--data", str(data)]) == 0
    lines = capsys.readouterr().out.splitlines()
    assert lines[0] == "time,upper,middle,lower,stddev"
    assert lines[1] == "0,,,," and lines[3].startswith("2,") and lines[3].split(",")[2] == "2.0"


@pytest.mark.parametrize("argv,text", [
    (["indicator", "Foo", "3"], "unknown indicator type: Foo"),
    (["indicator", "Sma", "2.5"], "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 2.5"),
    (["indicator", "Sma", "x"], "parameter #0 must be a number, got 'x'"),
])
def test_cli_indicator_errors(tmp_path, capsys, argv, text):
    data = tmp_path / "bars.csv"
    data.write_text("0,1,2,0.5,1.5,10\n")
    assert indicator_cli.main(argv + ["--data", str(data)]) == 2
    assert capsys.readouterr().err == f"sorvik_benchmark: error: {text}\n"


def test_cli_indicators_lists_the_catalog(capsys):
    assert indicator_cli.main(["indicators", "bollinger"]) == 0
    out = capsys.readouterr().out
    rows = [line.split()[0] for line in out.splitlines()[1:] if line and not line[0].isdigit()]
    assert {"Bollinger", "BollingerBands", "BollingerBandwidth"} <= set(rows)
    assert "alias of BollingerBands" in out
    assert indicator_cli.main(["indicators", "NoSuchThing"]) == 1
    assert "no indicator type containing 'NoSuchThing'" in capsys.readouterr().err
