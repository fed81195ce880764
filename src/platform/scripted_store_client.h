#pragma once
// An in-memory store for tests: leaderboards that keep the best score and
// sort ascending, scripted global and friends' entries, answers delivered
// only inside runCallbacks after a set number of runs, injected "not found"
// and I/O failures, a statistics answer with a chosen result, and a record of
// every achievement and statistic set.
#include <deque>
#include <map>
#include <optional>
#include <vector>

#include "platform/store_client.h"

namespace platform {

class ScriptedStoreClient : public StoreClient {
 public:
  enum class CallKind { FindOrCreate, Find, Download, Upload };
  enum class Failure { NotFound, IoFailure };

  // The script.
  bool initSucceeds = true;
  int statsResult = storeResultOk;
  int deliverAfterRuns = 1;  // an answer arrives in this many runCallbacks after its call
  std::string persona = "Player";
  StoreUserId self = 1001;
  std::map<StoreUserId, std::string> friends;
  // New boards get a few deterministic scores from strangers and friends.
  bool seedNewBoards = false;

  // The next call of that kind fails this way.
  void injectFailure(CallKind kind, Failure failure);
  // Puts a score on a board (made when missing), replacing the user's score.
  void addEntry(const std::string& board, StoreUserId user, int score);
  // The scores on a board by user; empty when the board doesn't exist.
  std::map<StoreUserId, int> scores(const std::string& board) const;
  bool hasBoard(const std::string& board) const { return boards_.count(board) != 0; }

  // What the game did.
  std::vector<std::string> achievementsSet;  // in call order, repeats included
  std::map<std::string, std::int32_t> stats;
  int storeStatsCalls = 0;
  std::vector<std::string> calls;  // every call with its arguments
  std::size_t pendingCalls() const { return pending_.size(); }
  bool started() const { return started_; }

  // The fake the environment variable picks: a player with two friends and
  // seeded boards, answers after two runs.
  static std::unique_ptr<ScriptedStoreClient> withDefaultScript();

  bool init() override;
  void runCallbacks() override;
  void shutdown() override;
  void setStatsReceivedHandler(std::function<void(const StatsReceived&)> handler) override;
  bool requestCurrentStats() override;
  bool setStat(const std::string& name, std::int32_t value) override;
  bool setAchievement(const std::string& name) override;
  bool storeStats() override;
  StoreCall findOrCreateLeaderboard(const std::string& name, bool sortAscending, bool displayNumeric,
                                    StoreHandler<LeaderboardFound> done) override;
  StoreCall findLeaderboard(const std::string& name, StoreHandler<LeaderboardFound> done) override;
  StoreCall downloadLeaderboardEntries(LeaderboardHandle board, LeaderboardRequest request, int start, int end,
                                       StoreHandler<ScoresDownloaded> done) override;
  bool getDownloadedLeaderboardEntry(LeaderboardEntries entries, int index, LeaderboardEntry* out) override;
  StoreCall uploadLeaderboardScore(LeaderboardHandle board, bool keepBest, int score,
                                   StoreHandler<ScoreUploaded> done) override;
  void cancelCall(StoreCall call) override;
  std::string personaName() override;
  std::string friendPersonaName(StoreUserId user) override;
  StoreUserId userId() override;

 private:
  struct Board {
    LeaderboardHandle handle = 0;
    bool ascending = true;
    std::map<StoreUserId, int> scores;
  };
  struct Pending {
    StoreCall call = 0;
    int runsLeft = 1;
    std::function<void()> deliver;
  };
  StoreCall queue(std::function<void()> deliver);
  std::optional<Failure> takeFailure(CallKind kind);
  Board& makeBoard(const std::string& name);
  Board* boardByHandle(LeaderboardHandle handle);
  bool isFriendOrSelf(StoreUserId user) const;

  bool started_ = false;
  std::function<void(const StatsReceived&)> statsHandler_;
  int statsRunsLeft_ = 0;  // > 0 while a statistics answer is on its way
  std::map<std::string, Board> boards_;
  std::map<CallKind, std::deque<Failure>> failures_;
  std::deque<Pending> pending_;
  std::map<LeaderboardEntries, std::vector<LeaderboardEntry>> downloads_;
  StoreCall nextCall_ = 1;
  LeaderboardEntries nextEntries_ = 1;
};

}  // namespace platform
