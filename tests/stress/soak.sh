#!/usr/bin/env bash
# Usage: soak.sh SLIDE_STRESS_SCR TRANSITIONS [CHANGE_MODE_EXE]   (inside the Wine harness, at 1920x1080)
# Runs the saver with a hold time of 0 once per effect through TRANSITIONS transitions, ends it
# with a key press and checks: exit code 0, never the same picture twice in a row, and from the
# 10th transition to the last its private memory and its live GDI objects stay flat. With
# CHANGE_MODE_EXE, one more Fade run changes the display mode about every 20 transitions (25 s),
# between 1280x1024 and the start size, four times; memory must stay flat at each size.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/saver_run.sh"
scr=${1:?} transitions=${2:?} change_mode=${3:-}
size=$(xdpyinfo | awk '/dimensions:/ {print $2; exit}')
log=$(mktemp)
key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
trap 'rm -f "$log"; wine reg delete "$key" /f >/dev/null 2>&1' EXIT
# Memory may wobble by the allocator's granularity; a leak of one picture (2.3 MB) may not.
tolerance=$((512 * 1024))
names=(Fade Shade Block)
printf '%-6s %11s %8s %9s %14s %14s %10s %8s\n' effect transitions seconds repeats 'private@10' 'private@last' 'gdi 10..last' 'exit'

# Waits, a second at a time and at most the given number of seconds, until the saver has
# begun more than the asked-for transitions or has ended.
await_transitions() {
  for _ in $(seq 1 "$1"); do
    [ "$(grep -c '^picture ' "$log")" -gt "$transitions" ] && return
    kill -0 "$saver_pid" 2>/dev/null || return
    sleep 1
  done
}

for effect in 0 1 2; do
  wine reg add "$key" /v Wait /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$key" /v FadeType /t REG_DWORD /d $effect /f >/dev/null 2>&1
  start_saver "$log" "$scr" /s
  await_transitions $((transitions * 3 + 30))
  end_saver || fail "${names[$effect]}: the saver did not end on input"
  [ "$saver_code" = 0 ] || fail "${names[$effect]}: exit code $saver_code"

  lines=$(grep '^picture ' "$log")
  count=$(($(wc -l <<<"$lines") - 1))
  [ "$count" -ge "$transitions" ] || fail "${names[$effect]}: only $count transitions"
  ids=$(awk '{print $2}' <<<"$lines")
  repeats=$(uniq -d <<<"$ids" | wc -l)
  [ "$repeats" = 0 ] || fail "${names[$effect]}: a picture followed itself"
  field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
  steady=$(sed -n '11,$p' <<<"$lines")
  first=$(head -1 <<<"$steady") last=$(tail -1 <<<"$steady")
  low=$(for l in $(awk '{print $3}' <<<"$steady"); do echo "${l#private=}"; done | sort -n | head -1)
  high=$(for l in $(awk '{print $3}' <<<"$steady"); do echo "${l#private=}"; done | sort -n | tail -1)
  gdi=$(awk '{print $4}' <<<"$steady" | sort -u | tr '\n' ' ')
  seconds=$(( ($(field "$last" t) - $(field "$(head -1 <<<"$lines")" t)) / 1000 ))
  printf '%-6s %11d %8d %9d %14d %14d %10s %8s\n' "${names[$effect]}" "$count" "$seconds" "$repeats" \
    "$(field "$first" private)" "$(field "$last" private)" "${gdi// /}" "$saver_code"
  [ $((high - low)) -le "$tolerance" ] || fail "${names[$effect]}: private memory grew from $low to $high"
  [ "$(wc -w <<<"$gdi")" = 1 ] || fail "${names[$effect]}: live GDI objects changed: $gdi"
  for f in gdi dc windowdc keys unknown; do
    [ "$(exit_field "$log" $f)" = 0 ] || fail "${names[$effect]}: $f left at exit: $(exit_line "$log")"
  done
done
[ -z "$change_mode" ] && { echo "soak: $transitions transitions per effect at $size, memory and GDI objects flat"; exit 0; }

# Fade, with the mode changed every 20 transitions. Pictures shown again in the new layout
# count as transitions here, so no order is checked.
wine reg add "$key" /v FadeType /t REG_DWORD /d 0 /f >/dev/null 2>&1
start_saver "$log" "$scr" /s
sleep 25
changes=4
wine "$change_mode" 25 1280 1024 ${size/x/ } 1280 1024 ${size/x/ } || fail "a mode change was refused"
await_transitions 60
end_saver || fail "mode changes: the saver did not end on input"
[ "$saver_code" = 0 ] || fail "mode changes: exit code $saver_code"
# Each transition after the first change as "size private gdi", leaving out the first five
# after each change of size (the rebuild, and the pictures shown again). What a change leaks
# stays behind at every later change, so each size's level must be flat. The level before the
# first change is printed beside them.
steady=$(awk '/^picture / {sub("screen=", "", $8); if ($8 != size) {changed = size != ""; size = $8; since = 0}
              if (changed && ++since > 5) print size, $3, $4}' "$log")
fresh=$(awk '/^picture / {n++; if (n == 10) {sub("private=", "", $3); sub("screen=", "", $8); print $3, $8; exit}}' "$log")
echo "before the first change: private ${fresh% *} B at ${fresh#* }"
printf '%-10s %11s %8s %14s %14s %10s %8s\n' size transitions changes 'private low' 'private high' gdi exit
for at in $(awk '{print $1}' <<<"$steady" | sort -u); do
  lines=$(awk -v s="$at" '$1 == s' <<<"$steady")
  privs=$(awk '{sub("private=", "", $2); print $2}' <<<"$lines" | sort -n)
  low=$(head -1 <<<"$privs") high=$(tail -1 <<<"$privs")
  gdi=$(awk '{print $3}' <<<"$lines" | sort -u | tr '\n' ' ')
  printf '%-10s %11d %8d %14d %14d %10s %8s\n' "$at" "$(wc -l <<<"$lines")" "$changes" "$low" "$high" "${gdi// /}" "$saver_code"
  [ $((high - low)) -le "$tolerance" ] || fail "mode changes at $at: private memory grew from $low to $high"
  [ "$(wc -w <<<"$gdi")" = 1 ] || fail "mode changes at $at: live GDI objects changed: $gdi"
done
[ "$(awk '{print $1}' <<<"$steady" | sort -u | wc -l)" = 2 ] || fail "mode changes: not seen at two sizes"
for f in gdi dc windowdc keys unknown; do
  [ "$(exit_field "$log" $f)" = 0 ] || fail "mode changes: $f left at exit: $(exit_line "$log")"
done
echo "soak: $transitions transitions per effect at $size, and $changes mode changes; memory and GDI objects flat"
