"""The Python module against the tools: the same JSON byte for byte after json.dumps, the same rows,
the same generated puzzles, the same error messages; the GIL released while the engine works."""

import glob
import json
import os
import subprocess
import sys
import threading
import time
import unittest

import vornel

EXPLAIN = os.environ["VORNEL_EXPLAIN"]
GENERATE = os.environ["VORNEL_GENERATE"]
DATA = os.environ["VORNEL_TEST_DATA"]
CORPORA = sorted(glob.glob(os.path.join(DATA, "ladder", "*.txt")))


def tool(*args, stdin=None, program=EXPLAIN):
    """The tool's standard output, standard error and status."""
    done = subprocess.run([program, *args], input=stdin, capture_output=True, env={"LANG": "C.UTF-8"})
    return done.stdout.decode("utf-8"), done.stderr.decode("utf-8"), done.returncode


def puzzle_lines(path):
    """(line number, text) of each puzzle line, as --lines reads them."""
    with open(path, encoding="utf-8") as stream:
        for number, line in enumerate(stream, 1):
            text = line.rstrip("\n")
            if text.strip() and not text.strip().startswith("#"):
                yield number, text


def dumps(value):
    return json.dumps(value, ensure_ascii=False, separators=(",", ":"))


class SameJsonAsTheTool(unittest.TestCase):
    def test_explain_equals_the_tool_on_every_ladder_corpus(self):
        self.assertGreaterEqual(len(CORPORA), 5)
        for path in CORPORA:
            for lang in ("fr", "en"):
                with self.subTest(corpus=os.path.basename(path), lang=lang):
                    out, _, _ = tool("--techniques", "all", "--json", "--lines", "--lang", lang, path)
                    expected = out.splitlines()
                    got = [dumps(vornel.explain(text, lang=lang, source=path, line=number))
                           for number, text in puzzle_lines(path)]
                    self.assertEqual(len(got), len(expected))
                    for mine, theirs in zip(got, expected):
                        self.assertEqual(mine, theirs)

    def test_batches_equal_single_calls_and_the_tool_summary(self):
        for path in CORPORA:
            with self.subTest(corpus=os.path.basename(path)):
                texts = [text for _, text in puzzle_lines(path)]
                rated = vornel.rate_many(texts, jobs=2)
                self.assertEqual(rated, [vornel.rate(text) for text in texts])
                self.assertEqual(rated, vornel.rate_many(iter(texts), jobs=1))
                explained = vornel.explain_many(texts, jobs=2)
                for rating, explanation in zip(rated, explained):
                    self.assertEqual(rating["step_count"], len(explanation["steps"]))
                    for key in ("puzzle", "verdict", "solutions", "grid", "rating", "hardest"):
                        self.assertEqual(rating[key], explanation[key], key)
                out, _, _ = tool("--techniques", "all", "--summary", "--lines", path)
                rows = [vornel.summary(text, source=path, line=number) for number, text in puzzle_lines(path)]
                self.assertEqual(rows, out.splitlines())

    def test_next_and_find_equal_the_tool(self):
        path = os.path.join(DATA, "ladder", "qqwing.txt")
        cases = [(["--next"], lambda text, number: vornel.next_step(text, source=path, line=number)),
                 (["--find", "x-wing"], lambda text, number: vornel.find(text, "x-wing", source=path, line=number)),
                 (["--find", "naked-pair", "--lang", "en"],
                  lambda text, number: vornel.find(text, "naked-pair", lang="en", source=path, line=number))]
        for options, call in cases:
            with self.subTest(options=options):
                out, _, _ = tool("--techniques", "all", "--json", "--lines", *options, path)
                got = [dumps(call(text, number)) for number, text in puzzle_lines(path)]
                self.assertEqual(got, out.splitlines())

    def test_positions_with_candidates(self):
        # The first steps of puzzles, written as 729-character lines of candidates and as a pencil grid.
        texts = [text for _, text in puzzle_lines(os.path.join(DATA, "ladder", "top95.txt"))][:6]
        positions = []
        for text in texts:
            start = vornel.explain(text)["puzzle"]
            marks = "".join("123456789" if d == "0" else "".join(c if c == d else "0" for c in "123456789")
                            for d in start)
            positions.append(marks)
        source = "\n".join(positions) + "\n"
        out, _, _ = tool("--techniques", "all", "--json", "--lines", "-", stdin=source.encode())
        got = [dumps(vornel.explain(p, source="-", line=n)) for n, p in enumerate(positions, 1)]
        self.assertEqual(got, out.splitlines())
        self.assertEqual(vornel.parse(positions[0]), positions[0])
        rows = [" ".join(positions[0][81 * r + 9 * c:81 * r + 9 * c + 9].replace("0", "") for c in range(9))
                for r in range(9)]
        grid = "\n".join(rows) + "\n"
        out, _, _ = tool("--techniques", "all", "--json", "-", stdin=grid.encode())
        self.assertEqual(dumps(vornel.explain(grid, source="-")), out.rstrip("\n"))

    def test_count_solutions_agrees_with_the_explanation(self):
        for number, text in puzzle_lines(os.path.join(DATA, "ladder", "check-corpus.txt")):
            with self.subTest(line=number):
                solutions = vornel.explain(text)["solutions"]
                self.assertEqual(vornel.count_solutions(text), solutions)
                self.assertEqual(min(vornel.count_solutions(text, limit=1), 1), min(solutions, 1))

    def test_generate_equals_the_tool(self):
        cases = [dict(level="facile", seed=7, count=3), dict(level="very-hard", seed=2, count=1),
                 dict(needs="x-wing", seed=11, count=1), dict(seed=5, count=2, symmetric=True)]
        for case in cases:
            with self.subTest(**case):
                args = ["--seed", str(case["seed"]), "--count", str(case["count"])]
                if "level" in case:
                    args += ["--level", case["level"]]
                if "needs" in case:
                    args += ["--needs", case["needs"]]
                if case.get("symmetric"):
                    args += ["--symmetric"]
                out, _, status = tool(*args, program=GENERATE)
                self.assertEqual(status, 0)
                self.assertEqual(vornel.generate(**case), out.splitlines())

    def test_lists(self):
        self.assertEqual(vornel.technique_ids()[0], "full-house")
        self.assertIn("x-wing", vornel.technique_ids())
        self.assertEqual(vornel.levels(), ["very-easy", "easy", "medium", "hard", "very-hard", "diabolical"])
        out, _, _ = tool("--version")
        self.assertEqual(out.splitlines()[0], "vornel-explain %s" % vornel.version())


