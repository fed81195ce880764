#pragma once
// Store services: achievements, statistics and leaderboards. Answers arrive
// asynchronously and are delivered by runCallbacks, once a frame. When the
// store is not available every operation is skipped and the game runs on.
// Progress and failure lines go to standard output, not to log.txt.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/store_client.h"

struct LeaderboardEntry {
  std::string personaName;
  int score = 0;
  bool isPlayer = false;
};

struct LeaderboardResults {
  std::vector<int> scores;  // every downloaded global score
  std::vector<LeaderboardEntry> friends;
  LeaderboardEntry own;
};

// Leaderboard kinds.
constexpr int leaderboardModules = 1;
constexpr int leaderboardTicks = 2;

// puzzle id -> kind -> what the downloads delivered so far.
std::map<int, std::map<int, LeaderboardResults>>& leaderboardResults();

// One achievement the store keeps, with the progress that earns it.
struct Achievement {
  std::string steamName;
  std::function<bool()> earned;
};
const std::vector<Achievement>& achievements();

// The store refuses names of 128 characters or more.
constexpr std::size_t maxLeaderboardNameLength = 127;
// "<puzzle name> - Modules" (kind 1) or " - Time" (kind 2); fatal when too long.
std::string leaderboardName(int puzzle, int kind);

class SteamHandler {
 public:
  SteamHandler();
  ~SteamHandler();
  SteamHandler(const SteamHandler&) = delete;
  SteamHandler& operator=(const SteamHandler&) = delete;

  bool steamAvailable = false;
  // The current statistics arrived with an OK result; the victory screen
  // shows histograms and friends only then.
  bool statsValid = false;
  // The puzzle whose upload chain runs; 87 none.
  int uploadPuzzle = 87;
  // The puzzle whose display fetch of that kind and list runs; 87 none.
  int globalTimeSlot = 87;
  int globalModuleSlot = 87;
  int friendsTimeSlot = 87;
  int friendsModuleSlot = 87;

  void initSteam();
  void updateAchievements();
  void uploadLeaderboardScores(int puzzle);
  void fetchLeaderboards(int puzzle);
  // Once a frame from the main loop; delivers pending answers.
  void runCallbacks();
  // Ends the store session when it was started.
  void shutdown();

  // The answers, as runCallbacks delivers them.
  void onStatsReceieved(const platform::StatsReceived& stats);
  void onModuleLeaderboardFound(const platform::LeaderboardFound& result, bool ioFailure);
  void onModuleScoreUploaded(const platform::ScoreUploaded& result, bool ioFailure);
  void updateTimeLeaderboard(int puzzle);
  void onTimeLeaderboardFound(const platform::LeaderboardFound& result, bool ioFailure);
  void onTimeScoreUploaded(const platform::ScoreUploaded& result, bool ioFailure);
  void fetchLeaderboard(int puzzle, int kind);
  void onLeaderboardFoundForFetch(const platform::LeaderboardFound& result, bool ioFailure, int kind,
                                  bool friends);
  void onLeaderboardScoresDownloaded(const platform::ScoresDownloaded& result, bool ioFailure, int kind,
                                     bool friends);

  // The store backend; the environment's choice (platform::storeBackendVariable)
  // unless one was set before initSteam. Setting one starts the handler afresh.
  void setClient(std::unique_ptr<platform::StoreClient> client);
  platform::StoreClient& client();
  // Where the progress lines go (one line each, without its line end);
  // standard output by default.
  std::function<void(const std::string&)> console;

 private:
  // One outstanding call and the answer it waits for.
  struct PendingCall {
    platform::StoreCall call = 0;
    bool active() const { return call != 0; }
  };
  template <class T, class Issue, class Handle>
  void issue(PendingCall& slot, Issue&& issueCall, Handle&& handler);
  std::vector<PendingCall*> allCalls();
  void say(const std::string& line);
  int& displaySlot(int kind, bool friends);
  void endUploadChain() { uploadPuzzle = 87; }

  std::unique_ptr<platform::StoreClient> client_;
  PendingCall moduleFind_, timeFind_;
  PendingCall displayFind_[2][2];  // [kind - 1][friends]
  PendingCall moduleUpload_, timeUpload_;
  PendingCall download_[2][2];
};

SteamHandler& steamHandler();
// Tries to start the store client; prints "Failed to load steam API!" when it can't.
void initSteam();
