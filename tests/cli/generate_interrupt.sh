#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Ctrl+C during a long vornel-generate run: exit status 130, every line written so far whole
# (81 digits), the interruption said in French on standard error, progress reported meanwhile.
set -u
generate=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generate" --count 100000000 --seed 5 > "$work/out" 2> "$work/err" &
pid=$!
sleep 2.5
kill -INT "$pid"
wait "$pid"
status=$?
fail() { echo "FAIL: $*"; echo "--- stderr"; cat "$work/err"; exit 1; }
[ "$status" = 130 ] || fail "exit status $status, expected 130"
lines=$(wc -l < "$work/out")
[ "$lines" -gt 0 ] || fail "no puzzle written before the interruption"
bad=$(grep -cvE '^[0-9]{81}$' "$work/out")
[ "$bad" = 0 ] || fail "$bad lines are not whole puzzles"
[ "$(tail -c 1 "$work/out" | od -An -c | tr -d ' ')" = '\n' ] || fail "the last line is cut"
grep -q "^vornel-generate: interrompu, $lines grilles\? sur 100000000 écrites\?\.$" "$work/err" || fail "no interruption message for $lines puzzles"
grep -q "^vornel-generate: [0-9]* grilles\? sur 100000000, [0-9]* essais\?, [0-9]* s$" "$work/err" || fail "no progress line"
echo "ok: $lines puzzles kept"
