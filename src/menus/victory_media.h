#pragma once
// The victory dialog's art: its frame, the leaderboard panel behind the
// histogram and the brass corners over the speaker's portrait.
#include <SDL.h>

#include "shell/texture.h"

struct VictoryArt {
  Texture dialog;       // art/pvs/Dialog_Base.png
  Texture leaderboard;  // art/pvs/Leaderboard_Base.png
  Texture corners;      // art/pvs/Portrait_Corners.png
};
extern VictoryArt victoryArt;

// Start-up: loads the three pictures (fatal when one is missing) and
// registers their release at exit.
void loadVictoryMedia(SDL_Renderer* renderer);
