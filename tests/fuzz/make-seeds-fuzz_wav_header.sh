#!/usr/bin/env bash
# make-seeds-fuzz_wav_header.sh CORPUS_DIR BUILD_DIR: the WAV files the sound file tests play
# (made by the fixture script), cut to 16 KB to keep runs quick, and a six-channel file.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
corpus=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/tests/fixtures/make-sound-fixtures.sh" "$work" > /dev/null
for file in "$work"/*.wav; do
  head -c 16384 "$file" > "$corpus/$(basename "$file")"
done
sox -R -n -r 8000 -c 6 -b 16 "$corpus/six.wav" synth 0.02 sine 300
