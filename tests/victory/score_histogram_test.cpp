// The score histogram's columns, bars and axis labels, and the friends'
// list around the player, from leaderboard results as the downloads leave them.
#include <gtest/gtest.h>

#include <climits>

#include "menus/menu_rules_fixture.h"
#include "menus/score_histogram.h"

namespace {

struct ColumnsCase {
  const char* what;
  std::vector<int> scores;
  int cap;
  std::vector<int> counts;
  int maxValue;
  int maxCount;
};

TEST(HistogramColumns, AdmitOnlyScoresUpToTheCapAndSizeThemselvesByWhatTheyAdmitted) {
  const std::vector<ColumnsCase> cases = {
      {"a column per value up to 12", {1, 2, 2, 12, 12, 12}, 24, {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3}, 12, 3},
      {"values share 20 columns up to 400", {1, 200, 400}, 800,
       {1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 400, 1},
      {"scores above the cap are left out", {3, 5, 5, 101, 5000}, 100, {0, 0, 1, 0, 2}, 5, 2},
      {"zeros, negatives and absurd scores are skipped", {0, -7, INT_MIN, INT_MAX, 4, 2}, 10, {0, 1, 0, 1}, 4, 1},
      {"a single score of 1 is one column", {1, 1}, 2, {2}, 1, 2},
      {"nothing admitted draws nothing", {0, -1, 500}, 100, {}, INT_MIN, 0},
      {"no scores at all", {}, 100, {}, INT_MIN, 0},
      {"a cap of 0 admits nothing", {1, 2}, 0, {}, INT_MIN, 0},
  };
  for (const ColumnsCase& c : cases) {
    SCOPED_TRACE(c.what);
    HistogramColumns columns = buildHistogramColumns(c.scores, c.cap);
    EXPECT_EQ(columns.counts, c.counts);
    EXPECT_EQ(columns.maxValue, c.maxValue);
    EXPECT_EQ(columns.maxCount, c.maxCount);
  }
}

TEST(HistogramColumns, EveryAdmittedScoreHasAColumnEvenAtTheLargestValues) {
  HistogramColumns columns = buildHistogramColumns({1, INT_MAX - 1, INT_MAX}, INT_MAX);
  ASSERT_EQ(columns.counts.size(), 20u);
  EXPECT_EQ(columns.counts.front(), 1);
  EXPECT_EQ(columns.counts.back(), 1);
  EXPECT_EQ(histogramColumnOf(columns, INT_MAX), 19);
  EXPECT_EQ(histogramColumnOf(columns, 0), -1);
  EXPECT_EQ(histogramColumnOf(buildHistogramColumns({}, 10), 5), -1);
}

LeaderboardEntry entry(const std::string& name, int score, bool player = false) { return {name, score, player}; }

std::vector<std::string> names(const std::vector<LeaderboardEntry>& list) {
  std::vector<std::string> out;
  for (const auto& e : list) out.push_back(e.personaName);
  return out;
}

struct FriendsCase {
  const char* what;
  int own;
  std::vector<LeaderboardEntry> friends;
  std::vector<std::string> listed;
};

TEST(FriendsListing, ThePlayerSitsAmongTheNearestFriendsWithoutEverDeadlocking) {
  std::vector<LeaderboardEntry> twelveBelow, twelveAbove, fifteenAround;
  for (int i = 1; i <= 12; ++i) twelveBelow.push_back(entry("b" + std::to_string(i), i));
  for (int i = 1; i <= 12; ++i) twelveAbove.push_back(entry("a" + std::to_string(i), 50 + i));
  for (int i = 1; i <= 15; ++i) fifteenAround.push_back(entry("f" + std::to_string(i), i * 2));
  const std::vector<FriendsCase> cases = {
      {"no friends", 7, {}, {"me"}},
      {"every friend below the player", 9, {entry("Ned", 3), entry("Hattie", 2)}, {"Hattie", "Ned", "me"}},
      {"twelve friends below: the nine nearest", 40, twelveBelow,
       {"b4", "b5", "b6", "b7", "b8", "b9", "b10", "b11", "b12", "me"}},
      {"every friend above the player", 2, {entry("Ned", 9), entry("Hattie", 5)}, {"me", "Hattie", "Ned"}},
      {"twelve friends above: the nine nearest", 1, twelveAbove,
       {"me", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"}},
      {"fifteen around: alternating outwards", 15, fifteenAround,
       {"f4", "f5", "f6", "f7", "me", "f8", "f9", "f10", "f11", "f12"}},
      {"a tie goes after the player, stably", 5, {entry("second", 5), entry("first", 5), entry("best", 4)},
       {"best", "me", "second", "first"}},
      {"friends without a real score are left out", 5, {entry("zero", 0), entry("negative", -3), entry("Ned", 6)},
       {"me", "Ned"}},
  };
  for (const FriendsCase& c : cases) {
    SCOPED_TRACE(c.what);
    LeaderboardResults results;
    results.own = entry("me", c.own, true);
    results.friends = c.friends;
    EXPECT_EQ(names(friendsAroundPlayer(results)), c.listed);
  }
}

TEST(FriendsListing, NamesAreCutToFortyFiveCharactersWithoutSplittingOne) {
  const std::string accented = "\xC3\xA9";  // one character, two bytes
  std::string long45;
  for (int i = 0; i < 44; ++i) long45 += "x";
  EXPECT_EQ(firstCharacters(long45 + accented + "yz", 45), long45 + accented);
  EXPECT_EQ(firstCharacters("short", 45), "short");
  EXPECT_EQ(firstCharacters(accented + accented, 1), accented);
}

class HistogramTest : public MenuRulesTest {
 protected:
  void SetUp() override {
    MenuRulesTest::SetUp();
    leaderboardResults().clear();
    // A listed puzzle with a module goal.
    for (puzzle_id id = 0; id < puzzleTableSize && puzzle == noPuzzle; ++id)
      if (!getPuzzle(id).hasFlag(puzzleFlagHidden) && getPuzzle(id).goalModules >= 6) puzzle = id;
    ASSERT_NE(puzzle, noPuzzle);
    goal = getPuzzle(puzzle).goalModules;
  }
  void TearDown() override {
    leaderboardResults().clear();
    MenuRulesTest::TearDown();
  }
  ScoreHistogram histogram() const { return {100, 50, 420, 416, puzzle, leaderboardModules}; }

  puzzle_id puzzle = noPuzzle;
  int goal = 0;
};

TEST_F(HistogramTest, CapIsTwiceTheGoalUnlessThePlayersOwnScoreIsHigher) {
  LeaderboardResults& r = leaderboardResults()[puzzle][leaderboardModules];
  r.scores = {goal, 2 * goal, 2 * goal + 1, 5 * goal};
  r.own = entry("me", goal, true);
  EXPECT_EQ(histogram().cap(), 2 * goal);
  EXPECT_EQ(histogram().columns().maxValue, 2 * goal);
  r.own.score = 5 * goal;
  EXPECT_EQ(histogram().cap(), 5 * goal);
  EXPECT_EQ(histogram().columns().maxValue, 5 * goal);
}

TEST_F(HistogramTest, BarsStandOnOneBaselineScaledToTheFullestColumnWithThePlayersMarked) {
  LeaderboardResults& r = leaderboardResults()[puzzle][leaderboardModules];
  r.scores = {2, 4, 4, 4, 4, 6, 6};
  r.own = entry("me", 4, true);
  std::vector<HistogramBar> bars = histogram().bars();
  // Six columns (largest admitted 6); columns 1, 3 and 5 hold scores.
  ASSERT_EQ(bars.size(), 3u);
  const int plotW = 420 - 25, plotH = 416 - 40, bottom = 50 + 10 + plotH;
  for (const HistogramBar& b : bars) EXPECT_EQ(b.bar.y + b.bar.h, bottom);
  EXPECT_EQ(bars[0].bar, (GeoRect{100 + 20 + 1 * plotW / 6, bottom - plotH / 4, 15 + 2 * plotW / 6 - 20 - plotW / 6,
                                  plotH / 4}));
  EXPECT_EQ(bars[1].bar.h, plotH);
  EXPECT_EQ(bars[2].bar.h, plotH * 2 / 4);
  EXPECT_FALSE(bars[0].isPlayer);
  EXPECT_TRUE(bars[1].isPlayer);
  EXPECT_FALSE(bars[2].isPlayer);
}

TEST_F(HistogramTest, AxisLabelsRoundUpAtAtMostFiveStops) {
  struct Case {
    std::vector<int> scores;
    std::vector<std::string> labels;
  };
  const std::vector<Case> cases = {
      {{1, 12}, {"0", "3", "6", "9", "12"}},
      {{7}, {"0", "2", "4", "6", "7"}},
      {{1, 2}, {"0", "1", "2"}},
      {{1}, {"0", "1"}},
  };
  for (const Case& c : cases) {
    LeaderboardResults& r = leaderboardResults()[puzzle][leaderboardModules];
    r.scores = c.scores;
    r.own = entry("me", 1, true);
    std::vector<std::string> texts;
    std::vector<HistogramLabel> labels = histogram().axisLabels();
    for (const HistogramLabel& l : labels) texts.push_back(l.text);
    EXPECT_EQ(texts, c.labels);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front().x, 110);
    EXPECT_EQ(labels.back().x, 110 + 395);
    EXPECT_EQ(labels.back().y, 50 + 416 - 25);
  }
}

TEST_F(HistogramTest, NothingDownloadedDrawsNothingAndListsNoOne) {
  EXPECT_TRUE(histogram().bars().empty());
  EXPECT_TRUE(histogram().axisLabels().empty());
  EXPECT_TRUE(histogram().layoutFriends().empty());  // the player's own entry has no score yet
  EXPECT_TRUE(leaderboardResults().empty());         // looking leaves the results alone
  LeaderboardResults& r = leaderboardResults()[puzzle][leaderboardModules];
  r.scores = {-4, 0, INT_MAX};
  r.own = entry("me", goal, true);
  EXPECT_TRUE(histogram().bars().empty());
}

TEST_F(HistogramTest, FriendsLineUpRightOfThePlotWithTheirScoresAndNames) {
  LeaderboardResults& r = leaderboardResults()[puzzle][leaderboardModules];
  const std::string longName(60, 'n');
  r.own = entry("Player", 7, true);
  r.friends = {entry("Hattie", 5), entry(longName, 9), entry("Ned", 1)};
  std::vector<FriendLine> lines = histogram().layoutFriends();
  ASSERT_EQ(lines.size(), 4u);
  const int left = 100 + 420 + 30;
  EXPECT_EQ(lines[0].scoreText, "1");
  EXPECT_EQ(lines[0].name, "Ned");
  EXPECT_EQ(lines[0].tooltip, "Ned: 1 module");
  EXPECT_EQ(lines[2].name, "Player");
  EXPECT_TRUE(lines[2].isPlayer);
  EXPECT_EQ(lines[2].tooltip, "Player: 7 modules");
  EXPECT_EQ(lines[3].name, std::string(45, 'n'));
  EXPECT_EQ(lines[3].tooltip, longName + ": 9 modules");
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].scoreX, left);
    EXPECT_EQ(lines[i].nameX, left + 50);
    EXPECT_EQ(lines[i].y, 50 + 30 * int(i));
  }
}

}  // namespace
