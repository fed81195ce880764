// Progress rules (beaten, unlocked, perfect), result recording and the
// start-up loading of the puzzles' data.
#include <algorithm>

#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

puzzle_id lastNewlyBeatenPuzzle = noPuzzle;

namespace {

bool isKnownPuzzle(puzzle_id id) {
  if (id >= firstCommunityPuzzle) return isCommunityPuzzleLoaded(id);
  return id >= 0 && id < puzzleTableSize;
}
}  // namespace

bool isPuzzlePlayable(puzzle_id id) {
  if (!isKnownPuzzle(id)) return false;
  // A community puzzle whose tests could not be read has nothing to pass.
  if (id >= firstCommunityPuzzle) return getPuzzle(id).testCount > 0;
  return true;
}

bool isPuzzleBeaten(puzzle_id id) {
  if (puzzleRecords.find(id) == puzzleRecords.end()) return false;
  return id < firstCommunityPuzzle || isPuzzlePlayable(id);
}

int getBestModules(puzzle_id id) {
  auto record = puzzleRecords.find(id);
  return record == puzzleRecords.end() ? noRecordedValue : record->second.bestModules;
}

int getBestTicks(puzzle_id id) {
  auto record = puzzleRecords.find(id);
  return record == puzzleRecords.end() ? noRecordedValue : record->second.bestTicks;
}

bool isPuzzleUnlocked(puzzle_id id) {
  if (isPuzzleBeaten(id)) return true;
  for (puzzle_id predecessor : getPuzzle(id).predecessors) {
    if (!isPuzzleBeaten(predecessor)) return false;
  }
  return true;
}

std::set<puzzle_id> getPuzzleSuccessors(puzzle_id id) {
  std::set<puzzle_id> successors;
  const std::vector<Puzzle>& table = puzzleTable();
  for (puzzle_id other = 0; other < puzzleTableSize; ++other) {
    const Puzzle& puzzle = table[std::size_t(other)];
    if (puzzle.hasFlag(puzzleFlagHidden)) continue;
    if (puzzle.predecessors.count(id)) successors.insert(other);
  }
  return successors;
}

bool isPuzzlePerfect(puzzle_id id) {
  if (!isPuzzleBeaten(id)) return false;
  const Puzzle& puzzle = getPuzzle(id);
  const int modules = getBestModules(id);
  const int ticks = getBestTicks(id);
  return (modules == noRecordedValue || puzzle.goalModules >= modules) &&
         (ticks == noRecordedValue || puzzle.goalTicks >= ticks);
}

bool isPuzzleUnderGoal(puzzle_id id) {
  if (!isPuzzleBeaten(id)) return false;
  const Puzzle& puzzle = getPuzzle(id);
  const int modules = getBestModules(id);
  const int ticks = getBestTicks(id);
  return (modules != noRecordedValue && modules < puzzle.goalModules) ||
         (ticks != noRecordedValue && ticks < puzzle.goalTicks);
}

bool isModuleEditUnlocked(puzzle_id id) {
  if (getPuzzle(id).hasFlag(puzzleFlagFixedMachine)) return false;
  if (id >= firstCommunityPuzzle) return true;
  if (tutorialFlags[flagEnteredConfigTutorial]) return true;
  return id == cowsPuzzle || isPuzzleBeaten(cowsPuzzle);
}

puzzle_id resolveLastPuzzle(puzzle_id stored) {
  if (stored >= firstCommunityPuzzle) return isCommunityPuzzleLoaded(stored) ? stored : noPuzzle;
  if (stored < 0 || stored >= puzzleTableSize) return noPuzzle;
  return getPuzzle(stored).hasFlag(puzzleFlagHidden) ? noPuzzle : stored;
}

std::string reloadRecords() {
  puzzleRecords.clear();
  return loadRecordsFile();
}

namespace {
std::function<void(puzzle_id)>& resultListener() {
  static std::function<void(puzzle_id)> listener;
  return listener;
}
}  // namespace

void recordPuzzleResult(puzzle_id id, int modules, int ticks) {
  if (!isPuzzlePlayable(id)) {
    logLine("Not recording a result for unplayable puzzle " + std::to_string(id));
    return;
  }
  const Puzzle& puzzle = getPuzzle(id);
  auto record = puzzleRecords.find(id);
  if (record == puzzleRecords.end()) {
    record = puzzleRecords.emplace(id, PuzzleRecord{noRecordedValue, noRecordedValue}).first;
    lastNewlyBeatenPuzzle = id;
  }
  if (!puzzle.allowedModules.empty()) record->second.bestModules = std::min(record->second.bestModules, modules);
  if (puzzle.hasFlag(puzzleFlagTimed)) record->second.bestTicks = std::min(record->second.bestTicks, ticks);
  saveRecords();
  if (resultListener()) resultListener()(id);
}

void setPuzzleResultListener(std::function<void(puzzle_id)> listener) { resultListener() = std::move(listener); }

void loadPuzzleTextsAndTests() {
  std::string error = loadAllPuzzleTests();
  if (!error.empty()) fatalError("test load error: " + error);
  error = loadAllPuzzleDescriptions();
  if (!error.empty()) fatalError("puzzle description load error: " + error);
  checkPuzzleTable();
}
