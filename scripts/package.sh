#!/usr/bin/env bash
# package.sh [BUILD]: makes the Debian package umbrascope_VERSION_ARCH.deb with CPack from the
# build tree BUILD (default build; configured and brought up to date first) into BUILD/package,
# and prints the package's path.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
"$top/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
out="$top/$build/package"
rm -rf "$out"
mkdir -p "$out"
(cd "$top/$build" && cpack --config CPackConfig.cmake -B "$out" > "$out/cpack.log" 2>&1) ||
  { cat "$out/cpack.log" >&2; exit 1; }
ls "$out"/umbrascope_*.deb
