#pragma once
// Community puzzles: one folder per puzzle under community/, loaded once at
// start-up into rows with ids from 10000 and shown on pages of 17. Their
// files are written by players, so no problem in them ends or hangs the game:
// each is logged and the puzzle loads with defaults (or, for an unusable
// folder name, is skipped).
#include <map>
#include <set>
#include <string>
#include <vector>

#include "puzzles/chapter.h"
#include "puzzles/challenge_generator.h"
#include "puzzles/description.h"
#include "puzzles/puzzle.h"

constexpr int communityPageSize = 17;

extern std::vector<Puzzle> customPuzzles;                // index i has id 10000 + i
extern std::map<puzzle_id, std::string> customPuzzleDirs;  // folder of each puzzle
extern std::vector<Chapter> communityPages;
extern const std::map<std::string, int> customPuzzleFlagKeywords;
extern const std::vector<std::string> metadataVersions;

struct CustomPuzzleMetadata {
  std::string name;
  std::set<int> modules;
  std::string timeLimitText;
  int moduleGoal = 0;
  int tickGoal = 0;
  int flags = 0;
};

// Reads metadata.mmeta; every problem is logged and leaves the defaults.
CustomPuzzleMetadata loadCustomPuzzleMetadata(const std::string& path);

// The tests of a community puzzle, read once from its tests file.
class CustomChallengeGenerator : public ChallengeGenerator {
 public:
  // A read error is logged; the tests read before it are kept.
  CustomChallengeGenerator(const std::string& testsPath, std::string timeLimitText);
  TestCase generate(int n) const override;  // an empty test outside 1..count
  std::set<int> opcodes() const override;
  std::string timeLimitText(const std::string& unitWord) const override;
  int testCount() const { return int(tests_.size()); }
  const std::string& loadError() const { return loadError_; }

 private:
  std::vector<TestCase> tests_;
  std::set<int> opcodes_;
  std::string timeLimitText_;
  std::string loadError_;
};

// Start-up: loads every folder, builds the pages, loads the descriptions,
// places and measures the placards, then reads the records again so that the
// records of community puzzles find their rows.
void reloadCommunityPuzzles();
void loadAllCommunityPuzzles();
// Adds the puzzle of one folder; false (with a log line) when the folder's
// name can't be used in record lines and save paths.
bool loadCustomPuzzle(const std::string& folder, const std::string& prefix);
Description loadCustomVictoryText(const std::string& folder, const Puzzle& puzzle);
void loadCustomPuzzleDescriptions();
void rebuildCommunityPages();

bool isCommunityPuzzleLoaded(puzzle_id id);
const Puzzle& getCustomPuzzle(puzzle_id id);  // fatal for ids not loaded
puzzle_id findCustomPuzzleByName(const std::string& name);  // 0 when none
std::string customPuzzleDir(puzzle_id id);
std::string customInitialMachinePath(puzzle_id id);
std::string customDescriptionPath(puzzle_id id);
