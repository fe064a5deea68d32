"""The command-line runner: ``python3 -m sorvik_benchmark run|record|case|list``.

Exit codes, for CI jobs to gate on: 0 every case passed, 1 some case ran but did not match its
expected report or hash, 2 the command could not be carried out (a usage error, an unreadable or
malformed file, or an error answered by the engine; its text goes to standard error).
"""

from __future__ import annotations

import argparse
import json
import os
import re
import sys
import tempfile
import time

from . import __version__
from ._sorvik_benchmark import Benchmark
from .datasets import DatasetError, candles_json, load_dataset, read_text, resolve_sources
from .indicator_cli import add_subcommands as add_indicator_subcommands

PROG = "sorvik_benchmark"
PLACEHOLDER_HASH = "0" * 64

EXIT_PASSED = 0
EXIT_FAILED = 1
EXIT_ERROR = 2


class CliError(Exception):
    """A failure that ends the command with exit code 2 and this text on standard error."""


# ---------------------------------------------------------------------------------------------
# Talking to the engine


def to_json(value) -> str:
    """Compact JSON for a command. Non-ASCII text is escaped, so the engine's reader (not the
    interpreter's encoder) judges every string, lone surrogates included."""
    try:
        return json.dumps(value, ensure_ascii=True, allow_nan=False, separators=(",", ":"))
    except ValueError as e:
        raise CliError(f"cannot send this document to the engine: {e}") from None


def command(engine: Benchmark, text: str) -> tuple[str, object]:
    """Sends one command text; answers the response text and its parsed value, or raises
    CliError with the engine's error text."""
    response = engine.command(text)
    value = json.loads(response)
    if isinstance(value, dict) and value.get("ok") is False and "error" in value:
        raise CliError(value["error"])
    return response, value


# ---------------------------------------------------------------------------------------------
# Spans of a canonical response text (compact, no whitespace), so that merged answers and
# written reports keep the engine's own bytes.

_TOKEN = re.compile(r'"(?:[^"\\]|\\.)*"|[\[\]{},:]')


def _items(text: str, start: int) -> list[tuple[int, int]]:
    """Spans of the elements (array) or members (object, "key":value) of the container that
    opens at ``start``."""
    spans = []
    depth = 0
    item_start = start + 1
    for m in _TOKEN.finditer(text, start):
        tok = m.group()
        if tok in "[{":
            depth += 1
        elif tok in "]}":
            depth -= 1
            if depth == 0:
                if m.start() > item_start:
                    spans.append((item_start, m.start()))
                return spans
        elif tok == "," and depth == 1:
            spans.append((item_start, m.start()))
            item_start = m.end()
    raise ValueError("unterminated JSON container")


def member_text(text: str, key: str) -> str:
    """The value text of a top-level member of a canonical object."""
    prefix = json.dumps(key, ensure_ascii=False) + ":"
    for s, e in _items(text, 0):
        if text.startswith(prefix, s):
            return text[s + len(prefix):e]
    raise KeyError(key)


def element_texts(array_text: str) -> list[str]:
    return [array_text[s:e] for s, e in _items(array_text, 0)]


# ---------------------------------------------------------------------------------------------
# Files


def _reject_constant(name):
    raise ValueError(f"{name} is not a JSON number")


def load_json(path: str):
    try:
        text = read_text(path)
    except DatasetError as e:
        raise CliError(str(e)) from None
    try:
        return json.loads(text, parse_constant=_reject_constant)
    except json.JSONDecodeError as e:
        raise CliError(f"{path}:{e.lineno}:{e.colno}: invalid JSON: {e.msg}") from None
    except (ValueError, RecursionError) as e:
        raise CliError(f"{path}: invalid JSON: {e}") from None


def pretty(value, indent: int = 0, width: int = 100) -> str:
    """JSON that stays readable for large reports: a container is written on one line when it
    fits in ``width`` columns, otherwise one member or element per line."""
    compact = json.dumps(value, ensure_ascii=False, allow_nan=False)
    if len(compact) + indent <= width or not isinstance(value, (list, dict)) or not value:
        return compact
    pad = " " * (indent + 2)
    if isinstance(value, dict):
        inner = [f"{pad}{json.dumps(k, ensure_ascii=False)}: {pretty(v, indent + 2, width)}"
                 for k, v in value.items()]
        return "{\n" + ",\n".join(inner) + "\n" + " " * indent + "}"
    # Records of scalars (equity points, trades) stay on one line each, however long.
    inner = [pad + (json.dumps(v, ensure_ascii=False, allow_nan=False) if _flat_record(v)
                    else pretty(v, indent + 2, width)) for v in value]
    return "[\n" + ",\n".join(inner) + "\n" + " " * indent + "]"


