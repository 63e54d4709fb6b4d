#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reading ".sud" files against reading the same puzzles from one lines file: 10,000 puzzles
# through `vornel-explain --summary`, once as 10,000 ".sud" files and once with --lines.
# The ".sud" run should cost less than twice the --lines run. Usage: files.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
[ -x "$build/app/vornel-explain" ] || { echo "no $build/app/vornel-explain: build first" >&2; exit 1; }
explain=$(realpath "$build/app/vornel-explain")
count=${VORNEL_BENCH_PUZZLES:-10000}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Distinct puzzles of the same difficulty: one puzzle with its digits relabelled at random.
awk -v n="$count" 'BEGIN {
  srand(7)
  base = "530070000600195000098000060800060003400803001700020006060000280000419005000080079"
  for (k = 0; k < n; k++) {
    for (d = 1; d <= 9; d++) p[d] = d
    for (d = 9; d > 1; d--) { j = int(rand() * d) + 1; t = p[d]; p[d] = p[j]; p[j] = t }
    line = ""
    for (i = 1; i <= 81; i++) { c = substr(base, i, 1); line = line (c == "0" ? "0" : p[c + 0]) }
    print line
  }
}' > "$work/puzzles.txt"

mkdir "$work/sud"
"$explain" --lines --to-sud "$work/sud" "$work/puzzles.txt" >/dev/null

now() { date +%s.%N; }
t0=$(now)
"$explain" --techniques classic --summary --lines "$work/puzzles.txt" > "$work/lines.out"
t1=$(now)
(cd "$work/sud" && find . -name '*.sud' -print0 | sort -z | xargs -0 "$explain" --techniques classic --summary) > "$work/sud.out"
t2=$(now)

awk -v n="$count" -v a="$t0" -v b="$t1" -v c="$t2" 'BEGIN {
  printf "puzzles: %d\n--lines: %.3f s\n.sud files: %.3f s\nratio (.sud / --lines): %.2f (must stay below 2)\n",
    n, b - a, c - b, (c - b) / (b - a)
}'
# The same rows but for their first two fields, where each comes from.
cmp -s <(cut -f3- "$work/lines.out" | sort) <(cut -f3- "$work/sud.out" | sort) ||
  echo "note: the two runs did not give the same summaries" >&2
