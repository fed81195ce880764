// The monkey's driver and its save check, without a window: one seed always
// gives the same actions, every action lets go of what it presses, and the
// check finds a save that no longer loads.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "game_folder.h"
#include "monkey_actions.h"
#include "puzzles/puzzle_services.h"
#include "save_check.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {
std::vector<std::string> firstActions(std::uint64_t seed, int count) {
  MonkeyActions actions(seed);
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(describe(actions.next()));
  return out;
}

TEST(MonkeyActions, OneSeedAlwaysGivesTheSameActionsAndAnotherSeedOthers) {
  EXPECT_EQ(firstActions(27, 500), firstActions(27, 500));
  EXPECT_NE(firstActions(27, 500), firstActions(28, 500));
  // The stream depends on the seed alone: the same numbers on every machine.
  MonkeyDice dice(1);
  EXPECT_EQ(dice.next(), 0x910a2dec89025cc1ull);
}

TEST(MonkeyActions, EveryKindComesAndEachLetsGoOfWhatItPresses) {
  MonkeyActions actions(5);
  std::map<MonkeyKind, int> kinds;
  for (int i = 0; i < 5000; ++i) {
    const MonkeyAction a = actions.next();
    ++kinds[a.kind];
    SCOPED_TRACE(describe(a));
    EXPECT_GE(a.pauseMs, 0);
    const std::vector<std::string> words = xdotoolWords(a, 42, 640, 480);
    if (a.kind == MonkeyKind::Close) {
      EXPECT_TRUE(words.empty());
      continue;
    }
    ASSERT_FALSE(words.empty());
    // Held buttons and keys: each pressed one goes up before the action ends,
    // so a game that quits mid-action leaves nothing down for the next start.
    std::multiset<std::string> held;
    for (size_t w = 0; w < words.size(); ++w) {
      if (words[w] == "mousemove") {
        ASSERT_LT(w + 4, words.size());
        EXPECT_EQ(words[w + 2], "42");
        const int x = std::stoi(words[w + 3]), y = std::stoi(words[w + 4]);
        EXPECT_TRUE(x >= 0 && x < 640 && y >= 0 && y < 480) << x << "," << y;
      }
      if (words[w] == "mousedown" || words[w] == "keydown") held.insert(words[w + 1]);
      if (words[w] == "mouseup" || words[w] == "keyup") {
        auto it = held.find(words[w + 1]);
        ASSERT_NE(it, held.end()) << words[w] << " " << words[w + 1] << " without its press";
        held.erase(it);
      }
    }
    EXPECT_TRUE(held.empty());
  }
  EXPECT_EQ(int(kinds.size()), monkeyKindCount);
}

// A fresh game folder whose first profile holds the given files.
class SaveCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    game = fs::path(temp.path()) / "game";
    ASSERT_EQ(makeGameFolder(BRASSWICK_GAME_DIR, game), "");
    saves = game / "profiles" / "profile0" / "saves";
    fs::create_directories(saves);
    fs::create_directories(game / "profiles" / "profile0" / "successful");
    fs::create_directories(game / "profiles" / "profile0" / "palette");
    initial = readWholeFile((game / "initial" / ("puzz-" + getPuzzleName(2) + ".mgrlv")).string());
    ASSERT_FALSE(initial.empty());
  }
  TempWorkingDir temp;
  fs::path game, saves;
  std::string initial;  // a machine the game ships, which loads
};

TEST_F(SaveCheck, LoadsEverySaveAndNamesEachThatDoesNot) {
  const std::string name = "puzz-" + getPuzzleName(2) + ".mgrlv";
  const std::string other = "puzz-" + getPuzzleName(3) + ".mgrlv";
  struct Case {
    const char* what;
    std::string file;  // under profile0/
    std::string text;
    bool loads;
  } cases[] = {
      {"a working save as the game writes it", "saves/" + name, initial, true},
      {"a working save that is no machine", "saves/" + other, "this is no machine\n", false},
      {"a working save cut off after its header", "saves/" + other, initial.substr(0, initial.find('\n') + 1), false},
      {"a last successful machine that is no machine", "successful/" + name, "\x01\x02garbage", false},
      {"a palette group the game moved aside", "palette/group-0.mgrlv.bad", "whatever", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(game / "profiles" / "profile0" / "saves");
    fs::remove_all(game / "profiles" / "profile0" / "successful");
    fs::remove_all(game / "profiles" / "profile0" / "palette");
    fs::create_directories(game / "profiles" / "profile0" / "saves");
    fs::create_directories(game / "profiles" / "profile0" / "successful");
    fs::create_directories(game / "profiles" / "profile0" / "palette");
    writeWholeFile((game / "profiles" / "profile0" / c.file).string(), c.text);
    const fs::path here = fs::current_path();
    SaveCheckResult r = checkProfileSaves(game);
    EXPECT_EQ(fs::current_path(), here);
    if (c.loads) {
      EXPECT_TRUE(r.failures.empty()) << r.failures.front();
      EXPECT_EQ(r.loaded, 1);
    } else {
      ASSERT_EQ(r.failures.size(), 1u);
      EXPECT_NE(r.failures[0].find(fs::path(c.file).filename().string()), std::string::npos) << r.failures[0];
      EXPECT_EQ(r.loaded, 0);
    }
  }
}
}  // namespace
