#include "services/steam_handler.h"

#include <cstdio>

// No store client yet: initialisation fails and every call is skipped.

std::map<int, std::map<int, LeaderboardResults>>& leaderboardResults() {
  static std::map<int, std::map<int, LeaderboardResults>> results;
  return results;
}

void SteamHandler::initSteam() {
  steamAvailable = false;
  std::printf("Failed to load steam API!\n");
}

void SteamHandler::updateAchievements() {
  if (!steamAvailable) return;
}

void SteamHandler::uploadLeaderboardScores(int) {
  if (!steamAvailable) return;
}

void SteamHandler::fetchLeaderboards(int) {
  if (!steamAvailable) return;
}

void SteamHandler::runCallbacks() {}

void SteamHandler::shutdown() { steamAvailable = false; }

SteamHandler& steamHandler() {
  static SteamHandler handler;
  return handler;
}

void initSteam() { steamHandler().initSteam(); }
