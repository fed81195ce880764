#!/usr/bin/env bash
# Sets up, builds (plain and with ASan + UBSan) and runs the whole test suite,
# then the tests whose threads share data under ThreadSanitizer.
# Screen tests open real windows, so everything runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
real_game='^(playthrough_tests|monkey)$'
for preset in default asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j"$jobs"
  # The play-throughs and the monkey drive the real game against timed waits,
  # so they run after the rest, two at a time, on a machine not also busy
  # with every other test.
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset" -j"$jobs" --timeout 600 -LE "$real_game"
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset" -j2 --timeout 600 -L "$real_game"
done
# ThreadSanitizer over the tests whose threads share data: the validation
# worker beside the main thread (ValidationRun, FatalExit), two threads saving
# at once (FileUtils.AtomicWritesFromTwoThreads...), two threads generating
# tests (GeneratorSweep.SameTestTwiceAndFromTwoThreads) and running machines
# (Simulation.TwoThreads..., Threads), the log and fatal errors from a worker
# (Log), and the audio thread's callbacks under the mixer and the game's sound
# (MixerDeviceTest, SoundWalk, SoundScreensWalk). The rest of the suite runs
# on one thread, and the window tests cost several times more under TSan, so
# only these binaries are built and only these tests run.
tsan_targets=(puzzles_catalogue_tests saves_tests generators_test model_machine_tests model_values_tests
              shell_core_tests services_ui_tests robustness_tests game_data game_art game_fonts game_sounds)
tsan_tests='^(ValidationRun\.|FatalExit\.|FileUtils\.AtomicWritesFromTwoThreads|GeneratorSweep\.SameTestTwiceAndFromTwoThreads|Simulation\.TwoThreads|Threads\.|Log\.|MixerDeviceTest\.|SoundWalk\.|SoundScreensWalk\.)'
cmake --preset tsan
cmake --build --preset tsan -j"$jobs" --target "${tsan_targets[@]}"
# (The preset sets TSAN_OPTIONS: halt on the first report, and the
# suppressions for libraries we do not build, tests/tsan_suppressions.txt.)
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset tsan -j"$jobs" --timeout 600 --no-tests=error -R "$tsan_tests"
# The loaders under libFuzzer (clang, ASan + UBSan): every seed and fault input
# once, then about 20 s of fuzzing per target.
BUILD_JOBS="$jobs" scripts/fuzz.sh replay
BUILD_JOBS="$jobs" scripts/fuzz.sh run 20
