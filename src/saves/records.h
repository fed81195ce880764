#pragma once
// The active profile's best results per puzzle and the last puzzle played.
#include <climits>
#include <map>
#include <string>

struct PuzzleRecord {
  int bestModules = INT_MAX;  // INT_MAX means no result
  int bestTicks = INT_MAX;
};

extern std::map<int, PuzzleRecord> puzzleRecords;

std::string saveRecords();
std::string loadRecordsFile();
int loadLastPuzzle();  // 87 when none
void saveLastPuzzle(int puzzle);
