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
settings_key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
# The prefix is shared with make run and the tests: the runs' settings go again afterwards.
default_settings() { wine reg delete "$settings_key" /f </dev/null >/dev/null 2>&1; }
trap 'default_settings; furnished_desktop_cleanup; rm -rf "$work"' EXIT

shrink() { convert "$1" -resize "$still" -dither None -colors 256 "PNG8:$2"; }
thumb() { convert "$1" -resize 160x120! -depth 8 "$1.thumb.ppm"; }
# Whether two frames look the same.
same() { awk -v d="$(distance "$1" "$2")" 'BEGIN { exit !(d < 0.003) }'; }
# Root mean square difference of two frames' thumbnails, 0 to 1.
distance() { compare -metric RMSE "$1.thumb.ppm" "$2.thumb.ppm" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }

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
import -window root "$work/desktop.bmp"
shrink "$work/desktop.bmp" "$docs/desktop.png"
thumb "$work/desktop.bmp"

# Runs the saver with effect $1 for run_seconds, saving frames named by their time in ms
# since the saver started, into $work/run$1.
record_run() {
  local effect=$1 frames="$work/run$1" start now saver
  mkdir -p "$frames"
  saver_settings "$effect"
  # The desktop as this run finds it: the runs before leave another window active.
  import -window root "$frames/before.bmp"
  thumb "$frames/before.bmp"
  wine "$scr" /s </dev/null >/dev/null 2>&1 &
  saver=$!
  start=${EPOCHREALTIME/./}
  while :; do
    now=$(( (${EPOCHREALTIME/./} - start) / 1000 ))
    [ "$now" -ge $((run_seconds * 1000)) ] && break
    import -window root "$frames/$(printf %06d "$now").bmp" 2>/dev/null
  done
  xdotool key space
  wait "$saver"
}

names=(fade shade block)
for effect in 0 1 2; do
  record_run "$effect"
  frames="$work/run$effect"
  for f in "$frames"/[0-9]*.bmp; do thumb "$f"; done
  # The run starts when the capture first differs from the desktop. The dim-in and the first
  # transition change every frame; the first frame that its successor repeats is the first
  # picture held, the next change is the second transition, and the next repeat the second
  # picture held.
  runs=("$frames"/[0-9]*.bmp)
  begin= first_held= changed= second_held=
  for i in "${!runs[@]}"; do
    f=${runs[i]} next=${runs[i + 1]:-}
    if [ -z "$begin" ]; then
      same "$frames/before.bmp" "$f" || begin=$i
      continue
    fi
    [ -n "$next" ] || break
    if [ -z "$first_held" ]; then
      same "$f" "$next" && first_held=$i
    elif [ -z "$changed" ]; then
      same "$f" "$next" || changed=$i
    elif same "$f" "$next"; then
      second_held=$i
      break
    fi
  done
  if [ -z "$second_held" ]; then
    echo "record-docs: the ${names[$effect]} run did not show two pictures held" >&2
    exit 1
  fi
  # Halfway: the frame between the two held pictures that is furthest from both.
  halfway= best=0
  for ((i = changed; i <= second_held; i++)); do
    f=${runs[i]}
    score=$(awk -v a="$(distance "${runs[first_held]}" "$f")" -v b="$(distance "${runs[second_held]}" "$f")" 'BEGIN { print (a < b ? a : b) }')
    if awk -v s="$score" -v b="$best" 'BEGIN { exit !(s > b) }'; then best=$score halfway=$f; fi
  done
  if [ -z "$halfway" ]; then echo "record-docs: no frame of the ${names[$effect]} transition was caught" >&2; exit 1; fi
  shrink "$halfway" "$docs/transition-${names[$effect]}.png"
  echo "${names[$effect]}: ${#runs[@]} frames; the saver showed at $(basename "${runs[begin]}" .bmp) ms, pictures held at $(basename "${runs[first_held]}" .bmp) and $(basename "${runs[second_held]}" .bmp) ms, halfway at $(basename "$halfway" .bmp) ms"
  if [ "$effect" = 0 ]; then
    # The dim-in takes about the first third of the frames before the first picture is held.
    shrink "${runs[begin + (first_held - begin) / 6]}" "$docs/dim-in.png"
    shrink "${runs[first_held]}" "$docs/picture.png"
    # The animation: the desktop for a second, then the run to the second held picture, each
    # frame shown until the next was taken, so it plays at the real pace.
    last=$(basename "${runs[second_held]}" .bmp)
    list=("$work/desktop.bmp") stamps=(-1000)
    for f in "$frames"/[0-9]*.bmp; do
      name=$(basename "$f" .bmp)
      [[ $name > $last ]] && break
      list+=("$f") stamps+=($((10#$name)))
    done
    args=()
    for i in "${!list[@]}"; do
      next=${stamps[i + 1]:-$((stamps[i] + 1500))}
      args+=(-delay $(((next - stamps[i]) / 10)) "${list[i]}")
    done
    convert "${args[@]}" -resize 400x300 -dither None -colors 64 -layers Optimize -loop 0 "$docs/saver.gif"
  fi
done
du -sh "$docs"
