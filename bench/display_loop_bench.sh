#!/usr/bin/env bash
# Usage: bench/display_loop_bench.sh WIN_BUILD_DIR [SECONDS_PER_SIZE]
# Runs the display loop measurement on a 1024x768 and a 1920x1080 Wine desktop, the time
# per size split evenly over the three effects, and prints each run's figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: display_loop_bench.sh WIN_BUILD_DIR [SECONDS_PER_SIZE]}
seconds=${2:-60}
exe="$build/display_loop_bench.exe"
[ -f "$exe" ] || { echo "build it first: make win TARGET=display_loop_bench" >&2; exit 1; }
per_effect=$((seconds / 3))
for size in 1024x768 1920x1080; do
  # The figures depend on what else the machine runs: say how busy it was.
  echo "load average before $size: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) processors"
  "$here/../tools/with-wine-display.sh" "$build" "$size" -- bash -c '
    for effect in 0 1 2; do wine "$0" "$1" "$effect" 60 </dev/null; done' "$exe" "$per_effect"
done
