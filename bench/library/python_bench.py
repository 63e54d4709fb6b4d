"""The Python module's cost against the C++ call, and rate_many on 2 threads against 1.

    PYTHONPATH=build/python python3 bench/library/python_bench.py [--cxx build/bench/library/bench_library_call]
        [--passes N] [FILE]

Per puzzle, processor time of the median pass over FILE (top95 by default; the machine is shared,
and wall time would count the other programs' turns): vornel.explain (a dict, through json.loads),
vornel.explain_json (the text), vornel.rate; with --cxx, the C++ program's figures for the same
calls and the overhead of each. Then rate_many over FILE repeated to at least 2,000 puzzles with
jobs=1 and jobs=2: wall and processor time, median of three runs each.
"""

import argparse
import os
import re
import statistics
import subprocess
import sys
import time

import vornel

TOP95 = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "data", "ladder", "top95.txt")


def median_pass_us(puzzles, passes, call):
    for p in puzzles:
        call(p)
    times = []
    for _ in range(passes):
        start = time.process_time()
        for p in puzzles:
            call(p)
        times.append((time.process_time() - start) * 1e6 / len(puzzles))
    return statistics.median(times)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file", nargs="?", default=TOP95)
    parser.add_argument("--passes", type=int, default=5)
    parser.add_argument("--cxx", help="bench_library_call, for the C++ figures")
    args = parser.parse_args()
    with open(args.file, encoding="utf-8") as stream:
        puzzles = [line.strip() for line in stream if line.strip() and not line.startswith("#")]

    figures = {
        "explain": median_pass_us(puzzles, args.passes, vornel.explain),
        "explain_json": median_pass_us(puzzles, args.passes, vornel.explain_json),
        "rate": median_pass_us(puzzles, args.passes, vornel.rate),
    }
    print("%d puzzles, median of %d passes, per puzzle:" % (len(puzzles), args.passes))
    for name, value in figures.items():
        print("  vornel.%-13s %8.1f us" % (name, value))
    if args.cxx:
        out = subprocess.run([args.cxx, args.file, str(args.passes)], capture_output=True, text=True,
                             check=True).stdout
        print("  C++: " + out.strip())
        cxx_explain, cxx_rate = (float(v) for v in re.findall(r"([0-9.]+) us a puzzle", out))
        print("  overhead: explain (dict) %+.1f %%, explain_json (text) %+.1f %%, rate (dict) %+.1f %%" % (
            100 * (figures["explain"] / cxx_explain - 1), 100 * (figures["explain_json"] / cxx_explain - 1),
            100 * (figures["rate"] / cxx_rate - 1)))

    many = puzzles * max(1, -(-2000 // len(puzzles)))
    walls = {}
    for jobs in (1, 2):
        runs = []
        cpus = []
        for _ in range(3):
            start, cpu = time.perf_counter(), time.process_time()
            vornel.rate_many(many, jobs=jobs)
            runs.append(time.perf_counter() - start)
            cpus.append(time.process_time() - cpu)
        walls[jobs] = statistics.median(runs)
        print("rate_many of %d puzzles, jobs=%d: %.3f s wall, %.3f s CPU (medians of 3)" % (
            len(many), jobs, walls[jobs], statistics.median(cpus)))
    print("rate_many speed-up, 2 jobs against 1, wall: %.2fx" % (walls[1] / walls[2]))


if __name__ == "__main__":
    sys.exit(main())
