#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) in their own build directory and runs each for a bounded time.
#   VLM_FUZZ_SECONDS   seconds per target (default 20)
#   VLM_FUZZ_BUILD_DIR build directory (default build-fuzz/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VLM_FUZZ_BUILD_DIR:-$top/build-fuzz}"
seconds="${VLM_FUZZ_SECONDS:-20}"
targets=(fuzz_frame fuzz_packet fuzz_objectform)

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVLM_BUILD_FUZZ=ON -DVLM_BUILD_TESTS=OFF -DVLM_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
fi
ninja -C "$build" -j2 "${targets[@]}"

for t in "${targets[@]}"; do
  work=$(mktemp -d)
  echo "== $t: ${seconds} s"
  # New inputs go to the scratch corpus; the committed seeds are only read.
  mkdir -p "$build/fuzz-artifacts"
  # The fuzzer's running commentary goes to a log; a failure prints its tail.
  log="$build/fuzz-artifacts/$t.log"
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$build/fuzz-artifacts/$t-" -print_final_stats=1 "$work" "$top/fuzz/corpus/$t" \
    >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$t found a failure" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "$log" || true
  rm -rf "$work"
done
