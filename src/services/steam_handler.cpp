#include "services/steam_handler.h"

#include <cstdio>

void SteamHandler::updateAchievements() {
  if (!steamAvailable) return;
}

void SteamHandler::uploadLeaderboardScores(int) {
  if (!steamAvailable) return;
}

SteamHandler& steamHandler() {
  static SteamHandler handler;
  return handler;
}

void initSteam() { std::printf("Failed to load steam API!\n"); }