def _flat_record(value) -> bool:
    return isinstance(value, dict) and not any(isinstance(v, (list, dict)) for v in value.values())


# The report's keys in reading order: the summary first, the long equity curve last. The engine
# compares canonical texts, in which the order of keys plays no part.
REPORT_ORDER = ("schema_version", "symbol", "timeframe", "initial_capital", "fees_paid", "metrics",
                "trades", "equity")


def readable_report(report: dict) -> dict:
    ordered = {k: report[k] for k in REPORT_ORDER if k in report}
    ordered.update((k, v) for k, v in report.items() if k not in ordered)
    return ordered


def write_atomic(path: str, data: str | bytes) -> None:
    """Writes the whole file or nothing: a temporary file beside it, then a rename."""
    directory = os.path.dirname(os.path.abspath(path))
    raw = data.encode("utf-8") if isinstance(data, str) else data
    try:
        mode = os.stat(path).st_mode & 0o7777 if os.path.exists(path) else None
        fd, tmp = tempfile.mkstemp(prefix=".tmp-", dir=directory)
        try:
            with os.fdopen(fd, "wb") as f:
                f.write(raw)
            if mode is not None:
                os.chmod(tmp, mode)
            else:
                umask = os.umask(0)
                os.umask(umask)
                os.chmod(tmp, 0o666 & ~umask)
            os.replace(tmp, path)
        except BaseException:
            if os.path.exists(tmp):
                os.unlink(tmp)
            raise
    except OSError as e:
        raise CliError(f"{path}: cannot write: {e.strerror or e}") from None


# ---------------------------------------------------------------------------------------------
# Suites and cases in either record form (object, or array in declaration order)

CASE_FIELDS = ("id", "description", "strategy", "dataset_ref", "expected", "expected_hash")


def suite_cases(suite) -> list:
    """The case list of a suite the engine has accepted."""
    return suite["cases"] if isinstance(suite, dict) else suite[1]


def case_field(case, name: str):
    if isinstance(case, dict):
        return case[name]
    return case[CASE_FIELDS.index(name)]


def with_expectation(case, expected, expected_hash: str):
    """A copy of the case holding this expected report and hash (added when absent)."""
    if isinstance(case, dict):
        out = dict(case)
        out["expected"] = expected
        out["expected_hash"] = expected_hash
        return out
    if len(case) < 4:  # leave the engine to report the missing fields
        return case
    out = list(case) + [None] * (6 - len(case))
    out[4] = expected
    out[5] = expected_hash
    return out


def validate_suite(engine: Benchmark, suite) -> list:
    """Lets the engine read and validate the whole suite (list_cases) before anything runs."""
    command(engine, '{"cmd":"list_cases","suite":' + to_json(suite) + "}")
    return suite_cases(suite)


def load_datasets(engine: Benchmark, cases: list, data_args: list[str]) -> dict[str, str]:
    """Reads the datasets the cases name (and only those), as compact JSON texts. A case whose
    dataset was not given ends the command with the engine's own answer for it."""
    sources = resolve_sources(data_args)
    texts: dict[str, str] = {}
    for case in cases:
        name = case_field(case, "dataset_ref")
        if name in texts:
            continue
        path = sources.path_of(name)
        if path is None:
            # The engine refuses it before running anything; let it word the error.
            command(engine, '{"cmd":"run_suite","suite":{"cases":[' + to_json(case) + "]}}")
            raise CliError(f"no dataset supplied for {name}")
        texts[name] = candles_json(load_dataset(path))
    return texts


# ---------------------------------------------------------------------------------------------
# Progress on standard error


