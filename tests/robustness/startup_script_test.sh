#!/usr/bin/env bash
# bench/startup_time.sh against a game folder: measures the whole game folder,
# and reports a folder the game can't start from instead of waiting on the
# crash screen. Usage: startup_script_test.sh <probe> <game-folder>
set -uo pipefail
probe="$1"
game="$2"
script="$(dirname "$0")/../../bench/startup_time.sh"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

out="$(PROBE="$probe" timeout 120 "$script" "$game" 1)" || fail "the game folder did not start: $out"
grep -q '^median start-up to first frame: [0-9]* ms over 1 runs$' <<<"$out" || fail "no median in: $out"

# Art, fonts and music only: start-up stops on the missing puzzle data.
for d in art fonts music; do ln -s "$game/$d" "$tmp/$d"; done
out="$(PROBE="$probe" timeout 120 "$script" "$tmp" 1)"
status=$?
[ "$status" -eq 1 ] || fail "expected the failed start to end the script with 1, got $status: $out"
grep -q '^start-up failed: .* ERROR: ' <<<"$out" || fail "no error reported in: $out"
echo "ok"
