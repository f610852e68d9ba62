#!/usr/bin/env bash
# export-command.sh [RUNS]: times the whole --export-audio command (project read, render, WAV
# written and synced) for a 30-minute session with one binaural track (260 Hz, 8 Hz, 50 %) and
# one with a binaural, a white-noise and a 128 kbit/s MP3 track, RUNS times each (default 10),
# and prints the median wall time and multiple of real time. The output file is removed before
# every run, so no run pays for replacing the last one.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${UMBRASCOPE:-$top/build/app/umbrascope}
runs=${1:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -q -n -r 44100 -c 2 "$work/music.wav" synth 30 sine 440 sine 550 tremolo 3 60
lame --quiet -b 128 "$work/music.wav" "$work/music.mp3"
echo '{"SessionLength": 1800000, "StartValues": {"Waves": [".&01%8@260@50"]}}' > "$work/one.json"
echo '{"SessionLength": 1800000, "StartValues": {"Waves": [".&01%8@260@30", ".&03%0@20", "'"$work"'/music.mp3"]}}' > "$work/three.json"
for session in one three; do
  "$program" --import-json "$work/$session.json" "$work/$session.usp" > /dev/null
  times=()
  for ((i = 0; i < runs; ++i)); do
    rm -f "$work/out.wav"
    start=$(date +%s.%N)
    "$program" --export-audio "$work/$session.usp" "$work/out.wav" > /dev/null
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc)")
  done
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}')
  printf '%-6s median %.3f s of %d runs (%s), %.0f x real time\n' "$session" "$median" "$runs" \
    "$(printf '%s ' "${times[@]}" | sed 's/ $//')" "$(echo "1800 / $median" | bc -l)"
done
