#!/usr/bin/env bash
# Usage: capture-dialog.sh SLIDE_SCR OUT_DIR   (inside tools/with-wine-display.sh)
# Opens the settings dialog as a user would (slide.scr /c), screenshots it, clicks its About
# button with the mouse, screenshots the About box, closes both, and reports the exit code.
set -uo pipefail
scr=${1:?usage: capture-dialog.sh SLIDE_SCR OUT_DIR}
out=${2:?usage: capture-dialog.sh SLIDE_SCR OUT_DIR}
probe="$(dirname "$scr")/dialog_probe.exe"
mkdir -p "$out"
: "${DISPLAY:?needs the Xvfb display}" "${WINEPREFIX:?needs the private prefix}"

wine "$scr" /c </dev/null >/dev/null 2>&1 &
saver=$!
finish() {
  kill "$saver" >/dev/null 2>&1
  wait "$saver" 2>/dev/null
}

click_control() {
  local at
  at=$(wine "$probe" centre "$1" 2>/dev/null | tr -d '\r') || return 1
  [ -n "$at" ] || return 1
  # shellcheck disable=SC2086
  xdotool mousemove $at click 1
}

if ! wine "$probe" wait </dev/null; then
  echo "capture-dialog: the settings dialog did not appear" >&2
  finish
  exit 1
fi
sleep 0.5
import -window root "$out/settings_dialog.png"

click_control 1019
if wine "$probe" about </dev/null; then
  sleep 0.5
  import -window root "$out/about_box.png"
  # Any press closes the About box, even far from it.
  xdotool mousemove 5 5 click 1
else
  echo "capture-dialog: the About box did not appear" >&2
fi

sleep 0.5
click_control 2
wine "$probe" gone </dev/null
for _ in $(seq 1 50); do
  kill -0 "$saver" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$saver" 2>/dev/null; then
  echo "capture-dialog: slide.scr /c did not end after Cancel" >&2
  finish
  exit 1
fi
wait "$saver"
code=$?
echo "screenshots: $out/settings_dialog.png $out/about_box.png; slide.scr /c exited with code $code"
exit "$code"
