#!/usr/bin/env bash
# make-seeds-fuzz_bundle_reader.sh CORPUS_DIR BUILD_DIR: recipes for the fuzz target: the built
# session intact, with an index byte changed and its checksum made right, cut short, with one
# entry's range listed again for another (overlapping) and with two entries' ranges swapped (out
# of order), each with its checksum made right; and with empty entries in bulk, 255 of them and
# 4223 (past the most a bundle may hold).
set -euo pipefail
corpus=$1
printf '\x00\x00' > "$corpus/intact"
printf '\x00\x01\x40\x00\x07' > "$corpus/index-changed"
printf '\x0a\x00' > "$corpus/cut"
printf '\x00\x03\x01\x02' > "$corpus/overlapping"
printf '\x00\x05\x01\x02' > "$corpus/out-of-order"
printf '\x00\x08\xff\x00' > "$corpus/empty-entries"
printf '\x00\x08\xff\xf0' > "$corpus/empty-entries-past-the-bound"
