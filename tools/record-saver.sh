#!/usr/bin/env bash
# Usage: record-saver.sh SLIDE_SCR OUT_DIR SWITCHES   (inside with-wine-display.sh)
# Puts two windows on the desktop, runs the saver for about 40 seconds (RECORD_SECONDS) while
# taking 8 screenshots a second (RECORD_FPS), ends it with a key press and prints its exit
# code. Leaves in OUT_DIR the stills that tell the story, named by what they show
# (saver-NN-<what>-t<seconds>s.png, at most 800x600), and saver.gif, the whole run at 640x480
# playing at its own pace.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scr=${1:?} out=${2:?} switches=${3:-/s}
seconds=${RECORD_SECONDS:-40}
fps=${RECORD_FPS:-8}
still=800x600
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
rm -f "$out"/saver-[0-9][0-9]-*.png "$out"/saver.gif

# Something on the desktop for the saver to capture and dim, and room around the pictures
# when the display is larger than they are.
source "$here/desktop-windows.sh"
source "$here/record-frames.sh"
trap 'furnished_desktop_cleanup; rm -rf "$frames"' EXIT
if ! furnish_desktop; then
  echo "record-saver: the desktop's windows did not all appear; nothing recorded" >&2
  exit 1
fi
sleep 0.5

# shellcheck disable=SC2086
if ! record_frames "$frames" "$seconds" "$fps" "$still" wine "$scr" $switches; then
  echo "record-saver: the display could not be read; nothing recorded" >&2
  exit 1
fi
saver=$recorded_pid
# End the saver before the frames are processed.
xdotool key space
code=timeout
for _ in $(seq 1 100); do
  if ! kill -0 "$saver" 2>/dev/null; then wait "$saver"; code=$?; break; fi
  sleep 0.1
done

cp "$frames/desktop.png" "$out/saver-01-desktop.png"
n=1
while read -r label ms; do
  n=$((n + 1))
  cp "$frames/$(printf %06d "$ms").png" "$out/saver-$(printf %02d $n)-$label-t$((ms / 1000)).$((ms % 1000 / 100))s.png"
done < <(pick_stills "$frames" "$frames/desktop.png" "$frames_end_ms" 11)
# The frames are stored quickly; the stills are kept, so they are packed tighter.
mogrify "$out"/saver-[0-9][0-9]-*.png
frames_to_gif "$frames" "$out/saver.gif" 640x480 256 "$frames_end_ms"

echo "recorded $frames_taken of $frames_due frames due ($fps a second over ${seconds} s), $frames_kept of them different, $(du -sm "$frames" | cut -f1) MB"
echo "stills in $out:"
ls "$out"/saver-[0-9][0-9]-*.png | sed 's|.*/|  |'
echo "animation: $out/saver.gif ($(du -k "$out/saver.gif" | cut -f1) KB)"
echo "slide.scr $switches exited with code $code"
[ "$code" = 0 ]
