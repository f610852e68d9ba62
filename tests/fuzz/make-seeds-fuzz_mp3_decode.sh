#!/usr/bin/env bash
# make-seeds-fuzz_mp3_decode.sh CORPUS_DIR BUILD_DIR: the MPEG files the sound file tests play
# (made by the fixture script), cut to 16 KB to keep runs quick, and a VBR file with a tag.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
corpus=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/tests/fixtures/make-sound-fixtures.sh" "$work" > /dev/null
for file in "$work"/*.mp3 "$work"/*.mp2; do
  head -c 16384 "$file" > "$corpus/$(basename "$file")"
done
sox -R -n -r 44100 -c 2 -b 16 "$work/stereo.wav" synth 0.3 sine 440 sine 550
lame --quiet -V 4 --add-id3v2 --tt Seed "$work/stereo.wav" "$corpus/vbr-id3.mp3"
