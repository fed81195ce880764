#include "menus/character_art.h"

#include "menus/puzzle_board.h"
#include "shell/startup_media.h"
#include "shell/tooltip.h"

std::array<Texture, characterCount> characterPortraits;
std::array<Texture, characterCount> characterHeads;

void loadCharacterArt(SDL_Renderer* renderer) {
  for (int id = 1; id < characterCount; ++id) {
    const std::string base = "art/characters/" + characterName(id);
    characterPortraits[size_t(id)].loadChecked(renderer, base + ".png");
    characterHeads[size_t(id)].loadChecked(renderer, base + "_head.png");
  }
  static bool registered = false;
  if (!registered) {
    registered = true;
    registerMediaRelease([] {
      for (Texture& t : characterPortraits) t.free();
      for (Texture& t : characterHeads) t.free();
    });
  }
}

const Texture& CharacterArt::texture() const {
  static const Texture none;
  if (characterId < 0 || characterId >= characterCount) return none;
  return full ? characterPortraits[size_t(characterId)] : characterHeads[size_t(characterId)];
}

SDL_Rect CharacterArt::rect() const {
  if (characterId == playerCharacter && full) return {x, y, portraitWidth, portraitHeight};
  const Texture& t = texture();
  return {x, y, t.width, t.height};
}

void CharacterArt::drawPortrait(SDL_Renderer* renderer, Uint8 alpha) const {
  const Texture& t = texture();
  if (!t.exists()) return;
  SDL_SetTextureAlphaMod(t.texture, alpha);
  t.render(renderer, x, y);
}

bool CharacterArt::tooltipAt(SDL_Renderer* renderer, puzzle_id puzzle, int px, int py) const {
  if (characterId < 0 || characterId >= characterCount) return false;
  SDL_Rect r = rect();
  if (!pointInRect(r.x, r.y, r.w, r.h, px, py)) return false;
  drawTooltip(renderer, characterTooltipText(characterId, getPuzzleBoard(puzzle)));
  return true;
}
