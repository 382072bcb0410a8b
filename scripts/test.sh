#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds, runs ctest.
# In CI the fuzz targets also run, each for a bounded time, before ctest.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/deps.sh"
bash "$top/scripts/build.sh"
if [ -n "${CI:-}" ]; then
  bash "$top/scripts/fuzz.sh"
fi
build="${VLM_BUILD_DIR:-$top/build}"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
