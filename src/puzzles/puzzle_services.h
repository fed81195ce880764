#pragma once
// The one interface through which the game asks about puzzles: names and
// texts, tests, simulations of a test, progress rules and result recording.
// Everything runs on the main thread, except that the validation worker calls
// getPuzzle, getTestCase and makePuzzleSimulation while the tables are read-only.
#include <climits>
#include <map>
#include <memory>
#include <set>
#include <functional>
#include <string>
#include <vector>

#include "puzzles/description.h"
#include "puzzles/puzzle.h"
#include "puzzles/test_case.h"
#include "saves/description_file.h"  // descriptionCache
#include "saves/puzzle_test_file.h"  // testCache

class Module;
class Simulation;

// The puzzle that most recently got its first record.
extern puzzle_id lastNewlyBeatenPuzzle;

constexpr int noRecordedValue = INT_MAX;

// Lookup and texts.
std::string getPuzzleName(puzzle_id id);
std::string getPuzzleTitle(puzzle_id id);  // the name when the title is empty
puzzle_id puzzleIdByName(const std::string& name);  // 0 when unknown
PuzzleDescriptionText getPuzzleDescriptionLines(puzzle_id id);
Description getPuzzleVictoryText(puzzle_id id);
std::string getPuzzleTimeLimitText(puzzle_id id);
std::set<int> getPuzzleAllowedModules(puzzle_id id);
std::set<int> getPuzzleOpcodes(puzzle_id id);
std::string goalSuffixText(int goal);                                 // " (Goal: N)" or ""
std::string goalTicksSuffixText(int goal, const std::string& unitWord);  // " (Goal: N ticks)" or ""

// Tests: loaded tests take precedence over the generator, test by test.
TestCase getTestCase(puzzle_id id, int n);
Memory getTestInitialMemory(puzzle_id id, int n);
bool puzzleHasTickLimit(puzzle_id id);
bool puzzleHasGoalMemory(puzzle_id id);
std::shared_ptr<Simulation> makePuzzleSimulation(puzzle_id id, int n,
                                                 const std::vector<std::shared_ptr<Module>>& machine,
                                                 int clockPeriod);

// Progress, from the active profile's records.
// A record exists (a community puzzle without tests never counts as beaten).
bool isPuzzleBeaten(puzzle_id id);
int getBestModules(puzzle_id id);  // noRecordedValue when none
int getBestTicks(puzzle_id id);
bool isPuzzleUnlocked(puzzle_id id);
std::set<puzzle_id> getPuzzleSuccessors(puzzle_id id);
bool isPuzzlePerfect(puzzle_id id);
bool isPuzzleUnderGoal(puzzle_id id);
bool isModuleEditUnlocked(puzzle_id id);
// Whether the puzzle can be played at all (a community puzzle without any
// readable test cannot).
bool isPuzzlePlayable(puzzle_id id);

// The last puzzle stored in the profile, as start-up may use it: ids that
// name no listed table puzzle and no loaded community puzzle (its folder may
// be gone) become noPuzzle.
puzzle_id resolveLastPuzzle(puzzle_id stored);

// Records.
// Empties the records and reads the profile's records file; "" or the error.
std::string reloadRecords();
void recordPuzzleResult(puzzle_id id, int modules, int ticks);
// Hears every recorded result once the records are saved (the store service
// installs it to report achievements and scores); empty: nobody listens.
void setPuzzleResultListener(std::function<void(puzzle_id)> listener);

// Start-up: loads every table puzzle's tests and descriptions (fatal on error)
// and checks the table.
void loadPuzzleTextsAndTests();
