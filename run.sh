#!/usr/bin/env bash
# Sets up what the program needs, builds it and starts it: ./run.sh [FILE.usp]
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo > build.log 2>&1 || { tail -50 build.log; exit 1; }
exec build/app/umbrascope "$@"
