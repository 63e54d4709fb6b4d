#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The technique ladder against qqwing on the same 17-given puzzles (qqwing guesses where the ladder
# explains), side by side in one run, then the time per puzzle on the hardest published collection.
set -euo pipefail
build=${1:-build}
explain="$build/app/vornel-explain"
data=tests/data/ladder
if ! command -v qqwing >/dev/null 2>&1; then
  echo "qqwing is not installed (apt-get install qqwing): skipping the comparison"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The samples, repeated so that each run has enough work to time.
for _ in $(seq 20); do grep -v '^#' "$data/seventeen.txt"; done > "$work/seventeen.txt"
for _ in $(seq 10); do grep -v '^#' "$data/top95.txt"; done > "$work/top95.txt"
seventeen=$(grep -c . "$work/seventeen.txt")
top95=$(grep -c . "$work/top95.txt")

cpu() { # best of three runs, user + system seconds of the command
  local best=
  for _ in 1 2 3; do
    local t
    { TIMEFORMAT='%U %S'; time "$@" > /dev/null 2>&1; } 2> "$work/time"
    t=$(awk '{print $1 + $2}' "$work/time")
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

# Both on one processor and one thread, as qqwing runs: the processor time of several threads also
# counts their waiting for one another.
one=()
if command -v taskset >/dev/null 2>&1; then one=(taskset -c 0); fi
q=$(cpu "${one[@]}" sh -c 'qqwing --solve --stats < "$1"' qqwing "$work/seventeen.txt")
l=$(cpu "${one[@]}" "$explain" --jobs 1 --techniques all --summary --lines "$work/seventeen.txt")
t=$(cpu "${one[@]}" "$explain" --jobs 1 --techniques all --summary --lines "$work/top95.txt")
printf 'qqwing --solve --stats, %d 17-given puzzles           %.3f s\n' "$seventeen" "$q"
printf 'vornel-explain --techniques all --summary, the same   %.3f s\n' "$l"
printf 'ladder / qqwing: %.2f (target <= 1)\n' "$(echo "$l / $q" | bc -l)"
printf 'top95, %d puzzles: %.3f s, %.2f ms per puzzle (target < 20)\n' "$top95" "$t" "$(echo "1000 * $t / $top95" | bc -l)"
