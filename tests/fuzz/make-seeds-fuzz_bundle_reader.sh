#!/usr/bin/env bash
# make-seeds-fuzz_bundle_reader.sh CORPUS_DIR BUILD_DIR: recipes for the fuzz target: the built
# session intact, with an index byte changed and its checksum made right, and cut short.
set -euo pipefail
corpus=$1
printf '\x00\x00' > "$corpus/intact"
printf '\x00\x01\x40\x00\x07' > "$corpus/index-changed"
printf '\x0a\x00' > "$corpus/cut"