class Progress:
    def __init__(self, total: int, stream, enabled: bool):
        self.total = total
        self.stream = stream
        self.enabled = enabled and total > 0
        self.started = time.monotonic()

    def show(self, done: int) -> None:
        if not self.enabled:
            return
        width = 30
        filled = width * done // self.total
        bar = "#" * filled + "." * (width - filled)
        elapsed = time.monotonic() - self.started
        self.stream.write(f"\r[{bar}] {done}/{self.total} cases  {elapsed:6.1f}s")
        self.stream.flush()

    def close(self) -> None:
        if self.enabled:
            self.stream.write("\r\x1b[K")
            self.stream.flush()


def stderr_is_terminal() -> bool:
    try:
        return sys.stderr.isatty()
    except (AttributeError, ValueError):
        return False


# ---------------------------------------------------------------------------------------------
# Running a suite, in chunks when progress is shown


def run_suite(engine: Benchmark, suite_name, cases: list, datasets: dict[str, str],
              chunk_size: int, progress: Progress) -> tuple[str, dict]:
    """Runs the cases through run_suite and answers the SuiteResult text and value. In chunks of
    ``chunk_size`` cases (0: one call), the answer is merged into exactly the text one call gives:
    results sorted by id, counts summed."""

    def run(chunk: list) -> tuple[str, dict]:
        names = sorted({case_field(c, "dataset_ref") for c in chunk})
        text = ('{"cmd":"run_suite","datasets":{'
                + ",".join(to_json(n) + ":" + datasets[n] for n in names)
                + '},"suite":{"cases":[' + ",".join(to_json(c) for c in chunk) + "],"
                + '"name":' + to_json(suite_name) + "}}")
        return command(engine, text)

    if chunk_size <= 0 or chunk_size >= len(cases):
        progress.show(0)
        out = run(cases)
        progress.show(len(cases))
        return out

    pieces: list[tuple[str, str]] = []  # (case id, CaseResult text)
    passed = failed = 0
    done = 0
    progress.show(0)
    for start in range(0, len(cases), chunk_size):
        chunk = cases[start:start + chunk_size]
        text, value = run(chunk)
        passed += value["passed"]
        failed += value["failed"]
        texts = element_texts(member_text(text, "results"))
        pieces.extend(zip((r["id"] for r in value["results"]), texts))
        done += len(chunk)
        progress.show(done)
    # Code-point order of str is the byte order of UTF-8, the order the engine sorts ids in.
    pieces.sort(key=lambda p: p[0])
    merged = (f'{{"failed":{failed},"passed":{passed},"results":['
              + ",".join(t for _, t in pieces) + "]}")
    return merged, json.loads(merged)


# ---------------------------------------------------------------------------------------------
# Presentation


def fmt_number(value, digits: int) -> str:
    if value is None:
        return "-"
    return f"{value:.{digits}f}"


def yes_no(flag: bool) -> str:
    return "yes" if flag else "NO"


TABLE_COLUMNS = ("case", "passed", "hash match", "trades", "pnl", "return %", "sharpe",
                 "max dd %")


def table_rows(results: list[dict]) -> list[tuple[str, ...]]:
    rows = []
    for r in results:
        m = r["recomputed"]["metrics"]
        rows.append((r["id"], yes_no(r["passed"]), yes_no(r["hash_match"]),
                     str(m["num_trades"]), fmt_number(m["pnl"], 2),
                     fmt_number(m["return_pct"], 2), fmt_number(m["sharpe"], 4),
                     fmt_number(m["max_drawdown"], 2)))
    return rows


def format_table(results: list[dict]) -> str:
    rows = [TABLE_COLUMNS] + table_rows(results)
    widths = [max(len(row[i]) for row in rows) for i in range(len(TABLE_COLUMNS))]
    lines = []
    for n, row in enumerate(rows):
        cells = [row[0].ljust(widths[0])] + [c.rjust(w) for c, w in zip(row[1:], widths[1:])]
        lines.append("  ".join(cells).rstrip())
        if n == 0:
            lines.append("  ".join("-" * w for w in widths))
    return "\n".join(lines)


def canonical_number(x) -> str:
    """A number as the canonical writer spells it: 8 decimals below 2^52 / 10^8, the shortest
    round-trip digits above."""
    f = float(x)
    if f == 0:
        return "0"
    if abs(f) >= 45035996.27370496:
        return repr(f)
    text = f"{f:.8f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def _difference_order(key: str):
    first = ("metrics", "trades", "fees_paid")
    return (first.index(key) if key in first else len(first), key)


