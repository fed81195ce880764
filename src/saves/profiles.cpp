#include "saves/profiles.h"

#include <cstdio>

#include "platform/filesystem.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/palette_groups.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"
#include "base/strings.h"

int activeProfile = -1;
int paletteScroll = 0;

std::string getProfileDir(int index) {
  if (index == -1) index = getActiveProfile();
  return profilesDirectory + "profile" + std::to_string(index) + "/";
}

int getActiveProfile() {
  if (activeProfile == -1) fatalError("-1 active profile");
  return activeProfile;
}

std::string storedProfilePath() { return profilesDirectory + "profile.txt"; }

int readStoredProfileIndex() {
  std::ifstream in = openForReading(storedProfilePath());
  if (!in) return 0;
  std::string line;
  readLine(in, line);
  // Leading sign and digits only; anything unreadable counts as 0.
  size_t i = 0;
  bool negative = false;
  if (i < line.size() && (line[i] == '-' || line[i] == '+')) negative = line[i++] == '-';
  size_t start = i;
  while (i < line.size() && isAsciiDigit(line[i])) ++i;
  if (i == start || negative) return 0;
  auto value = parseInt(std::string_view(line).substr(start, i - start));
  if (!value) return profileCount - 1;  // a huge number is clamped like any other
  return std::min(*value, profileCount - 1);
}

void saveActiveProfileIndex() {
  std::string error = writeFileAtomically(storedProfilePath(), std::to_string(activeProfile), "profile.txt");
  if (!error.empty()) std::printf("Failed to open file %s!\n", "profile.txt");
}

void selectStoredProfile() {
  // An interrupted settings save leaves its temporary file like a profile's does.
  removeStaleTempFiles(settingsDirectory);
  activeProfile = readStoredProfileIndex();
  loadRecords();
}

void setActiveProfile(int index) {
  activeProfile = index;
  saveActiveProfileIndex();
  loadRecords();
}

int resetProfile(int index) {
  const std::string dir = getProfileDir(index);
  const std::string folder = dir.substr(0, dir.size() - 1);
  int result = 0;
  if (platform::pathExists(folder)) {
    // Rename first so the profile is either whole or gone, never half-deleted.
    const std::string aside = folder + ".reset";
    result = platform::removeTree(aside);
    if (result == 0) result = platform::renamePath(folder, aside);
    if (result == 0) result = platform::removeTree(aside);
  }
  if (result != 0) std::printf("Error resetting profile: %d\n", result);
  loadRecords();
  return result;
}

void loadRecords() {
  // A save cut short (a crash, a power cut) leaves its temporary file; no
  // loader reads one, and the profiles start clean of them.
  removeStaleTempFiles(profilesDirectory);
  std::string error = reloadRecords();
  if (!error.empty()) std::printf("Error loading records: %s\n", error.c_str());
  tutorialFlags.fill(false);
  loadTutorialProgress();
  seenModules.fill(false);
  loadSeenModules();
  loadCustomGroups();
  paletteScroll = 0;
}

ProfileProgress countProfileProgress(int index) {
  // The progress rules read puzzleRecords; lend them the other profile's
  // records for the count and put the active ones back, whatever happens.
  struct Swap {
    std::map<int, PuzzleRecord> saved;
    explicit Swap(std::map<int, PuzzleRecord> other) : saved(std::move(puzzleRecords)) {
      puzzleRecords = std::move(other);
    }
    ~Swap() { puzzleRecords = std::move(saved); }
  } swap(readProfileRecords(index));
  ProfileProgress progress;
  for (int id = 0; id < puzzleTableSize; ++id) {
    const Puzzle& puzzle = getPuzzle(id);
    if (puzzle.hasFlag(puzzleFlagHidden) || puzzle.hasFlag(puzzleFlagOptional)) continue;
    if (!isPuzzleBeaten(id)) {
      progress.allBeaten = false;
      continue;
    }
    ++progress.beaten;
    if (isPuzzlePerfect(id)) ++progress.perfect;
  }
  return progress;
}
