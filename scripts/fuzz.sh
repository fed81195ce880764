#!/usr/bin/env bash
# The loaders' fuzz targets (fuzz/), built with clang's libFuzzer, ASan and
# UBSan in build-fuzz/.
#   scripts/fuzz.sh replay         runs every seed and every fault's input once
#   scripts/fuzz.sh run [seconds]  fuzzes each target for that long (default 20)
# FUZZ_TARGETS limits the targets (space-separated names without "fuzz_");
# FUZZ_JOBS runs that many targets at once (default 4); BUILD_JOBS is the
# build's parallelism (default 4). New inputs go to
# build-fuzz/corpus/, crashes to build-fuzz/crashes/<target>/; a run prints,
# per target, the executions and the crashes found, and fails when any.
set -euo pipefail
cd "$(dirname "$0")/.."
# Absolute paths: each target works in a folder of its own.
root="$(pwd)"
mode="${1:-replay}"
seconds="${2:-20}"
jobs="${FUZZ_JOBS:-4}"
targets="${FUZZ_TARGETS:-machine_file working_save palette_group records flags profile locations test_file description metadata community_folder settings entered_save}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"${BUILD_JOBS:-4}" >/dev/null
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export SDL_AUDIODRIVER=dummy
out="$root/build-fuzz/results"
rm -rf "$out"
mkdir -p "$out"

# The inputs that showed faults, unpacked.
regressions="$root/build-fuzz/regressions"
rm -rf "$regressions"
for dir in fuzz/regressions/*/; do
  name="$(basename "$dir")"
  mkdir -p "$regressions/$name"
  for file in "$dir"*; do
    case "$file" in
      *.gz) gunzip -c "$file" >"$regressions/$name/$(basename "$file" .gz)" ;;
      *) cp "$file" "$regressions/$name/" ;;
    esac
  done
done

one_target() {
  local target="$1" mode="$2" seconds="$3"
  local binary="$root/build-fuzz/fuzz/fuzz_$target" log="$out/$target.log"
  local common=(-rss_limit_mb=2048 -timeout=60 -close_fd_mask=1 -print_final_stats=1)
  if [ "$mode" = replay ]; then
    local inputs=()
    [ -d "$root/fuzz/corpus/$target" ] && inputs+=("$root/fuzz/corpus/$target"/*)
    [ -d "$regressions/$target" ] && inputs+=("$regressions/$target"/*)
    if "$binary" "${common[@]}" "${inputs[@]}" >"$log" 2>&1; then
      echo "$target: replayed ${#inputs[@]} inputs"
    else
      echo "$target: FAILED replaying (see $log)"
      return 1
    fi
  else
    local corpus="$root/build-fuzz/corpus/$target" crashes="$root/build-fuzz/crashes/$target"
    mkdir -p "$corpus" "$crashes"
    local status=0
    # Seeded from the corpus; the faults' inputs (some megabytes) are for replay.
    local seeds=("$root/fuzz/corpus/$target")
    "$binary" "${common[@]}" -max_total_time="$seconds" -dict="$root/fuzz/brasswick.dict" -max_len=16384 \
      -artifact_prefix="$crashes/" "$corpus" "${seeds[@]}" >"$log" 2>&1 || status=$?
    local runs found
    runs="$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | awk '{print $2}')"
    found="$(find "$crashes" -type f | wc -l)"
    echo "$target: ${runs:-0} executions in ${seconds} s, crashes: $found"
    [ "$status" -eq 0 ] && [ "$found" -eq 0 ]
  fi
}
export -f one_target
export root out regressions

failed=0
printf '%s\n' $targets | xargs -P "$jobs" -I{} bash -c 'one_target "$@"' _ {} "$mode" "$seconds" || failed=1
if [ "$failed" -ne 0 ]; then
  echo "fuzzing found a fault: the logs are in $out"
  exit 1
fi
