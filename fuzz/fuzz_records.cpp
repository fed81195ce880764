// The records file and the last-puzzle file: records that load save and
// reload the same; an unreadable records file is moved aside byte for byte;
// the last puzzle is always one start-up can use.
#include "fuzz_support.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  const std::string text = inputText(data, size);
  const std::string path = profileGlobalPath(recordsFileName());
  writeFile(path, text);
  if (!loadRecordsFile().empty()) {
    requireMovedAside(path, text);
  } else {
    require(saveRecords().empty(), "loaded records do not save");
    const std::string first = readFile(path);
    puzzleRecords.clear();
    require(loadRecordsFile().empty(), "saved records do not load");
    require(saveRecords().empty(), "reloaded records do not save");
    require(readFile(path) == first, "records do not save the same text after a reload");
  }
  writeFile(profileGlobalPath(lastPuzzleFileName()), text);
  const int last = loadLastPuzzle();
  require(last == noPuzzle || resolveLastPuzzle(last) == last, "the last puzzle names nothing start-up can open");
  return 0;
}
