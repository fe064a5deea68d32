"""Deterministic trading-strategy benchmark cases, run by a native engine.

    >>> from sorvik_benchmark import Benchmark
    >>> Benchmark().command('{"cmd":"version"}')
    '{"engine_version":"0.2.0","version":"0.2.0"}'
"""

from ._sorvik_benchmark import Benchmark, __version__

__all__ = ["Benchmark", "__version__"]
