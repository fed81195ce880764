#include "menus/difficulty_stars.h"

#include "menus/difficulty.h"
#include "shell/startup_media.h"

SpriteSheet colouredStarSheet{Texture(), 1, starSheetRows};
SpriteSheet chalkStarSheet{Texture(), 1, starSheetRows};

void loadStarsMedia(SDL_Renderer* renderer) {
  colouredStarSheet.texture.loadChecked(renderer, "art/stars.png");
  SDL_SetTextureAlphaMod(colouredStarSheet.texture.texture, 160);
  chalkStarSheet.texture.loadChecked(renderer, "art/puzzleselect/chalk_stars.png");
  static bool registered = false;
  if (!registered) {
    registered = true;
    registerMediaRelease([] {
      colouredStarSheet.texture.free();
      chalkStarSheet.texture.free();
    });
  }
}

int DifficultyStars::difficulty() const {
  return puzzle == noPuzzle ? 0 : getPuzzle(puzzle).difficulty;
}

std::string DifficultyStars::name() const { return difficultyName(difficulty()); }

BoxSize DifficultyStars::size() const {
  return {difficultyStarsWidth(difficulty()), colouredStarSheet.cellRect(0).h};
}

void DifficultyStars::draw(SDL_Renderer* renderer, const SpriteSheet& sheet, Uint8 alpha) const {
  int cell = difficultyStarCell(difficulty());
  if (cell < 0 || !sheet.texture.exists()) return;
  SDL_SetTextureAlphaMod(sheet.texture.texture, alpha);
  SDL_Rect clip = sheet.cellRect(cell);
  sheet.texture.render(renderer, x, y, &clip);
}

bool DifficultyStars::tooltipAt(SDL_Renderer* renderer, int scale, int px, int py) const {
  GeoRect r = difficultyStarsHitRect(x, y, difficulty(), size().h, scale);
  if (!pointInGeoRect(r, px, py)) return false;
  drawTooltip(renderer, difficultyTooltipText(difficulty()));
  return true;
}
