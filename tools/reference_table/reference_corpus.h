#pragma once
// The reference machines: for every listed puzzle one machine that proves it
// can be won with what the player is given (the drawer's kinds and the initial
// machine), and a broken twin that must lose. They are judged the way the run
// button judges a machine: by the two-thread validator over every test. The
// content tests, the reference table tool and the validation benchmark share
// this code.
#include <climits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "puzzles/puzzle.h"
#include "puzzles/validation.h"

class Module;

// Where the reference machines are kept: "puzz-<name>.mgrlv" and its broken
// twin "puzz-<name>-wrong.mgrlv".
std::string referenceMachineDir();

// Copies the game's puzzle data (initial machines, fixed tests, descriptions)
// into the working folder, selects profile 0 (the editor's snapshots look
// there) and loads the tests and descriptions as start-up does. "" or the
// error.
std::string installPuzzleData();

// Makes `folder` the working folder (creating it) and installs the data there.
std::string installPuzzleDataIn(const std::string& folder);

// Every puzzle the game lists, in table order.
std::vector<puzzle_id> listedPuzzles();

// Listed puzzles that no machine can win, with the reason.
const std::map<std::string, std::string>& puzzlesUnwinnableByDesign();

struct ReferenceFiles {
  std::string solution;  // a fixed-machine puzzle's own initial machine
  std::string broken;
};
ReferenceFiles referenceFiles(puzzle_id id);

// A machine file read for a puzzle as the editor reads it: with the puzzle's
// delay flag and test 1's memory.
struct PuzzleMachine {
  std::string error;
  std::vector<std::shared_ptr<Module>> modules;
  int clockPeriod = 1;
};
PuzzleMachine readPuzzleMachine(puzzle_id id, const std::string& path);

// Module kinds of a machine that the puzzle's drawer does not offer.
std::multiset<int> kindsOutsideDrawer(puzzle_id id, const std::vector<std::shared_ptr<Module>>& modules);

// A machine file as the editor hands it to the validator: with the editor's
// clock period, and the module count the score takes.
struct EditorMachine {
  std::string error;
  ValidationMachine machine;
  int modules = 0;
};
EditorMachine loadEditorMachine(puzzle_id id, const std::string& path);

// Runs the two-thread validator over all of the puzzle's tests to the end of
// the main thread's share; the worker reads the file again, as the game's
// worker reads the working save. The clock is a counter, so the Validation
// puzzle's wait costs nothing.
Validation runValidator(puzzle_id id, const std::string& path, const ValidationMachine& machine);

struct ValidationVerdict {
  std::string error;     // the machine file could not be read
  bool won = false;      // what the simulation screen would record
  int testShown = 0;     // the test it opens on: a failing one when lost
  std::string failure;   // why the shown test failed, when it did
  int modules = 0;       // the score, counted as the editor counts it
  int ticks = INT_MAX;   // the score: the tick test 1 ended on
  int clockPeriod = 1;   // the period the editor runs the machine with
};

// The validator's verdict on a machine file, judged as the simulation screen
// judges the test it opens on.
ValidationVerdict validateMachineFile(puzzle_id id, const std::string& path);
