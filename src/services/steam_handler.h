#pragma once
// Store services: achievements, statistics and leaderboards. Answers arrive
// asynchronously and are delivered by runCallbacks, once a frame. When the
// store is not available every operation is skipped and the game runs on.
#include <map>
#include <string>
#include <vector>

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

class SteamHandler {
 public:
  bool steamAvailable = false;
  // The current statistics arrived with an OK result; the victory screen
  // shows histograms and friends only then.
  bool statsValid = false;

  void initSteam();
  void updateAchievements();
  void uploadLeaderboardScores(int puzzle);
  void fetchLeaderboards(int puzzle);
  // Once a frame from the main loop; delivers pending answers.
  void runCallbacks();
  void shutdown();
};

SteamHandler& steamHandler();
// Tries to start the store client; prints "Failed to load steam API!" when it can't.
void initSteam();
