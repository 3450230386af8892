#!/usr/bin/env bash
# Usage: bench/jpeg_bench.sh WIN_BUILD_DIR [ROUNDS]
# Runs the picture decode comparison under Wine and prints its table.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: jpeg_bench.sh WIN_BUILD_DIR [ROUNDS]}
rounds=${2:-6}
exe="$build/jpeg_bench.exe"
[ -f "$exe" ] || { echo "build it first: make win TARGET=jpeg_bench" >&2; exit 1; }
# The figures depend on what else the machine runs: say how busy it was.
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) processors"
"$here/../tools/with-wine-display.sh" "$build" -- wine "$exe" "$rounds" </dev/null
