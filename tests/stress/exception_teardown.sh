#!/usr/bin/env bash
# Usage: exception_teardown.sh SLIDE_STRESS_SCR SLIDE_SCR
# An exception thrown inside the message loop must still run the teardown: the window hidden
# and destroyed, the timer resolution given back, the mutex released and closed. The stress
# build then keeps its process alive, and a new full-screen saver must start at once.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/saver_run.sh"
stress=${1:?} scr=${2:?}
log=$(mktemp) second=$(mktemp)
trap 'rm -f "$log" "$second"' EXIT

SLIDE_THROW=PeekMessageA:2 SLIDE_LINGER_MS=12000 start_saver "$log" "$stress" /s
thrower=$saver_pid
for _ in $(seq 1 150); do grep -q '^caught' "$log" && break; sleep 0.1; done
grep -q '^caught' "$log" || { kill -9 "$thrower"; fail "the exception never reached the start-up: $(cat "$log")"; }

before_catch=$(sed -n '/^throw /,/^caught/p' "$log")
for event in 'destroywindow visible=0' 'timeendperiod 1' 'releasemutex' 'closemutex'; do
  grep -q "^$event" <<<"$before_catch" || { kill -9 "$thrower"; fail "teardown missed '$event': $before_catch"; }
done

start_saver "$second" "$scr" /s
if wait_saver 3; then
  kill -9 "$thrower"
  fail "a new saver ended at once (code $saver_code): the mutex was still held"
fi
end_saver || { kill -9 "$thrower"; fail "the new saver did not end on input"; }
[ "$saver_code" = 0 ] || { kill -9 "$thrower"; fail "the new saver ended with $saver_code"; }
saver_pid=$thrower
wait_saver 20 || { kill -9 "$thrower"; fail "the stress process did not end"; }
echo "exception in the loop: window hidden and destroyed, timer period restored, mutex released and closed;"
echo "a new saver started while the failed process still lived, and ended with 0"
