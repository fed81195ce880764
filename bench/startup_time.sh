#!/usr/bin/env bash
# Start-up time of the game: process start to the first frame of the first
# state, without the 2000 ms splash minimum. Runs the start-up probe several
# times in a fresh working folder (the test fixture, or a game folder given as
# the first argument, whose read-only folders are linked in) under a virtual X
# server, and prints each run and the median. A start that fails is reported
# with its error and ends the script with a non-zero code; it never waits.
# Usage: bench/startup_time.sh [game-folder] [runs]
# PROBE may name the probe binary (default build/tests/shell_ui/shell_startup_probe).
set -euo pipefail
cd "$(dirname "$0")/.."
probe="${PROBE:-build/tests/shell_ui/shell_startup_probe}"
if [ ! -x "$probe" ]; then
  cmake --preset default >/dev/null
  cmake --build build -j4 --target shell_startup_probe >/dev/null
fi
folder="${1:-}"
runs="${2:-9}"
[ -n "$folder" ] && folder="$(cd "$folder" && pwd)"
export SDL_AUDIODRIVER=dummy
times=()
for ((i = 0; i < runs; i++)); do
  out="$(mktemp)"
  status=0
  if [ -n "${DISPLAY:-}" ]; then
    "$probe" $folder >"$out" 2>&1 || status=$?
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$probe" $folder >"$out" 2>&1 || status=$?
  fi
  if [ "$status" -ne 0 ]; then
    echo "run $((i + 1)): start-up failed (exit code $status)"
    grep -m1 '^start-up failed' "$out" || tail -n 3 "$out"
    rm -f "$out"
    exit 1
  fi
  t="$(tail -n1 "$out")"
  rm -f "$out"
  times+=("$t")
  echo "run $((i + 1)): ${t} ms"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}')
echo "median start-up to first frame: ${median} ms over ${runs} runs"
