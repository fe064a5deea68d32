"""The indicator library (`sorvik_benchmark._sorvik_indicators`, re-exported as
`sorvik_benchmark.indicators`)."""

from typing import Any, Sequence, SupportsFloat, SupportsIndex, TypedDict

import numpy as np
import numpy.typing as npt

__all__: list[str]

_Params = Sequence[SupportsFloat] | npt.NDArray[Any]
_FloatColumn = Sequence[SupportsFloat] | npt.NDArray[Any]
_IntColumn = Sequence[SupportsIndex] | npt.NDArray[np.integer[Any]]
_Values = npt.NDArray[np.float64]

class CatalogEntry(TypedDict):
    name: str
    """The accepted name (a canonical type name or an alias)."""
    canonical: str
    """The type an alias stands for; the name itself otherwise."""
    feed: str
    """The feed kind's wire name: kline, trade, orderbook, trade_quote, derivatives, cross_section."""
    params: str
    """Parameter kinds in position order: P positive integer, R real, I signed 32-bit, U unsigned 32-bit."""
    outputs: tuple[str, ...]
    """Named outputs in order (built multi-output types only)."""
    built: bool
    """Whether the type can be created yet."""
    example: tuple[float, ...]
    """Parameters registered as an example for the type, if any."""

class Indicator:
    """A streaming indicator built by the factory from a type name and positional parameters."""

    def __new__(cls, type_name: str, params: _Params = ...) -> Indicator: ...
    def update(
        self,
        open: SupportsFloat,
        high: SupportsFloat,
        low: SupportsFloat,
        close: SupportsFloat,
        volume: SupportsFloat = 0.0,
        time: SupportsIndex = 0,
    ) -> float | None:
        """Feed one bar; the primary value, or None while warming up or when the bar is skipped."""
    @property
    def outputs(self) -> dict[str, float]:
        """The named outputs of the last update that yielded a value (empty before, and for
        single-output types)."""
    @property
    def warmup_period(self) -> int: ...
    @property
    def type_name(self) -> str:
        """The canonical type name (an alias is resolved)."""
    @property
    def output_names(self) -> tuple[str, ...]: ...
    @property
    def params(self) -> tuple[float, ...]: ...

def create(type_name: str, params: _Params = ...) -> Indicator:
    """Build a streaming Indicator; ValueError with the factory's text on failure."""

def compute(
    type_name: str,
    params: _Params = ...,
    *,
    open: _FloatColumn | None = None,
    high: _FloatColumn | None = None,
    low: _FloatColumn | None = None,
    close: _FloatColumn,
    volume: _FloatColumn | None = None,
    time: _IntColumn | None = None,
) -> _Values | dict[str, _Values]:
    """Run one indicator over whole columns; a float64 array (NaN where nothing was yielded) or, for
    a type with named outputs, a dict of such arrays keyed by output name."""

def catalog() -> list[CatalogEntry]:
    """One entry per accepted type name, in ascending byte order."""
