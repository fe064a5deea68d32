import pytest

import sorvik_benchmark
from sorvik_benchmark import _sorvik_benchmark as native
from sorvik_benchmark import Benchmark

VERSION_RESPONSE = '{"engine_version":"0.2.0","version":"0.2.0"}'


def test_version_everywhere():
    assert Benchmark.version() == "0.2.0"
    assert Benchmark().version() == "0.2.0"
    assert native.__version__ == "0.2.0"
    assert sorvik_benchmark.__version__ == "0.2.0"


def test_module_surface():
    assert native.__all__ == ["__version__", "Benchmark"]
    assert native.__doc__ == "The native module (`sorvik_benchmark._sorvik_benchmark`)."
    assert Benchmark.__doc__ == "A benchmark runner driven by JSON commands."
    assert Benchmark.__text_signature__ == "()"
    assert Benchmark.command.__text_signature__ == "($self, cmd_json)"
    assert Benchmark.command.__doc__ == "Apply a command JSON and return the resulting response JSON."
    assert Benchmark.version.__text_signature__ == "()"
    assert Benchmark.version.__doc__ == "The library version."


def test_command_positional_and_keyword():
    b = Benchmark()
    assert b.command('{"cmd":"version"}') == VERSION_RESPONSE
    assert b.command(cmd_json='{"cmd":"version"}') == VERSION_RESPONSE


@pytest.mark.parametrize(
    "call",
    [
        lambda b: b.command(b'{"cmd":"version"}'),
        lambda b: b.command(None),
        lambda b: b.command(7),
        lambda b: b.command(),
        lambda b: b.command('{"cmd":"version"}', "x"),
        lambda b: b.command(text='{"cmd":"version"}'),
        lambda b: b.command('{"cmd":"version"}', cmd_json="x"),
    ],
)
def test_argument_errors_are_type_errors(call):
    with pytest.raises(TypeError):
        call(Benchmark())


def test_wrong_type_names_the_argument():
    with pytest.raises(TypeError, match="cmd_json"):
        Benchmark().command(b"{}")


def test_constructor_takes_nothing():
    with pytest.raises(TypeError):
        Benchmark(1)
    with pytest.raises(TypeError):
        Benchmark(x=1)


def test_lone_surrogate_is_an_encoding_error():
    with pytest.raises(UnicodeEncodeError):
        Benchmark().command('"\udc00"')
