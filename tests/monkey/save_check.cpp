#include "save_check.h"

#include <set>

#include "model/memory.h"
#include "model/module.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/machine_file.h"
#include "saves/profiles.h"

namespace fs = std::filesystem;

namespace {
std::vector<puzzle_id> everyPuzzle() {
  std::vector<puzzle_id> ids;
  for (puzzle_id id = 1; id < puzzleTableSize; ++id) ids.push_back(id);
  for (size_t i = 0; i < customPuzzles.size(); ++i) ids.push_back(firstCommunityPuzzle + puzzle_id(i));
  return ids;
}
}  // namespace

SaveCheckResult checkProfileSaves(const fs::path& gameFolder) {
  SaveCheckResult result;
  std::error_code ec;
  const fs::path before = fs::current_path(ec);
  fs::current_path(gameFolder, ec);
  if (ec) {
    result.failures.push_back("cannot enter " + gameFolder.string() + ": " + ec.message());
    return result;
  }
  reloadCommunityPuzzles();
  const std::vector<puzzle_id> puzzles = everyPuzzle();
  const int savedProfile = activeProfile;
  for (int profile = 0; profile < profileCount; ++profile) {
    const fs::path dir = getProfileDir(profile);
    if (!fs::is_directory(dir, ec)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(dir, ec))
      if (entry.path().extension() == ".bad")
        result.failures.push_back(entry.path().string() + ": the game found it unreadable and moved it aside");
    activeProfile = profile;
    for (int location : {int(saveLocationWorking), int(saveLocationSuccessful)}) {
      for (puzzle_id id : puzzles) {
        const std::string path = machineFilePath(id, location);
        if (!fs::is_regular_file(path, ec)) continue;
        // As the Editor loads it for the first test.
        Memory memory = getTestInitialMemory(id, 1);
        ModuleList machine;
        int clockPeriod = 1;
        const std::string error = readMachineFile(machine, clockPeriod, path,
                                                  ConstContext{&memory, 0, getPuzzle(id).hasFlag(puzzleFlagDelay), 1});
        if (error.empty())
          ++result.loaded;
        else
          result.failures.push_back(path + ": " + error);
      }
    }
  }
  activeProfile = savedProfile;
  fs::current_path(before, ec);
  return result;
}
