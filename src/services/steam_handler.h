#pragma once
// Store services (achievements, statistics, leaderboards). There is no store
// client here, so steamAvailable stays false and every operation is skipped.

class SteamHandler {
 public:
  bool steamAvailable = false;
  void updateAchievements();
  void uploadLeaderboardScores(int puzzle);
};

SteamHandler& steamHandler();
// Tries to start the store client; prints "Failed to load steam API!" when it can't.
void initSteam();
