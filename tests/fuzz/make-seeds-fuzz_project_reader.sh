#!/usr/bin/env bash
# make-seeds-fuzz_project_reader.sh CORPUS BUILD: projects made from the JSON fixtures and the
# golden export sessions, and a file of the magic alone.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
corpus=$1
build=$2
for json in "$top"/tests/fixtures/projects/*.json "$top"/tests/golden/*.json; do
  "$build/app/umbrascope" --import-json "$json" "$corpus/$(basename "$json" .json).usp"
done
printf 'USP 4.1 ' > "$corpus/magic-only.usp"
