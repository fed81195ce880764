// Least stand-in for the profile files until the save formats land: the flags
// and records live in memory only.
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "shell/log.h"

std::array<bool, 31> tutorialFlags{};
std::array<bool, 14> seenModules{};
std::map<int, PuzzleRecord> puzzleRecords;

void checkTutorialIndex(int action) {
  if (action < 0 || action > 30) fatalError("invalid tutorial action " + std::to_string(action));
}
std::string tutorialActionDescription(int action) {
  checkTutorialIndex(action);
  return "";
}
void markTutorialSeen(int action) {
  checkTutorialIndex(action);
  tutorialFlags[size_t(action)] = true;
}
void markButtonTutorialSeen(int) {}
bool tutorialHintPending(int) { return false; }
std::string saveTutorialProgress() { return ""; }
std::string loadTutorialProgress() { return ""; }

bool& isModuleSeen(int kind) {
  if (kind < 0 || kind > 13) fatalError("invalid seen module " + std::to_string(kind));
  return seenModules[size_t(kind)];
}
void markModuleSeen(int kind) { isModuleSeen(kind) = true; }
std::string saveSeenModules() { return ""; }
std::string loadSeenModules() { return ""; }

std::string saveRecords() { return ""; }
std::string loadRecordsFile() { return ""; }
int loadLastPuzzle() { return 87; }
void saveLastPuzzle(int) {}
