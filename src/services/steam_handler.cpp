#include "services/steam_handler.h"

#include <climits>
#include <cstdio>

#include "puzzles/chapter.h"
#include "puzzles/generators/faux_reg_variants.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

using platform::LeaderboardFound;
using platform::ScoresDownloaded;
using platform::ScoreUploaded;

namespace {

bool hasRecord(int puzzle) { return puzzleRecords.count(puzzle) != 0; }

std::vector<Achievement> buildAchievements() {
  auto chapterOpen = [](size_t c) { return [c] { return chaptersVector()[c].isUnlocked(); }; };
  auto recorded = [](int p) { return [p] { return hasRecord(p); }; };
  auto flag = [](size_t f) { return [f] { return tutorialFlags[f]; }; };
  return {
      {"BEAT_BOARD_1_0", chapterOpen(1)},  {"BEAT_BOARD_2_0", chapterOpen(2)},
      {"BEAT_BOARD_3_0", chapterOpen(4)},  {"BEAT_BOARD_4_0", recorded(59)},
      {"FAUX_REG_SECRET_0", flag(flagBeatFauxRegAlternators)},     {"CREDITS_SECRET_0", flag(flagUnlockedTrailerPuzzle)},
      {"BEAT_THREES_0", recorded(34)},     {"BEAT_MULTIPLY_0", recorded(6)},
      {"BEAT_SECRETS_0", recorded(77)},    {"BEAT_COWS_0", recorded(82)},
  };
}

const char* kindWord(int kind) { return kind == leaderboardModules ? "module" : "time"; }

int bestOfKind(int puzzle, int kind) {
  return kind == leaderboardModules ? getBestModules(puzzle) : getBestTicks(puzzle);
}

bool isTablePuzzle(int puzzle) { return puzzle >= 0 && puzzle < puzzleTableSize; }

}  // namespace

std::map<int, std::map<int, LeaderboardResults>>& leaderboardResults() {
  static std::map<int, std::map<int, LeaderboardResults>> results;
  return results;
}

const std::vector<Achievement>& achievements() {
  static const std::vector<Achievement> table = buildAchievements();
  return table;
}

std::string leaderboardName(int puzzle, int kind) {
  std::string name = getPuzzleName(puzzle) + (kind == leaderboardModules ? " - Modules" : " - Time");
  if (name.size() > maxLeaderboardNameLength)
    fatalError("Overly long internal puzzle name '" + name + "' for leaderboard creation!");
  return name;
}

SteamHandler::SteamHandler() = default;

std::vector<SteamHandler::PendingCall*> SteamHandler::allCalls() {
  return {&moduleFind_,        &timeFind_,          &moduleUpload_,      &timeUpload_,
          &displayFind_[0][0], &displayFind_[0][1], &displayFind_[1][0], &displayFind_[1][1],
          &download_[0][0],    &download_[0][1],    &download_[1][0],    &download_[1][1]};
}

SteamHandler::~SteamHandler() {
  if (!client_) return;
  for (PendingCall* p : allCalls())
    if (p->active()) client_->cancelCall(p->call);
  client_->setStatsReceivedHandler(nullptr);
}

void SteamHandler::setClient(std::unique_ptr<platform::StoreClient> client) {
  // A new store starts from nothing: answers the old one owed never come.
  if (client_) client_->setStatsReceivedHandler(nullptr);
  for (PendingCall* p : allCalls()) *p = PendingCall{};
  steamAvailable = statsValid = false;
  uploadPuzzle = globalTimeSlot = globalModuleSlot = friendsTimeSlot = friendsModuleSlot = 87;
  client_ = std::move(client);
  client_->setStatsReceivedHandler([this](const platform::StatsReceived& s) { onStatsReceieved(s); });
}

platform::StoreClient& SteamHandler::client() {
  if (!client_) setClient(platform::makeStoreClientFromEnvironment());
  return *client_;
}

