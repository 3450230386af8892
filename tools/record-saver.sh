#!/usr/bin/env bash
# Usage: record-saver.sh SLIDE_SCR OUT_DIR SWITCHES   (inside with-wine-display.sh)
# Puts two windows on the desktop, runs the saver for about 40 seconds while taking
# screenshots, ends it with a key press and prints its exit code. Leaves PNG stills and an
# animated GIF of the dim-in and the transitions in OUT_DIR.
set -uo pipefail
scr=${1:?} out=${2:?} switches=${3:-/s}
seconds=${RECORD_SECONDS:-40}
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
rm -f "$out"/saver-*.png "$out"/saver.gif

# Something on the desktop for the saver to capture and dim, and room around the pictures
# when the display is larger than they are.
source "$(dirname "$0")/desktop-windows.sh"
trap 'furnished_desktop_cleanup; rm -rf "$frames"' EXIT
if ! furnish_desktop; then
  echo "record-saver: the desktop's windows did not all appear; nothing recorded" >&2
  exit 1
fi
sleep 0.5
import -window root "$out/saver-0-desktop.png"

# shellcheck disable=SC2086
wine "$scr" $switches </dev/null >/dev/null 2>&1 &
saver=$!
start=$(date +%s.%N)
n=0
while :; do
  now=$(date +%s.%N)
  elapsed=$(echo "$now - $start" | bc)
  [ "$(echo "$elapsed >= $seconds" | bc)" = 1 ] && break
  kill -0 "$saver" 2>/dev/null || break
  # Uncompressed, so that several frames a second are taken even at 1600x1200.
  import -window root "$frames/$(printf %05d $n)_${elapsed}.bmp" 2>/dev/null
  n=$((n + 1))
done
# End the saver before the frames are processed, which takes a while.
xdotool key space
code=timeout
for _ in $(seq 1 100); do
  if ! kill -0 "$saver" 2>/dev/null; then wait "$saver"; code=$?; break; fi
  sleep 0.1
done

# Keep full-size stills spread over the run, and an animation of every frame taken.
total=$(ls "$frames" | wc -l)
i=0
for f in $(ls "$frames"); do
  if [ $((i % 20)) = 0 ] || { [ "$i" -lt 12 ] && [ $((i % 3)) = 0 ]; }; then
    t=${f#*_}; t=${t%.bmp}
    convert "$frames/$f" "$out/saver-$(printf %03d $i)-t$(printf %.1f "$t")s.png"
  fi
  i=$((i + 1))
done
# Each frame is reduced on its own first: hundreds of full-size frames would not fit in memory.
mkdir "$frames/small"
mogrify -path "$frames/small" -resize 512x384 -format png "$frames"/*.bmp 2>/dev/null
convert -delay 10 -loop 0 "$frames"/small/*.png "$out/saver.gif" 2>/dev/null

echo "recorded $total frames over ${seconds}s into $out (saver-*.png, saver.gif)"
echo "slide.scr $switches exited with code $code"
[ "$code" = 0 ]
