#!/usr/bin/env bash
# two-screens.sh APP_SCREENS UMBRASCOPE: an X server of its own with one screen 3840 pixels wide,
# split into two monitors side by side with `xrandr --setmonitor`, which Qt lists as two screens
# (the primary on the left). Runs the screen tests there, again on a desktop scaled by 2 and
# through OpenGL, then plays a one-colour session with `--play --screen 2`: the right half of the
# display must show it and the left half must not. Exits 77 (skipped) without Xvfb, xrandr or
# ImageMagick.
set -uo pipefail
tests=$1
program=$2
for tool in Xvfb xrandr import convert; do
  command -v "$tool" > /dev/null || exit 77
done

work=$(mktemp -d "${TMPDIR:-/tmp}/umbrascope-screens.XXXXXX")
server=""
play=""
finish() {
  [[ -n "$play" ]] && kill "$play" 2> /dev/null && wait "$play" 2> /dev/null
  [[ -n "$server" ]] && kill "$server" 2> /dev/null && wait "$server" 2> /dev/null
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# -noreset: the monitors belong to the server, which would otherwise forget them whenever its
# last client leaves.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 3840x1080x24 3> "$work/display" \
  2> "$work/xvfb.log" &
server=$!
for tries in $(seq 1 100); do
  [[ -s "$work/display" ]] && break
  sleep 0.1
done
[[ -s "$work/display" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
xrandr --setmonitor '*left' 1920/508x1080/286+0+0 screen > /dev/null &&
  xrandr --setmonitor right 1920/508x1080/286+1920+0 none > /dev/null ||
  fail "xrandr could not split the screen"

export QT_QPA_PLATFORM=xcb
"$tests" --gtest_filter='-*OpenGl*' || fail "the screen tests"
QT_SCALE_FACTOR=2 "$tests" --gtest_filter='*OwnPixels*' || fail "the screen tests at scale 2"
UMBRASCOPE_PRESENTATION=opengl "$tests" --gtest_filter='*OpenGl*' ||
  fail "the screen tests through OpenGL"

# The user as a user would: a session of one steady colour on the second screen.
cat > "$work/steady.json" << 'JSON'
{"SessionLength": 300000,
 "StartValues": {"VideoType": 0, "FlickerFreq": 0, "FlickerColor": 16744448, "TextEnabled": false}}
JSON
"$program" --import-json "$work/steady.json" "$work/steady.usp" || fail "the project was not written"
# In a sanitizer build the libraries that keep a few blocks to the end are left out of the leak
# check, as for the other plays; the painted picture keeps OpenGL's driver (whose leftovers name
# no library once it is unloaded) out of this run: the tests above try the OpenGL picture.
printf 'leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libpulse.so\n' > "$work/leaks.supp"
HOME="$work" XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy UMBRASCOPE_PRESENTATION=raster \
  LSAN_OPTIONS="suppressions=$work/leaks.supp" \
  "$program" --play "$work/steady.usp" --screen 2 2> "$work/play.log" &
play=$!
sleep 3
import -window root "$work/shot.png" || fail "no screenshot"
kill "$play"
wait "$play"
status=$?
play=""
[[ $status -eq 0 ]] || fail "the play ended with status $status: $(cat "$work/play.log")"
pixel() { convert "$work/shot.png" -format "%[pixel:p{$1,$2}]" info:; }
right=$(pixel 2880 540)
left=$(pixel 960 540)
[[ "$right" == "srgb(0,128,255)" ]] || fail "the second screen shows $right, not the session"
[[ "$left" != "srgb(0,128,255)" ]] || fail "the session covers the first screen too"
echo "two screens: the session showed on the second one only"
