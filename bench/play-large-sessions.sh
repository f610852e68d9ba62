#!/usr/bin/env bash
# play-large-sessions.sh: `--play` with sessions that list thousands of tracks, as a damaged or
# hostile project of a few hundred kilobytes may: 5000 start tracks (65 KB); 3000 add-track
# events at one time, 1 s (174 KB); 3000 add-track events 10 ms apart from 1 s on. Each plays
# for 3 s as sound only and with picture (on a virtual X screen); printed are when the 64 tracks
# that may sound at once were all playing, the threads and the resident memory after 3 s, and
# how long the program took to end after SIGTERM. Needs build/ (scripts/build.sh build).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${UMBRASCOPE:-$top/build/app/umbrascope}
work=$(mktemp -d)
source "$top/scripts/pulse.sh"
pulse_start
trap 'pulse_stop; rm -rf "$work"' EXIT
[[ -n "${PULSE_PRIVATE_PID:-}" ]] || { echo "play-large-sessions.sh: no sound server" >&2; exit 1; }

python3 - "$work" <<'PY'
import json, sys
work = sys.argv[1]
def tone(i):
    return ".&04%%%d@0@1" % (100 + i % 900)
def adds(spacing):
    return [{"EventType": "Аудиосопровождение -> Добавить аудиотрек",
             "EventTime": 1000 + spacing * i, "EventValue": tone(i)} for i in range(3000)]
sessions = {"tracks": ([tone(i) for i in range(5000)], []),
            "events": ([], adds(0)), "spread": ([], adds(10))}
for name, (waves, events) in sessions.items():
    with open(f"{work}/{name}.json", "w") as out:
        json.dump({"SessionLength": 300000, "StartValues": {"Waves": waves}, "Events": events},
                  out, ensure_ascii=False)
PY

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# play SESSION [--sound-only]: one line of figures.
play() {
  local session=$1 mode=${2:-}
  local started pid playing="-" threads
  started=$(now_ms)
  if [[ -n "$mode" ]]; then
    "$program" --play "$work/$session.usp" --sound-only 2>/dev/null &
  else
    xvfb-run -a -s "-screen 0 1920x1080x24" "$program" --play "$work/$session.usp" 2>/dev/null &
  fi
  pid=$!
  while (($(now_ms) - started < 3000)); do
    local umbrascope
    umbrascope=$(pgrep -n -f "umbrascope --play $work/$session.usp" || true)
    if [[ "$playing" == "-" && -n "$umbrascope" && -d /proc/$umbrascope/task ]] &&
       (($(ls /proc/"$umbrascope"/task | wc -l) >= 64)); then
      playing=$(($(now_ms) - started))
    fi
    sleep 0.02
  done
  umbrascope=$(pgrep -n -f "umbrascope --play $work/$session.usp")
  threads=$(ls /proc/"$umbrascope"/task | wc -l)
  local rss
  rss=$(awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' /proc/"$umbrascope"/status)
  local signalled
  signalled=$(now_ms)
  kill -TERM "$umbrascope"
  while kill -0 "$umbrascope" 2>/dev/null; do sleep 0.005; done
  local ended=$(($(now_ms) - signalled))
  wait "$pid" || true
  printf '%-8s %-11s 64 tracks after %5s ms   %3d threads   %6s MB   ended %4d ms after SIGTERM\n' \
    "$session" "${mode:-picture}" "$playing" "$threads" "$rss" "$ended"
}

for session in tracks events spread; do
  "$program" --import-json "$work/$session.json" "$work/$session.usp"
  play "$session" --sound-only
  play "$session"
done
