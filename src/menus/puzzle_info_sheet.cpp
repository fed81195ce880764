#include "menus/puzzle_info_sheet.h"

#include "editor/editor.h"
#include "menus/character_art.h"
#include "menus/characters.h"
#include "menus/difficulty_stars.h"
#include "puzzles/generators/faux_reg_variants.h"
#include "puzzles/puzzle_services.h"
#include "services/music_manager.h"
#include "shell/fonts.h"
#include "shell/startup_media.h"

namespace {
Texture arrowUp;
Texture arrowUpMoused;
Texture arrowDown;
Texture arrowDownMoused;
Texture paper;
Texture cowPicture;

constexpr int textTop = 54;
constexpr puzzle_id timeLimitShownPuzzleA = 26;
constexpr puzzle_id timeLimitShownPuzzleB = 83;

SDL_Color argbColour(std::uint32_t c) {
  if (c == 0) return SDL_Color{0, 0, 0, 0};
  return SDL_Color{Uint8((c >> 16) & 0xff), Uint8((c >> 8) & 0xff), Uint8(c & 0xff), 255};
}

bool inside(const SDL_Rect& r, int x, int y) { return pointInRect(r.x, r.y, r.w, r.h, x, y); }
}  // namespace

void loadPuzzleInfoMedia(SDL_Renderer* renderer) {
  arrowUp.loadChecked(renderer, "art/editor/InstructionArrow-Up.png");
  arrowUpMoused.loadChecked(renderer, "art/editor/InstructionArrow-Up-Moused.png");
  arrowDown.loadChecked(renderer, "art/editor/InstructionArrow-Down.png");
  arrowDownMoused.loadChecked(renderer, "art/editor/InstructionArrow-Down-Moused.png");
  paper.loadChecked(renderer, "art/paper_tall_blotched.png");
  cowPicture.loadChecked(renderer, "art/cow_eq.png");
}

void releasePuzzleInfoMedia() {
  for (Texture* t : {&arrowUp, &arrowUpMoused, &arrowDown, &arrowDownMoused, &paper, &cowPicture}) t->free();
}

PuzzleInfoSheet::PuzzleInfoSheet(std::shared_ptr<Editor> editorIn) : editor(std::move(editorIn)) {}

const ColoredText& PuzzleInfoSheet::text() {
  if (!text_) {
    text_.emplace();
    text_->items = ColoredText::layout(buildText());
  }
  return *text_;
}

std::vector<ColoredSegment> PuzzleInfoSheet::buildText() const {
  const int puzzle = editor->puzzle;
  std::vector<ColoredSegment> segments;
  for (const DescriptionLine& run : dialogueTextLines(getPuzzleDescriptionLines(puzzle)))
    segments.push_back({run.text, argbColour(run.colour)});
  if (puzzle == fauxRegPuzzle)
    for (const FauxRegHintSegment& s : fauxRegVariantHint(editor->machine))
      segments.push_back({s.text, s.a == 0 ? SDL_Color{0, 0, 0, 0} : SDL_Color{s.r, s.g, s.b, 255}});
  const Puzzle& def = getPuzzle(puzzle);
  const std::string limit = getPuzzleTimeLimitText(puzzle);
  if (!limit.empty() && (puzzle >= firstCommunityPuzzle || def.hasFlag(puzzleFlagTimed) ||
                         puzzle == timeLimitShownPuzzleA || puzzle == timeLimitShownPuzzleB)) {
    segments.push_back({"\n \nTime Limit: ", SDL_Color{0, 0, 0, 0}});
    segments.push_back({limit, SDL_Color{148, 0, 12, 255}});
  }
  if (!def.allowedModules.empty()) {
    std::string count = "\n \nUnique Modules: " + std::to_string(editor->moduleCount());
    if (isPuzzleBeaten(puzzle)) count += goalSuffixText(def.goalModules);
    segments.push_back({count, SDL_Color{0, 98, 99, 255}});
  }
  return segments;
}

bool PuzzleInfoSheet::open() const { return editor->infoSheetOpen; }

