# Sourced by test.sh: pulse_start starts a private PulseAudio server with a null sink and
# exports what clients (SDL2, parec, pactl) need to reach it; pulse_stop stops it by its process
# id. When the server cannot start, the tests that need a real device skip with a message, so
# neither function ever fails the caller.

pulse_start() {
  PULSE_PRIVATE_DIR=""
  PULSE_PRIVATE_PID=""
  if ! command -v pulseaudio >/dev/null 2>&1 || ! command -v pactl >/dev/null 2>&1; then
    echo "pulse.sh: pulseaudio is not installed; real-device sound tests will skip" >&2
    return 0
  fi
  PULSE_PRIVATE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/umbrascope-pulse.XXXXXX") || return 0
  mkdir -p "$PULSE_PRIVATE_DIR/runtime" "$PULSE_PRIVATE_DIR/state" "$PULSE_PRIVATE_DIR/home"
  chmod 700 "$PULSE_PRIVATE_DIR/runtime"
  # Clients must never spawn a server of their own.
  printf 'autospawn = no\n' > "$PULSE_PRIVATE_DIR/client.conf"
  local socket="$PULSE_PRIVATE_DIR/native"

  # No D-Bus, no X, no configuration files (-n): only a null sink and the native protocol.
  # As root it runs in user mode all the same (it warns); the private folders keep it apart
  # from any server the user may have.
  HOME="$PULSE_PRIVATE_DIR/home" XDG_RUNTIME_DIR="$PULSE_PRIVATE_DIR/runtime" \
    PULSE_RUNTIME_PATH="$PULSE_PRIVATE_DIR/runtime" PULSE_STATE_PATH="$PULSE_PRIVATE_DIR/state" \
    DBUS_SESSION_BUS_ADDRESS=disabled: DISPLAY= \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
      --log-target=file:"$PULSE_PRIVATE_DIR/server.log" \
      -L "module-null-sink sink_name=umbrascope_null sink_properties=device.description=umbrascope_null" \
      -L "module-native-protocol-unix auth-anonymous=1 socket=$socket" \
      </dev/null >/dev/null 2>&1 &
  PULSE_PRIVATE_PID=$!

  export PULSE_SERVER="unix:$socket"
  export PULSE_CLIENTCONFIG="$PULSE_PRIVATE_DIR/client.conf"
  export SDL_AUDIODRIVER=pulseaudio

  local tries
  for tries in $(seq 1 100); do
    if pactl info >/dev/null 2>&1; then
      pactl set-default-sink umbrascope_null >/dev/null 2>&1 || true
      echo "pulse.sh: private PulseAudio server $PULSE_PRIVATE_PID at $PULSE_SERVER"
      return 0
    fi
    if ! kill -0 "$PULSE_PRIVATE_PID" 2>/dev/null; then
      break
    fi
    sleep 0.1
  done
  echo "pulse.sh: the private PulseAudio server did not start; real-device sound tests will skip" >&2
  if [[ -f "$PULSE_PRIVATE_DIR/server.log" ]]; then
    tail -n 20 "$PULSE_PRIVATE_DIR/server.log" >&2 || true
  fi
  pulse_stop
  return 0
}

pulse_stop() {
  if [[ -n "${PULSE_PRIVATE_PID:-}" ]]; then
    kill "$PULSE_PRIVATE_PID" 2>/dev/null || true
    local tries
    for tries in $(seq 1 50); do
      kill -0 "$PULSE_PRIVATE_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$PULSE_PRIVATE_PID" 2>/dev/null || true
    wait "$PULSE_PRIVATE_PID" 2>/dev/null || true
    PULSE_PRIVATE_PID=""
  fi
  if [[ -n "${PULSE_PRIVATE_DIR:-}" ]]; then
    rm -rf "$PULSE_PRIVATE_DIR"
    PULSE_PRIVATE_DIR=""
  fi
  return 0
}
