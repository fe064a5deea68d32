"""Candle datasets read from files, and the naming of datasets on the command line.

A dataset file is either CSV or JSON:

- CSV: one candle per line, ``time,open,high,low,close[,volume]``. A header line is optional; when
  present it names the columns (in any order, other columns are ignored, ``volume`` may be absent).
  Blank lines and lines starting with ``#`` are skipped.
- JSON: an array of candles, each an object with the keys above or an array in that order (volume
  optional), mixed freely.

Times are whole numbers (signed 64-bit); prices and volumes are finite numbers. Every fault is
reported as a :class:`DatasetError` whose text names the file and the line.

Candles are returned as lists ``[time, open, high, low, close, volume]`` of int and floats, the
compact array form the engine reads. Python's float parsing is correctly rounded and its ``repr``
round-trips, so a value reaches the engine as exactly the double its text denotes.
"""

from __future__ import annotations

import csv
import io
import json
import math
import os
import re
from dataclasses import dataclass

I64_MIN = -(2**63)
I64_MAX = 2**63 - 1

COLUMNS = ("time", "open", "high", "low", "close", "volume")
REQUIRED = COLUMNS[:5]
DATASET_SUFFIXES = (".csv", ".json")

_INT = re.compile(r"[+-]?[0-9]+")
_FLOAT = re.compile(r"[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?")


class DatasetError(Exception):
    """A dataset that cannot be read; the text names the file and, where it applies, the line."""


Candle = list  # [time:int, open, high, low, close, volume: float]


# ---------------------------------------------------------------------------------------------
# Field conversion shared by both formats


def _time(text: str, where: str) -> int:
    if not _INT.fullmatch(text):
        raise DatasetError(f"{where}: time must be a whole number, got {text!r}")
    value = int(text)
    if not I64_MIN <= value <= I64_MAX:
        raise DatasetError(f"{where}: time {text} does not fit in a signed 64-bit integer")
    return value


def _price(name: str, text: str, where: str) -> float:
    if not _FLOAT.fullmatch(text):
        raise DatasetError(f"{where}: {name} must be a number, got {text!r}")
    value = float(text)
    if not math.isfinite(value):
        raise DatasetError(f"{where}: {name} {text} is out of range")
    return value


def _json_time(value, where: str) -> int:
    if isinstance(value, bool) or not isinstance(value, int):
        raise DatasetError(f"{where}: time must be a whole number, got {json.dumps(value)}")
    if not I64_MIN <= value <= I64_MAX:
        raise DatasetError(f"{where}: time {value} does not fit in a signed 64-bit integer")
    return value


def _json_price(name: str, value, where: str) -> float:
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        raise DatasetError(f"{where}: {name} must be a number, got {json.dumps(value)}")
    try:
        result = float(value)
    except OverflowError:
        raise DatasetError(f"{where}: {name} {value} is out of range") from None
    if not math.isfinite(result):
        raise DatasetError(f"{where}: {name} is out of range")
    return result


# ---------------------------------------------------------------------------------------------
# CSV


def _is_header(cells: list[str]) -> bool:
    return not _INT.fullmatch(cells[0]) and not _FLOAT.fullmatch(cells[0])


def parse_csv(text: str, path: str) -> list[Candle]:
    candles: list[Candle] = []
    layout: dict[str, int] | None = None  # column name -> index, from the header
    width = 0
    first = True
    reader = csv.reader(io.StringIO(text, newline=""))
    try:
        for row in reader:
            line = reader.line_num
            where = f"{path}:{line}"
            cells = [c.strip() for c in row]
            if not cells or (len(cells) == 1 and cells[0] == "") or cells[0].startswith("#"):
                continue
            if first:
                first = False
                if _is_header(cells):
                    names = [c.lower() for c in cells]
                    layout = {}
                    for i, n in enumerate(names):
                        if n in layout:
                            raise DatasetError(f"{where}: column {n!r} appears twice in the header")
                        layout[n] = i
                    missing = [c for c in REQUIRED if c not in layout]
                    if missing:
                        raise DatasetError(
                            f"{where}: header lacks column {missing[0]!r} (expected "
                            "time,open,high,low,close and optionally volume)")
                    width = len(cells)
                    continue
            if layout is not None:
                if len(cells) != width:
                    raise DatasetError(
                        f"{where}: expected {width} fields as in the header, got {len(cells)}")
                values = [cells[layout[c]] for c in REQUIRED]
                values.append(cells[layout["volume"]] if "volume" in layout else "0")
            else:
                if len(cells) not in (5, 6):
                    raise DatasetError(
                        f"{where}: expected 5 or 6 fields (time,open,high,low,close[,volume]), "
                        f"got {len(cells)}")
                values = cells if len(cells) == 6 else cells + ["0"]
            candle = [_time(values[0], where)]
            for name, cell in zip(COLUMNS[1:], values[1:]):
                candle.append(_price(name, cell, where))
            candles.append(candle)
    except csv.Error as e:
        raise DatasetError(f"{path}:{reader.line_num}: {e}") from None
    return candles


# ---------------------------------------------------------------------------------------------
# JSON


def _reject_constant(name: str):
    raise ValueError(f"{name} is not a JSON number")


def _line_of(text: str, pos: int) -> int:
    return text.count("\n", 0, pos) + 1


