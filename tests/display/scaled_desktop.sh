#!/usr/bin/env bash
# Usage: scaled_desktop.sh WIN_BUILD_DIR   (inside tools/with-wine-display.sh at 3200x2400)
# The desktop scaled to 200 % (192 dpi) in a prefix of its own. While the saver runs at
# brightness 4 (level 16 of 32), the screen shows one picture of 2048 x 1536, twice its size
# at 100 %, and everywhere else the desktop as it was, each byte halved; a key ends the saver
# with exit code 0. Then the dialog's sample and the About picture must fill their controls.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../stress/saver_run.sh"
win=${1:?usage: scaled_desktop.sh WIN_BUILD_DIR}
key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
work=$(mktemp -d)
trap 'wine reg delete "$key" /f >/dev/null 2>&1; rm -rf "$work"' EXIT

# changed IMAGE FORMAT [DRAW]: of the pixels that differ from the dimmed desktop (DRAW may
# black out a part first), the count (%[fx:...]) or the bounding box WxH+X+Y with a border
# of 1 (%@).
changed() {
  convert "$work/dimmed.png" "$1" -compose difference -composite -separate -evaluate-sequence max \
    -threshold 0 ${3:+-fill black -draw "$3"} -bordercolor black -border 1 -precision 16 -format "$2" info:
}

wine reg add "$key" /v Brightness /t REG_DWORD /d 4 /f >/dev/null 2>&1
import -window root "$work/before.png"
# Level 16 of 32 halves every byte with truncation: a right shift by one.
convert "$work/before.png" -evaluate RightShift 1 -depth 8 "$work/dimmed.png"

# The first picture held: two captures in a row alike, with more than half a picture but
# less than half the screen changed (the desktop before the saver differs everywhere).
start_saver "$work/saver.log" "$win/slide.scr" /s
held=0 previous=
for i in $(seq 1 40); do
  sleep 1
  kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended by itself"
  import -window root "$work/during$i.png" 2>/dev/null || continue
  if [ -n "$previous" ] && compare -metric AE "$previous" "$work/during$i.png" null: 2>/dev/null; then
    count=$(changed "$work/during$i.png" '%[fx:round(mean*w*h)]')
    if [ "$count" -gt $((2048 * 1536 / 2)) ] && [ "$count" -lt $((3200 * 2400 / 2)) ]; then
      held=1
      break
    fi
  fi
  previous=$work/during$i.png
done
[ "$held" = 1 ] || { end_saver; fail "no picture was held on the screen within 40 s"; }
box=$(changed "$work/during$i.png" '%@')
[[ $box =~ ^2048x1536\+([0-9]+)\+([0-9]+)$ ]] || { end_saver; fail "the picture takes $box, not 2048x1536"; }
x=$((BASH_REMATCH[1] - 1)) y=$((BASH_REMATCH[2] - 1))
box="2048x1536+$x+$y"
outside=$(changed "$work/during$i.png" '%[fx:round(mean*w*h)]' "rectangle $x,$y $((x + 2047)),$((y + 1535))")
[ "$outside" = 0 ] || { end_saver; fail "$outside pixels around the picture are not the dimmed desktop"; }
xdotool key space
wait_saver 10 || { end_saver; fail "a key did not end the saver"; }
[ "$saver_code" = 0 ] || fail "exit code $saver_code after a key"
echo "200 %: the picture takes $box over the exactly dimmed desktop; a key ended the saver with exit code 0"

wine "$win/win_settings_tests.exe" --gtest_filter='ScaledDialog.*' --gtest_brief=1 </dev/null 2>&1 | tr -d '\r' | tee "$work/dialog.txt"
grep -q '^\[  PASSED  \] 1 test' "$work/dialog.txt" || fail "the dialog's pictures do not fill their controls at 200 %"