def first_difference(expected, actual, path: str = "") -> str | None:
    """Where an expected report first departs from the recomputed one, for the failure notes."""
    if isinstance(expected, dict) and isinstance(actual, dict):
        # Summary keys first: a changed metric says more than the first equity point it moved.
        for key in sorted(set(expected) | set(actual), key=_difference_order):
            where = f"{path}.{key}" if path else key
            if key not in actual:
                return f"{where}: expected {short(expected[key])}, not in the report"
            if key not in expected:
                return f"{where}: not expected, the report has {short(actual[key])}"
            diff = first_difference(expected[key], actual[key], where)
            if diff:
                return diff
        return None
    if isinstance(expected, list) and isinstance(actual, list):
        for i, (e, a) in enumerate(zip(expected, actual)):
            diff = first_difference(e, a, f"{path}[{i}]")
            if diff:
                return diff
        if len(expected) != len(actual):
            return f"{path}: expected {len(expected)} entries, the report has {len(actual)}"
        return None
    numbers = (int, float)
    if (isinstance(expected, numbers) and isinstance(actual, numbers)
            and not isinstance(expected, bool) and not isinstance(actual, bool)):
        if canonical_number(expected) == canonical_number(actual):
            return None
    elif expected == actual and type(expected) is type(actual):
        return None
    return f"{path or 'report'}: expected {short(expected)}, got {short(actual)}"


def short(value) -> str:
    text = json.dumps(value, ensure_ascii=False)
    return text if len(text) <= 60 else text[:57] + "..."


def failure_notes(results: list[dict], expected_by_id: dict) -> list[str]:
    notes = []
    for r in results:
        if r["passed"] and r["hash_match"]:
            continue
        if not r["passed"]:
            diff = first_difference(expected_by_id.get(r["id"]), r["recomputed"])
            notes.append(f"{r['id']}: report differs: {diff or 'in its canonical text'}")
        if not r["hash_match"]:
            notes.append(f"{r['id']}: hash differs: the report hashes to {r['hash']}")
    return notes


# ---------------------------------------------------------------------------------------------
# Subcommands


def default_chunk(args, cases: list, show_progress: bool) -> int:
    if args.chunk_size is not None:
        return max(args.chunk_size, 0)
    if not show_progress:
        return 0
    # Enough cases per call to keep every worker of the engine's pool busy.
    return 4 * (os.cpu_count() or 1)


def cmd_run(args, engine: Benchmark) -> int:
    suite = load_json(args.suite)
    cases = validate_suite(engine, suite)
    datasets = load_datasets(engine, cases, args.data)
    show = stderr_is_terminal() and not args.no_progress
    chunk = default_chunk(args, cases, show)
    progress = Progress(len(cases), sys.stderr, show and 0 < chunk < len(cases))
    started = time.monotonic()
    try:
        text, result = run_suite(engine, suite_name(suite), cases, datasets, chunk, progress)
    finally:
        progress.close()
    elapsed = time.monotonic() - started
    if args.json:
        print(text)
    else:
        results = result["results"]
        if results:
            print(format_table(results))
        expected = {case_field(c, "id"): case_field(c, "expected") for c in cases}
        for note in failure_notes(results, expected):
            print(note)
        print(f"{len(results)} cases: {result['passed']} passed, {result['failed']} failed "
              f"({elapsed:.2f} s)")
    return EXIT_PASSED if result["failed"] == 0 else EXIT_FAILED


def suite_name(suite) -> str:
    name = suite.get("name", "") if isinstance(suite, dict) else suite[0]
    return name if isinstance(name, str) else ""


