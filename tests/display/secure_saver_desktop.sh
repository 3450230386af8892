#!/usr/bin/env bash
# Usage: secure_saver_desktop.sh SLIDE_SCR CHANGE_MODE_EXE   (inside tools/with-wine-display.sh at 1600x1200)
# The saver on a desktop named "Screen-saver", as Windows starts it on its secure desktop,
# whose snapshot shows nothing of the user's desktop. A Notepad window is open there and the
# user's wallpaper is a PNG without an extension, centred, larger than the picture. While the
# saver runs at brightness 4 (level 16 of 32), every pixel off the one picture must be the
# wallpaper centred over the background colour, each byte halved: none of Notepad, nor the
# plain colour that the desktop itself shows. After a display change the same holds for the
# new size. A key ends the saver with exit code 0. Given the stress build with SLIDE_SEAM_LOG
# set, the run must also give back every handle it took.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../stress/saver_run.sh"
scr=${1:?usage: secure_saver_desktop.sh SLIDE_SCR CHANGE_MODE_EXE} change_mode=${2:?}
size=$(xdpyinfo | awk '/dimensions:/ {print $2; exit}')
width=${size%x*} height=${size#*x}
desktop="Screen-saver,$size"
key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
desk='HKCU\Control Panel\Desktop'
background='rgb(58,110,165)'   # the prefix's desktop colour (tools/wine-env.sh)
work=$(mktemp -d)
note_pid= mode_pid=
# The desktop values this test sets, each as the prefix had it ("-" when it had none).
saved_values=()
for name in Wallpaper WallpaperStyle TileWallpaper; do
  value=$(wine reg query "$desk" /v "$name" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$name *REG_SZ *//p")
  wine reg query "$desk" /v "$name" >/dev/null 2>&1 || value=-
  saved_values+=("$name" "$value")
done
cleanup() {
  [ -n "$note_pid" ] && kill "$note_pid" 2>/dev/null
  [ -n "$mode_pid" ] && kill "$mode_pid" 2>/dev/null
  wine reg delete "$key" /f >/dev/null 2>&1
  local i
  for ((i = 0; i < ${#saved_values[@]}; i += 2)); do
    if [ "${saved_values[i + 1]}" = - ]; then
      wine reg delete "$desk" /v "${saved_values[i]}" /f >/dev/null 2>&1
    else
      wine reg add "$desk" /v "${saved_values[i]}" /t REG_SZ /d "${saved_values[i + 1]}" /f >/dev/null 2>&1
    fi
  done
  # The Screen-saver desktop goes with its last program; the next test needs the screen.
  for _ in $(seq 1 50); do
    pgrep -f 'desktop=Screen-saver' >/dev/null || break
    sleep 0.2
  done
  rm -rf "$work"
}
trap cleanup EXIT
[ -z "${SLIDE_SEAM_LOG:-}" ] || : > "$SLIDE_SEAM_LOG"

# The wallpaper: colours that change at every pixel in both directions, so that a shift by
# one pixel shows; centred, it leaves a band of the background colour all round.
wall_w=$((width - 200)) wall_h=$((height - 200))
convert -size "${wall_w}x${wall_h}" xc: -channel R -fx 'i/w' -channel G -fx 'j/h' \
  -channel B -fx '((i*7+j*13)%32)/31' +channel -depth 8 "PNG24:$work/wallpaper" ||
  fail "the wallpaper could not be made"
wine reg add "$key" /v Brightness /t REG_DWORD /d 4 /f >/dev/null 2>&1
wine reg add "$desk" /v Wallpaper /t REG_SZ /d "$(winepath -w "$work/wallpaper")" /f >/dev/null 2>&1
wine reg add "$desk" /v WallpaperStyle /t REG_SZ /d 0 /f >/dev/null 2>&1
wine reg add "$desk" /v TileWallpaper /t REG_SZ /d 0 /f >/dev/null 2>&1
# What the saver must show off its picture: the wallpaper centred over the colour, halved.
convert -size "$size" "xc:$background" "$work/wallpaper" -geometry +100+100 -composite \
  -evaluate RightShift 1 -depth 8 "$work/expected.png"

# changed IMAGE FORMAT [DRAW]: of the pixels that differ from REFERENCE (the expected screen
# unless told), the count (%[fx:...]) or the bounding box WxH+X+Y with a border of 1 (%@).
changed() {
  convert "${reference:-$work/expected.png}" "$1" -compose difference -composite -separate \
    -evaluate-sequence max -threshold 0 ${3:+-fill black -draw "$3"} -bordercolor black -border 1 \
    -precision 16 -format "$2" info:
}

# Notepad on the secure desktop, before the saver, with a note of its own to find its process
# by (the process whose command starts with Notepad, not explorer's that names it).
convert -size "$size" "xc:$background" "$work/plain.png"
printf 'Another window on the screen-saver desktop\r\n' > "$work/secure-note.txt"
wine explorer "/desktop=$desktop" notepad "$(winepath -w "$work/secure-note.txt")" </dev/null >/dev/null 2>&1 &
shown=0
for _ in $(seq 1 100); do
  sleep 0.2
  note_pid=$(pgrep -f '^[^ ]*notepad[^ ]* .*secure-note' | head -1)
  [ -n "$note_pid" ] || continue
  import -window root "$work/before.png" 2>/dev/null || continue
  # The desktop shows its plain colour, and Notepad's window covers part of it.
  shown=$(reference="$work/plain.png" changed "$work/before.png" '%[fx:round(mean*w*h)]')
  [ "$shown" -gt 20000 ] && [ "$shown" -lt $((width * height * 9 / 10)) ] && break
done
[ "$shown" -gt 20000 ] && [ "$shown" -lt $((width * height * 9 / 10)) ] ||
  fail "the Screen-saver desktop did not show its colour with Notepad over it ($shown pixels differ from the colour)"
echo "before the saver: the Screen-saver desktop shows its plain colour, no wallpaper, and Notepad over $shown pixels"

# The saver on the same desktop; explorer always returns 0, so a batch file keeps its code.
cat > "$work/run.bat" <<BAT
@"$(winepath -w "$scr")" /s
@echo %ERRORLEVEL%> "$(winepath -w "$work/code.txt")"
BAT
wine explorer "/desktop=$desktop" cmd /c "$(winepath -w "$work/run.bat")" </dev/null >/dev/null 2>&1 &
# check_held EXPECTED LABEL: waits (at most 40 s) until the screen, cut to EXPECTED's size,
# holds one picture, then every pixel off that picture must be EXPECTED's.
check_held() {
  local expected=$1 label=$2 previous= held=0 i count box w h x y outside
  local area
  area=$(identify -format '%wx%h+0+0' "$expected")
  for i in $(seq 1 40); do
    sleep 1
    import -window root "$work/screen.png" 2>/dev/null || continue
    convert "$work/screen.png" -crop "$area" +repage "$work/now$i.png"
    if [ -n "$previous" ] && compare -metric AE "$previous" "$work/now$i.png" null: 2>/dev/null; then
      count=$(reference=$expected changed "$work/now$i.png" '%[fx:round(mean*w*h)]')
      [ "$count" -gt $((1024 * 768 / 2)) ] && [ "$count" -le $((1024 * 768)) ] && held=1 && break
    fi
    previous=$work/now$i.png
  done
  [ "$held" = 1 ] || { xdotool key space; fail "$label: no picture was held over the drawn desktop within 40 s"; }
  box=$(reference=$expected changed "$work/now$i.png" '%@')
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "$label: no picture box in $box"
  w=$((BASH_REMATCH[1])) h=$((BASH_REMATCH[2])) x=$((BASH_REMATCH[3] - 1)) y=$((BASH_REMATCH[4] - 1))
  [ "$w" -le 1024 ] && [ "$h" -le 768 ] ||
    fail "$label: the screen differs from the drawn desktop in ${w}x${h}, not in one picture"
  outside=$(reference=$expected changed "$work/now$i.png" '%[fx:round(mean*w*h)]' \
    "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
  [ "$outside" = 0 ] || fail "$label: $outside pixels off the picture are not the dimmed wallpaper over the colour"
  echo "$label: every pixel of $area off the picture box ${w}x${h}+$x+$y is the wallpaper centred over" \
       "the background, halved; none shows Notepad"
}
check_held "$work/expected.png" "saver"

# A display change there: the saver draws the desktop anew for the new size, where the
# wallpaper, now larger than the screen, is centred and cropped.
small_w=$((width * 4 / 5)) small_h=$((height * 4 / 5))
convert -size "${small_w}x${small_h}" "xc:$background" "$work/wallpaper" \
  -geometry "$(printf '%+d%+d' $(((small_w - wall_w) / 2)) $(((small_h - wall_h) / 2)))" -composite \
  -evaluate RightShift 1 -depth 8 "$work/expected-small.png"
wine explorer "/desktop=$desktop" "$(winepath -w "$change_mode")" 20 "$small_w" "$small_h" </dev/null >/dev/null 2>&1 &
for _ in $(seq 1 50); do
  mode_pid=$(pgrep -f '^[^ ]*change_mode[^ ]* 20 ' | head -1)
  [ -n "$mode_pid" ] && break
  sleep 0.1
done
check_held "$work/expected-small.png" "after a change to ${small_w}x${small_h}"

[ ! -e "$work/code.txt" ] || fail "the batch file did not wait for the saver"
xdotool key space
for _ in $(seq 1 100); do
  [ -s "$work/code.txt" ] && break
  sleep 0.1
done
code=$(tr -d '\r\n ' < "$work/code.txt" 2>/dev/null)
[ "$code" = 0 ] || fail "a key did not end the saver with exit code 0 (code: '${code:-none}')"
echo "a key ended the saver with exit code 0"
if [ -n "${SLIDE_SEAM_LOG:-}" ]; then
  for _ in $(seq 1 50); do
    [ -n "$(exit_line "$SLIDE_SEAM_LOG")" ] && break
    sleep 0.1
  done
  for field in gdi dc windowdc keys unknown; do
    [ "$(exit_field "$SLIDE_SEAM_LOG" $field)" = 0 ] || fail "$field left at exit: $(exit_line "$SLIDE_SEAM_LOG")"
  done
  echo "every handle the run took was given back once"
fi
