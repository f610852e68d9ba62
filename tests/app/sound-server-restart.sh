#!/usr/bin/env bash
# sound-server-restart.sh UMBRASCOPE: the sound server stops during `--play --sound-only` and
# comes back at the same address. The device error is told once on standard error, the tone is
# heard on the null sink again within two seconds, and the play ends normally. Runs a private
# PulseAudio server of its own; exits 77 (skipped) when none can be started.
set -uo pipefail
program=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/scripts/pulse.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/umbrascope-restart.XXXXXX")
play=""
finish() {
  [[ -n "$play" ]] && kill "$play" 2>/dev/null && wait "$play" 2>/dev/null
  pulse_stop
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  echo "--- standard error of the play:" >&2
  cat "$work/stderr.txt" >&2
  exit 1
}

# The RMS level of one second recorded from the null sink's monitor, as 0/1: heard or not.
heard() {
  timeout 1 parec --raw --format=s16le --channels=2 --rate=22050 -d umbrascope_null.monitor \
    > "$work/$1.raw" 2>/dev/null
  sox -t raw -r 22050 -e signed -b 16 -c 2 "$work/$1.raw" -n stat 2>&1 |
    awk '/RMS +amplitude/ { loud = ($3 > 0.1) } END { exit loud ? 0 : 1 }'
}

pulse_start
[[ -n "${PULSE_PRIVATE_PID:-}" ]] || exit 77
# In a sanitizer build: the sound server's client library keeps a few blocks to the end, more so
# after its server went away.
printf 'leak:libpulse.so\n' > "$work/leaks.supp"
export LSAN_OPTIONS="suppressions=$work/leaks.supp"

cat > "$work/tone.json" <<'JSON'
{"SessionLength": 60000, "StartValues": {"AudioVolume": 100, "Waves": [".&04%440@0@80"]}, "Events": []}
JSON
"$program" --import-json "$work/tone.json" "$work/tone.usp" || fail "the project was not written"
"$program" --play "$work/tone.usp" --sound-only 2> "$work/stderr.txt" &
play=$!
for tries in $(seq 1 50); do
  [[ -n "$(pactl list short sink-inputs 2>/dev/null)" ]] && break
  sleep 0.1
done
sleep 1.5 # a new stream may wait a second or so before the server asks for samples
heard before || fail "no sound before the server stopped"

pulse_kill
sleep 1
pulse_restart || fail "the sound server did not come back"
sleep 2
heard after || fail "no sound two seconds after the server came back"

kill -TERM "$play"
wait "$play"
status=$?
play=""
[[ $status -eq 0 ]] || fail "the play ended with status $status"
reports=$(grep -c "Ошибка аудиоустройства" "$work/stderr.txt")
[[ $reports -eq 1 ]] || fail "the device error was told $reports times"
echo "the sound came back after the server's restart; told once"