def cmd_record(args, engine: Benchmark) -> int:
    if args.in_place and args.output:
        raise CliError("give either -o/--output or --in-place, not both")
    out_path = args.suite if args.in_place else args.output
    if out_path is None and sys.stdout.isatty():
        raise CliError("record writes the recorded suite to standard output, which is a terminal: "
                       "give -o OUT (the input path included) or --in-place, or redirect it")
    suite = load_json(args.suite)
    cases = suite_cases(suite) if _has_cases(suite) else None
    if cases is not None:
        placeholders = [with_expectation(c, {}, PLACEHOLDER_HASH) for c in cases]
        if isinstance(suite, dict):
            probe = dict(suite)
            probe["cases"] = placeholders
        else:
            probe = [suite[0], placeholders] + list(suite[2:])
    else:
        probe = suite
    cases = validate_suite(engine, probe)
    datasets = load_datasets(engine, cases, args.data)
    show = stderr_is_terminal() and not args.no_progress
    chunk = default_chunk(args, cases, show)
    progress = Progress(len(cases), sys.stderr, show and 0 < chunk < len(cases))
    try:
        _, result = run_suite(engine, suite_name(suite), cases, datasets, chunk, progress)
    finally:
        progress.close()

    by_id = {r["id"]: r for r in result["results"]}
    originals = suite_cases(suite)
    changed = 0
    for i, case in enumerate(originals):
        r = by_id[case_field(case, "id")]
        try:
            before = case_field(case, "expected_hash")
        except (KeyError, IndexError):
            before = None
        changed += before != r["hash"]
        originals[i] = with_expectation(case, readable_report(r["recomputed"]), r["hash"])
    text = pretty(suite) + "\n"
    if out_path is None:
        sys.stdout.write(text)
        where = "standard output"
    else:
        write_atomic(out_path, text)
        where = out_path
    print(f"recorded {len(originals)} cases ({changed} changed) to {where}", file=sys.stderr)
    return EXIT_PASSED


def _has_cases(suite) -> bool:
    if isinstance(suite, dict):
        return isinstance(suite.get("cases"), list)
    return isinstance(suite, list) and len(suite) >= 2 and isinstance(suite[1], list)


METRIC_ROWS = (
    ("trades", "num_trades", None),
    ("pnl", "pnl", 2),
    ("return %", "return_pct", 4),
    ("sharpe", "sharpe", 6),
    ("sortino", "sortino", 6),
    ("calmar", "calmar", 4),
    ("max drawdown %", "max_drawdown", 4),
    ("win rate %", "win_rate", 2),
    ("profit factor", "profit_factor", 4),
)


def cmd_case(args, engine: Benchmark) -> int:
    doc = load_json(args.case)
    case = pick_case(doc, args.id, args.case)
    sources = resolve_sources([args.data])
    if len(sources.explicit) == 1 and not sources.from_dirs:
        path = next(iter(sources.explicit.values()))
    else:
        try:
            name = case_field(case, "dataset_ref")
        except (KeyError, IndexError, TypeError):
            name = None
        path = sources.path_of(name) if isinstance(name, str) else None
        if path is None:
            raise CliError(f"{args.data}: holds no dataset named {name}")
    data = candles_json(load_dataset(path))
    text, result = command(engine, '{"cmd":"run_case","case":' + to_json(case)
                           + ',"data":' + data + "}")
    report = result["recomputed"]
    print(f"case {result['id']}: passed {yes_no(result['passed'])}, "
          f"hash match {yes_no(result['hash_match'])}")
    print(f"  {'hash':<16}{result['hash']}")
    for label, key, digits in METRIC_ROWS:
        value = report["metrics"][key]
        shown = str(value) if digits is None else fmt_number(value, digits)
        print(f"  {label:<16}{shown}")
    print(f"  {'fees paid':<16}{fmt_number(report['fees_paid'], 2)}")
    print(f"  {'bars':<16}{len(report['equity'])}")
    if not result["passed"]:
        expected = case_field(case, "expected")
        diff = first_difference(expected, report)
        print(f"report differs: {diff or 'in its canonical text'}")
    if args.report:
        # The engine's own bytes: the file hashes to the case's "hash".
        write_atomic(args.report, member_text(text, "recomputed"))
    return EXIT_PASSED if result["passed"] and result["hash_match"] else EXIT_FAILED


