#!/usr/bin/env bash
# Sets up, builds (plain and with ASan + UBSan) and runs the whole test suite.
# Screen tests open real windows, so everything runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for preset in default asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j"$jobs"
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset" -j"$jobs" --timeout 600
done
# The loaders under libFuzzer (clang, ASan + UBSan): every seed and fault input
# once, then about 20 s of fuzzing per target.
BUILD_JOBS="$jobs" scripts/fuzz.sh replay
BUILD_JOBS="$jobs" scripts/fuzz.sh run 20
