#!/usr/bin/env bash
# Usage: record-two-monitors.sh SLIDE_SCR OUT_DIR   (inside tools/with-two-monitors.sh)
# Puts a live window on each head, runs the saver for about 20 seconds while taking
# screenshots of both heads, ends it with a key press and prints its exit code. Leaves PNG
# stills named saver-2monitors-*.png in OUT_DIR: both heads dimmed, the pictures on the
# primary one.
set -uo pipefail
scr=${1:?} out=${2:?}
seconds=${RECORD_SECONDS:-20}
mkdir -p "$out"
out=$(cd "$out" && pwd)
read -r primary second <<<"${MONITOR_HEADS:?run inside tools/with-two-monitors.sh}"
rm -f "$out"/saver-2monitors-*.png

xmessage -bg '#3a6ea5' -fg white -geometry "900x300+100+100" 'A live window on the primary head' 2>/dev/null &
first=$!
xmessage -bg '#a5563a' -fg white -geometry "${second%%+*}+${second#*+}" 'A live window on the second head' 2>/dev/null &
other=$!
sleep 2
import -window root "$out/saver-2monitors-0-desktop.png"

wine "$scr" /s </dev/null >/dev/null 2>&1 &
saver=$!
start=$(date +%s)
n=1
while [ $(( $(date +%s) - start )) -lt "$seconds" ] && kill -0 "$saver" 2>/dev/null; do
  sleep 2
  import -window root "$out/saver-2monitors-$n-t$(( $(date +%s) - start ))s.png" 2>/dev/null
  n=$((n + 1))
done

xdotool key space
code=timeout
timeout 10 tail --pid="$saver" -f /dev/null && { wait "$saver"; code=$?; }
kill "$first" "$other" 2>/dev/null
echo "recorded $n stills of the heads $MONITOR_HEADS into $out (saver-2monitors-*.png)"
echo "slide.scr /s on two monitors exited with code $code"
[ "$code" = 0 ]
