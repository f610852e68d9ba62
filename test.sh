#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build and the Debian package made from it,
# then the AddressSanitizer and UndefinedBehaviorSanitizer build with short fuzz runs, then the
# ThreadSanitizer build for the tests that use threads.
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)
scripts/setup.sh

stage() { printf '\n=== %s ===\n' "$*"; }

stage "layers, names and translations"
scripts/check-layers.sh
scripts/check-names.sh
scripts/check-translations.sh

stage "build"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUMBRASCOPE_WERROR=ON

# A private sound server with a null sink for the tests that play through a real device;
# stopped by its process id however the run ends.
source scripts/pulse.sh
pulse_start
trap pulse_stop EXIT

stage "tests"
ctest --test-dir build --output-on-failure --timeout 600

stage "Debian package"
deb=$(scripts/package.sh build)
tests/package/check-package.sh "$deb"

stage "sanitizer build (address, undefined) and fuzzers"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DUMBRASCOPE_SANITIZE=address,undefined -DUMBRASCOPE_FUZZ=ON -DUMBRASCOPE_BENCH=OFF -DUMBRASCOPE_WERROR=ON
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure --timeout 900
scripts/run-fuzzers.sh build-asan

stage "thread sanitizer build"
scripts/build.sh build-tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DUMBRASCOPE_SANITIZE=thread -DUMBRASCOPE_BENCH=OFF -DUMBRASCOPE_WERROR=ON
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$top/scripts/tsan-suppressions.txt" \
  ctest --test-dir build-tsan -L threads --output-on-failure --timeout 900

stage "all tests passed"
