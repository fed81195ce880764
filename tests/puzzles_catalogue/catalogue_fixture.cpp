#include "catalogue_fixture.h"

#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

void resetCatalogueState() {
  activeProfile = 0;
  retainedRecordLines.clear();
  puzzleRecords.clear();
  tutorialFlags.fill(false);
  testCache.clear();
  descriptionCache.clear();
  reloadCommunityPuzzles();
  puzzleRecords.clear();
  lastNewlyBeatenPuzzle = noPuzzle;
}

void writeDataFile(const std::string& path, const std::string& text) {
  makeParentDirectories(path);
  writeWholeFile(path, text);
}

std::string fatalMessageOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const FatalErrorException& e) {
    return e.what();
  }
  ADD_FAILURE() << "no fatal error";
  return "";
}

std::string logText() {
  flushLog();  // held lines first
  return fileExists(logFilePath) ? readWholeFile(logFilePath) : "";
}
