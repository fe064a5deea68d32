"""The native module (`sorvik_benchmark._sorvik_benchmark`)."""

from typing import Final

__all__: list[str]
__version__: Final[str]

class Benchmark:
    """A benchmark runner driven by JSON commands."""

    def __new__(cls) -> Benchmark: ...
    def command(self, cmd_json: str) -> str:
        """Apply a command JSON and return the resulting response JSON."""
    @staticmethod
    def version() -> str:
        """The library version."""
