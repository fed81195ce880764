// The Editor opening a working save someone else's hands have touched (the
// first byte picks the puzzle, the rest is the file): a save that loads is
// kept; one that doesn't is moved aside byte for byte and the Editor goes on
// with what loaded. What the Editor holds saves and reloads the same and
// simulates forward and back.
#include "editor/editor.h"
#include "fuzz_support.h"
#include "puzzles/puzzle.h"
#include "model/memory.h"
#include "saves/machine_file.h"

namespace {
// An editable listed puzzle of each sort the first byte picks: plain, in
// delay mode, and with the automatic clock period (which searches the
// machine's delay paths on every load).
int puzzleFor(int sort) {
  for (int id = 1; id < puzzleTableSize; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (p.hasFlag(puzzleFlagHidden) || p.hasFlag(puzzleFlagFixedMachine) || id == creditsPuzzle) continue;
    const bool fits = sort == 0   ? !p.hasFlag(puzzleFlagDelay)
                      : sort == 1 ? p.hasFlag(puzzleFlagDelay) && !p.hasFlag(puzzleFlagAutoClock)
                                  : p.hasFlag(puzzleFlagAutoClock);
    if (fits) return id;
  }
  return 2;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  if (size == 0) return 0;
  startInput();
  const int puzzle = puzzleFor(data[0] % 3);
  const std::string text = inputText(data + 1, size - 1);
  const std::string path = machineFilePath(puzzle, saveLocationWorking);
  const bool delay = getPuzzle(puzzle).hasFlag(puzzleFlagDelay);
  // Whether it loads, read from a copy first.
  writeFile("probe.mgrlv", text);
  Memory memory;
  ModuleList probe;
  int period = 1;
  const bool loads = readMachineFile(probe, period, "probe.mgrlv", ConstContext{&memory, 0, delay, 1}).empty();

  writeFile(path, text);
  Editor editor(puzzle);
  editor.loadWorkingSave();
  if (loads) {
    require(!exists(path + ".bad"), "a working save that loads was moved aside");
  } else {
    require(exists(path + ".bad") && readFile(path + ".bad") == text,
            "an unreadable working save was not moved aside byte for byte");
  }
  requireStableMachine(editor.machine, editor.clockPeriod, delay);
  requireSimulatesForwardAndBack(editor.machine, delay, editor.clockPeriod, 6);
  return 0;
}
