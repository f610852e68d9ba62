#!/usr/bin/env bash
# run-fuzzers.sh BUILD_DIR: runs every fuzz target briefly from its seed corpus, with the
# dictionary tests/fuzz/<target>.dict where there is one. A crash, a leak or a sanitizer
# report fails the run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/$1
runs=${UMBRASCOPE_FUZZ_RUNS:-20000}
shopt -s nullglob
for target in "$build"/tests/fuzz/fuzz_*; do
  [[ -x "$target" && -f "$target" ]] || continue
  name=$(basename "$target")
  corpus=$(mktemp -d)
  seeder="$top/tests/fuzz/make-seeds-$name.sh"
  [[ -x "$seeder" ]] && "$seeder" "$corpus" "$build"
  options=(-runs="$runs" -max_len=65536 -timeout=10 -rss_limit_mb=2048)
  dictionary="$top/tests/fuzz/$name.dict"
  [[ -f "$dictionary" ]] && options+=(-dict="$dictionary")
  echo "fuzzing $name for $runs runs"
  "$target" "${options[@]}" "$corpus" > "$build/$name.log" 2>&1 ||
    { tail -60 "$build/$name.log"; rm -rf "$corpus"; exit 1; }
  tail -1 "$build/$name.log"
  rm -rf "$corpus"
done
