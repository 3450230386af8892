#!/usr/bin/env bash
# Usage: run-saver.sh WIN_BUILD_DIR SWITCHES [WIDTHxHEIGHT]
# With $DISPLAY: runs slide.scr live on that display until it ends by itself (for /s, on input).
# Without: starts its own display (1600x1200 unless told otherwise, larger than the pictures so
# that the dimmed desktop shows around them), records what a user would see into out/ and
# prints where the files are and the saver's exit code.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
win=$(cd "${1:?usage: run-saver.sh WIN_BUILD_DIR SWITCHES}" && pwd)
switches=${2:-/s}
size=${3:-1600x1200}
out="$here/../out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ -n "${DISPLAY:-}" ]; then
  source "$here/wine-env.sh"
  export WINEPREFIX="$win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  live=$(xdpyinfo | awk '/dimensions:/ {print $2; exit}')
  ensure_prefix "${live:-$size}"
  # shellcheck disable=SC2086
  wine "$win/slide.scr" $switches
  code=$?
  echo "slide.scr $switches exited with code $code"
  exit $code
fi

case "$switches" in
  /c*|-c*|c*|C*|"")
    exec "$here/with-wine-display.sh" "$win" "$size" -- "$here/capture-dialog.sh" "$win/slide.scr" "$out" ;;
  *)
    exec "$here/with-wine-display.sh" "$win" "$size" -- "$here/record-saver.sh" "$win/slide.scr" "$out" "$switches" ;;
esac
