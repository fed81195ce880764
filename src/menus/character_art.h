#pragma once
// The characters' portraits: full portraits for the victory screen, heads for
// the information sheet, and their tooltips.
#include <SDL.h>

#include <array>

#include "menus/characters.h"
#include "puzzles/puzzle.h"
#include "shell/texture.h"

// Indexed by character id; id 0 (the player) has no art.
// art/characters/ + name + .png, and + _head.png for the heads.
extern std::array<Texture, characterCount> characterPortraits;
extern std::array<Texture, characterCount> characterHeads;

// Loads both pictures of ids 1..6; fatal when one is missing.
void loadCharacterArt(SDL_Renderer* renderer);

// The player's full portrait still claims the usual portrait area, so the
// layouts around it do not jump.
constexpr int portraitWidth = 280;
constexpr int portraitHeight = 400;

struct CharacterArt {
  int characterId = playerCharacter;
  int x = 0;
  int y = 0;
  bool full = false;  // the full portrait, else the head

  const Texture& texture() const;
  SDL_Rect rect() const;
  // Nothing for a character without art.
  void drawPortrait(SDL_Renderer* renderer, Uint8 alpha) const;
  // Draws "<shown name>: <description on the puzzle's board>" when (px, py)
  // lies on the portrait.
  bool tooltipAt(SDL_Renderer* renderer, puzzle_id puzzle, int px, int py) const;
};