class Errors(unittest.TestCase):
    def test_malformed_puzzles_raise_the_tool_message(self):
        bad = ["12345", "x" * 81, "1" * 80 + "é", "0" * 728 + "x", "1" * 5000]
        for lang in ("fr", "en"):
            for text in bad:
                with self.subTest(text=text[:20], lang=lang):
                    _, err, status = tool("--techniques", "all", "--json", "--lines", "--lang", lang, "-",
                                          stdin=(text + "\n").encode())
                    self.assertEqual(status, 1)
                    prefix = "vornel-explain: -:1: "
                    self.assertTrue(err.startswith(prefix), err)
                    message = err[len(prefix):].rstrip("\n")
                    with self.assertRaises(vornel.Error) as raised:
                        vornel.explain(text, lang=lang)
                    self.assertEqual(str(raised.exception), message)
                    self.assertIsInstance(raised.exception, ValueError)

    def test_unknown_names_raise_the_tool_message(self):
        _, err, _ = tool("--techniques", "all", "--find", "no-such", "-", stdin=b"")
        with self.assertRaises(vornel.Error) as raised:
            vornel.find("0" * 81, "no-such")
        self.assertIn(str(raised.exception), err)
        _, err, status = tool("--level", "nope", program=GENERATE)
        self.assertEqual(status, 2)
        with self.assertRaises(vornel.Error) as raised:
            vornel.generate(level="nope")
        self.assertIn(str(raised.exception), err)
        _, err, _ = tool("--level", "nope", "--lang", "en", program=GENERATE)
        with self.assertRaises(vornel.Error) as raised:
            vornel.generate(level="nope", lang="en")
        self.assertIn(str(raised.exception), err)
        with self.assertRaises(ValueError):
            vornel.explain("0" * 81, lang="de")

    def test_batches_name_the_failing_puzzle(self):
        texts = ["0" * 81, "12345", "0" * 81]
        with self.assertRaises(vornel.Error) as raised:
            vornel.rate_many(texts, jobs=2)
        self.assertTrue(str(raised.exception).startswith("puzzle 2: ligne de grille mal formée"), raised.exception)
        rated = vornel.rate_many(texts, jobs=2, errors="none")
        self.assertIsNone(rated[1])
        self.assertEqual(rated[0], vornel.rate("0" * 81))
        out, _, _ = tool("--json", "--lines", "-", stdin=b"12345\n")
        expected = json.loads(out)
        expected.update(source=None, line=None)
        self.assertEqual(vornel.rate_many(texts, jobs=2, errors="keep")[1], expected)
        self.assertEqual(vornel.explain_many(texts, jobs=1, errors="keep")[1], expected)
        with self.assertRaises(ValueError):
            vornel.rate_many(texts, jobs=0)


class GilReleased(unittest.TestCase):
    def test_python_runs_while_the_engine_works(self):
        # A long engine call in one thread; this thread keeps ticking. Were the GIL held, no tick
        # would fall inside the call (it lasts a second or so).
        texts = [text for _, text in puzzle_lines(os.path.join(DATA, "ladder", "top95.txt"))]
        call = {}

        def work():
            call["start"] = time.monotonic()
            call["results"] = vornel._vornel.run_batch(texts * 3, "explain", 1, "fr", [])
            call["end"] = time.monotonic()

        ticks = []
        worker = threading.Thread(target=work)
        worker.start()
        while worker.is_alive():
            ticks.append(time.monotonic())
        worker.join()
        duration = call["end"] - call["start"]
        self.assertGreater(duration, 0.2, "the call is too short to tell")
        inside = [t for t in ticks if call["start"] < t < call["end"]]
        self.assertTrue(inside, "no Python ran during the engine's call")
        gaps = [b - a for a, b in zip([call["start"]] + inside, inside + [call["end"]])]
        self.assertLess(max(gaps), duration / 2, "Python stood still during the engine's call")

    def test_two_threads_at_once_give_the_same_results(self):
        texts = [text for _, text in puzzle_lines(os.path.join(DATA, "ladder", "sets-corpus.txt"))]
        expected = [vornel.explain(text) for text in texts]
        results = [None, None]

        def work(slot):
            results[slot] = [vornel.explain(text) for text in texts]

        threads = [threading.Thread(target=work, args=(slot,)) for slot in range(2)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(results, [expected, expected])


if __name__ == "__main__":
    unittest.main(argv=sys.argv)
