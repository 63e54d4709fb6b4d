#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vornel-explain against qqwing on the same 10,000 generated puzzles, run in turn, median of three:
#  - one core: both pinned to CPU 0, CPU time (user + system);  target: qqwing / explain >= 2.5
#  - two cores: wall time, unpinned;                           target: qqwing / explain >= 4
#  - the process against the in-process engine benchmark, CPU time per puzzle; target <= 1.5
#  - --trace against --summary, CPU time;                       target <= 2
#  - --techniques all --summary with --jobs 2 against --jobs 1, wall time; target >= 1.8
#  - written to a file against a pipe (flushed after each puzzle), CPU time;  target <= 1.05
#  - peak memory of --summary on 10,000 and on 1,000,000 puzzles: flat
set -euo pipefail
build=${1:-build}
explain="$build/app/vornel-explain"
bench="$build/bench/engine/bench_engine"
if ! command -v qqwing >/dev/null 2>&1; then
  echo "qqwing is not installed (apt-get install qqwing): skipping the comparison"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# VORNEL_BENCH_PUZZLES names a file of one-line puzzles to use instead of 10,000 fresh ones.
puzzles=${VORNEL_BENCH_PUZZLES:-$work/puzzles.txt}
[ -n "${VORNEL_BENCH_PUZZLES:-}" ] || qqwing --generate 10000 --one-line --difficulty any > "$puzzles" 2>/dev/null
count=$(grep -c . "$puzzles")
pin=()
command -v taskset >/dev/null 2>&1 && pin=(taskset -c 0)

# run3 FIELD CMD...: the median of three runs of FIELD (cpu or wall, in seconds).
run3() {
  local field=$1; shift
  local values=()
  for _ in 1 2 3; do
    local TIMEFORMAT='%U %S %R' t
    t=$({ time "$@" > /dev/null 2>&1; } 2>&1)
    read -r user sys real <<< "$t"
    if [ "$field" = cpu ]; then values+=("$(echo "$user + $sys" | bc -l)"); else values+=("$real"); fi
  done
  printf '%s\n' "${values[@]}" | sort -g | sed -n 2p
}
ratio() { echo "$1 / $2" | bc -l; }

q1=$(run3 cpu "${pin[@]}" sh -c 'qqwing --solve --one-line < "$1"' qqwing "$puzzles")
s1=$(run3 cpu "${pin[@]}" "$explain" --techniques classic --jobs 1 --summary --lines "$puzzles")
q2=$(run3 wall sh -c 'qqwing --solve --one-line < "$1"' qqwing "$puzzles")
s2=$(run3 wall "$explain" --techniques classic --summary --lines "$puzzles")
t1=$(run3 cpu "${pin[@]}" "$explain" --jobs 1 --trace --lines "$puzzles")
j1=$(run3 wall "$explain" --jobs 1 --techniques all --summary --lines "$puzzles")
j2=$(run3 wall "$explain" --jobs 2 --techniques all --summary --lines "$puzzles")
piped=$(run3 cpu sh -c '"$1" --techniques classic --jobs 1 --summary --lines "$2" | cat >/dev/null' sh "$explain" "$puzzles")
filed=$(run3 cpu sh -c '"$1" --techniques classic --jobs 1 --summary --lines "$2" >"$3"' sh "$explain" "$puzzles" "$work/out")
printf 'one core, CPU s:  qqwing --solve --one-line %.3f   vornel-explain --summary --lines %.3f   ratio %.2f (target >= 2.5)\n' \
  "$q1" "$s1" "$(ratio "$q1" "$s1")"
printf 'two cores, wall s: qqwing %.3f   vornel-explain %.3f   ratio %.2f (target >= 4)\n' "$q2" "$s2" "$(ratio "$q2" "$s2")"
printf 'trace / summary, CPU: %.3f / %.3f = %.2f (target <= 2)\n' "$t1" "$s1" "$(ratio "$t1" "$s1")"
printf 'ladder summary, wall s: --jobs 1 %.3f   --jobs 2 %.3f   speed-up %.2f (target >= 1.8)\n' "$j1" "$j2" "$(ratio "$j1" "$j2")"
printf 'summary to a pipe / to a file, CPU: %.3f / %.3f = %.2f (target <= 1.05)\n' "$piped" "$filed" "$(ratio "$piped" "$filed")"

if [ -x "$bench" ]; then
  # The benchmark prints "one_pass_solve_per_puzzle_of_the_corpus <time> ns <cpu> ns ...".
  inproc=$(VORNEL_BENCH_PUZZLES="$puzzles" "${pin[@]}" "$bench" --benchmark_filter=per_puzzle_of_the_corpus \
    --benchmark_min_time=2 2>/dev/null | awk '/per_puzzle_of_the_corpus/ {print $4}')
  per=$(echo "$s1 * 1000000000 / $count" | bc -l)
  printf 'per puzzle, CPU: process %.0f ns, in-process engine %.0f ns, ratio %.2f (target <= 1.5)\n' \
    "$per" "$inproc" "$(ratio "$per" "$inproc")"
fi

if [ -x /usr/bin/time ]; then
  million="$work/million.txt"
  for _ in $(seq 100); do cat "$puzzles"; done > "$million"
  peak() { /usr/bin/time -f %M "$explain" --techniques classic --summary --lines "$1" 2>&1 >/dev/null | tail -1; }
  printf 'peak memory of --summary: %s KiB for %s puzzles, %s KiB for 100 times as many (flat)\n' \
    "$(peak "$puzzles")" "$count" "$(peak "$million")"
else
  echo "GNU time is not installed (apt-get install time): skipping the memory figure"
fi
