#!/usr/bin/env bash
# Usage: run-benchmarks.sh BUILD_ROOT
# Runs every benchmark of the project (native kernels, picture decoding, the desktop drawn from
# a wallpaper, the display loop and a short soak under Wine), keeps their full output under
# BUILD_ROOT/bench-results, and prints one table with each figure beside the bound or peer
# measured in the same run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "${1:?usage: run-benchmarks.sh BUILD_ROOT}" && pwd)
win="$root/win" results="$root/bench-results"
mkdir -p "$results"
export BENCH_SECONDS=${BENCH_SECONDS:-60}

echo "== measuring on $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== transition steps";   "$root/bench/transition_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_color=false > "$results/transition.txt" 2>&1
echo "== brightness kernel";  "$root/bench/scale_brightness_bench" --benchmark_color=false > "$results/brightness.txt" 2>&1
# Windows programs end their lines with CR LF; the tables below read plain lines.
echo "== picture decoding";   "$here/../bench/jpeg_bench.sh" "$win" 2>&1 | tr -d '\r' > "$results/jpeg.txt"
echo "== desktop drawing";  "$here/../bench/desktop_bench.sh" "$win" 2>&1 | tr -d '\r' > "$results/desktop.txt"
echo "== display loop";       "$here/../bench/display_loop_bench.sh" "$win" "$BENCH_SECONDS" 2>&1 | tr -d '\r' > "$results/display.txt"
echo "== catch-up";         "$here/../bench/catch_up_bench.sh" "$win" 2>&1 | tr -d '\r' > "$results/catch_up.txt"
# Block with a hold of 0 runs transitions without a pause, until the display goes off.
echo "== display off";      "$here/with-wine-display.sh" "$win" 1920x1080 -- wine "$win/display_loop_bench.exe" 10 2 0 10 </dev/null 2>&1 | tr -d '\r' > "$results/display_off.txt"
echo "== soak";               "$here/with-wine-display.sh" "$win" 1920x1080 -- "$here/../tests/stress/soak.sh" "$win/slide_stress.scr" 15 > "$results/soak.txt" 2>&1

echo
echo "Measured $(date -u '+%Y-%m-%d') on $(nproc) processors ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'))"
echo
echo "| figure | size | measured | bound or peer (same run) | ratio |"
echo "|---|---|---|---|---|"
awk '/multiple of the bound/ { on = 1; next } on && /^size/ { for (i = 4; i <= NF; i++) name[i - 1] = $i; next }
     on && /^[0-9]+x[0-9]+/ { for (i = 3; i <= NF; i++)
       printf "| %s step | %s | %.1f us | stream 2 reads + 1 write: %.1f us | %.2f |\n", name[i], $1, $i * $2, $2, $i }' \
  "$results/transition.txt"
awk '/^ *[0-9]+x[0-9]+ +scale/ { printf "| ScaleBrightness | %s | %.1f us | plain copy: %.1f us | %s |\n", $1, $3, $6, $9 }' \
  "$results/brightness.txt"
awk '/^[0-9]+ +[0-9]+x/ { printf "| JPEG decode, picture %s | %s | %.2f ms (JpegImage::Load) | plain library decode: %.2f ms | %s |\n", $1, $2, $3, $4, $5 }
     /^all pictures/ { printf "| JPEG decode, all six | 1024x768 | %.2f ms | plain library decode: %.2f ms | %s |\n", $3, $4, $5 }
     /^scaled [0-9]+ %/ { printf "| JPEG decode at %s %%, all six | %s | %.2f ms | decode at 100 %% x pixel ratio: %.2f ms | %s |\n", $2, $4, $5, $6, $7 }' \
  "$results/jpeg.txt"
awk '/^drawn desktop/ { printf "| desktop drawn from a 3840x2160 JPEG wallpaper (Fill) | %s | %.2f ms | plain decode of the file: %.2f ms | %s |\n", $3, $4, $5, $6 }' \
  "$results/desktop.txt"
awk '/^display loop/ { size = $3; sub(",", "", size); effect = $5; sub(",", "", effect) }
     /frames after the dim-in/ { printf "| frame rate, %s | %s | %s frames/s | clock pace: 30 | %.3f |\n", effect, size, $10, $10 / 30 }
     /tick-to-tick/ { printf "| frame interval min/median/p95/max, %s | %s | %s / %s / %s / %s ms | frame period: 33.3 ms | %.2f (median) |\n", effect, size, $4, $6, $8, $10, $6 / 33.333 }
     /cpu during hold/ { hold = $5 }
     /cpu during transition/ { printf "| CPU per second, %s | %s | transition %s s/s | hold: %s s/s | %.2f |\n", effect, size, $4, hold, (hold > 0 ? $4 / hold : 0) }
     /repainted pixels per s during hold/ { painthold = $7 }
     /repainted pixels per s during transition/ { whole = $NF; sub(/\)/, "", whole)
       printf "| repainted pixels per second, %s | %s | transition %.0f, hold %.0f | whole screen at 30 frames/s: %.0f | %.3f (transition) |\n", effect, size, $7, painthold, whole, $7 / whole }
     /private memory at the end/ { frame = $(NF - 1); mid = $17
       printf "| private memory at the end / halfway through a transition at most, %s | %s | %.1f / %.1f MB | one 24-bit frame: %.1f MB | %.2f (halfway) |\n", effect, size, $9 / 1e6, mid / 1e6, frame / 1e6, mid / frame }' \
  "$results/display.txt"
awk '/^(Fade|Shade|Block) +[0-9]+x/ { printf "| Advance(65535), %s, hold %s | %s | %.2f ms | one choice + one frame: %.2f ms | %s |\n", $1, $3, $2, $4, $5, $6 }' \
  "$results/catch_up.txt"
awk '/cpu during transition/ { on = $4 }
     /cpu while the display is off/ { printf "| CPU per second while the display is off, Block, hold 0 | 1920x1080 | %s s/s | transitions running: %s s/s | %.3f |\n", $7, on, (on > 0 ? $7 / on : 0) }' \
  "$results/display_off.txt"
awk '/^(Fade|Shade|Block) / { printf "| soak, %s, %s transitions | 1920x1080 | private %d B at the last, GDI objects %s | private %d B at the 10th | %.4f |\n", $1, $2, $6, $7, $5, ($5 > 0 ? $6 / $5 : 0) }' \
  "$results/soak.txt"
echo
echo "Full output of each run: $results"