SDL_Rect PuzzleInfoSheet::arrowRect() const {
  const Texture& art = open() ? arrowDown : arrowUp;
  return {0, 0, art.width + 9, art.height + 13};
}

TextItem PuzzleInfoSheet::titleItem(bool hovered) const {
  return TextItem(getPuzzleTitle(editor->puzzle), arrowRect().w + 18, 5,
                  hovered ? SDL_Color{164, 223, 215, 255} : SDL_Color{48, 48, 48, 255}, 1, AlignLeft);
}

SDL_Rect PuzzleInfoSheet::sheetRect(SDL_Renderer* renderer) {
  if (!open()) return {0, 0, titleItem(false).bounds(renderer).w + 60, 45};
  const ColoredText& laidOut = text();
  if (laidOut.items.empty()) return {0, 0, paper.width, 60};
  const TextItem& last = laidOut.items.back();
  return {0, 0, paper.width, last.y + fontDimensions(last.font).height + 60};
}

bool PuzzleInfoSheet::hitTest(int x, int y) const {
  if (open()) return inside({0, 0, paper.width, 60}, x, y);
  return inside(arrowRect(), x, y);
}

bool PuzzleInfoSheet::handleClick(const SDL_Event& event, int x, int y) {
  if (event.type != SDL_MOUSEBUTTONDOWN || event.button.button != SDL_BUTTON_LEFT) return false;
  if (!inside(arrowRect(), x, y)) return false;
  musicManager().playSound(LevelOpen, 1.0f);
  editor->infoSheetOpen = !editor->infoSheetOpen;
  return true;
}


namespace {
DifficultyStars starsFor(SDL_Renderer* renderer, const TextItem& title, int puzzle) {
  SDL_Rect t = title.bounds(renderer);
  return {t.x + t.w + 8, t.y + 5, puzzle};
}

CharacterArt portraitFor(int puzzle) {
  const int speaker = getPuzzleDescriptionLines(puzzle).speaker;
  CharacterArt art{speaker, 0, 5, false};
  // Centred on a point 40 pixels in from the paper's right edge.
  art.x = paper.width - 40 - art.texture().width / 2;
  return art;
}
}  // namespace

void PuzzleInfoSheet::render(SDL_Renderer* renderer, int mouseX, int mouseY) {
  const SDL_Rect sheet = sheetRect(renderer);
  if (paper.texture) {
    SDL_SetTextureAlphaMod(paper.texture, open() ? 200 : 112);
    SDL_Rect clip{0, 0, std::min(sheet.w, paper.width), std::min(sheet.h, paper.height)};
    paper.render(renderer, 4, 4, &clip);
  }
  const bool overArrow = inside(arrowRect(), mouseX, mouseY);
  const Texture& arrow = open() ? (overArrow ? arrowDownMoused : arrowDown) : (overArrow ? arrowUpMoused : arrowUp);
  arrow.render(renderer, 9, 13);
  const TextItem title = titleItem(overArrow);
  title.draw(renderer);
  if (!open()) return;
  portraitFor(editor->puzzle).drawPortrait(renderer, 255);
  if (colouredStarSheet.texture.texture) SDL_SetTextureAlphaMod(colouredStarSheet.texture.texture, 255);
  starsFor(renderer, title, editor->puzzle).draw(renderer, colouredStarSheet, 255);
  const SDL_Rect a = arrowRect();
  text().render(renderer, a.x + a.w + 15, textTop);
  if (editor->puzzle == cowsPuzzle)
    cowPicture.render(renderer, sheet.x + sheet.w - cowPicture.width, sheet.y + sheet.h - cowPicture.height);
}

bool PuzzleInfoSheet::tooltipAt(SDL_Renderer* renderer, int x, int y) {
  if (!open()) return false;
  if (starsFor(renderer, titleItem(false), editor->puzzle).tooltipAt(renderer, 1, x, y)) return true;
  return portraitFor(editor->puzzle).tooltipAt(renderer, editor->puzzle, x, y);
}
