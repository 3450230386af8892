#!/usr/bin/env bash
# Usage: failing_rebuild.sh SLIDE_STRESS_SCR CHANGE_MODE_EXE   (inside the Wine harness)
# The display mode changes while the saver holds its first picture, and the n-th section
# created after the start fails, for the first few n in turn. A rebuild that cannot have its
# surfaces must end the saver by itself with exit code 0; every run gives back every handle.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/saver_run.sh"
scr=${1:?} change_mode=${2:?}
log=$(mktemp)
key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
size=$(xdpyinfo | awk '/dimensions:/ {print $2; exit}')
width=${size%x*} height=${size#*x}
# A fifth smaller each way, held for two seconds; then the mode is set back, since Wine does not
# always give it back when the changing process ends, and a notice of an unchanged screen is
# not followed.
smaller="2 $((width * 4 / 5)) $((height * 64 / 75)) $width $height"
trap 'rm -f "$log"; wine reg delete "$key" /f >/dev/null 2>&1' EXIT
wine reg add "$key" /v Wait /t REG_DWORD /d 30000 /f >/dev/null 2>&1
wine reg add "$key" /v Brightness /t REG_DWORD /d 8 /f >/dev/null 2>&1

# The sections a run has made by the time it holds its first picture.
start_saver "$log" "$scr" /s
sleep 3
end_saver || fail "the saver did not end on input"
made=$(exit_line "$log" | tr ' ,' '\n\n' | sed -n 's/^calls=//; s/^CreateDIBSection://p' | tail -1)
[ -n "$made" ] || fail "no sections counted: $(exit_line "$log")"

ended_alone=0
for n in $(seq $((made + 1)) $((made + 4))); do
  SLIDE_FAIL="CreateDIBSection:$n" start_saver "$log" "$scr" /s
  sleep 3
  wine "$change_mode" $smaller &
  changer=$!
  if wait_saver 4; then
    ended_alone=$((ended_alone + 1))
  else
    end_saver || fail "section #$n: the saver hung after the change"
  fi
  wait "$changer" || fail "the mode cannot be changed here"
  grep -q "^fail CreateDIBSection $n\$" "$log" || fail "section #$n was never asked for after the change"
  [ "$saver_code" = 0 ] || fail "section #$n: exit code $saver_code"
  for field in gdi dc windowdc keys unknown; do
    [ "$(exit_field "$log" $field)" = 0 ] || fail "section #$n: $field left at exit: $(exit_line "$log")"
  done
  echo "section #$n of the run (#$((n - made)) after the change) fails: exit code 0, nothing left behind"
done
[ "$ended_alone" -ge 1 ] || fail "no failed rebuild ended the saver by itself"
echo "a failed rebuild ends the saver with exit code 0 ($ended_alone of 4 runs ended by themselves)"
