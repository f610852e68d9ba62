#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds the tree into DIR.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
if [[ ! -f "$top/$dir/build.ninja" ]]; then
  cmake -S "$top" -B "$top/$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache "$@" > "$top/$dir.configure.log" 2>&1 ||
    { cat "$top/$dir.configure.log"; exit 1; }
fi
cmake --build "$top/$dir" --parallel "$(nproc)"
