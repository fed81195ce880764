#!/usr/bin/env bash
# Kill -9 during saves, a thousand times (CI runs a few dozen): a writer
# rewrites a working machine, the records, a palette group, profile.txt and
# the tutorial flags in a loop; each kill must leave every file whole in one
# of its two contents and at most one temporary file, and at least a fifth
# of the kills must land mid-save (leaving that temporary file), or the run
# missed what it tests. Prints the figures.
# Usage: scripts/kill9_saves.sh [kills] [seed]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j4 --target save_kill_harness >/dev/null
build/tests/robustness/save_kill_harness "${1:-1000}" ${2:+"$2"}
