#!/usr/bin/env bash
# The monkey for longer: seeded random clicks, taps, drags, wheel turns, keys
# and typed text over the sanitized game (build-asan/), restarted in the same
# folder whenever it quits cleanly; fails on a crash, an error.txt, a
# sanitizer report or a save that no longer loads. Prints the figures.
# Usage: scripts/monkey.sh SECONDS [SEED] [--actions N] [--keep] [--verbose]
# (CI runs 75 s of seed 27 in the sanitized test run; see tests/monkey/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "usage: scripts/monkey.sh SECONDS [SEED] [--actions N] [--keep] [--verbose]" >&2
  exit 2
fi
seconds="$1"
shift
seed=1
if [ $# -gt 0 ] && [[ "$1" != --* ]]; then
  seed="$1"
  shift
fi
cmake --preset asan >/dev/null
cmake --build --preset asan -j"${BUILD_JOBS:-4}" --target brasswick_monkey >/dev/null
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
exec build-asan/tests/monkey/brasswick_monkey "$seconds" "$seed" "$@"
