#!/usr/bin/env bash
# Levels of the game's sound mix, for machines without a sound device: runs
# the sound probe with SDL's disk audio driver (the mixed output lands in a
# raw file) under a virtual X server, then measures each situation with sox
# (RMS and peak level in dBFS, and the RMS of the loudest 50 ms window).
# Usage: bench/sound_mix.sh [game-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
probe=build/tests/services/sound_mix_probe
if [ ! -x "$probe" ]; then
  cmake --preset default >/dev/null
  cmake --build build -j4 --target sound_mix_probe game_sounds game_art game_fonts >/dev/null
fi
game="$(cd "${1:-build/game}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
raw="$work/mix.raw"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw"
if [ -n "${DISPLAY:-}" ]; then
  "$probe" "$game" "$raw" >"$work/segments.txt"
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "$probe" "$game" "$raw" >"$work/segments.txt"
fi
# The game's mixer output: 16-bit stereo at 22050 Hz, 4 bytes a frame.
format=(-t raw -r 22050 -e signed -b 16 -c 2)
printf '%-66s %8s %8s %10s\n' "situation" "RMS dB" "peak dB" "loud50 dB"
grep '^segment ' "$work/segments.txt" | while read -r _ from to name; do
  start=$((from / 4 + 2205))  # skip 0.1 s at each end
  length=$(((to - from) / 4 - 4410))
  stats=$(sox "${format[@]}" "$raw" -n trim "${start}s" "${length}s" stats 2>&1)
  rms=$(awk '/^RMS lev dB/ {print $4}' <<<"$stats")
  peak=$(awk '/^Pk lev dB/ {print $4}' <<<"$stats")
  loud=$(awk '/^RMS Pk dB/ {print $4}' <<<"$stats")
  printf '%-66s %8s %8s %10s\n' "$name" "$rms" "$peak" "$loud"
done
