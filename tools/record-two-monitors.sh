#!/usr/bin/env bash
# Usage: record-two-monitors.sh SLIDE_SCR OUT_DIR   (inside tools/with-two-monitors.sh)
# Puts a live window on each head, runs the saver for about 20 seconds while taking a
# screenshot of both heads every 2 seconds, ends it with a key press and prints its exit code.
# Leaves the screenshots that show a change as PNG stills named saver-2monitors-*.png in
# OUT_DIR: both heads dimmed, the pictures on the primary one.
set -uo pipefail
scr=${1:?} out=${2:?}
seconds=${RECORD_SECONDS:-20}
mkdir -p "$out"
out=$(cd "$out" && pwd)
read -r primary second <<<"${MONITOR_HEADS:?run inside tools/with-two-monitors.sh}"
rm -f "$out"/saver-2monitors-*.png
source "$(dirname "$0")/record-frames.sh"

xmessage -bg '#3a6ea5' -fg white -geometry "900x300+100+100" 'A live window on the primary head' 2>/dev/null &
first=$!
xmessage -bg '#a5563a' -fg white -geometry "${second%%+*}+${second#*+}" 'A live window on the second head' 2>/dev/null &
other=$!
sleep 2
frames=$(mktemp -d)
if ! record_frames "$frames" "$seconds" 0.5 "" wine "$scr" /s; then
  echo "record-two-monitors: the display could not be read; nothing recorded" >&2
  kill "$first" "$other" 2>/dev/null
  rm -rf "$frames"
  exit 1
fi
saver=$recorded_pid
xdotool key space
code=timeout
timeout 10 tail --pid="$saver" -f /dev/null && { wait "$saver"; code=$?; }
kill "$first" "$other" 2>/dev/null

n=1
for f in "$frames"/[0-9]*.png; do
  [ -e "$f" ] || break
  # The first frames show the desktop until the saver's window is up.
  cmp -s "$f" "$frames/desktop.png" && continue
  mv "$f" "$out/saver-2monitors-$n-t$(( 10#$(basename "$f" .png) / 1000 ))s.png"
  n=$((n + 1))
done
mv "$frames/desktop.png" "$out/saver-2monitors-0-desktop.png"
rm -rf "$frames"
# The frames are stored quickly; the stills are kept, so they are packed tighter.
mogrify "$out"/saver-2monitors-*.png
echo "recorded $n stills of the heads $MONITOR_HEADS into $out (saver-2monitors-*.png)"
echo "slide.scr /s on two monitors exited with code $code"
[ "$code" = 0 ]
