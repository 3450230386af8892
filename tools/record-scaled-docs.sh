#!/usr/bin/env bash
# Usage: record-scaled-docs.sh WIN_BUILD_DIR DOCS_DIR
#   (inside with-wine-display.sh at 3200x2400 and with-scale.sh 192)
# Records the README's pictures of a desktop scaled to 200 %: the settings dialog and the
# About box as they are, and a picture held over the dimmed desktop, the screen at a quarter
# size.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
win=${1:?usage: record-scaled-docs.sh WIN_BUILD_DIR DOCS_DIR}
docs=${2:?usage: record-scaled-docs.sh WIN_BUILD_DIR DOCS_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$docs"

"$here/capture-dialog.sh" "$win/slide.scr" "$work" >/dev/null
if [ ! -f "$work/settings_dialog.png" ] || [ ! -f "$work/about_box.png" ]; then
  echo "record-scaled-docs: the dialogs could not be recorded" >&2
  exit 1
fi
convert "$work/settings_dialog.png" -trim +repage "PNG8:$docs/settings_dialog-200.png"
convert "$work/about_box.png" -gravity center -crop 960x800+0+0 +repage -trim +repage "PNG8:$docs/about_box-200.png"

# The first picture held: two captures a second apart alike, with most of the screen changed
# (dimmed) from the desktop before.
# more_differing A B N: whether more than N pixels of A and B differ.
more_differing() { awk -v d="$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" -v n="$3" 'BEGIN { exit !(d > n) }'; }
sleep 1
import -window root "$work/before.png"
wine "$win/slide.scr" /s </dev/null >/dev/null 2>&1 &
saver=$!
previous= held=
for i in $(seq 1 40); do
  sleep 1
  import -window root "$work/frame$i.png" 2>/dev/null || continue
  if [ -n "$previous" ] && ! more_differing "$previous" "$work/frame$i.png" 0 &&
     more_differing "$work/before.png" "$work/frame$i.png" $((3200 * 2400 / 2)); then
    held=$work/frame$i.png
    break
  fi
  previous=$work/frame$i.png
done
xdotool key space
wait "$saver"
if [ -z "$held" ]; then
  echo "record-scaled-docs: no picture was held" >&2
  exit 1
fi
convert "$held" -resize 800x600 -dither None -colors 256 "PNG8:$docs/picture-200.png"
ls -l "$docs"/*-200.png
