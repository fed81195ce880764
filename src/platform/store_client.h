#pragma once
// Our own small layer over a store client (statistics, achievements,
// leaderboards, player names). Asynchronous calls return a call number and
// deliver their answer to the given handler, only from inside runCallbacks,
// with an I/O-failure flag. The shipped backend reports the store as not
// available; tests and the window tests use the scripted fake.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

using StoreCall = std::uint64_t;         // 0: no call was made
using LeaderboardHandle = std::uint64_t;  // 0: none
using LeaderboardEntries = std::uint64_t;
using StoreUserId = std::uint64_t;

constexpr int storeResultOk = 1;

struct StatsReceived {
  int result = 0;  // storeResultOk when the statistics arrived
};

struct LeaderboardFound {
  LeaderboardHandle board = 0;
  bool found = false;
};

struct ScoreUploaded {
  bool success = false;
  LeaderboardHandle board = 0;
  int score = 0;
  bool changed = false;  // the new score replaced the stored one
};

struct ScoresDownloaded {
  LeaderboardHandle board = 0;
  LeaderboardEntries entries = 0;
  int entryCount = 0;
};

struct LeaderboardEntry {
  StoreUserId user = 0;
  int globalRank = 0;
  int score = 0;
};

enum class LeaderboardRequest { Global = 0, AroundUser = 1, Friends = 2 };

template <class T>
using StoreHandler = std::function<void(const T& result, bool ioFailure)>;

class StoreClient {
 public:
  virtual ~StoreClient() = default;
  // False when the store can't be reached; then nothing else does anything.
  virtual bool init() = 0;
  virtual void runCallbacks() = 0;
  virtual void shutdown() = 0;

  // The statistics answer arrives through this callback.
  virtual void setStatsReceivedHandler(std::function<void(const StatsReceived&)> handler) = 0;
  virtual bool requestCurrentStats() = 0;
  virtual bool setStat(const std::string& name, std::int32_t value) = 0;
  virtual bool setAchievement(const std::string& name) = 0;
  virtual bool storeStats() = 0;

  virtual StoreCall findOrCreateLeaderboard(const std::string& name, bool sortAscending, bool displayNumeric,
                                            StoreHandler<LeaderboardFound> done) = 0;
  virtual StoreCall findLeaderboard(const std::string& name, StoreHandler<LeaderboardFound> done) = 0;
  virtual StoreCall downloadLeaderboardEntries(LeaderboardHandle board, LeaderboardRequest request, int start,
                                               int end, StoreHandler<ScoresDownloaded> done) = 0;
  virtual bool getDownloadedLeaderboardEntry(LeaderboardEntries entries, int index, LeaderboardEntry* out) = 0;
  // keepBest: a worse score leaves the stored one.
  virtual StoreCall uploadLeaderboardScore(LeaderboardHandle board, bool keepBest, int score,
                                           StoreHandler<ScoreUploaded> done) = 0;
  // A pending call whose answer is no longer wanted.
  virtual void cancelCall(StoreCall call) = 0;

  virtual std::string personaName() = 0;
  virtual std::string friendPersonaName(StoreUserId user) = 0;
  virtual StoreUserId userId() = 0;
};

// The shipped store: not available on this platform.
class UnavailableStoreClient : public StoreClient {
 public:
  bool init() override { return false; }
  void runCallbacks() override {}
  void shutdown() override {}
  void setStatsReceivedHandler(std::function<void(const StatsReceived&)>) override {}
  bool requestCurrentStats() override { return false; }
  bool setStat(const std::string&, std::int32_t) override { return false; }
  bool setAchievement(const std::string&) override { return false; }
  bool storeStats() override { return false; }
  StoreCall findOrCreateLeaderboard(const std::string&, bool, bool, StoreHandler<LeaderboardFound>) override {
    return 0;
  }
  StoreCall findLeaderboard(const std::string&, StoreHandler<LeaderboardFound>) override { return 0; }
  StoreCall downloadLeaderboardEntries(LeaderboardHandle, LeaderboardRequest, int, int,
                                       StoreHandler<ScoresDownloaded>) override {
    return 0;
  }
  bool getDownloadedLeaderboardEntry(LeaderboardEntries, int, LeaderboardEntry*) override { return false; }
  StoreCall uploadLeaderboardScore(LeaderboardHandle, bool, int, StoreHandler<ScoreUploaded>) override {
    return 0;
  }
  void cancelCall(StoreCall) override {}
  std::string personaName() override { return ""; }
  std::string friendPersonaName(StoreUserId) override { return ""; }
  StoreUserId userId() override { return 0; }
};

// The environment variable that picks the store backend: "scripted" gives
// the scripted fake with its default script (the window tests use it);
// anything else, or nothing, the shipped backend.
inline const char* const storeBackendVariable = "BRASSWICK_STORE";
std::unique_ptr<StoreClient> makeStoreClientFromEnvironment();

}  // namespace platform
