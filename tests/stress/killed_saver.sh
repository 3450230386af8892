#!/usr/bin/env bash
# Usage: killed_saver.sh SLIDE_SCR
# A saver killed outright leaves nothing that stops the next one from starting normally.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/saver_run.sh"
scr=${1:?}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

start_saver "$log" "$scr" /s
wait_saver 3 && fail "the first saver ended by itself (code $saver_code)"
kill -9 "$saver_pid"
wait "$saver_pid" 2>/dev/null

start_saver "$log" "$scr" /s
wait_saver 3 && fail "after a killed saver, the next one ended at once (code $saver_code)"
end_saver || fail "the next saver did not end on input"
[ "$saver_code" = 0 ] || fail "the next saver ended with $saver_code"
echo "after a killed saver the next one started normally and ended with 0"
