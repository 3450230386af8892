#!/usr/bin/env bash
# Usage: with-two-monitors.sh BUILD_DIR -- COMMAND...
# Like with-wine-display.sh, but with two monitors side by side: a 1920x1080 primary head
# and a 1280x1024 head to its right. Xvfb's own screens all sit at 0, 0, so an Xephyr with
# two Xinerama heads runs inside an Xvfb of its own. The private prefix
# BUILD_DIR/wineprefix-monitors has no virtual desktop (inside one Wine shows one monitor),
# so Wine takes both heads from X. Runs COMMAND with DISPLAY (the Xephyr) and WINEPREFIX set
# and MONITOR_HEADS="WxH+X+Y WxH+X+Y" naming the heads, primary first. Fails loudly when the
# heads cannot be had; never runs COMMAND on one monitor instead.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: with-two-monitors.sh BUILD_DIR -- COMMAND...}
shift
[ "${1:-}" = "--" ] && shift
mkdir -p "$build"
build=$(cd "$build" && pwd)

source "$here/wine-env.sh"
export WINEPREFIX="$build/wineprefix-monitors" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export MONITOR_HEADS="1920x1080+0+0 1280x1024+1920+0"

xvfb_pid= xephyr_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [ -n "$xephyr_pid" ] && kill "$xephyr_pid" >/dev/null 2>&1 && wait "$xephyr_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM
die() { echo "with-two-monitors: $*" >&2; exit 1; }

command -v Xephyr >/dev/null || die "Xephyr is not installed (Debian package xserver-xephyr; make setup installs it)"
start_xvfb 3200x1080 24 || die "no Xvfb display for Xephyr could be started"

# Xephyr on the first free display number after the Xvfb's.
xephyr_log=$(mktemp)
for n in $(seq $(( ${DISPLAY#:} + 1 )) 160); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xephyr ":$n" -screen 1920x1080 -screen 1280x1024 +xinerama -extension RANDR -nolisten tcp -noreset \
    >"$xephyr_log" 2>&1 &
  xephyr_pid=$!
  for _ in $(seq 1 50); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && break
    kill -0 "$xephyr_pid" 2>/dev/null || break
    sleep 0.1
  done
  if xdpyinfo -display ":$n" >/dev/null 2>&1; then
    export DISPLAY=":$n"
    break
  fi
  kill "$xephyr_pid" >/dev/null 2>&1
  xephyr_pid=
done
[ -n "$xephyr_pid" ] || die "Xephyr could not start: $(tail -3 "$xephyr_log")"
rm -f "$xephyr_log"
heads=$(xdpyinfo -ext XINERAMA | sed -n 's/^ *head #[0-9]*: *\([0-9x]*\) @ \([0-9]*\),\([0-9]*\)$/\1+\2+\3/p' | xargs)
[ "$heads" = "$MONITOR_HEADS" ] || die "Xephyr shows the heads '$heads', not '$MONITOR_HEADS'"

ensure_prefix none || die "the Wine prefix could not be prepared"
"$@"
