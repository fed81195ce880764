#include "menus/victory_media.h"

#include "shell/startup_media.h"

VictoryArt victoryArt;

void loadVictoryMedia(SDL_Renderer* renderer) {
  victoryArt.dialog.loadChecked(renderer, "art/pvs/Dialog_Base.png");
  victoryArt.leaderboard.loadChecked(renderer, "art/pvs/Leaderboard_Base.png");
  victoryArt.corners.loadChecked(renderer, "art/pvs/Portrait_Corners.png");
  // Start-up runs once in the game; tests open several renderers in turn.
  static bool registered = false;
  if (!registered) {
    registered = true;
    registerMediaRelease([] {
      victoryArt.dialog.free();
      victoryArt.leaderboard.free();
      victoryArt.corners.free();
    });
  }
}
