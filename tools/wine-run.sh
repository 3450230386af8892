#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's private prefix (never ~/.wine).
# tools/with-wine-display.sh sets WINEPREFIX and DISPLAY.
#
# Wine needs about a tenth of a second to bring up any Windows process, even one that fails at
# once. A failure well inside that time means the program never ran (the client did not get
# going); that is said on stderr and the launch is tried again, up to twice more.
set -uo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the private prefix in the build tree}"
# Wine's own errors stay on, so that a launch that goes wrong says why.
export WINEDEBUG=-all,err+module,err+process,err+server
never_ran_us=30000
for attempt in 1 2 3; do
  started=${EPOCHREALTIME/./}
  wine "$@"
  status=$?
  elapsed=$(( ${EPOCHREALTIME/./} - started ))
  if [ "$status" -eq 0 ] || [ "$elapsed" -ge "$never_ran_us" ] || [ "$attempt" -eq 3 ]; then
    exit "$status"
  fi
  echo "wine-run: Wine ended with $status after ${elapsed} us without running $1; launching it again" >&2
done
