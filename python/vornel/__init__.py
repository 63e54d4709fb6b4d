"""Vornel: Sudoku explained step by step with named techniques.

The functions return plain Python objects in the shape of `vornel-explain --json` (version 1 of its
data contract): the same keys, ids, verdicts and levels, so that ``json.dumps(vornel.explain(p,
source=..., line=...), ensure_ascii=False, separators=(",", ":"))`` is the tool's line. Without a
source, "source" is None (and "line" None without a line). A puzzle is an 81-character line
(1-9 for the givens, 0 or . for empty cells), a 729-character line of candidates, or a pencil-mark
grid; str or bytes. The engine runs without the GIL: threads explain puzzles in parallel, and the
batch functions use every core themselves.

Errors raise vornel.Error (a ValueError) with the tools' messages.
"""

import json as _json
import os as _os

from . import _vornel
from ._vornel import Error, levels, technique_ids

__all__ = [
    "Error", "version", "technique_ids", "levels", "parse", "explain", "explain_json", "rate", "summary",
    "next_step", "find", "count_solutions", "generate", "explain_many", "rate_many",
]

__version__ = _vornel.version()
_loads = _json.loads


def version():
    """The engine's version, as `vornel-explain --version` gives it."""
    return _vornel.version()


def _text(puzzle):
    # bytes go to the engine as they are, as the tool reads them.
    return bytes(puzzle) if isinstance(puzzle, bytearray) else puzzle


def parse(puzzle, lang="fr"):
    """The puzzle as the JSON's "puzzle" gives it (81 or 729 characters); raises Error when it
    cannot be read."""
    return _vornel.parse(_text(puzzle), lang)


def explain_json(puzzle, lang="fr", source=None, line=0):
    """The line `vornel-explain --techniques all --json` writes for the puzzle, without its line
    end; "source" (and "line") come first when given."""
    return _vornel.explain_json(_text(puzzle), lang, source, line or 0)


def explain(puzzle, lang="fr", source=None, line=0):
    """The whole explanation as a dict: "puzzle", "verdict", "solutions", "steps" (each with its
    "technique", "place", "eliminate", its reasoning and "text"), "grid", "rating", "hardest",
    "two_solutions", "differences", "problems", "conclusion"."""
    return _loads(_vornel.explain_json(_text(puzzle), lang, source, line or 0))


def rate(puzzle, lang="fr", source=None, line=0):
    """The rating without the steps: "version", "source", "line", "puzzle", "verdict", "solutions",
    "step_count", "grid", "rating" ({"score", "level", "level_text"} or None), "hardest"."""
    return _loads(_vornel.rate_json(_text(puzzle), lang, source, line or 0))


def summary(puzzle, source=None, line=0):
    """The row of `vornel-explain --summary`, its 11 tab-separated fields, without its line end."""
    return _vornel.summary_row(_text(puzzle), source, line or 0)


def next_step(puzzle, lang="fr", source=None, line=0):
    """The object of `--next --json`: the explanation with only the ladder's next step."""
    return _loads(_vornel.next_json(_text(puzzle), lang, source, line or 0))


def find(puzzle, technique, lang="fr", source=None, line=0):
    """The object of `--find TECHNIQUE --json`: every instance of the technique in the position."""
    return _loads(_vornel.find_json(_text(puzzle), technique, lang, source, line or 0))


def count_solutions(puzzle, limit=2):
    """The solutions of the puzzle, counted up to `limit`."""
    return _vornel.count_solutions(_text(puzzle), limit)


def generate(level=None, needs=None, seed=0, count=1, symmetric=False, lang="fr"):
    """`count` puzzles as 81-character lines, the same as `vornel-generate --seed SEED --count COUNT`
    with the same --level, --needs and --symmetric."""
    return _vornel.generate(level or "", needs or "", symmetric, seed, count, lang)


# Puzzles handed to the engine at a time by the batch functions: enough to keep every thread busy,
# few enough that an endless iterable is read as it goes.
_CHUNK = 4096


def _jobs(jobs):
    if jobs is None:
        return len(_os.sched_getaffinity(0)) if hasattr(_os, "sched_getaffinity") else (_os.cpu_count() or 1)
    if not isinstance(jobs, int) or jobs < 1:
        raise ValueError("jobs must be a whole number of at least 1")
    return jobs


def _batch(puzzles, kind, jobs, lang, errors, parse_result):
    if errors not in ("raise", "none", "keep"):
        raise ValueError("errors must be 'raise', 'none' or 'keep'")
    jobs = _jobs(jobs)
    results = []
    chunk = []
    done = 0

    def flush():
        nonlocal done
        for index, (text, error) in enumerate(_vornel.run_batch(chunk, kind, jobs, lang, []), done):
            if error:
                if errors == "raise":
                    raise Error("puzzle %d: %s" % (index + 1, error))
                results.append(parse_result(text) if errors == "keep" else None)
            else:
                results.append(parse_result(text))
        done += len(chunk)
        chunk.clear()

    for puzzle in puzzles:
        chunk.append(_text(puzzle))
        if len(chunk) >= _CHUNK:
            flush()
    if chunk:
        flush()
    return results


def rate_many(puzzles, jobs=None, lang="fr", errors="raise"):
    """rate() of every puzzle of an iterable, on `jobs` threads (default: every processor), in input
    order. A puzzle that cannot be read raises Error naming its place (from 1); with errors="none"
    it gives None, with errors="keep" the tool's {"verdict": "bad-input", "problems": [reason]}."""
    return _batch(puzzles, "rate", jobs, lang, errors, _loads)


def explain_many(puzzles, jobs=None, lang="fr", errors="raise"):
    """explain() of every puzzle of an iterable, on `jobs` threads, in input order."""
    return _batch(puzzles, "explain", jobs, lang, errors, _loads)
