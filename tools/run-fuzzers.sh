#!/usr/bin/env bash
# Usage: run-fuzzers.sh FUZZ_BUILD_DIR SEED_DIR SECONDS
# Runs every libFuzzer target of the fuzz build for a bounded time (the picture decoder for
# SECONDS from the generated pictures as seeds, the others for half as long); any crash,
# leak or sanitizer report fails the run.
set -euo pipefail
build=${1:?} seeds=${2:?} seconds=${3:?}
found=0
for fuzzer in "$build"/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  found=1
  name=$(basename "$fuzzer")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  budget=$((seconds / 2))
  case "$name" in *jpeg*)
    cp -n "$seeds"/*.jpg "$corpus"/ 2>/dev/null || true
    budget=$seconds ;;
  esac
  echo "== $name: ${budget}s"
  "$fuzzer" -max_total_time="$budget" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
    "$corpus" 2>"$build/$name.log" || { tail -60 "$build/$name.log"; echo "$name FAILED"; exit 1; }
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' "$build/$name.log" || true
done
[ "$found" = 1 ] || { echo "no fuzzer was built" >&2; exit 1; }
