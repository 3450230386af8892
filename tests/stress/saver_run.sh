# Helpers for the stress scripts, sourced. They run under the Wine harness (DISPLAY and
# WINEPREFIX set) and never wait without a bound.

# start_saver LOG EXE SWITCHES... — starts the saver in the background; sets saver_pid.
# Wine's own messages (a crash report, an X error) go into the log too, so that a failure
# that happens before the stress build has written anything still shows its cause.
start_saver() {
  local log=$1 exe=$2
  shift 2
  : > "$log"
  SLIDE_SEAM_LOG="$log" wine "$exe" "$@" </dev/null >/dev/null 2>>"$log" &
  saver_pid=$!
}

# wait_saver SECONDS — waits for the saver to end; sets saver_code ("running" if it did not).
wait_saver() {
  local limit=$(( $1 * 10 )) i
  for i in $(seq 1 "$limit"); do
    if ! kill -0 "$saver_pid" 2>/dev/null; then
      wait "$saver_pid"
      saver_code=$?
      return 0
    fi
    sleep 0.1
  done
  saver_code=running
  return 1
}

# end_saver — what a user does: a key press, then a click; gives up after 10 s and kills it.
end_saver() {
  xdotool key space >/dev/null 2>&1
  wait_saver 5 && return 0
  xdotool click 1 >/dev/null 2>&1
  wait_saver 5 && return 0
  kill -9 "$saver_pid" 2>/dev/null
  wait "$saver_pid" 2>/dev/null
  saver_code=hung
  return 1
}

# The ledger line the stress build writes at its exit, and one field of it.
exit_line() { grep '^exit ' "$1" | tail -1; }
exit_field() { exit_line "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

fail() { echo "FAIL: $*"; exit 1; }
