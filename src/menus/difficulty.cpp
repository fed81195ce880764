#include "menus/difficulty.h"

#include <array>

namespace {
const std::array<const char*, 6> names{"Buggy", "Easy", "Normal", "Hard", "Nightmare", "...Normal?"};
}

std::string difficultyName(int difficulty) {
  if (difficulty < 0 || difficulty > 5) return "";
  return names[size_t(difficulty)];
}

int difficultyStarsWidth(int difficulty) {
  if (difficulty < 0 || difficulty > 5) return 0;
  return (difficulty == 5 ? 2 : difficulty) * starWidth;
}

int difficultyStarCell(int difficulty) {
  return difficulty >= 1 && difficulty <= starSheetRows ? difficulty - 1 : -1;
}

GeoRect difficultyStarsHitRect(int x, int y, int difficulty, int cellHeight, int scale) {
  if (scale < 1) scale = 1;
  return {x, y, difficultyStarsWidth(difficulty) / scale, (cellHeight + 6) / scale};
}

std::string difficultyTooltipText(int difficulty) { return "Complexity: " + difficultyName(difficulty); }
