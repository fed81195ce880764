#include "menus/puzzle_select_state.h"

#include <algorithm>
#include <limits>
#include "menus/menu_surround.h"

#include "menus/difficulty_stars.h"
#include "menus/main_menu_state.h"
#include "menus/puzzle_select_media.h"
#include "playscreens/enter_puzzle.h"
#include "puzzles/chapter.h"
#include "puzzles/puzzle_services.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "shell/sprites.h"
#include "shell/text_item.h"
#include "shell/tooltip.h"

namespace {
enum SelectButton : int { previousPageButton = 49, nextPageButton = 50, backButton = 51 };
constexpr int selectTrack = 7;
constexpr SDL_Color chalk{245, 245, 245, 255};

Sparkle sparkleAt(int x, int y, int pause, int seed, Uint32 rgb) {
  Sparkle s;
  s.x = x;
  s.y = y;
  s.restFrames = pause;
  s.phaseMs = seededRandom(seed);
  s.red = Uint8(rgb >> 16);
  s.green = Uint8(rgb >> 8);
  s.blue = Uint8(rgb);
  return s;
}

// Sparkles here shine at full strength, over the sheet's usual dimming.
void drawFullSparkle(SDL_Renderer* renderer, const Sparkle& s, const Viewport& v) {
  SDL_SetTextureAlphaMod(sparkleSheet.texture.texture, 255);
  s.drawAnimated(renderer, v);
  SDL_SetTextureAlphaMod(sparkleSheet.texture.texture, 191);
}

SDL_Rect toSdl(const GeoRect& r) { return {r.x, r.y, r.w, r.h}; }
}  // namespace

PuzzleSelectState::PuzzleSelectState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id requested)
    : MenuStateBase(viewport, clipboard, noBoard), board_(resolveSelectBoard(requested)) {
  rememberedBoard_ = board_;
  const Texture& background = chapterBackground(board_ >= 0 && board_ < chapterCount ? board_ : 0);
  GeoPoint pan = selectBoardPan(requested, viewport.screen.w, viewport.screen.h, background.width,
                                background.height, chapterBackground(0).height);
  // The boards are drawn unzoomed; an editor left zoomed out hands its zoom on.
  this->viewport().zoom = 1;
  this->viewport().panX = float(pan.x);
  this->viewport().panY = float(pan.y);
  perfectBoards_ = perfectChapters();
  chalkHeardUntil_ = ticksNow();
  revealTimes_ = revealSchedule(board_, lastNewlyBeatenPuzzle, chalkHeardUntil_);
  lastNewlyBeatenPuzzle = noPuzzle;
}

Viewport PuzzleSelectState::plainViewport() const {
  Viewport v = viewport();
  v.panX = 0;
  v.panY = 0;
  return v;
}

StateChange PuzzleSelectState::switchToBoard(blackboard_id board) const {
  return {new PuzzleSelectState(plainViewport(), clipboard_, board), FadeSwitch};
}

ButtonList PuzzleSelectState::buildButtons() const {
  const Viewport& v = viewport();
  const int top = selectTabRowTop();
  ButtonList buttons;
  Point p = v.worldToScreen(0, 684);
  buttons.emplace_back(p.x, p.y, backButton, nullptr);
  if (isCommunityBoard(board_)) {
    // Page turns exist only where there is a page to turn to, so the arrow
    // keys do nothing on the first and the last page.
    if (board_ < firstCommunityBoard - 1 + communityPageCount()) {
      p = v.worldToScreen(866, top);
      buttons.emplace_back(p.x, p.y, nextPageButton, nullptr);
    }
    if (board_ > firstCommunityBoard) {
      p = v.worldToScreen(tabLeft, top);
      buttons.emplace_back(p.x, p.y, previousPageButton, nullptr);
    }
    return buttons;
  }
  const std::vector<Chapter>& chapters = chaptersVector();
  for (int i = int(chapters.size()) - 1; i >= 0; --i) {
    const Chapter& c = chapters[size_t(i)];
    if (c.tabButtonId == noButton || !c.isUnlocked()) continue;
    GeoPoint t = tabPosition(i, top);
    p = v.worldToScreen(t.x, t.y);
    buttons.emplace_back(p.x, p.y, c.tabButtonId, nullptr);
    buttons.back().selected = i == board_;
    const blackboard_id shown = board_;
    buttons.back().tooltipProvider = [i, shown] { return tabTooltip(i, shown); };
  }
  return buttons;
}

SDL_Rect PuzzleSelectState::placardScreenRect(const PuzzlePlacard& placard) const {
  return viewport().worldRectToScreen(toSdl(placard.boardRect()));
}

