// The store services on the scripted store: achievements and statistics
// from the profile, the upload chain, display fetches, injected failures, and
// the shipped store that is never available.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "platform/scripted_store_client.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/generators/faux_reg_variants.h"
#include "puzzles/puzzle_services.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "services/steam_handler.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace {

using platform::ScriptedStoreClient;
using Lines = std::vector<std::string>;

bool counted(int id) {
  const Puzzle& p = getPuzzle(id);
  return !p.hasFlag(puzzleFlagHidden) && !p.hasFlag(puzzleFlagOptional);
}

// A listed puzzle that records ticks (timed) or not.
int findPuzzle(bool timed) {
  for (int id = 0; id < puzzleTableSize; ++id)
    if (counted(id) && getPuzzle(id).hasFlag(puzzleFlagTimed) == timed && !getPuzzle(id).allowedModules.empty())
      return id;
  return -1;
}

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    activeProfile = 0;
    puzzleRecords.clear();
    tutorialFlags.fill(false);
    leaderboardResults().clear();
    auto client = std::make_unique<ScriptedStoreClient>();
    store = client.get();
    store->friends = {{2002, "Hattie"}, {2003, "Ned"}};
    handler.console = [this](const std::string& line) { lines.push_back(line); };
    handler.setClient(std::move(client));
  }
  void TearDown() override {
    puzzleRecords.clear();
    tutorialFlags.fill(false);
    activeProfile = -1;
  }
  void start() {
    handler.initSteam();
    runs(store->deliverAfterRuns);
    ASSERT_TRUE(handler.statsValid);
    lines.clear();
  }
  void runs(int n) {
    for (int i = 0; i < n; ++i) handler.runCallbacks();
  }
  // Runs callbacks until nothing is pending (every chain is short).
  void drain() {
    for (int i = 0; i < 50 && store->pendingCalls() > 0; ++i) handler.runCallbacks();
  }
  std::vector<std::string> achievementsSet() const {
    std::vector<std::string> a = store->achievementsSet;
    std::sort(a.begin(), a.end());
    return a;
  }

  TempWorkingDir dir;
  ScriptedStoreClient* store = nullptr;
  SteamHandler handler;
  Lines lines;
};

TEST(StoreUnavailable, EverythingIsSkippedAndTheGameRunsOn) {
  TempWorkingDir dir;
  SteamHandler handler;
  Lines lines;
  handler.console = [&](const std::string& l) { lines.push_back(l); };
  handler.setClient(std::make_unique<platform::UnavailableStoreClient>());
  handler.runCallbacks();
  handler.shutdown();  // before and after a failed start
  handler.initSteam();
  EXPECT_FALSE(handler.steamAvailable);
  EXPECT_EQ(lines, Lines{"Failed to load steam API!"});
  handler.updateAchievements();
  handler.fetchLeaderboards(findPuzzle(true));
  handler.runCallbacks();
  handler.shutdown();
  EXPECT_EQ(lines, Lines{"Failed to load steam API!"});
  EXPECT_EQ(handler.uploadPuzzle, 87);
  EXPECT_TRUE(leaderboardResults().empty());
}

TEST(StoreUnavailable, TheShippedChoiceUnlessTheEnvironmentAsksForTheScript) {
  unsetenv(platform::storeBackendVariable);
  EXPECT_FALSE(platform::makeStoreClientFromEnvironment()->init());
  setenv(platform::storeBackendVariable, "scripted", 1);
  auto scripted = platform::makeStoreClientFromEnvironment();
  EXPECT_TRUE(scripted->init());
  EXPECT_EQ(scripted->friendPersonaName(2002), "Hattie");
  unsetenv(platform::storeBackendVariable);
}

