"""The indicator library from Python: the same types, parameters and numbers as the engine.

Streaming, one bar at a time::

    >>> from sorvik_benchmark import indicators
    >>> bb = indicators.create("BollingerBands", [20, 2])
    >>> bb.update(open=10.0, high=11.0, low=9.5, close=10.5, volume=1200.0)   # None while warming up
    >>> bb.outputs          # after an update that yielded: {'upper': ..., 'middle': ..., ...}

Whole arrays, in one native call (no Python per bar)::

    >>> rsi = indicators.compute("Rsi", [14], close=closes)                 # float64 array, NaN = nothing
    >>> bands = indicators.compute("Bollinger", [20, 2], close=closes)      # dict of arrays by output

Every indicator is built by the engine's factory (same type names and aliases, same parameter
decoding and error texts, raised as ValueError) and fed exactly as the backtest's bar loop feeds it,
so ``compute`` equals a loop of ``Indicator.update`` bit for bit, and both equal what a strategy sees.
``catalog()`` lists every accepted type name with its feed, parameter kinds and named outputs.
"""

from ._sorvik_indicators import Indicator, catalog, compute, create

__all__ = ["Indicator", "catalog", "compute", "create"]
