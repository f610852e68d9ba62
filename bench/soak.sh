#!/usr/bin/env bash
# soak.sh [CYCLES] [WxH]: Play and Stop in the window CYCLES times (default 200) on a virtual X
# screen of WxH (default 1920x1080) with a private sound server, as the soak test does in
# ./test.sh with fewer cycles. Writes the curve to soak-curve.txt (or $UMBRASCOPE_SOAK_CURVE):
# one line a cycle with the cycle, the resident memory in MB and the thread count, all taken
# after the Stop once every track thread has ended. Needs build/ (scripts/build.sh build).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cycles=${1:-200}
screen=${2:-1920x1080}
source "$top/scripts/pulse.sh"
pulse_start
trap pulse_stop EXIT
[[ -n "${PULSE_PRIVATE_PID:-}" ]] || { echo "soak.sh: no sound server" >&2; exit 1; }
UMBRASCOPE_SOAK_CYCLES=$cycles UMBRASCOPE_SOAK_CURVE=${UMBRASCOPE_SOAK_CURVE:-soak-curve.txt} \
  xvfb-run -a -s "-screen 0 ${screen}x24" "${UMBRASCOPE_SOAK:-$top/build/tests/app/app_soak}"
