#include "puzzles/community_puzzles.h"

#include "puzzles/community_placards.h"
#include "puzzles/puzzle_services.h"
#include "saves/description_file.h"
#include "saves/file_utils.h"
#include "base/log.h"

std::vector<Puzzle> customPuzzles;
std::map<puzzle_id, std::string> customPuzzleDirs;
std::vector<Chapter> communityPages;

namespace {

constexpr int communityBoardNumber = 4;

// Record lines use "::" and save paths use the folder name, so names with
// control characters, ':' or '\' would break them.
bool isUsableFolderName(const std::string& folder) {
  for (char c : folder) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f || c == ':' || c == '\\') return false;
  }
  return true;
}

std::string printable(const std::string& text) {
  std::string shown = text;
  for (char& c : shown) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) c = '?';
  }
  return shown;
}

std::string folderKey(const std::string& folder) {
  std::size_t slash = folder.rfind('\\');
  return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

std::string joinedText(const PuzzleDescriptionText& text) {
  std::string joined;
  for (const DescriptionLine& line : text.lines) joined += line.text;
  // The last run of every line ends in "\n"; the text itself doesn't.
  while (!joined.empty() && joined.back() == '\n') joined.pop_back();
  return joined;
}

void forgetCommunityPuzzles() {
  customPuzzles.clear();
  customPuzzleDirs.clear();
  communityPages.clear();
  for (auto it = descriptionCache.begin(); it != descriptionCache.end();) {
    it = it->first >= firstCommunityPuzzle ? descriptionCache.erase(it) : std::next(it);
  }
}

}  // namespace

void reloadCommunityPuzzles() {
  forgetCommunityPuzzles();
  loadAllCommunityPuzzles();
  rebuildCommunityPages();
  loadCustomPuzzleDescriptions();
  placeCommunityPuzzles();
  measureCommunityPlacards();
  // The profile's records were read before these puzzles existed; read them
  // again so that community records find their rows.
  std::string error = reloadRecords();
  if (!error.empty()) logLine("Error reloading records after community puzzles: " + error);
}

void loadAllCommunityPuzzles() {
  for (const std::string& folder : listSubdirectories(communityDirectory)) loadCustomPuzzle(folder, "COMM");
}

bool loadCustomPuzzle(const std::string& folder, const std::string& prefix) {
  if (!isUsableFolderName(folder)) {
    logLine("Skipping community folder with an unusable name: " + printable(folder));
    return false;
  }
  const puzzle_id id = firstCommunityPuzzle + puzzle_id(customPuzzles.size());
  CustomPuzzleMetadata meta = loadCustomPuzzleMetadata(folder + "/metadata.mmeta");
  auto generator = std::make_shared<CustomChallengeGenerator>(folder + "/tests.mtest", meta.timeLimitText);

  Puzzle puzzle;
  puzzle.name = prefix + "-" + folderKey(folder);
  puzzle.title = meta.name;
  puzzle.testCount = generator->testCount();
  puzzle.generator = generator;
  puzzle.allowedModules = meta.modules;
  puzzle.difficulty = 0;
  puzzle.goalModules = meta.moduleGoal;
  puzzle.goalTicks = meta.tickGoal;
  puzzle.flags = meta.flags;
  puzzle.victoryText = loadCustomVictoryText(folder, puzzle);
  if (puzzle.testCount == 0) logLine("Community puzzle " + puzzle.name + " has no tests and can't be played");

  customPuzzles.push_back(std::move(puzzle));
  customPuzzleDirs[id] = folder;
  return true;
}

Description loadCustomVictoryText(const std::string& folder, const Puzzle& puzzle) {
  PuzzleDescriptionText text;
  std::string error = parseDescriptionFile(folder + "/victory.mdesc", text);
  if (!error.empty()) {
    const std::string title = puzzle.title.empty() ? puzzle.name : puzzle.title;
    logLine("Error loading victory text for " + title + ": " + error);
    return {"ERROR: " + error, 0};
  }
  return {joinedText(text), text.speaker};
}

void loadCustomPuzzleDescriptions() {
  for (std::size_t i = 0; i < customPuzzles.size(); ++i) {
    const puzzle_id id = firstCommunityPuzzle + puzzle_id(i);
    PuzzleDescriptionText text;
    std::string error = parseDescriptionFile(customDescriptionPath(id), text);
    if (!error.empty()) {
      logLine("Error loading description for " + getPuzzleTitle(id) + ": " + error);
      continue;
    }
    descriptionCache[id] = std::move(text);
  }
}

void rebuildCommunityPages() {
  communityPages.clear();
  const int count = int(customPuzzles.size());
  for (int page = 0; page <= count / communityPageSize; ++page) {
    Chapter chapter;
    chapter.tabButtonId = 81;
    chapter.title = communityBoardName(100 + page);
    chapter.boardNumber = communityBoardNumber;
    for (int i = page * communityPageSize; i < std::min(count, (page + 1) * communityPageSize); ++i) {
      chapter.puzzles.insert(firstCommunityPuzzle + i);
    }
    communityPages.push_back(std::move(chapter));
  }
}

bool isCommunityPuzzleLoaded(puzzle_id id) {
  return id >= firstCommunityPuzzle && std::size_t(id - firstCommunityPuzzle) < customPuzzles.size();
}

const Puzzle& getCustomPuzzle(puzzle_id id) {
  if (id < firstCommunityPuzzle) fatalError("Invalid custom puzzle ID: " + std::to_string(id));
  const std::size_t index = std::size_t(id - firstCommunityPuzzle);
  if (index >= customPuzzles.size()) {
    fatalError("Custom puzzle ID " + std::to_string(index) + "  out of loaded range " +
               std::to_string(customPuzzles.size()));
  }
  return customPuzzles[index];
}

puzzle_id findCustomPuzzleByName(const std::string& name) {
  for (std::size_t i = 0; i < customPuzzles.size(); ++i) {
    if (customPuzzles[i].name == name) return firstCommunityPuzzle + puzzle_id(i);
  }
  return 0;
}

std::string customPuzzleDir(puzzle_id id) {
  if (id <= firstCommunityPuzzle - 1) {
    fatalError("Can't get custom path for non-custom puzzle " + std::to_string(id));
  }
  auto dir = customPuzzleDirs.find(id);
  if (dir == customPuzzleDirs.end()) {
    const std::string shown = isCommunityPuzzleLoaded(id) ? getPuzzleTitle(id) : std::to_string(id);
    fatalError("Can't find path for custom puzzle " + shown);
  }
  return dir->second;
}

std::string customInitialMachinePath(puzzle_id id) { return customPuzzleDir(id) + "/initial.mgrlv"; }

std::string customDescriptionPath(puzzle_id id) { return customPuzzleDir(id) + "/description.mdesc"; }