void SteamHandler::say(const std::string& line) {
  if (console) {
    console(line);
    return;
  }
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

int& SteamHandler::displaySlot(int kind, bool friends) {
  if (kind == leaderboardModules) return friends ? friendsModuleSlot : globalModuleSlot;
  return friends ? friendsTimeSlot : globalTimeSlot;
}

// Makes a call whose answer goes to handler through slot. The slot is free
// again before the handler runs; a call the store refuses at once is
// answered at once as an I/O failure, so no chain waits for ever.
template <class T, class Issue, class Handle>
void SteamHandler::issue(PendingCall& slot, Issue&& issueCall, Handle&& handler) {
  PendingCall* s = &slot;
  platform::StoreCall call = issueCall([s, handler](const T& result, bool ioFailure) {
    s->call = 0;
    handler(result, ioFailure);
  });
  if (call == 0) {
    handler(T{}, true);
    return;
  }
  slot.call = call;
}

void SteamHandler::initSteam() {
  if (!client().init()) {
    say("Failed to load steam API!");
    return;
  }
  steamAvailable = true;
  client().requestCurrentStats();
}

void SteamHandler::runCallbacks() {
  if (client_) client_->runCallbacks();
}

void SteamHandler::shutdown() {
  if (!steamAvailable) return;
  client().shutdown();
  steamAvailable = false;
}

void SteamHandler::onStatsReceieved(const platform::StatsReceived& stats) {
  statsValid = stats.result == platform::storeResultOk;
}

void SteamHandler::updateAchievements() {
  if (!statsValid) return;
  platform::StoreClient& store = client();
  for (const Achievement& a : achievements()) {
    if (!a.earned()) continue;
    say("Setting achievement " + a.steamName);
    store.setAchievement(a.steamName);
  }
  bool idealSet = false, allBeaten = true, allPerfect = true;
  int beaten = 0, perfect = 0;
  for (int id = 0; id < puzzleTableSize; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (p.hasFlag(puzzleFlagHidden)) continue;
    if (!idealSet && isPuzzleUnderGoal(id)) {
      store.setAchievement("BEAT_IDEAL_0");
      idealSet = true;
    }
    if (p.hasFlag(puzzleFlagOptional)) continue;
    if (hasRecord(id)) ++beaten;
    else allBeaten = false;
    if (isPuzzlePerfect(id)) ++perfect;
    else allPerfect = false;
  }
  int variants = 0;
  for (int condition : fauxRegDoneConditions())
    if (condition != 3) ++variants;
  store.setStat("faux_reg_variants", variants);
  if (variants >= 3) store.setAchievement("FAUX_REG_NORMAL_0");
  say("Beaten: " + std::to_string(beaten) + ", perfect: " + std::to_string(perfect));
  store.setStat("puzz_beaten", beaten);
  store.setStat("puzz_perfect", perfect);
  if (allBeaten) store.setAchievement("BEAT_ALL_0");
  if (allPerfect) store.setAchievement("PERFECT_ALL_0");
  store.storeStats();
}

// ---- the upload chain: module board, module score, time board, time score ----

void SteamHandler::uploadLeaderboardScores(int puzzle) {
  say("DEBUG: entering module leaderboard update");
  if (uploadPuzzle != 87) return;  // one chain at a time; this request is dropped
  // Community puzzles have no boards of their own: nothing is asked for.
  if (!steamAvailable || !isTablePuzzle(puzzle)) return;
  if (getBestModules(puzzle) == noRecordedValue) return updateTimeLeaderboard(puzzle);
  std::string name = leaderboardName(puzzle, leaderboardModules);
  say("DEBUG: requesting a module leaderboard");
  uploadPuzzle = puzzle;
  issue<LeaderboardFound>(
      moduleFind_,
      [&](auto done) { return client().findOrCreateLeaderboard(name, true, true, done); },
      [this](const LeaderboardFound& r, bool io) {
        onModuleLeaderboardFound(r, io);
        ensure(!moduleFind_.active(), "module leaderboard update req still active after return!");
      });
}

void SteamHandler::onModuleLeaderboardFound(const LeaderboardFound& result, bool ioFailure) {
  say("DEBUG: got a module leaderboard response");
  if (ioFailure || !result.found) {
    say("failed to load module leaderboard for puzzle " + getPuzzleName(uploadPuzzle));
    return endUploadChain();
  }
  say("DEBUG: uploading a module record");
  int best = getBestModules(uploadPuzzle);
  issue<ScoreUploaded>(
      moduleUpload_,
      [&](auto done) { return client().uploadLeaderboardScore(result.board, true, best, done); },
      [this](const ScoreUploaded& r, bool io) { onModuleScoreUploaded(r, io); });
}

void SteamHandler::onModuleScoreUploaded(const ScoreUploaded& result, bool ioFailure) {
  say("DEBUG: uploaded a module score (bio: " + std::to_string(int(ioFailure)) +
      ", succ: " + std::to_string(int(result.success)) + ")");
  updateTimeLeaderboard(uploadPuzzle);
}

void SteamHandler::updateTimeLeaderboard(int puzzle) {
  if (getBestTicks(puzzle) == noRecordedValue) return endUploadChain();
  say("DEBUG: requesting a time leaderboard");
  if (puzzle == 87) fatalError("invalid puzzle for time leaderboard update!");
  uploadPuzzle = puzzle;
  std::string name = leaderboardName(puzzle, leaderboardTicks);
  issue<LeaderboardFound>(
      timeFind_,
      [&](auto done) { return client().findOrCreateLeaderboard(name, true, true, done); },
      [this](const LeaderboardFound& r, bool io) {
        onTimeLeaderboardFound(r, io);
        ensure(!timeFind_.active(), "time leaderboard update req still active after return!");
      });
}

void SteamHandler::onTimeLeaderboardFound(const LeaderboardFound& result, bool ioFailure) {
  say("DEBUG: got a time leaderboard response");
  if (ioFailure || !result.found) {
    say("failed to load time leaderboard for puzzle " + getPuzzleName(uploadPuzzle));
    return endUploadChain();
  }
  int best = getBestTicks(uploadPuzzle);
  if (best == noRecordedValue) {
    say("DEBUG: no time record for level?");
    return endUploadChain();
  }
  say("DEBUG: uploading a time record");
  issue<ScoreUploaded>(
      timeUpload_,
      [&](auto done) { return client().uploadLeaderboardScore(result.board, true, best, done); },
      [this](const ScoreUploaded& r, bool io) {
        onTimeScoreUploaded(r, io);
        ensure(!timeUpload_.active(), "time leaderboard upload req still active after return!");
      });
}

void SteamHandler::onTimeScoreUploaded(const ScoreUploaded& result, bool ioFailure) {
  say("DEBUG: uploaded a time score (bio: " + std::to_string(int(ioFailure)) +
      ", succ: " + std::to_string(int(result.success)) + ")");
  endUploadChain();
}

// ---- display fetches: per kind a global and a friends list ------------------

void SteamHandler::fetchLeaderboards(int puzzle) {
  if (!isTablePuzzle(puzzle)) return;  // community puzzles have no boards
  if (getBestModules(puzzle) != noRecordedValue) fetchLeaderboard(puzzle, leaderboardModules);
  if (getBestTicks(puzzle) != noRecordedValue) fetchLeaderboard(puzzle, leaderboardTicks);
}

void SteamHandler::fetchLeaderboard(int puzzle, int kind) {
  if (!steamAvailable || !isTablePuzzle(puzzle)) return;
  if (displaySlot(kind, false) != 87 || displaySlot(kind, true) != 87) return;
  std::string name = leaderboardName(puzzle, kind);
  LeaderboardResults& results = leaderboardResults()[puzzle][kind];
  results.scores.clear();
  results.friends.clear();
  results.own = LeaderboardEntry{client().personaName(), bestOfKind(puzzle, kind), true};
  for (bool friends : {false, true}) {
    displaySlot(kind, friends) = puzzle;
    issue<LeaderboardFound>(
        displayFind_[kind - 1][friends],
        [&](auto done) { return client().findLeaderboard(name, done); },
        [this, kind, friends](const LeaderboardFound& r, bool io) {
          onLeaderboardFoundForFetch(r, io, kind, friends);
        });
  }
}

void SteamHandler::onLeaderboardFoundForFetch(const LeaderboardFound& result, bool ioFailure, int kind,
                                              bool friends) {
  say(std::string("DEBUG: got a ") + kindWord(kind) + " leaderboard fetch response type");
  int& slot = displaySlot(kind, friends);
  if (ioFailure || !result.found) {
    say(std::string("failed to load ") + kindWord(kind) + " leaderboard for puzzle " +
        (slot == 87 ? std::string("?") : getPuzzleName(slot)));
    slot = 87;
    return;
  }
  auto request = friends ? platform::LeaderboardRequest::Friends : platform::LeaderboardRequest::Global;
  issue<ScoresDownloaded>(
      download_[kind - 1][friends],
      [&](auto done) { return client().downloadLeaderboardEntries(result.board, request, 0, INT_MAX, done); },
      [this, kind, friends](const ScoresDownloaded& r, bool io) {
        onLeaderboardScoresDownloaded(r, io, kind, friends);
      });
}

void SteamHandler::onLeaderboardScoresDownloaded(const ScoresDownloaded& result, bool ioFailure, int kind,
                                                 bool friends) {
  std::string label = std::string(friends ? "friends " : "global ") + kindWord(kind);
  say("DEBUG: got a " + label + " leaderboard download response type");
  int& slot = displaySlot(kind, friends);
  if (ioFailure) {
    say("failed to load " + label + " leaderboard for puzzle " +
        (slot == 87 ? std::string("?") : getPuzzleName(slot)));
    slot = 87;
    return;
  }
  int puzzle = slot;
  if (puzzle == 87) fatalError("no leaderboard being fetched on " + label + " leaderboard download!");
  LeaderboardResults& results = leaderboardResults()[puzzle][kind];
  platform::StoreClient& store = client();
  platform::StoreUserId me = store.userId();
  for (int i = 0; i < result.entryCount; ++i) {
    platform::LeaderboardEntry entry;
    if (!store.getDownloadedLeaderboardEntry(result.entries, i, &entry)) continue;
    if (!friends) {
      results.scores.push_back(entry.score);
    } else if (entry.user != me) {
      results.friends.push_back(LeaderboardEntry{store.friendPersonaName(entry.user), entry.score, false});
    }
  }
  slot = 87;
}

SteamHandler& steamHandler() {
  static SteamHandler handler;
  // The game's handler hears every recorded result: the achievements update
  // and, for a table puzzle while the store is there, its scores go up.
  static const bool listening = [] {
    setPuzzleResultListener([](puzzle_id id) {
      handler.updateAchievements();
      if (id < firstCommunityPuzzle && handler.steamAvailable) handler.uploadLeaderboardScores(id);
    });
    return true;
  }();
  (void)listening;
  return handler;
}

void initSteam() { steamHandler().initSteam(); }
