#!/usr/bin/env bash
# Usage: damaged_pictures.sh SLIDE_DAMAGED_SCR
# Pictures cut short, overwritten, empty, not pictures at all, or missing: the saver keeps
# going through its transitions (to the bare backdrop where nothing decodes), never shows the
# same picture twice in a row, ends with 0 and gives back every handle.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/saver_run.sh"
scr=${1:?}
log=$(mktemp)
key='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
trap 'rm -f "$log"; wine reg delete "$key" /f >/dev/null 2>&1' EXIT

wine reg add "$key" /v Wait /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$key" /v FadeType /t REG_DWORD /d 2 /f >/dev/null 2>&1
start_saver "$log" "$scr" /s
wait_saver 15 && fail "the saver ended by itself (code $saver_code): $(tail -3 "$log")"
end_saver || fail "the saver did not end on input"
[ "$saver_code" = 0 ] || fail "exit code $saver_code"

# A picture that fails to load is looked up twice by one preparation (load, then the draw
# tries once more); lookups of one picture within 300 ms are that one preparation, since
# the next preparation is at least a whole transition (1.2 s) later.
pictures=$(awk '/^picture / { split($7, t, "="); if ($2 != id || t[2] - at > 300) print $2; id = $2; at = t[2] }' "$log")
count=$(wc -l <<<"$pictures")
[ "$count" -ge 8 ] || fail "only $count pictures were prepared in 15 s"
repeats=$(uniq -d <<<"$pictures" | wc -l)
[ "$repeats" = 0 ] || fail "a picture followed itself: $(tr '\n' ' ' <<<"$pictures")"
for field in gdi dc windowdc keys unknown; do
  [ "$(exit_field "$log" $field)" = 0 ] || fail "$field left at exit: $(exit_line "$log")"
done
echo "damaged pictures: $count prepared ($(tr '\n' ' ' <<<"$pictures")), no repeats, exit 0, nothing left behind"
