"""Deterministic trading-strategy benchmark cases, run by a native engine.

    >>> from sorvik_benchmark import Benchmark
    >>> Benchmark().command('{"cmd":"version"}')
    '{"engine_version":"0.2.0","version":"0.2.0"}'

The indicator library is ``sorvik_benchmark.indicators`` (imported on first use, with numpy).
"""

from ._sorvik_benchmark import Benchmark, __version__

__all__ = ["Benchmark", "__version__"]


def __getattr__(name: str):
    # `sorvik_benchmark.indicators` without an explicit import; numpy loads only when it is used.
    if name == "indicators":
        import importlib

        return importlib.import_module(".indicators", __name__)
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")
