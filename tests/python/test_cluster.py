"""python3 -m vornel.cluster on a local cluster of two worker processes: the same output as
vornel-explain, the same messages, and a run that survives a killed worker or resumes after it was
stopped."""

import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import psutil

EXPLAIN = os.environ["VORNEL_EXPLAIN"]
DATA = os.environ["VORNEL_TEST_DATA"]
PARTITION = 25


def corpus(folder):
    """Two inputs, a few hundred puzzles with unreadable lines among them: too short, too long, and
    bytes that are not UTF-8 (which the messages quote)."""
    first = os.path.join(folder, "first.txt")
    with open(first, "wb") as out:
        for name in ("top95.txt", "check-corpus.txt", "qqwing.txt"):
            with open(os.path.join(DATA, "ladder", name), "rb") as stream:
                out.write(stream.read())
            if name == "top95.txt":
                out.write(b"12345 not a puzzle\n" + b"1" * 5000 + b"\n" + b"\xff" * 81 + b"\n")
    return [first, os.path.join(DATA, "ladder", "seventeen.txt")]


def cluster(inputs, output, *options, pause=None):
    env = dict(os.environ)
    if pause:
        env["VORNEL_CLUSTER_PAUSE"] = str(pause)
    return subprocess.Popen([sys.executable, "-m", "vornel.cluster", "rate", "--scheduler", "local", "--workers", "2",
                             "--partition", str(PARTITION), *options, *inputs, "-o", output],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env, start_new_session=True)


def tool(inputs, *options):
    done = subprocess.run([EXPLAIN, "--techniques", "all", "--lines", *options, *inputs], capture_output=True,
                          env={"LANG": "C.UTF-8"})
    return done.stdout, done.stderr.decode("utf-8", "surrogateescape"), done.returncode


def messages(stderr, program):
    return [line[len(program) + 2:] for line in stderr.splitlines() if line.startswith(program + ": ")
            and ":" in line[len(program) + 2:] and "partitions" not in line]


def wait_for_parts(parts, count, process, limit=120):
    start = time.monotonic()
    while time.monotonic() - start < limit and process.poll() is None:
        if os.path.isdir(parts) and sum(name.endswith(".out") for name in os.listdir(parts)) >= count:
            return
        time.sleep(0.01)
    raise AssertionError("no partition written in time")


class ClusterRate(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.inputs = corpus(self.folder.name)
        self.output = os.path.join(self.folder.name, "rated.jsonl")
        self.parts = self.output + ".parts"
        self.expected, self.expected_err, self.expected_status = tool(self.inputs, "--json")
        self.total = 0
        for path in self.inputs:
            with open(path, "rb") as stream:
                self.total += -(-sum(1 for _ in stream) // PARTITION)

    def tearDown(self):
        self.folder.cleanup()

    def finish(self, process):
        _, err = process.communicate(timeout=240)
        return err.decode("utf-8", "surrogateescape")

    def output_bytes(self):
        with open(self.output, "rb") as stream:
            return stream.read()

    def test_same_output_and_messages_as_the_tool(self):
        err = self.finish(cluster(self.inputs, self.output))
        self.assertEqual(self.output_bytes(), self.expected)
        self.assertEqual(self.expected_status, 1)
        expected_messages = messages(self.expected_err, "vornel-explain")
        self.assertEqual(len(expected_messages), 3)
        self.assertEqual(messages(err, "vornel.cluster"), expected_messages)
        self.assertIn("%d/%d partitions written" % (self.total, self.total), err)
        self.assertFalse(os.path.exists(self.parts))

        summary, _, _ = tool(self.inputs, "--summary")
        process = cluster(self.inputs, self.output, "--summary", "--quiet")
        self.finish(process)
        self.assertEqual(process.returncode, 1)
        self.assertEqual(self.output_bytes(), summary)

    def test_a_worker_killed_mid_run_changes_nothing(self):
        process = cluster(self.inputs, self.output, pause=0.15)
        wait_for_parts(self.parts, 1, process)
        written = sum(name.endswith(".out") for name in os.listdir(self.parts))
        self.assertLess(written, self.total, "the run ended before a worker could be killed")
        workers = [child for child in psutil.Process(process.pid).children(recursive=True)
                   if "multiprocessing" in " ".join(child.cmdline()) and "resource_tracker" not in
                   " ".join(child.cmdline())]
        self.assertEqual(len(workers), 2, [w.cmdline() for w in workers])
        workers[0].kill()
        self.finish(process)
        self.assertEqual(self.output_bytes(), self.expected)

    def test_a_stopped_run_resumes_where_it_was(self):
        process = cluster(self.inputs, self.output, pause=0.15)
        wait_for_parts(self.parts, 3, process)
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        kept = sorted(name for name in os.listdir(self.parts) if name.endswith(".out"))
        self.assertGreaterEqual(len(kept), 3)
        self.assertLess(len(kept), self.total)
        self.assertFalse(os.path.exists(self.output))
        # Another run with other options is refused: the partitions are not mixed.
        other = cluster(self.inputs, self.output, "--summary")
        err = self.finish(other)
        self.assertEqual(other.returncode, 2)
        self.assertIn("another run", err)
        err = self.finish(cluster(self.inputs, self.output))
        self.assertIn("%d of %d partitions already written, skipped" % (len(kept), self.total), err)
        self.assertEqual(self.output_bytes(), self.expected)


if __name__ == "__main__":
    unittest.main(argv=sys.argv)