def parse_json(text: str, path: str) -> list[Candle]:
    """Reads a JSON array of candles, keeping each element's line for the error messages."""
    decoder = json.JSONDecoder(parse_constant=_reject_constant)
    ws = re.compile(r"[ \t\n\r]*")

    def fail(pos: int, what: str):
        raise DatasetError(f"{path}:{_line_of(text, pos)}: {what}")

    pos = ws.match(text, 0).end()
    if pos >= len(text) or text[pos] != "[":
        fail(pos, "expected a JSON array of candles")
    pos = ws.match(text, pos + 1).end()
    candles: list[Candle] = []
    if pos < len(text) and text[pos] == "]":
        pos += 1
    else:
        while True:
            start = pos
            try:
                value, pos = decoder.raw_decode(text, pos)
            except json.JSONDecodeError as e:
                raise DatasetError(f"{path}:{e.lineno}: invalid JSON: {e.msg} (column {e.colno})")
            except (ValueError, RecursionError) as e:
                fail(start, f"invalid JSON: {e}")
            candles.append(_json_candle(value, f"{path}:{_line_of(text, start)}"))
            pos = ws.match(text, pos).end()
            if pos < len(text) and text[pos] == ",":
                pos = ws.match(text, pos + 1).end()
                continue
            if pos < len(text) and text[pos] == "]":
                pos += 1
                break
            fail(pos, "expected ',' or ']' after a candle")
    pos = ws.match(text, pos).end()
    if pos != len(text):
        fail(pos, "unexpected text after the array of candles")
    return candles


def _json_candle(value, where: str) -> Candle:
    if isinstance(value, dict):
        missing = [c for c in REQUIRED if c not in value]
        if missing:
            raise DatasetError(f"{where}: candle lacks {missing[0]!r}")
        fields = [value[c] for c in REQUIRED] + [value.get("volume", 0)]
    elif isinstance(value, list):
        if len(value) not in (5, 6):
            raise DatasetError(
                f"{where}: a candle array holds 5 or 6 numbers (time,open,high,low,close[,volume]), "
                f"got {len(value)}")
        fields = list(value) + ([0] if len(value) == 5 else [])
    else:
        raise DatasetError(f"{where}: a candle is an object or an array, got {json.dumps(value)}")
    candle = [_json_time(fields[0], where)]
    for name, v in zip(COLUMNS[1:], fields[1:]):
        candle.append(_json_price(name, v, where))
    return candle


# ---------------------------------------------------------------------------------------------
# Files


def read_text(path: str) -> str:
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as e:
        raise DatasetError(f"{path}: cannot read: {e.strerror or e}") from None
    try:
        return data.decode("utf-8-sig")
    except UnicodeDecodeError as e:
        line = data.count(b"\n", 0, e.start) + 1
        raise DatasetError(f"{path}:{line}: not UTF-8 text") from None


def load_dataset(path: str) -> list[Candle]:
    """Reads one dataset file; JSON when its first non-blank character opens an array."""
    text = read_text(path)
    if text.lstrip(" \t\r\n").startswith("[") or path.lower().endswith(".json"):
        return parse_json(text, path)
    return parse_csv(text, path)


def candles_json(candles: list[Candle]) -> str:
    """The candle list as compact JSON, ready to be placed inside a command."""
    return json.dumps(candles, separators=(",", ":"), allow_nan=False)


# ---------------------------------------------------------------------------------------------
# Naming datasets on the command line


@dataclass
class DatasetSources:
    """Where each dataset name comes from: explicit ``name=path`` entries, bare files (named by
    their stem) and directories (one file per dataset, named by the file's stem)."""

    explicit: dict[str, str]
    from_dirs: dict[str, list[str]]

    def path_of(self, name: str) -> str | None:
        if name in self.explicit:
            return self.explicit[name]
        paths = self.from_dirs.get(name)
        if not paths:
            return None
        if len(paths) > 1:
            raise DatasetError(f"dataset {name} is ambiguous: {' and '.join(sorted(paths))}")
        return paths[0]


def stem(path: str) -> str:
    base = os.path.basename(path.rstrip(os.sep))
    root, ext = os.path.splitext(base)
    return root if ext else base


def resolve_sources(args: list[str]) -> DatasetSources:
    """Turns the ``--data`` arguments into dataset sources. An explicit ``name=path`` or a bare
    file wins over a directory entry of the same name; the same name given explicitly twice is an
    error."""
    explicit: dict[str, str] = {}
    from_dirs: dict[str, list[str]] = {}
    for arg in args:
        if os.path.isdir(arg):
            try:
                entries = sorted(os.listdir(arg))
            except OSError as e:
                raise DatasetError(f"{arg}: cannot list: {e.strerror or e}") from None
            for entry in entries:
                full = os.path.join(arg, entry)
                if entry.lower().endswith(DATASET_SUFFIXES) and os.path.isfile(full):
                    from_dirs.setdefault(stem(entry), []).append(full)
            continue
        if "=" in arg and not os.path.exists(arg):
            name, path = arg.split("=", 1)
            if not name:
                raise DatasetError(f"--data {arg}: the dataset name before '=' is empty")
        else:
            name, path = stem(arg), arg
        if not os.path.isfile(path):
            raise DatasetError(f"{path}: no such dataset file")
        if name in explicit and explicit[name] != path:
            raise DatasetError(f"dataset {name} given twice: {explicit[name]} and {path}")
        explicit[name] = path
    return DatasetSources(explicit, from_dirs)
