#pragma once
// Drawing the victory dialog over whatever lies beneath it: the dimmed
// window, the frame, the speaker's portrait, the title, the story or the
// leaderboard panel with its histogram and friends, the result table with
// its sparkles, and the tooltips of all of them. The buttons are the
// screen's own.
#include <SDL.h>

#include <vector>

#include "editor/editor.h"
#include "menus/character_art.h"
#include "menus/score_histogram.h"
#include "menus/victory_table.h"
#include "shell/text_item.h"

TextItem textItemOf(const VictoryText& text);

struct VictoryPanel {
  puzzle_id puzzle = noPuzzle;
  MachineStats score;
  GeoRect dialog;
  int view = 1;

  // The dialog for the dialog art's size in a window of that size.
  static VictoryPanel centred(puzzle_id puzzle, const MachineStats& score, int view, int windowW, int windowH);

  std::vector<VictoryText> texts() const;
  // The histogram of the shown view (views 2 and 3 only).
  ScoreHistogram histogram() const;
  // The speaker of the victory text, when it has one.
  bool hasPortrait() const;
  CharacterArt portrait() const;

  // A black veil of this alpha over the whole window.
  static void drawVeil(SDL_Renderer* renderer, Uint8 alpha);
  void draw(SDL_Renderer* renderer, Uint8 alpha) const;
  // The table's tooltip under the point, then (views 2 and 3) the friends'
  // list's or (the story) the portrait's; true when one was drawn.
  bool drawTableTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const;
  bool drawViewTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const;
};
