#!/usr/bin/env bash
# Usage: soak.sh SLIDE_STRESS_SCR TRANSITIONS   (inside the Wine harness, at 1920x1080)
# Runs the saver with a hold time of 0 once per effect through TRANSITIONS transitions, ends it
# with a key press and checks: exit code 0, never the same picture twice in a row, and from the
# 10th transition to the last its private memory and its live GDI objects stay flat.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/saver_run.sh"
scr=${1:?} transitions=${2:?}
log=$(mktemp)
key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
trap 'rm -f "$log"; wine reg delete "$key" /f >/dev/null 2>&1' EXIT
# Memory may wobble by the allocator's granularity; a leak of one picture (2.3 MB) may not.
tolerance=$((512 * 1024))
names=(Fade Shade Block)
printf '%-6s %11s %8s %9s %14s %14s %10s %8s\n' effect transitions seconds repeats 'private@10' 'private@last' 'gdi 10..last' 'exit'

for effect in 0 1 2; do
  wine reg add "$key" /v Wait /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$key" /v FadeType /t REG_DWORD /d $effect /f >/dev/null 2>&1
  start_saver "$log" "$scr" /s
  limit=$((transitions * 3 + 30))
  for _ in $(seq 1 "$limit"); do
    [ "$(grep -c '^picture ' "$log")" -gt "$transitions" ] && break
    kill -0 "$saver_pid" 2>/dev/null || break
    sleep 1
  done
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
echo "soak: $transitions transitions per effect at $(xdpyinfo | awk '/dimensions:/ {print $2; exit}'), memory and GDI objects flat"
