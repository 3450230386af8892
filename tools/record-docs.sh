#!/usr/bin/env bash
# Usage: record-docs.sh WIN_BUILD_DIR DOCS_DIR   (inside with-wine-display.sh, 1600x1200)
# Records the README's pictures from real runs: the settings dialog and the About box, then a
# furnished desktop, and one saver run per transition effect with a short hold time. From
# each run it keeps the frame of the second transition that is furthest from the pictures
# before and after it; the first run also gives the dim-in, the first picture held over the
# dimmed desktop and a small animation.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
win=${1:?usage: record-docs.sh WIN_BUILD_DIR DOCS_DIR}
docs=${2:?usage: record-docs.sh WIN_BUILD_DIR DOCS_DIR}
scr="$win/slide.scr"
hold_frames=90      # 3 s per picture: long enough to find each held picture by time
run_seconds=12
still=800x600       # the README's stills: half size, 256 colours, so docs/ stays small
mkdir -p "$docs"
work=$(mktemp -d)
source "$here/desktop-windows.sh"
source "$here/record-frames.sh"
settings_key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
# The prefix is shared with make run and the tests: the runs' settings go again afterwards.
default_settings() { wine reg delete "$settings_key" /f </dev/null >/dev/null 2>&1; }
trap 'default_settings; furnished_desktop_cleanup; rm -rf "$work"' EXIT

fps=12               # enough frames to catch each transition near its middle
shrink() { convert "$1" -dither None -colors 256 "PNG8:$2"; }

saver_settings() {
  local reg="$work/settings.reg"
  cat > "$reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\ORVANTE\\Pelmira ScreenSaver\\Slide]
"Brightness"=dword:00000004
"FadeType"=dword:$(printf %08x "$1")
"Wait"=dword:$(printf %08x "$hold_frames")
REG
  wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
}

# The dialogs first, with the default settings, on the bare desktop and cut out of it. The
# exit code is the dialog's end code; the screenshots tell whether it worked.
default_settings
"$here/capture-dialog.sh" "$scr" "$work" >/dev/null
if [ ! -f "$work/settings_dialog.png" ] || [ ! -f "$work/about_box.png" ]; then
  echo "record-docs: the dialogs could not be recorded" >&2
  exit 1
fi
convert "$work/settings_dialog.png" -trim +repage "PNG8:$docs/settings_dialog.png"
# The About box opens centred on the screen, apart from the settings dialog.
convert "$work/about_box.png" -gravity center -crop 480x400+0+0 +repage -trim +repage "PNG8:$docs/about_box.png"

if ! furnish_desktop; then
  echo "record-docs: the desktop's windows did not all appear" >&2
  exit 1
fi
sleep 0.5
capture_frame "$work/desktop.png" "$still"
shrink "$work/desktop.png" "$docs/desktop.png"

# Runs the saver with effect $1 for run_seconds, recording its frames into $work/run$1.
record_run() {
  local effect=$1 frames="$work/run$1"
  mkdir -p "$frames"
  saver_settings "$effect"
  # The desktop as this run finds it (the runs before leave another window active) comes first.
  record_frames "$frames" "$run_seconds" "$fps" "$still" wine "$scr" /s || return 1
  xdotool key space
  wait "$recorded_pid"
}

# The frame of the run's story with the label $1 (see pick_stills), if it was caught.
at() { awk -v label="$1" -v dir="$frames" '$1 == label { printf "%s/%06d.png", dir, $2 }' <<<"$story"; }

names=(fade shade block)
for effect in 0 1 2; do
  if ! record_run "$effect"; then echo "record-docs: the display could not be read" >&2; exit 1; fi
  frames="$work/run$effect"
  story=$(pick_stills "$frames" "$frames/desktop.png" "$frames_end_ms")
  first_held=$(at picture-1-held) halfway=$(at transition-to-picture-2-halfway) second_held=$(at picture-2-held)
  if [ -z "$second_held" ] || [ -z "$halfway" ]; then
    echo "record-docs: the ${names[$effect]} run did not show two pictures held" >&2
    exit 1
  fi
  shrink "$halfway" "$docs/transition-${names[$effect]}.png"
  echo "${names[$effect]}: $frames_taken of $frames_due frames due taken; pictures held at $(basename "$first_held" .png) and $(basename "$second_held" .png) ms, halfway at $(basename "$halfway" .png) ms"
  if [ "$effect" = 0 ]; then
    dim_in=$(at dim-in)
    if [ -z "$dim_in" ]; then echo "record-docs: the dim-in was not caught" >&2; exit 1; fi
    shrink "$dim_in" "$docs/dim-in.png"
    shrink "$first_held" "$docs/picture.png"
    # The animation: the run up to the second picture held, shown for 1.5 s of its 3.
    frames_to_gif "$frames" "$docs/saver.gif" 400x300 64 "$((10#$(basename "$second_held" .png) + 1500))"
  fi
done
du -sh "$docs"
