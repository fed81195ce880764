#pragma once
// The active profile's best results per puzzle and the last puzzle played.
#include <climits>
#include <map>
#include <string>
#include <vector>

struct PuzzleRecord {
  int bestModules = INT_MAX;  // INT_MAX means no result
  int bestTicks = INT_MAX;
};

extern std::map<int, PuzzleRecord> puzzleRecords;

// Lines of the records file whose puzzle is not known in this run (say a
// community folder that is absent for now). They are kept and written back.
struct RetainedRecordLine {
  std::string name;
  PuzzleRecord record;
};
extern std::vector<RetainedRecordLine> retainedRecordLines;
// At most this many such puzzle names are kept (far more than there are
// community puzzles); lines for further names are logged and not kept.
constexpr std::size_t maxRetainedRecordNames = 10000;

std::string recordsFileName();  // "records.mgrlr"
std::string saveRecords();
// Reads the active profile's records into puzzleRecords (emptied by the
// caller) and retainedRecordLines. A file that exists but can't be read is
// moved aside; bad lines are logged and skipped.
std::string loadRecordsFile();
// Moves retained lines whose puzzle is now known into puzzleRecords, keeping
// the better value of each field. saveRecords does this first.
void adoptRetainedRecords();
// The records of any profile, read without touching the active tables or the
// disk; an unreadable file gives an empty map.
std::map<int, PuzzleRecord> readProfileRecords(int profileIndex);

std::string lastPuzzleFileName();  // "last_puzzle.mgrlr"
int loadLastPuzzle();  // 87 when none
void saveLastPuzzle(int puzzle);
