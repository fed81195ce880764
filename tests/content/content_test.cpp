// The game's own puzzle data: every listed puzzle's description, tests and
// initial machine load, the placards fit their boards, and descriptions name
// only slots their tests use and kinds the player can use. The reference
// machines have their own test.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "model/module.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "puzzles/character_names.h"
#include "puzzles/chapter.h"
#include "puzzles/puzzle.h"
#include "puzzles/story_texts.h"
#include "puzzles/puzzle_services.h"
#include "saves/description_file.h"
#include "saves/machine_file.h"
#include "saves/puzzle_locations.h"
#include "saves/puzzle_test_file.h"
#include "base/strings.h"
#include "reference_corpus.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string dataDir = std::string(BRASSWICK_SOURCE_DIR) + "/data";

// A working folder holding a copy of the game data, with the tests and
// descriptions loaded as start-up does.
class ContentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(installPuzzleData(), ""); }
  void TearDown() override {
    testCache.clear();
    descriptionCache.clear();
  }

  TempWorkingDir workingDir;
};

PuzzleMachine initialMachine(puzzle_id id) {
  return readPuzzleMachine(id, machineSaveDir(saveLocationInitial) + machineFileName(id));
}

std::string descriptionText(puzzle_id id) {
  std::string text;
  for (const DescriptionLine& run : descriptionCache.at(id).lines) text += run.text;
  return text;
}

puzzle_id idByName(const std::string& name) {
  for (puzzle_id id : listedPuzzles()) {
    if (getPuzzle(id).name == name) return id;
  }
  ADD_FAILURE() << "no listed puzzle named " << name;
  return noPuzzle;
}

}  // namespace

TEST_F(ContentTest, EveryListedPuzzleHasADescriptionTestsAndAnInitialMachine) {
  EXPECT_NO_THROW(checkPuzzleTable());
  for (puzzle_id id : listedPuzzles()) {
    SCOPED_TRACE(getPuzzle(id).name);
    ASSERT_TRUE(fs::exists(puzzleDescriptionPath(id)));
    const PuzzleDescriptionText& text = descriptionCache.at(id);
    EXPECT_FALSE(text.lines.empty());
    EXPECT_GE(text.speaker, 0);
    EXPECT_LE(text.speaker, 6);

    // Every test the puzzle runs can be made.
    for (int n = 1; n <= getPuzzle(id).testCount; ++n) EXPECT_NO_THROW(getTestCase(id, n));

    PuzzleMachine machine = initialMachine(id);
    EXPECT_EQ(machine.error, "");

    // A puzzle whose drawer holds nothing starts from modules of its own.
    if (getPuzzle(id).allowedModules.empty()) {
      EXPECT_FALSE(machine.modules.empty());
    }
  }
}

TEST_F(ContentTest, FixedTestsAreReadFromTheirFiles) {
  // Validation: tests 1 and 2 are the same job; test 3 starts from the same
  // memory with the same single tick but wants another result, so a machine
  // that passes tests 1 and 2 leaves exactly their goal at tick 1 and fails it.
  const puzzle_id validation = idByName("Validation");
  ASSERT_EQ(testCache.at(validation).size(), 3u);
  TestCase t1 = getTestCase(validation, 1), t2 = getTestCase(validation, 2), t3 = getTestCase(validation, 3);
  EXPECT_TRUE(t1.initial.equals(t2.initial));
  EXPECT_TRUE(t1.goal.equals(t2.goal));
  EXPECT_TRUE(t3.initial.equals(t1.initial));
  EXPECT_FALSE(t3.goal.equals(t1.goal));
  EXPECT_EQ(t1.tickLimit, 1);
  EXPECT_EQ(t3.tickLimit, 1);

  // The authored tests replace the placeholder tests, with limits that agree
  // with the rules the puzzles state.
  const std::map<std::string, int> limits = {{"Multiplex", 5}, {"Cows", 30}};
  for (const auto& [name, limit] : limits) {
    SCOPED_TRACE(name);
    const puzzle_id id = idByName(name);
    ASSERT_EQ(testCache.count(id), 1u);
    TestCase test = getTestCase(id, 1);
    EXPECT_EQ(test.tickLimit, limit);
    EXPECT_FALSE(test.initial.equals(test.goal));
  }

  // Oh No asks for a corrupted memory within one tick: its test names the
  // unknown slot in the goal.
  const puzzle_id ohNo = idByName("Oh No");
  ASSERT_TRUE(fs::exists(puzzleTestPath(ohNo)));
  EXPECT_TRUE(getTestCase(ohNo, 1).goal.corrupt);
  EXPECT_EQ(getTestCase(ohNo, 1).tickLimit, 1);
}

TEST_F(ContentTest, DescriptionsNameOnlySlotsTheTestsUse) {
  static const std::regex slotPattern("[Ss]lots? (-?\\d+)(?: to (-?\\d+))?");
  for (puzzle_id id : listedPuzzles()) {
    if (id == 73) continue;
    SCOPED_TRACE(getPuzzle(id).name);
    std::set<int> used;
    const int count = std::min(getPuzzle(id).testCount, 100);
    for (int n = 1; n <= count; ++n) {
      TestCase test = getTestCase(id, n);
      for (const auto& entry : test.initial.slots) used.insert(entry.first);
      for (const auto& entry : test.goal.slots) used.insert(entry.first);
    }
    const std::string text = descriptionText(id);
    for (std::sregex_iterator it(text.begin(), text.end(), slotPattern), end; it != end; ++it) {
      for (int group : {1, 2}) {
        if (!(*it)[group].matched) continue;
        const int slot = std::stoi((*it)[group].str());
        EXPECT_TRUE(used.count(slot)) << "the description names slot " << slot;
      }
    }
  }
}

