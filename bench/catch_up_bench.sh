#!/usr/bin/env bash
# Usage: bench/catch_up_bench.sh WIN_BUILD_DIR [EFFECTS]
# Times one Advance of the most frames a tick carries under Wine and prints its table.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: catch_up_bench.sh WIN_BUILD_DIR [EFFECTS]}
exe="$build/catch_up_bench.exe"
[ -f "$exe" ] || { echo "build it first: make win TARGET=catch_up_bench" >&2; exit 1; }
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) processors"
"$here/../tools/with-wine-display.sh" "$build" -- wine "$exe" ${2:-} </dev/null
