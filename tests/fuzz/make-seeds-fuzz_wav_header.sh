#!/usr/bin/env bash
# make-seeds-fuzz_wav_header.sh CORPUS_DIR BUILD_DIR: short WAV files of every layout the
# player knows, made with sox.
set -euo pipefail
corpus=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -R -n -r 22050 -c 1 -b 8 "$corpus/u8.wav" synth 0.05 sine 440
sox -R -n -r 44100 -c 2 -b 16 "$corpus/s16.wav" synth 0.05 sine 440
sox -R -n -r 44100 -c 2 -b 24 "$corpus/s24.wav" synth 0.05 sine 440
sox -R -n -r 8000 -c 1 -e u-law "$corpus/ulaw.wav" synth 0.05 sine 300
sox -R -n -r 8000 -c 6 -b 16 "$corpus/six.wav" synth 0.02 sine 300
# One chunk between the format and the data chunk.
{ head -c 36 "$corpus/s16.wav"; printf 'LIST\x0c\x00\x00\x00INFOICMT\x00\x00\x00\x00'; tail -c +37 "$corpus/s16.wav"; } > "$corpus/list.wav"
