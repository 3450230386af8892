#!/usr/bin/env bash
# Usage: bench/display_loop_bench.sh WIN_BUILD_DIR [SECONDS_PER_SIZE]
# Runs the display loop measurement on a 1024x768 and a 1920x1080 Wine desktop, and on one of
# 3200x2400 scaled to 200 % (in a prefix of its own, where the pictures are 2048x1536), the
# time per size split evenly over the three effects, and prints each run's figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: display_loop_bench.sh WIN_BUILD_DIR [SECONDS_PER_SIZE]}
seconds=${2:-60}
exe="$build/display_loop_bench.exe"
[ -f "$exe" ] || { echo "build it first: make win TARGET=display_loop_bench" >&2; exit 1; }
per_effect=$((seconds / 3))
runs="1024x768:96 1920x1080:96 3200x2400:192"
for run in $runs; do
  size=${run%:*} dpi=${run#*:} prefix=$build
  # The scaled desktop has the prefix that make wintest-scaled uses.
  [ "$dpi" = 96 ] || prefix=$(dirname "$build")/scaled
  # The figures depend on what else the machine runs: say how busy it was.
  echo "load average before $size at $dpi dpi: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) processors"
  "$here/../tools/with-wine-display.sh" "$prefix" "$size" -- "$here/../tools/with-scale.sh" "$dpi" -- bash -c '
    for effect in 0 1 2; do wine "$0" "$1" "$effect" 60 </dev/null; done' "$exe" "$per_effect"
done
