#!/usr/bin/env bash
# make-seeds-fuzz_mp3_decode.sh CORPUS_DIR BUILD_DIR: short MP3 files of the kinds the player
# meets, made with sox and lame (and one Layer II file from twolame).
set -euo pipefail
corpus=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -R -n -r 44100 -c 2 -b 16 "$work/stereo.wav" synth 0.3 sine 440 sine 550
sox -R -n -r 44100 -c 1 -b 16 "$work/mono.wav" synth 0.3 sine 500
sox -R -n -r 22050 -c 2 -b 16 "$work/low.wav" synth 0.3 sine 400
lame --quiet -b 128 --cbr "$work/stereo.wav" "$corpus/cbr128.mp3"
lame --quiet -m m -b 64 "$work/mono.wav" "$corpus/mono.mp3"
lame --quiet -b 32 "$work/low.wav" "$corpus/mpeg2.mp3"
lame --quiet -V 4 --add-id3v2 --tt Seed "$work/stereo.wav" "$corpus/vbr-id3.mp3"
twolame --quiet -b 128 "$work/stereo.wav" "$corpus/layer2.mp2"
