#pragma once
// The paper sheet in the top-left corner of every editor screen: the
// puzzle's title and difficulty stars, and, unfolded, its description with
// the speaker's portrait, its time limit and the module count against the
// goal. A click on its arrow folds or unfolds it; the Editor keeps which.
#include <SDL.h>

#include <memory>
#include <optional>

#include "shell/colored_text.h"
#include "shell/texture.h"

class Editor;

void loadPuzzleInfoMedia(SDL_Renderer* renderer);
void releasePuzzleInfoMedia();

class PuzzleInfoSheet {
 public:
  explicit PuzzleInfoSheet(std::shared_ptr<Editor> editor);

  // Over the sheet: its head strip while open, its arrow while folded.
  bool hitTest(int x, int y) const;
  bool handleClick(const SDL_Event& event, int x, int y);
  void render(SDL_Renderer* renderer, int mouseX, int mouseY);
  bool tooltipAt(SDL_Renderer* renderer, int x, int y);

  bool open() const;
  SDL_Rect arrowRect() const;
  TextItem titleItem(bool hovered) const;
  SDL_Rect sheetRect(SDL_Renderer* renderer);
  std::vector<ColoredSegment> buildText() const;
  // The sheet's text, laid out the first time it is needed (the fonts must
  // be open by then): the module count is the machine's at that moment.
  const ColoredText& text();

  std::shared_ptr<Editor> editor;

 private:
  std::optional<ColoredText> text_;
};