TEST_F(StoreTest, StatisticsArriveOnlyInsideTheCallbacksAndOnlyAnOkResultCounts) {
  store->deliverAfterRuns = 3;
  handler.initSteam();
  EXPECT_TRUE(handler.steamAvailable);
  runs(2);
  EXPECT_FALSE(handler.statsValid);
  handler.updateAchievements();  // skipped until the statistics are in
  EXPECT_EQ(store->storeStatsCalls, 0);
  runs(1);
  EXPECT_TRUE(handler.statsValid);

  SteamHandler other;
  auto failing = std::make_unique<ScriptedStoreClient>();
  failing->statsResult = 2;
  ScriptedStoreClient* f = failing.get();
  other.console = [](const std::string&) {};
  other.setClient(std::move(failing));
  other.initSteam();
  other.runCallbacks();
  EXPECT_FALSE(other.statsValid);
  other.updateAchievements();
  EXPECT_TRUE(f->achievementsSet.empty());
  other.shutdown();
  EXPECT_FALSE(other.steamAvailable);
  EXPECT_FALSE(f->started());
}

struct ProgressCase {
  std::string what;
  std::vector<int> records;
  std::vector<int> flags;
  std::vector<std::string> achievements;
};

TEST_F(StoreTest, AchievementsAndStatisticsFollowTheProfile) {
  start();
  std::vector<int> fauxFlags;
  for (int i = 0; i < 3; ++i) fauxFlags.push_back(fauxRegCondition(i).tutorialFlag);
  const ProgressCase cases[] = {
      {"nothing yet", {}, {}, {}},
      {"the first board's gate", {5}, {}, {"BEAT_BOARD_1_0"}},
      {"the gates of later boards", {9, 15}, {}, {"BEAT_BOARD_2_0", "BEAT_BOARD_3_0"}},
      {"named puzzles",
       {59, 34, 6, 77, 82},
       {},
       {"BEAT_BOARD_1_0", "BEAT_BOARD_4_0", "BEAT_COWS_0", "BEAT_MULTIPLY_0", "BEAT_SECRETS_0", "BEAT_THREES_0"}},
      {"secrets", {}, {24, 25}, {"CREDITS_SECRET_0", "FAUX_REG_SECRET_0"}},
      {"three faux-reg variants", {}, fauxFlags, {"FAUX_REG_NORMAL_0"}},
  };
  for (const ProgressCase& c : cases) {
    puzzleRecords.clear();
    tutorialFlags.fill(false);
    store->achievementsSet.clear();
    lines.clear();
    int beaten = 0;
    for (int id : c.records) {
      puzzleRecords[id] = PuzzleRecord{noRecordedValue, noRecordedValue};
      beaten += counted(id);
    }
    for (int f : c.flags) tutorialFlags[size_t(f)] = true;
    handler.updateAchievements();
    std::vector<std::string> expected = c.achievements;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(achievementsSet(), expected) << c.what;
    EXPECT_EQ(store->stats["puzz_beaten"], beaten) << c.what;
    EXPECT_EQ(store->stats["puzz_perfect"], beaten) << c.what;  // no goal missed
    EXPECT_EQ(store->stats["faux_reg_variants"], c.what == "three faux-reg variants" ? 3 : 0);
    EXPECT_EQ(lines.back(), "Beaten: " + std::to_string(beaten) + ", perfect: " + std::to_string(beaten));
    for (const std::string& a : c.achievements) {
      if (a == "FAUX_REG_NORMAL_0") continue;  // the table's rows are announced, the computed ones are not
      EXPECT_NE(std::find(lines.begin(), lines.end(), "Setting achievement " + a), lines.end()) << a;
    }
  }
  EXPECT_EQ(store->storeStatsCalls, int(std::size(cases)));
}