def pick_case(doc, case_id: str | None, path: str):
    """The case of a case file, or the case ``case_id`` of a suite file."""
    is_suite = isinstance(doc, dict) and "cases" in doc and "strategy" not in doc
    if not is_suite:
        if case_id is not None:
            raise CliError(f"{path} holds one case, not a suite: drop --id")
        return doc
    cases = doc["cases"] if isinstance(doc["cases"], list) else []
    ids = [c.get("id") if isinstance(c, dict) else (c[0] if isinstance(c, list) and c else None)
           for c in cases]
    if case_id is None:
        if len(cases) == 1:
            return cases[0]
        raise CliError(f"{path} holds a suite: choose a case with --id "
                       f"({', '.join(str(i) for i in ids)})")
    for c, i in zip(cases, ids):
        if i == case_id:
            return c
    raise CliError(f"{path} holds no case with id {case_id}")


def cmd_list(args, engine: Benchmark) -> int:
    suite = load_json(args.suite)
    _, answer = command(engine, '{"cmd":"list_cases","suite":' + to_json(suite) + "}")
    for case_id in answer["ids"]:
        print(case_id)
    return EXIT_PASSED


# ---------------------------------------------------------------------------------------------
# Argument parsing


def build_parser() -> argparse.ArgumentParser:
    parser = argparse.ArgumentParser(
        prog=PROG,
        description="Run deterministic trading-strategy benchmark suites.",
        epilog="Exit codes: 0 every case passed, 1 a case did not match its expected report or "
               "hash, 2 an error (its text on standard error).")
    parser.add_argument("--version", action="version", version=f"%(prog)s {__version__}")
    sub = parser.add_subparsers(dest="command", required=True, metavar="COMMAND")

    data_help = ("dataset files: a directory (one CSV or JSON file per dataset, named by the "
                 "file's stem), a file (named by its stem) or NAME=PATH; repeatable")

    def run_options(p):
        p.add_argument("suite", metavar="SUITE", help="suite JSON file")
        p.add_argument("--data", "-d", metavar="PATH", nargs="+", action="extend", default=[],
                       help=data_help)
        p.add_argument("--no-progress", action="store_true",
                       help="no progress bar on standard error")
        p.add_argument("--chunk-size", type=int, metavar="N",
                       help="cases per engine call (default: all at once, or a few per worker "
                            "while a progress bar is shown; 0 means all at once)")

    p = sub.add_parser("run", help="run a suite and print a table of its cases",
                       description="Run every case of SUITE against its datasets.")
    run_options(p)
    p.add_argument("--json", action="store_true", help="print the engine's SuiteResult JSON")
    p.set_defaults(handler=cmd_run)

    p = sub.add_parser("record", help="record expected reports and hashes into a suite",
                       description="Run every case of SUITE and write the suite back with each "
                                   "case's expected report and hash taken from its run. Cases may "
                                   "omit expected and expected_hash. Without -o or --in-place the "
                                   "suite goes to standard output.")
    run_options(p)
    p.add_argument("-o", "--output", metavar="OUT", help="write the recorded suite to OUT")
    p.add_argument("--in-place", action="store_true", help="overwrite SUITE")
    p.set_defaults(handler=cmd_record)

    p = sub.add_parser("case", help="run one case and print its metrics",
                       description="Run one case against one dataset file.")
    p.add_argument("case", metavar="CASE", help="case JSON file (or a suite file with --id)")
    p.add_argument("--data", "-d", metavar="FILE", required=True,
                   help="the dataset: a CSV or JSON file, or a directory holding the case's "
                        "dataset")
    p.add_argument("--id", help="the case to run when CASE is a suite file")
    p.add_argument("--report", metavar="OUT",
                   help="write the full report, as the canonical text that was hashed")
    p.set_defaults(handler=cmd_case)

    p = sub.add_parser("list", help="print the sorted case ids of a suite")
    p.add_argument("suite", metavar="SUITE", help="suite JSON file")
    p.set_defaults(handler=cmd_list)

    add_indicator_subcommands(sub)
    return parser


def main(argv: list[str] | None = None) -> int:
    parser = build_parser()
    args = parser.parse_args(argv)
    try:
        return args.handler(args, Benchmark())
    except (CliError, DatasetError) as e:
        sys.stdout.flush()
        print(f"{PROG}: error: {e}", file=sys.stderr)
        return EXIT_ERROR
    except KeyboardInterrupt:
        print(f"{PROG}: interrupted", file=sys.stderr)
        return 130
    except BrokenPipeError:
        # The reader went away (`... | head`): silence the rest of the output.
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, sys.stdout.fileno())
        return EXIT_ERROR
