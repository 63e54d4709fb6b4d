#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vornel-generate: puzzles per second at every level and for --needs x-wing, each on one core,
# and side by side with qqwing's easy puzzles in the same run.
set -euo pipefail
build=${1:-build}
generate="$build/app/vornel-generate"

seconds() { # wall-clock seconds of one run, output discarded
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

best() { # best of three runs
  local best= t
  for _ in 1 2 3; do
    t=$(seconds "$@")
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

one_core=()
if command -v taskset > /dev/null 2>&1; then one_core=(taskset -c 0); fi

if command -v qqwing > /dev/null 2>&1; then
  q=$(best "${one_core[@]}" qqwing --generate 100 --difficulty easy --one-line)
  v=$(best "${one_core[@]}" "$generate" --count 100 --level facile --seed 1)
  printf 'qqwing --generate 100 --difficulty easy   %.3f s\n' "$q"
  printf 'vornel-generate --count 100 --level facile %.3f s\n' "$v"
  printf 'qqwing / vornel-generate: %.2f (target >= 1)\n' "$(echo "$q / $v" | bc -l)"
else
  echo "qqwing is not installed (apt-get install qqwing): skipping the comparison"
fi

times=$(mktemp)
trap 'rm -f "$times"' EXIT
rate() { # label, count, options...: puzzles per second of wall-clock and of processor time
  local label=$1 count=$2 made wall cpu
  shift 2
  made=$( ("${one_core[@]}" /usr/bin/time -f '%e %U %S' -o "$times" \
           timeout 120 "$generate" --count "$count" --seed 1 "$@" 2> /dev/null || true) | wc -l)
  wall=$(tail -n 1 "$times" | awk '{print $1}')
  cpu=$(tail -n 1 "$times" | awk '{print $2 + $3}')
  if [ "$made" -eq 0 ]; then
    printf '%-28s none in %.0f s (a level the ladder cannot reach yet)\n' "$label" "$wall"
    return
  fi
  printf '%-28s %4d puzzles  wall %7.3f s %8.2f/s   cpu %7.3f s %8.2f/s\n' "$label" "$made" \
    "$wall" "$(echo "$made / $wall" | bc -l)" "$cpu" "$(echo "$made / $cpu" | bc -l)"
}
rate "--level tres-facile" 500 --level tres-facile
rate "--level facile" 500 --level facile
rate "--level moyen" 200 --level moyen
rate "--level difficile" 50 --level difficile
rate "--level tres-difficile" 50 --level tres-difficile
rate "--level diabolique" 20 --level diabolique
rate "--needs x-wing" 50 --needs x-wing
rate "(any level)" 500
rate "--symmetric (any level)" 500 --symmetric