TEST_F(StoreTest, EveryPuzzleBeatenPerfectAndOneUnderItsGoal) {
  start();
  int ideal = -1;
  for (int id = 0; id < puzzleTableSize; ++id) {
    if (getPuzzle(id).hasFlag(puzzleFlagHidden)) continue;
    puzzleRecords[id] = PuzzleRecord{noRecordedValue, noRecordedValue};
    if (ideal < 0 && getPuzzle(id).goalModules > 1 && !getPuzzle(id).hasFlag(puzzleFlagOptional)) ideal = id;
  }
  ASSERT_GE(ideal, 0);
  handler.updateAchievements();
  auto set = achievementsSet();
  EXPECT_TRUE(std::count(set.begin(), set.end(), "BEAT_ALL_0"));
  EXPECT_TRUE(std::count(set.begin(), set.end(), "PERFECT_ALL_0"));
  EXPECT_FALSE(std::count(set.begin(), set.end(), "BEAT_IDEAL_0"));

  // Beating one goal sets the ideal achievement; missing another spoils "perfect".
  puzzleRecords[ideal].bestModules = getPuzzle(ideal).goalModules - 1;
  int missed = -1;
  for (int id = 0; id < puzzleTableSize && missed < 0; ++id)
    if (counted(id) && id != ideal && getPuzzle(id).goalModules > 0) missed = id;
  ASSERT_GE(missed, 0);
  puzzleRecords[missed].bestModules = getPuzzle(missed).goalModules + 1;
  store->achievementsSet.clear();
  handler.updateAchievements();
  set = achievementsSet();
  EXPECT_TRUE(std::count(set.begin(), set.end(), "BEAT_IDEAL_0"));
  EXPECT_TRUE(std::count(set.begin(), set.end(), "BEAT_ALL_0"));
  EXPECT_FALSE(std::count(set.begin(), set.end(), "PERFECT_ALL_0"));
  EXPECT_EQ(store->stats["puzz_perfect"], store->stats["puzz_beaten"] - 1);
}

const Lines fullChain = {
    "DEBUG: entering module leaderboard update", "DEBUG: requesting a module leaderboard",
    "DEBUG: got a module leaderboard response",  "DEBUG: uploading a module record",
    "DEBUG: uploaded a module score (bio: 0, succ: 1)", "DEBUG: requesting a time leaderboard",
    "DEBUG: got a time leaderboard response",    "DEBUG: uploading a time record",
    "DEBUG: uploaded a time score (bio: 0, succ: 1)",
};

TEST_F(StoreTest, UploadChainSendsModulesThenTimeOneAtATime) {
  start();
  const int p = findPuzzle(true);
  ASSERT_GE(p, 0);
  puzzleRecords[p] = PuzzleRecord{7, 40};
  handler.uploadLeaderboardScores(p);
  EXPECT_EQ(handler.uploadPuzzle, p);
  EXPECT_EQ(lines, Lines(fullChain.begin(), fullChain.begin() + 2));  // nothing arrives outside the callbacks
  handler.uploadLeaderboardScores(p);  // dropped while the chain runs
  EXPECT_EQ(lines.back(), "DEBUG: entering module leaderboard update");
  drain();
  lines.erase(lines.begin() + 2);  // the dropped request's line
  EXPECT_EQ(lines, fullChain);
  EXPECT_EQ(handler.uploadPuzzle, 87);
  const std::string name = getPuzzleName(p);
  EXPECT_EQ(store->scores(name + " - Modules")[store->self], 7);
  EXPECT_EQ(store->scores(name + " - Time")[store->self], 40);
  EXPECT_EQ(std::count(store->calls.begin(), store->calls.end(), "findOrCreateLeaderboard " + name + " - Modules"), 1);

  // Boards keep the best score.
  puzzleRecords[p] = PuzzleRecord{9, 30};
  handler.uploadLeaderboardScores(p);
  drain();
  EXPECT_EQ(store->scores(name + " - Modules")[store->self], 7);
  EXPECT_EQ(store->scores(name + " - Time")[store->self], 30);
}

TEST_F(StoreTest, AModuleRecordAloneEndsTheChainAfterItsUpload) {
  start();
  const int p = findPuzzle(false);
  ASSERT_GE(p, 0);
  puzzleRecords[p] = PuzzleRecord{5, noRecordedValue};
  handler.uploadLeaderboardScores(p);
  drain();
  EXPECT_EQ(lines, Lines(fullChain.begin(), fullChain.begin() + 5));
  EXPECT_EQ(handler.uploadPuzzle, 87);
  EXPECT_FALSE(store->hasBoard(getPuzzleName(p) + " - Time"));
}