StateChange PuzzleSelectState::handleEvent(const SDL_Event& event) {
  ButtonList buttons = buildButtons();
  const int id = buttons.clickedId(event);
  switch (id) {
    case previousPageButton:
      return board_ > firstCommunityBoard ? switchToBoard(board_ - 1) : StateChange{};
    case nextPageButton:
      return board_ < firstCommunityBoard - 1 + communityPageCount() ? switchToBoard(board_ + 1) : StateChange{};
    case backButton:
      return {new MainMenuState(plainViewport(), clipboard_, board_), FadeSwitch};
    default:
      break;
  }
  if (int chapter = chapterOfTab(id); chapter >= 0) return switchToBoard(chapter);
  if (event.type != SDL_MOUSEBUTTONDOWN || event.button.button != SDL_BUTTON_LEFT) return {};
  const Point m = mousePosition();
  const Point at = viewport().screenToWorld(m.x, m.y);
  const PuzzleBoardTag tag = passage();
  if (tag.target != noBoard && pointInGeoRect(tag.hitRect(), at.x, at.y)) {
    musicManager().playSound(LevelOpen, 1.0f);
    return switchToBoard(board_ == secretBoard ? passageBoard : secretBoard);
  }
  for (const PuzzlePlacard& placard : boardPlacards(board_)) {
    if (!placard.unlocked || !pointInGeoRect(placard.boardRect(), at.x, at.y)) continue;
    musicManager().playSound(LevelSelect, 1.0f);
    return {enterPuzzle(placard.puzzle, clipboard_, plainViewport()), FadeSwitch};
  }
  return {};
}

void PuzzleSelectState::update(int) {
  const Tick now = ticksNow();
  if (now <= chalkHeardUntil_) return;
  const Tick since = std::min<Tick>(now - chalkHeardUntil_, std::numeric_limits<int>::max());
  const int chalkLines = revealsStartingIn(revealTimes_, now, int(since));
  chalkHeardUntil_ = now;
  for (int i = 0; i < chalkLines; ++i) musicManager().playSound(Chalk, 1.0f);
}

void PuzzleSelectState::drawPlacard(SDL_Renderer* renderer, const PuzzlePlacard& placard, Point mouse) const {
  const double f = revealFraction(revealTimes_, placard.puzzle, ticksNow());
  const SDL_Rect r = placardScreenRect(placard);
  const Point at = viewport().worldToScreen(placard.x, placard.y);
  TextItem label(getPuzzleTitle(placard.puzzle), at.x, at.y, chalk, 14, AlignCentre);
  label.alpha = Uint8(placard.textAlpha(f));
  label.draw(renderer);
  if (!placard.unlocked) return;
  DifficultyStars stars{r.x + 15, r.y + r.h + 2, placard.puzzle};
  stars.draw(renderer, chalkStarSheet, placard.beaten ? 255 : Uint8(255 * f));
  const PuzzleSelectArt& art = puzzleSelectArt;
  if (placard.beaten) {
    const int n = int(r.w * f);
    SDL_Rect clip{r.w - n, 0, n, r.h};
    if (n > 0) art.crossLine.render(renderer, r.x + r.w - n, r.y - 2, &clip);
  } else {
    const int n = int((r.w - 12) * f);
    SDL_Rect clip{0, 0, n, r.h};
    if (n > 0) art.underLine.render(renderer, r.x + 5, r.y + 17, &clip);
  }
  if (pointInRect(r.x, r.y, r.w, r.h, mouse.x, mouse.y)) {
    SDL_SetRenderDrawColor(renderer, 255, 255, 255, 96);
    SDL_RenderFillRect(renderer, &r);
  }
  if (placard.perfect) {
    const GeoRect b = placard.boardRect();
    drawFullSparkle(renderer, sparkleAt(b.x + b.w - 7, b.y, 10, placard.puzzle * 1000 + 1, 0xFFFF00), viewport());
  }
}

bool PuzzleSelectState::placardHover(SDL_Renderer* renderer, const PuzzlePlacard& placard, Point mouse) const {
  if (!placard.unlocked) return false;
  const SDL_Rect r = placardScreenRect(placard);
  DifficultyStars stars{r.x + 15, r.y + r.h + 2, placard.puzzle};
  if (stars.tooltipAt(renderer, 2, mouse.x, mouse.y)) return true;
  if (!placard.beaten || !pointInRect(r.x, r.y, r.w, r.h, mouse.x, mouse.y)) return false;
  const std::string records = placardRecordsText(placard.puzzle);
  if (records.empty()) return false;
  drawTooltip(renderer, records);
  return true;
}

