#!/usr/bin/env bash
# Configures (once) and builds the whole tree into build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VLM_BUILD_DIR:-$top/build}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
fi
cmake --build "$build" --parallel "$(nproc)"
