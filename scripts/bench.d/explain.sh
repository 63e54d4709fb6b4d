#!/usr/bin/env bash
# vornel-explain against qqwing on the same 10,000 puzzles, side by side in one run, and the trace
# against the summary. Prints the times, the ratios and the puzzles per second.
set -euo pipefail
build=${1:-build}
explain="$build/app/vornel-explain"
if ! command -v qqwing >/dev/null 2>&1; then
  echo "qqwing is not installed (apt-get install qqwing): skipping the comparison"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
puzzles="$work/puzzles.txt"
qqwing --generate 10000 --one-line --difficulty any > "$puzzles" 2>/dev/null

best() { # best of three wall-clock runs, in seconds
  local best=
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

q=$(best sh -c 'qqwing --solve --one-line < "$1"' qqwing "$puzzles")
s=$(best "$explain" --summary --lines "$puzzles")
t=$(best "$explain" --tempo once --trace --lines "$puzzles")
printf 'qqwing --solve --one-line        %.3f s\n' "$q"
printf 'vornel-explain --summary --lines  %.3f s  (%.0f puzzles/s)\n' "$s" "$(echo "10000 / $s" | bc -l)"
printf 'vornel-explain --trace --lines    %.3f s  (%.0f puzzles/s)\n' "$t" "$(echo "10000 / $t" | bc -l)"
printf 'qqwing / summary: %.2f (target >= 2)\n' "$(echo "$q / $s" | bc -l)"
printf 'trace / summary:  %.2f (target <= 2)\n' "$(echo "$t / $s" | bc -l)"