struct ChainFailure {
  ScriptedStoreClient::CallKind kind;
  ScriptedStoreClient::Failure failure;
  int skip;  // calls of that kind that succeed first
  Lines tail;
};

TEST_F(StoreTest, UploadFailuresEndOrContinueTheChainAsTheyShould) {
  using K = ScriptedStoreClient::CallKind;
  using F = ScriptedStoreClient::Failure;
  const int p = findPuzzle(true);
  const std::string name = getPuzzleName(p);
  const ChainFailure cases[] = {
      {K::FindOrCreate, F::NotFound, 0,
       {"DEBUG: got a module leaderboard response", "failed to load module leaderboard for puzzle " + name}},
      {K::FindOrCreate, F::IoFailure, 0,
       {"DEBUG: got a module leaderboard response", "failed to load module leaderboard for puzzle " + name}},
      {K::FindOrCreate, F::IoFailure, 1,
       {"DEBUG: got a time leaderboard response", "failed to load time leaderboard for puzzle " + name}},
      // A failed module upload still goes on to the time board.
      {K::Upload, F::IoFailure, 0,
       {"DEBUG: uploaded a module score (bio: 1, succ: 0)", "DEBUG: requesting a time leaderboard",
        "DEBUG: got a time leaderboard response", "DEBUG: uploading a time record",
        "DEBUG: uploaded a time score (bio: 0, succ: 1)"}},
  };
  start();
  for (const ChainFailure& c : cases) {
    puzzleRecords[p] = PuzzleRecord{7, 40};
    lines.clear();
    if (c.skip == 0) store->injectFailure(c.kind, c.failure);
    handler.uploadLeaderboardScores(p);
    if (c.skip == 1) {
      runs(1);  // the module board is found; the failure meets the next call of its kind
      store->injectFailure(c.kind, c.failure);
    }
    drain();
    EXPECT_EQ(handler.uploadPuzzle, 87);
    ASSERT_GE(lines.size(), c.tail.size());
    EXPECT_EQ(Lines(lines.end() - long(c.tail.size()), lines.end()), c.tail);
  }
}

TEST_F(StoreTest, DisplayFetchFillsGlobalScoresAndFriendsButNotThePlayer) {
  start();
  const int p = findPuzzle(true);
  const std::string name = getPuzzleName(p);
  puzzleRecords[p] = PuzzleRecord{6, 50};
  for (auto [user, score] : std::vector<std::pair<int, int>>{{5001, 9}, {5002, 4}, {2002, 8}, {1001, 6}})
    store->addEntry(name + " - Modules", platform::StoreUserId(user), score);
  store->addEntry(name + " - Time", 2003, 70);
  handler.fetchLeaderboards(p);
  EXPECT_EQ(handler.globalModuleSlot, p);
  EXPECT_EQ(handler.friendsTimeSlot, p);
  size_t callsBefore = store->calls.size();
  handler.fetchLeaderboards(p);  // both kinds are still being fetched: ignored
  EXPECT_EQ(store->calls.size(), callsBefore);
  drain();
  for (int* slot : {&handler.globalModuleSlot, &handler.friendsModuleSlot, &handler.globalTimeSlot,
                    &handler.friendsTimeSlot})
    EXPECT_EQ(*slot, 87);
  const LeaderboardResults& modules = leaderboardResults()[p][leaderboardModules];
  EXPECT_EQ(modules.scores, (std::vector<int>{4, 6, 8, 9}));
  ASSERT_EQ(modules.friends.size(), 1u);
  EXPECT_EQ(modules.friends[0].personaName, "Hattie");
  EXPECT_EQ(modules.friends[0].score, 8);
  EXPECT_FALSE(modules.friends[0].isPlayer);
  EXPECT_EQ(modules.own.personaName, "Player");
  EXPECT_EQ(modules.own.score, 6);
  EXPECT_TRUE(modules.own.isPlayer);
  const LeaderboardResults& time = leaderboardResults()[p][leaderboardTicks];
  EXPECT_EQ(time.scores, std::vector<int>{70});
  ASSERT_EQ(time.friends.size(), 1u);
  EXPECT_EQ(time.friends[0].personaName, "Ned");
  for (const char* line : {"DEBUG: got a module leaderboard fetch response type",
                           "DEBUG: got a global module leaderboard download response type",
                           "DEBUG: got a friends time leaderboard download response type"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

TEST_F(StoreTest, FetchFailuresFreeTheirSlotAndKeepWhatArrived) {
  using K = ScriptedStoreClient::CallKind;
  using F = ScriptedStoreClient::Failure;
  start();
  const int p = findPuzzle(true);
  const std::string name = getPuzzleName(p);
  puzzleRecords[p] = PuzzleRecord{noRecordedValue, 50};
  store->addEntry(name + " - Time", 2002, 44);
  store->injectFailure(K::Find, F::NotFound);   // the global find
  store->injectFailure(K::Download, F::IoFailure);  // then the friends download
  handler.fetchLeaderboards(p);
  EXPECT_EQ(handler.globalModuleSlot, 87);  // no module record: no module fetch
  drain();
  EXPECT_EQ(handler.globalTimeSlot, 87);
  EXPECT_EQ(handler.friendsTimeSlot, 87);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "failed to load time leaderboard for puzzle " + name), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "failed to load friends time leaderboard for puzzle " + name),
            lines.end());
  const LeaderboardResults& time = leaderboardResults()[p][leaderboardTicks];
  EXPECT_TRUE(time.scores.empty());
  EXPECT_TRUE(time.friends.empty());
  EXPECT_EQ(time.own.score, 50);
}

