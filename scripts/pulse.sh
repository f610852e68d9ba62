# Sourced by test.sh: pulse_start starts a private PulseAudio server with a null sink and
# exports what clients (SDL2, parec, pactl) need to reach it; pulse_stop stops it by its process
# id. When the server cannot start, the tests that need a real device skip with a message, so
# neither function ever fails the caller. pulse_kill and pulse_restart let a test take the
# server away during play and bring it back at the same address.

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

  export PULSE_SERVER="unix:$PULSE_PRIVATE_DIR/native"
  export PULSE_CLIENTCONFIG="$PULSE_PRIVATE_DIR/client.conf"
  export SDL_AUDIODRIVER=pulseaudio

  if pulse_launch; then
    echo "pulse.sh: private PulseAudio server $PULSE_PRIVATE_PID at $PULSE_SERVER"
    return 0
  fi
  echo "pulse.sh: the private PulseAudio server did not start; real-device sound tests will skip" >&2
  if [[ -f "$PULSE_PRIVATE_DIR/server.log" ]]; then
    tail -n 20 "$PULSE_PRIVATE_DIR/server.log" >&2 || true
  fi
  pulse_stop
  return 0
}

# Starts the server in PULSE_PRIVATE_DIR and waits until it answers; fails when it does not.
pulse_launch() {
  # No D-Bus, no X, no configuration files (-n): only a null sink and the native protocol.
  # As root it runs in user mode all the same (it warns); the private folders keep it apart
  # from any server the user may have.
  HOME="$PULSE_PRIVATE_DIR/home" XDG_RUNTIME_DIR="$PULSE_PRIVATE_DIR/runtime" \
    PULSE_RUNTIME_PATH="$PULSE_PRIVATE_DIR/runtime" PULSE_STATE_PATH="$PULSE_PRIVATE_DIR/state" \
    DBUS_SESSION_BUS_ADDRESS=disabled: DISPLAY= \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
      --log-target=file:"$PULSE_PRIVATE_DIR/server.log" \
      -L "module-null-sink sink_name=umbrascope_null sink_properties=device.description=umbrascope_null" \
      -L "module-native-protocol-unix auth-anonymous=1 socket=$PULSE_PRIVATE_DIR/native" \
      </dev/null >/dev/null 2>&1 &
  PULSE_PRIVATE_PID=$!

  local tries
  for tries in $(seq 1 100); do
    if pactl info >/dev/null 2>&1; then
      pactl set-default-sink umbrascope_null >/dev/null 2>&1 || true
      return 0
    fi
    if ! kill -0 "$PULSE_PRIVATE_PID" 2>/dev/null; then
      return 1
    fi
    sleep 0.1
  done
  return 1
}

# Stops the server by its process id and leaves it down; its folder stays.
pulse_kill() {
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
  return 0
}

# Starts a server killed by pulse_kill again at the same address, as a restarted sound server
# comes back. Fails when it does not answer.
pulse_restart() {
  pulse_kill
  [[ -n "${PULSE_PRIVATE_DIR:-}" ]] && pulse_launch
}

pulse_stop() {
  pulse_kill
  if [[ -n "${PULSE_PRIVATE_DIR:-}" ]]; then
    rm -rf "$PULSE_PRIVATE_DIR"
    PULSE_PRIVATE_DIR=""
  fi
  return 0
}
