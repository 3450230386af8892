#!/usr/bin/env bash
# Usage: soak.sh SLIDE_STRESS_SCR TRANSITIONS [CHANGE_MODE_EXE]   (inside the Wine harness, at 1920x1080)
# Runs the saver with a hold time of 0 once per effect through TRANSITIONS transitions, ends it
# with a key press and checks: exit code 0, never the same picture twice in a row, and from the
# 10th transition to the last its private memory and its live GDI objects stay flat. With
# CHANGE_MODE_EXE, one more Fade run switches the display mode between 1280x1024 and the start
# size every 20 transitions; there memory must stay flat among the transitions at each size.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/saver_run.sh"
scr=${1:?} transitions=${2:?} change_mode=${3:-}
size=$(xdpyinfo | awk '/dimensions:/ {print $2; exit}')
log=$(mktemp)
key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
trap 'rm -f "$log"; wine reg delete "$key" /f >/dev/null 2>&1; [ -z "$change_mode" ] || wine "$change_mode" ${size/x/ }' EXIT
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
[ -z "$change_mode" ] && { echo "soak: $transitions transitions per effect at $size, memory and GDI objects flat"; exit 0; }

# Fade, with the mode changed every 20 transitions. Pictures shown again in the new layout
# count as transitions here, so no order is checked.
modes=("1280 1024" "${size/x/ }")
wine reg add "$key" /v FadeType /t REG_DWORD /d 0 /f >/dev/null 2>&1
start_saver "$log" "$scr" /s
changes=0
for _ in $(seq 1 $((transitions * 3 + 30))); do
  shown=$(grep -c '^picture ' "$log")
  [ "$shown" -gt "$transitions" ] && break
  kill -0 "$saver_pid" 2>/dev/null || break
  if [ "$shown" -ge $(((changes + 1) * 20)) ]; then
    changes=$((changes + 1))
    echo "change $changes at transition $shown" >>"$log"
    wine "$change_mode" ${modes[$(((changes - 1) % 2))]} || fail "mode change $changes was refused"
  fi
  sleep 1
done
end_saver || fail "mode changes: the saver did not end on input"
[ "$saver_code" = 0 ] || fail "mode changes: exit code $saver_code"
[ "$changes" -ge 2 ] || fail "mode changes: only $changes changes"
# Each transition's line is tagged with the size it ran at, skipping the first five after a
# change (the rebuild and the redrawn pictures), and the first ten of the run.
tagged=$(awk '/^change / {size = (size + 1) % 2; since = 0; next}
              /^picture / {n++; since++; if (n > 10 && since > 5) print size, $3, $4}' "$log")
printf '%-6s %11s %8s %14s %14s %10s %8s
' size transitions changes 'private low' 'private high' gdi exit
for s in 0 1; do
  lines=$(awk -v s=$s '$1 == s' <<<"$tagged")
  [ -n "$lines" ] || fail "mode changes: no steady transitions at size $s"
  privs=$(awk '{sub("private=", "", $2); print $2}' <<<"$lines" | sort -n)
  low=$(head -1 <<<"$privs") high=$(tail -1 <<<"$privs")
  gdi=$(awk '{print $3}' <<<"$lines" | sort -u | tr '\n' ' ')
  label=$size
  [ $s = 1 ] && label=1280x1024
  printf '%-9s %8d %8d %14d %14d %10s %8s\n' "$label" "$(wc -l <<<"$lines")" "$changes" "$low" "$high" "${gdi// /}" "$saver_code"
  [ $((high - low)) -le "$tolerance" ] || fail "mode changes at $label: private memory grew from $low to $high"
  [ "$(wc -w <<<"$gdi")" = 1 ] || fail "mode changes at $label: live GDI objects changed: $gdi"
done
for f in gdi dc windowdc keys unknown; do
  [ "$(exit_field "$log" $f)" = 0 ] || fail "mode changes: $f left at exit: $(exit_line "$log")"
done
echo "soak: $transitions transitions per effect at $size, and $changes mode changes; memory and GDI objects flat"