TEST_F(StoreTest, CommunityPuzzlesAndOverlongNamesNeverReachTheStore) {
  start();
  const std::vector<Puzzle> saved = customPuzzles;
  Puzzle longOne;
  longOne.name = std::string(200, 'x');
  longOne.allowedModules = {1};
  longOne.flags = puzzleFlagTimed;
  customPuzzles = {longOne};
  const int community = firstCommunityPuzzle;
  puzzleRecords[community] = PuzzleRecord{3, 9};
  handler.uploadLeaderboardScores(community);
  handler.fetchLeaderboards(community);
  drain();
  EXPECT_EQ(store->calls, (std::vector<std::string>{"init", "requestCurrentStats"}));
  EXPECT_EQ(handler.uploadPuzzle, 87);
  EXPECT_TRUE(leaderboardResults().empty());

  // Names the store would refuse (128 characters and more) are a fatal error, never a request.
  for (size_t length : {117u, 118u}) {
    customPuzzles[0].name = std::string(length, 'n');
    if (length == 117) {
      EXPECT_EQ(leaderboardName(community, leaderboardModules).size(), 127u);
    } else {
      EXPECT_THROW(leaderboardName(community, leaderboardModules), FatalErrorException);
    }
  }
  customPuzzles = saved;
}

TEST_F(StoreTest, BeatingAPuzzleUploadsThroughTheOneHandler) {
  // recordPuzzleResult talks to the process-wide handler.
  SteamHandler& global = steamHandler();
  auto client = std::make_unique<ScriptedStoreClient>();
  ScriptedStoreClient* s = client.get();
  Lines out;
  global.console = [&](const std::string& l) { out.push_back(l); };
  global.setClient(std::move(client));
  global.initSteam();
  global.runCallbacks();
  const int p = findPuzzle(true);
  recordPuzzleResult(p, 12, 34);
  for (int i = 0; i < 10; ++i) global.runCallbacks();
  const std::string name = getPuzzleName(p);
  EXPECT_EQ(s->scores(name + " - Modules")[s->self], 12);
  EXPECT_EQ(s->scores(name + " - Time")[s->self], 34);
  EXPECT_EQ(s->storeStatsCalls, 1);
  global.shutdown();
  global.console = nullptr;
  global.setClient(std::make_unique<platform::UnavailableStoreClient>());
}

}  // namespace