// A description may only send the player to module kinds the drawer offers or
// the starting machine holds; a few name a kind to say it is not there.
TEST_F(ContentTest, DescriptionsNameOnlyModuleKindsThePlayerCanUse) {
  const std::set<std::pair<std::string, std::string>> deniedOnPurpose = {
      {"Multiply", "Multiplier"},  // "There is no Multiplier to be had"
      {"Stall", "Adder"},          // "No Adders."
  };
  for (puzzle_id id : listedPuzzles()) {
    if (id == 73) continue;
    SCOPED_TRACE(getPuzzle(id).name);
    std::set<int> usable = getPuzzleAllowedModules(id);
    PuzzleMachine machine = initialMachine(id);
    ASSERT_EQ(machine.error, "");
    for (const auto& module : machine.modules) usable.insert(module->kind());
    const std::string text = descriptionText(id);
    for (int kind = kNumberKind; kind <= kMultiplierKind; ++kind) {
      const std::string name = getModuleTypeName(kind);
      if (!std::regex_search(text, std::regex("\\b" + name + "(e?s)?\\b"))) continue;
      if (deniedOnPurpose.count({getPuzzle(id).name, name})) continue;
      EXPECT_TRUE(usable.count(kind)) << "names " << name;
    }
  }
}

TEST_F(ContentTest, PlacardsSitOnTheirBoardsWithoutOverlapping) {
  ASSERT_EQ(loadPuzzleLocations(), "");
  std::set<puzzle_id> onBoards;
  for (const Chapter& chapter : chaptersVector()) {
    struct Box {
      puzzle_id id;
      int x0, y0, x1, y1;
    };
    std::vector<Box> boxes;
    for (puzzle_id id : chapter.puzzles) {
      SCOPED_TRACE(getPuzzle(id).name);
      onBoards.insert(id);
      ASSERT_EQ(puzzleLocations.count(id), 1u);
      const PuzzleLocation at = puzzleLocations.at(id);
      // A generous label: 14 pixels a character, the placard margins, and the
      // chalk stars under it.
      const int width = 14 * static_cast<int>(getPuzzleTitle(id).size()) + 16;
      const Box box{id, at.x - width / 2, at.y - 8, at.x + width / 2, at.y + 30 + 17};
      EXPECT_GE(box.x0, 0);
      EXPECT_LE(box.x1, 1024);
      EXPECT_GE(box.y0, 60);    // below the title plate
      EXPECT_LE(box.y1, 672);   // above the tabs
      for (const Box& other : boxes) {
        EXPECT_FALSE(box.x0 < other.x1 && other.x0 < box.x1 && box.y0 < other.y1 && other.y0 < box.y1)
            << "overlaps " << getPuzzle(other.id).name;
      }
      boxes.push_back(box);
    }
  }
  for (const auto& [id, location] : puzzleLocations) {
    EXPECT_TRUE(onBoards.count(id)) << "placard for a puzzle on no board: " << id;
  }
}

// The story's victory texts, kept as data for the table: one line per row
// that speaks, with the row's speaker, plus the extra lines of Cows and Faux-Reg.
TEST(ContentStory, VictoryTextsMatchTheTableSpeakers) {
  const std::string text = readWholeFile(dataDir + "/story/victory_texts.txt");
  std::map<std::string, std::pair<int, std::string>> lines;
  for (const std::string& line : splitString(text, '\n')) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = splitString(line, '\t');
    ASSERT_EQ(fields.size(), 3u) << line;
    EXPECT_FALSE(fields[2].empty()) << line;
    EXPECT_TRUE(lines.emplace(fields[0], std::make_pair(characterIdByName(fields[1]), fields[2])).second) << line;
  }
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    SCOPED_TRACE(getPuzzle(id).name);
    const int speaker = getPuzzle(id).victoryText.speaker;
    auto it = lines.find(std::to_string(id));
    if (speaker == noSpeaker) {
      EXPECT_TRUE(it == lines.end());
    } else {
      ASSERT_TRUE(it != lines.end());
      EXPECT_EQ(it->second.first, speaker);
      // The game shows the table's copy: it must be the story's text.
      EXPECT_EQ(getPuzzle(id).victoryText.text, it->second.second);
    }
  }
  EXPECT_EQ(cowsAlternativeVictoryText(), lines.at("82 alternative").second);
  EXPECT_EQ(cowsClosingDescriptionLine(), lines.at("82 closing line").second);
  EXPECT_EQ(lines.at("82 alternative").first, 3);
  EXPECT_EQ(lines.at("82 closing line").first, 3);
  for (const char* key : {"35 all four found", "35 all listed found", "35 more to find"}) {
    EXPECT_EQ(lines.at(key).first, 0) << key;
  }
}