void PuzzleSelectState::drawTabSparkles(SDL_Renderer* renderer) const {
  if (isCommunityBoard(board_)) return;
  const int top = selectTabRowTop();
  for (int k : perfectBoards_) {
    if (k == board_) drawFullSparkle(renderer, sparkleAt(610, 40, 40, k + 151, 0xFFD52B), viewport());
    if (k == secretBoard) continue;
    const int x = tabPitch * k;
    drawFullSparkle(renderer, sparkleAt(548 + x, top + 20, 40, k + 1, 0xFFFF00), viewport());
    drawFullSparkle(renderer, sparkleAt(498 + x, top + 80, 40, k + 51, 0xFFD52B), viewport());
    drawFullSparkle(renderer, sparkleAt(458 + x, top + 40, 40, k + 101, 0xFFD52B), viewport());
  }
}

void PuzzleSelectState::render(SDL_Renderer* renderer) {
  const Viewport& v = viewport();
  const PuzzleSelectArt& art = puzzleSelectArt;
  const Point mouse = mousePosition();
  drawMenuSurround(renderer, v.screen);
  const Point origin = v.worldToScreen(0, 0);
  art.frame.render(renderer, origin.x - 24, origin.y - 24);
  const bool community = isCommunityBoard(board_);
  chapterBackground(community ? (board_ - firstCommunityBoard) % chapterCount : board_)
      .render(renderer, origin.x, origin.y);
  (community ? communityPageOverlay(board_ - firstCommunityBoard) : chapterOverlay(board_))
      .render(renderer, origin.x, origin.y);
  if (board_ == passageBoard && !tutorialFlags[flagUnlockedTrailerPuzzle]) art.creditHint.render(renderer, origin.x, origin.y);
  if (board_ == 0 && chaptersVector()[1].isUnlocked()) art.lookdown.render(renderer, origin.x, origin.y);

  const std::vector<PuzzlePlacard> placards = boardPlacards(board_);
  for (const PuzzlePlacard& placard : placards) drawPlacard(renderer, placard, mouse);

  const PuzzleBoardTag tag = passage();
  if (tag.target != noBoard) {
    const Point at = v.worldToScreen(tag.x, tag.y);
    TextItem(boardName(tag.target), at.x, at.y, chalk, 14, AlignCentre).draw(renderer);
    const Point m = v.screenToWorld(mouse.x, mouse.y);
    if (pointInGeoRect(tag.hitRect(), m.x, m.y)) {
      SDL_Rect r = v.worldRectToScreen(toSdl(tag.hitRect()));
      SDL_SetRenderDrawColor(renderer, 255, 255, 255, 96);
      SDL_RenderFillRect(renderer, &r);
    }
  }

  const int top = selectTabRowTop();
  Point p = v.worldToScreen(0, top);
  art.base.render(renderer, p.x, p.y);
  p = v.worldToScreen(selectDesignWidth / 2 - art.titlePlate.width / 2, 0);
  art.titlePlate.render(renderer, p.x, p.y);
  p = v.worldToScreen(selectDesignWidth / 2, 10);
  TextItem(boardName(board_), p.x, p.y, SDL_Color{254, 242, 218, 255}, 9, AlignCentre).draw(renderer);

  ButtonList buttons = buildButtons();
  buttons.render(renderer, mouse.x, mouse.y, 255);
  drawTabSparkles(renderer);
  for (const Button& b : buttons) {
    const int chapter = chapterOfTab(b.id);
    if (chapter < 0 || chapter == board_ || !tutorialHintPending(b.id)) continue;
    SDL_SetTextureAlphaMod(art.spotlight.texture, 104);
    p = v.worldToScreen(tabLeft + tabPitch * chapter + 35, 0);
    art.spotlight.render(renderer, p.x, p.y);
  }

  if (buttons.renderTooltip(renderer, mouse.x, mouse.y)) return;
  for (const PuzzlePlacard& placard : placards)
    if (placardHover(renderer, placard, mouse)) return;
}

GameState* PuzzleSelectState::rebuild(SDL_Rect screen) {
  Viewport v = plainViewport();
  v.screen = screen;
  return new PuzzleSelectState(v, clipboard_, board_);
}

void PuzzleSelectState::enter() {
  MusicManager& music = musicManager();
  music.setTrack(selectTrack);
  music.requestedLoopKind = AmbienceMain;
  music.requestedLoopValue = selectAmbienceValue(board_);
  music.channelOn[2] = true;
  markTutorialSeen(flagLeftFirstPuzzle);
}
