#!/usr/bin/env bash
# Usage: bench/desktop_bench.sh WIN_BUILD_DIR [REPETITIONS]
# Makes a 3840x2160 JPEG wallpaper and times drawing the desktop from it on a 1920x1080 screen
# beside a plain decode of the file, under Wine; prints the table.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: desktop_bench.sh WIN_BUILD_DIR [REPETITIONS]}
repetitions=${2:-15}
exe="$build/desktop_bench.exe"
[ -f "$exe" ] || { echo "build it first: make win TARGET=desktop_bench" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A photograph-like picture: smooth gradients under fine noise, which JPEG cannot compress away.
convert -size 3840x2160 gradient:'#204080-#e0a040' \( -size 3840x2160 xc:gray50 +noise Gaussian \) \
  -compose overlay -composite -quality 90 "$work/wallpaper.jpg"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) processors"
"$here/../tools/with-wine-display.sh" "$build" -- \
  bash -c 'wine "$1" "$(winepath -w "$2")" 1920 1080 "$3" </dev/null' _ "$exe" "$work/wallpaper.jpg" "$repetitions"
