#pragma once
// After a monkey run: every working save and last successful machine the
// profiles hold, loaded with the game's own loader as the Editor would load
// it; and no file the game itself has moved aside as unreadable (".bad").
#include <filesystem>
#include <string>
#include <vector>

struct SaveCheckResult {
  int loaded = 0;                     // machine files that loaded
  std::vector<std::string> failures;  // one line each: the file and why
};

// Runs inside the game folder (the loader reads the puzzles' tests and
// community folders from there, as the game does); the current folder is
// back as it was afterwards.
SaveCheckResult checkProfileSaves(const std::filesystem::path& gameFolder);
