#!/usr/bin/env bash
# Sets up, builds and starts the game from its working folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build --preset default -j"$(nproc)"
cd build/game
exec ./brasswick
