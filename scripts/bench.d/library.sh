#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The library's figures: the Python module against the C++ call and rate_many on 2 threads against 1
# (bench/library/python_bench.py), then the cluster command on a local cluster of two workers
# against vornel-explain --jobs 2 on the same puzzles (top95 repeated to 1,900), as whole commands.
set -euo pipefail
build=${1:-build}
[ -d "$build/python/vornel" ] || { echo "library.sh: no Python module in $build, skipped"; exit 0; }
export PYTHONPATH=$build/python
python=/usr/bin/python3
"$python" bench/library/python_bench.py --cxx "$build/bench/library/bench_library_call"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for _ in $(seq 20); do grep -v '^#' tests/data/ladder/top95.txt; done >"$work/puzzles.txt"
time_of() { /usr/bin/time -f '%e s wall, %U s user, %S s sys, %M KiB' "$@" 2>&1 >/dev/null | tail -1; }
echo "vornel-explain --json --jobs 2: $(time_of "$build/app/vornel-explain" --json --lines --jobs 2 "$work/puzzles.txt")"
echo "python3 -m vornel.cluster rate --scheduler local --workers 2: $(time_of "$python" -m vornel.cluster rate \
  --scheduler local --workers 2 --quiet "$work/puzzles.txt" -o "$work/rated.jsonl")"
