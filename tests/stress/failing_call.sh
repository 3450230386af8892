#!/usr/bin/env bash
# Usage: failing_call.sh SLIDE_STRESS_SCR CALL
# Makes the 1st, 2nd, ... call of CALL fail in turn across a whole saver start and run, until
# a run no longer reaches that many calls. Every run must end on its own or on a key press,
# with exit code 0, or -1 after the failure message, and give back every handle it took.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/saver_run.sh"
scr=${1:?} call=${2:?}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
max=${FAILING_CALL_MAX:-8}

for n in $(seq 1 "$max"); do
  SLIDE_FAIL="$call:$n" start_saver "$log" "$scr" /s
  wait_saver 3 || end_saver || fail "$call #$n: the saver hung"
  if ! grep -q "^fail $call $n\$" "$log"; then
    [ "$n" -gt 1 ] || fail "$call is never called in a saver run (exit code $saver_code): $(cat "$log")"
    echo "$call: a run makes $((n - 1)) such calls; each failing in turn was handled"
    exit 0
  fi
  line=$(exit_line "$log")
  [ -n "$line" ] || fail "$call #$n: no orderly exit (code $saver_code)"
  expected=0
  grep -q '^messagebox ' "$log" && expected=255
  [ "$saver_code" = "$expected" ] || fail "$call #$n: exit code $saver_code, expected $expected"
  for field in gdi dc windowdc keys unknown; do
    [ "$(exit_field "$log" $field)" = 0 ] || fail "$call #$n: $field left at exit: $line"
  done
  echo "$call #$n fails: exit code $saver_code$(grep -q '^messagebox ' "$log" && echo ' after the failure message'), nothing left behind"
done
echo "$call: the first $max calls each failing in turn were handled"
