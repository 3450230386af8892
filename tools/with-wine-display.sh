#!/usr/bin/env bash
# Usage: with-wine-display.sh BUILD_DIR [WIDTHxHEIGHT[xDEPTH]] -- COMMAND...
# Starts an Xvfb display (1600x1200, depth 24 unless told otherwise; depth 8 gives a
# palette display) on a free number and a persistent wineserver for the private prefix
# BUILD_DIR/wineprefix (made once, then reused), runs COMMAND with DISPLAY and WINEPREFIX set,
# and stops both afterwards, whatever COMMAND's result. Returns COMMAND's exit code.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: with-wine-display.sh BUILD_DIR [WxH[xDEPTH]] -- COMMAND...}
shift
geometry=1600x1200
if [ "${1:-}" != "--" ]; then geometry=$1; shift; fi
[ "${1:-}" = "--" ] && shift
if [[ ! $geometry =~ ^([0-9]+x[0-9]+)(x([0-9]+))?$ ]]; then
  echo "with-wine-display: the size must read WIDTHxHEIGHT or WIDTHxHEIGHTxDEPTH, not $geometry" >&2
  exit 2
fi
size=${BASH_REMATCH[1]}
depth=${BASH_REMATCH[3]:-24}
mkdir -p "$build"
build=$(cd "$build" && pwd)

source "$here/wine-env.sh"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_xvfb "$size" "$depth" || { echo "with-wine-display: no Xvfb display could be started" >&2; exit 1; }
ensure_prefix "$size" || { echo "with-wine-display: the Wine prefix could not be prepared" >&2; exit 1; }
"$@"
