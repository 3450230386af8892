#!/usr/bin/env bash
# Usage: two_monitors.sh SLIDE_SCR SLIDE_STRESS_SCR   (inside tools/with-two-monitors.sh)
# A live window of one colour fills the second head. While the saver runs at brightness 4
# (level 16 of 32), every pixel of both heads must show the desktop as it was, each byte
# halved, except one picture box inside the primary head: no pixel of the live window may
# remain. A key ends the saver with exit code 0. Then the stress build runs with the spanning
# surfaces failing: the saver covers the primary head alone, still shows its pictures there,
# and gives every handle back.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../stress/saver_run.sh"
scr=${1:?} stress=${2:?}
read -r primary second <<<"${MONITOR_HEADS:?run inside tools/with-two-monitors.sh}"
colour='#ff00ff'
key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
work=$(mktemp -d)
log=$work/seams.log
marker_pid=
trap '[ -n "$marker_pid" ] && kill "$marker_pid" 2>/dev/null; wine reg delete "$key" /f >/dev/null 2>&1; rm -rf "$work"' EXIT

area() { local s=${1%%+*}; echo $(( ${s%x*} * ${s#*x} )); }
# marker_pixels IMAGE REGION: pixels of the region in the live window's colour.
marker_pixels() {
  convert "$1" -crop "$2" +repage -fill black +opaque "$colour" -fill white -opaque "$colour" -colorspace gray \
    -precision 16 -format '%[fx:round(mean*w*h)]' info:
}
# changed IMAGE REGION FORMAT: of the pixels of the region that differ from the dimmed
# desktop, the count (%[fx:...]) or the bounding box WxH+X+Y with a border of 1 (%@).
changed() {
  convert "$work/dimmed.png" "$1" -crop "$2" +repage -compose difference -composite -separate \
    -evaluate-sequence max -threshold 0 -bordercolor black -border 1 -precision 16 -format "$3" info:
}
changed_count() { changed "$1" "$2" '%[fx:round(mean*w*h)]'; }
# The box of changed pixels in the primary head, without the border; "none" when none changed.
picture_box() {
  local box
  box=$(changed "$1" "$primary" '%@')
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "$(changed_count "$1" "$primary")" -gt 0 ] ||
    { echo none; return; }
  echo "${BASH_REMATCH[1]}x${BASH_REMATCH[2]}+$((BASH_REMATCH[3] - 1))+$((BASH_REMATCH[4] - 1))"
}

wine reg add "$key" /v Brightness /t REG_DWORD /d 4 /f >/dev/null 2>&1
xmessage -bg "$colour" -fg "$colour" -geometry "${second%%+*}+${second#*+}" 'the second head' 2>/dev/null &
marker_pid=$!
sleep 2
import -window root "$work/before.png"
# Level 16 of 32 halves every byte with truncation: a right shift by one.
convert "$work/before.png" -evaluate RightShift 1 -depth 8 "$work/dimmed.png"
marker=$(marker_pixels "$work/before.png" "$second")
[ "$marker" -gt $(( $(area "$second") * 9 / 10 )) ] ||
  fail "the live window shows on only $marker pixels of the second head before the saver"
echo "before the saver: $marker of $(area "$second") pixels of the second head show the live window"

# watch_saver EXE LABEL: starts the saver and waits (at most 30 s) until most of a picture
# (1024x768) has changed the primary head; leaves that screenshot in $work/during.png.
watch_saver() {
  start_saver "$log" "$1" /s
  local shown=0 _
  for _ in $(seq 1 60); do
    sleep 0.5
    kill -0 "$saver_pid" 2>/dev/null || fail "$2: the saver ended by itself: $(cat "$log")"
    import -window root "$work/during.png" 2>/dev/null || continue
    shown=$(changed_count "$work/during.png" "$primary")
    [ "$shown" -gt $(( 1024 * 768 / 2 )) ] && return 0
  done
  end_saver
  fail "$2: no picture appeared on the primary head within 30 s (changed pixels: $shown)"
}

# end_and_check LABEL: a key press must end the saver with exit code 0.
end_and_check() {
  xdotool key space
  wait_saver 10 || { end_saver; fail "$1: a key did not end the saver"; }
  [ "$saver_code" = 0 ] || fail "$1: exit code $saver_code after a key"
}

small_enough() { [[ $1 =~ ^([0-9]+)x([0-9]+) ]] && [ "${BASH_REMATCH[1]}" -le 1024 ] && [ "${BASH_REMATCH[2]}" -le 768 ]; }

watch_saver "$scr" "spanning saver"
marker=$(( $(marker_pixels "$work/during.png" "$primary") + $(marker_pixels "$work/during.png" "$second") ))
off_dim=$(changed_count "$work/during.png" "$second")
box=$(picture_box "$work/during.png")
[ "$marker" = 0 ] || fail "$marker pixels of the live window still show"
[ "$off_dim" = 0 ] || fail "$off_dim pixels of the second head are not the dimmed desktop"
small_enough "$box" || fail "the primary head differs from the dimmed desktop in $box, not in one picture box"
end_and_check "spanning saver"
echo "spanning saver: all $(area "$second") pixels of the second head show the dimmed desktop, none the live" \
     "window; the primary head differs from the dimmed desktop only in the picture box $box; exit code 0"

# The spanning surfaces cannot be had: the first compatible bitmap is the spanning work
# surface, the first section the scene's front picture.
for call in CreateCompatibleBitmap CreateDIBSection; do
  SLIDE_FAIL="$call:1" watch_saver "$stress" "$call fails"
  grep -q "^fail $call 1\$" "$log" || fail "$call fails: the planned failure never happened"
  marker=$(marker_pixels "$work/during.png" "$second")
  box=$(picture_box "$work/during.png")
  [ "$marker" -gt $(( $(area "$second") * 9 / 10 )) ] ||
    fail "$call fails: the primary head alone was to be covered, but the second shows $marker live pixels"
  small_enough "$box" || fail "$call fails: the primary head differs from the dimmed desktop in $box"
  end_and_check "$call fails"
  for field in gdi dc windowdc keys unknown; do
    [ "$(exit_field "$log" $field)" = 0 ] || fail "$call fails: $field left at exit: $(exit_line "$log")"
  done
  echo "$call fails for the spanning surfaces: the primary head alone is covered (picture box $box)," \
       "the second head still shows $marker live pixels; exit code 0, nothing left behind"
done
echo "two monitors: every head covered, pictures on the primary head only"
