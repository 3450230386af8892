#!/usr/bin/env bash
# Usage: run-saver.sh WIN_BUILD_DIR SWITCHES
# With $DISPLAY: runs slide.scr live on that display until it ends by itself (for /s, on input).
# Without: starts its own 1024x768 display, records what a user would see into out/ and
# prints where the files are and the saver's exit code.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
win=$(cd "${1:?usage: run-saver.sh WIN_BUILD_DIR SWITCHES}" && pwd)
switches=${2:-/s}
out="$here/../out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ -n "${DISPLAY:-}" ]; then
  source "$here/wine-env.sh"
  export WINEPREFIX="$win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  size=$(xdpyinfo | awk '/dimensions:/ {print $2; exit}')
  ensure_prefix "${size:-1024x768}"
  # shellcheck disable=SC2086
  wine "$win/slide.scr" $switches
  code=$?
  echo "slide.scr $switches exited with code $code"
  exit $code
fi

case "$switches" in
  /c*|-c*|c*|C*|"")
    exec "$here/with-wine-display.sh" "$win" 1024x768 -- "$here/capture-dialog.sh" "$win/slide.scr" "$out" ;;
  *)
    exec "$here/with-wine-display.sh" "$win" 1024x768 -- "$here/record-saver.sh" "$win/slide.scr" "$out" "$switches" ;;
esac
