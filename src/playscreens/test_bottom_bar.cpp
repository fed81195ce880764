#include "playscreens/test_bottom_bar.h"

#include "editor/editor.h"
#include "model/simulation.h"
#include "playscreens/clock_edit_state.h"
#include "playscreens/editor_bar_texts.h"
#include "puzzles/tick_unit.h"
#include "puzzles/puzzle_services.h"
#include "shell/input.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"
#include "shell/tooltip.h"

namespace {
Texture clockBase;
Texture clockBaseBright;

constexpr puzzle_id runControlsPuzzle = 4;
constexpr puzzle_id fixedClockPuzzle = 86;

bool over(const Texture& t, int x, int y, int px, int py) { return pointInRect(x, y, t.width, t.height, px, py); }
}  // namespace

void loadClockCounterMedia(SDL_Renderer* renderer) {
  clockBase.loadChecked(renderer, "art/editor/TestBar_Clock-Base.png");
  clockBaseBright.loadChecked(renderer, "art/editor/TestBar_Clock-Base_Bright.png");
}

void releaseClockCounterMedia() {
  clockBase.free();
  clockBaseBright.free();
}

bool TestBarClock::contains(int x, int y) const { return over(clockBase, dial.x, dial.y, x, y); }

void TestBarClock::draw(SDL_Renderer* renderer, int mouseX, int mouseY) {
  const Texture& base = enabled && contains(mouseX, mouseY) ? clockBaseBright : clockBase;
  base.render(renderer, dial.x, dial.y);
  dial.render(renderer);
  TextItem(std::to_string(dial.period ? *dial.period : 1), dial.x + clockBase.width / 2, dial.y + 15,
           SDL_Color{239, 239, 239, 255}, 9, AlignCentre)
      .draw(renderer);
}

TestBottomBar::TestBottomBar(std::shared_ptr<Editor> editorIn, SDL_Rect window, std::shared_ptr<Simulation> run)
    : BottomBar(std::move(editorIn), window),
      simulation(std::move(run)),
      tickSlider(simulation, getPuzzle(editor->puzzle).hasFlag(puzzleFlagDelay), window) {
  GeoPoint at = placeButton(570, -60);
  clock.dial.x = at.x;
  clock.dial.y = at.y;
  clock.shownTick = simulation->tick();
  clock.dial.value = &clock.shownTick;
  clock.dial.period = &editor->clockPeriod;
  clock.dial.colour = Rgba{155, 171, 134, 255};
  const Puzzle& def = getPuzzle(editor->puzzle);
  clock.enabled = editor->puzzle != fixedClockPuzzle && !def.hasFlag(puzzleFlagAutoClock);
  buttons = makeButtons();
}

int TestBottomBar::artHeight() const { return testBarBase.middle.height; }
int TestBottomBar::height() const { return artHeight() - 20; }

bool TestBottomBar::showsRunControls() const {
  return isPuzzleBeaten(runControlsPuzzle) || editor->puzzle == runControlsPuzzle;
}

bool TestBottomBar::clockShown() const { return getPuzzle(editor->puzzle).hasFlag(puzzleFlagTimed); }

ButtonList TestBottomBar::makeButtons() {
  ButtonList list;
  const Puzzle& def = getPuzzle(editor->puzzle);
  Simulation* run = simulation.get();
  auto atStart = [run] { return run->tick() > 0; };
  auto going = [run] { return !run->isSuccess() && !run->isFailed(); };
  auto at = [this](int dx, int dy, int id, std::function<bool()> enabled = {}, std::function<bool()> visible = {}) {
    GeoPoint p = placeButton(dx, dy);
    return Button(p.x, p.y, id, nullptr, std::move(enabled), std::move(visible));
  };
  const std::string unit = tickUnitWordForPuzzle(editor->puzzle);
  Button back = at(91, 12, barStepBack, atStart);
  back.tooltipProvider = [unit] { return "Go back one " + unit + ". (Left Arrow)"; };
  list.push_back(std::move(back));
  Button forward = at(367, 12, barStepForward, going);
  forward.tooltipProvider = [unit] { return "Go forward one " + unit + ". (Right Arrow)"; };
  list.push_back(std::move(forward));
  const bool periodSteps = def.hasFlag(puzzleFlagFastForward) && def.hasFlag(puzzleFlagTimed);
  if (periodSteps) {
    list.push_back(at(67, 12, barPeriodBack, atStart));
    list.push_back(at(391, 12, barPeriodEnd, going));
  }
  if (def.hasFlag(puzzleFlagFastForward)) list.push_back(at(520, 0, barFast, going));
  if (showsRunControls()) {
    list.push_back(at(422, 0, barRewind, atStart));
    list.push_back(at(470, 0, barRun, [this, going] { return paused && going(); }, [this] { return paused; }));
    list.push_back(at(470, 0, barPause, [this] { return !paused; }, [this] { return !paused; }));
  }
  GeoPoint test = geometry().testButton();
  list.push_back(Button(test.x, test.y, barBackToEditing, nullptr));
  GeoPoint home = geometry().homeButton();
  list.push_back(Button(home.x, home.y, barHome, nullptr));
  if (puzzleHasGoalMemory(editor->puzzle)) {
    GeoPoint anchor = memoryLabelAnchor();
    Editor* owner = editor.get();
    list.push_back(Button(anchor.x, anchor.y, barMemoryOpen, nullptr, {}, [owner] { return !owner->memoryPanelOpen; }));
  }
  return list;
}

bool TestBottomBar::containsPoint(int x, int y) {
  if (buttons.buttonAt(x, y)) return true;
  GeoRect p = panelRect();
  if (x >= p.x && x < p.x + p.w && y >= p.y && y < p.y + p.h) return true;
  if (tickSlider.contains(x, y)) return true;
  return clockShown() && clock.contains(x, y);
}

bool TestBottomBar::isOverClockControl(int x, int y) { return clock.contains(x, y); }

void TestBottomBar::handleEvent(StateChange& out, const SDL_Event& event, const Viewport& viewport) {
  const Puzzle& def = getPuzzle(editor->puzzle);
  if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT &&
      editor->puzzle != fixedClockPuzzle && def.hasFlag(puzzleFlagTimed) && !def.hasFlag(puzzleFlagAutoClock)) {
    Point m = mousePosition();
    if (clock.contains(m.x, m.y)) {
      simulation->reset();
      out = {new ClockEditState(viewport, editor), Switch};
      return;
    }
  }
  BottomBar::handleEvent(out, event, viewport);
}

void TestBottomBar::render(SDL_Renderer* renderer, bool hover) {
  Point m = hover ? mousePosition() : Point{INT_MAX, INT_MAX};
  testBarBase.draw(renderer, rect);
  tickSlider.render(renderer);
  buttons.render(renderer, m.x, m.y, 255);
  if (clockShown()) {
    clock.shownTick = simulation->tick();
    clock.draw(renderer, m.x, m.y);
  }
  renderMemoryLabel(renderer);
  if (simulation->isFailed() && !simulation->isSuccess() && failureNoticeLit(ticksNow())) drawFailureNotice(renderer);
}

GeoRect TestBottomBar::failureNoticeRect(SDL_Renderer* renderer) const {
  const GeoPoint at = geometry().place(240, -58);
  const SDL_Rect text = TextItem(simulation->failureText(), at.x, at.y, SDL_Color{}, 3, AlignCentre).bounds(renderer);
  return failureNoticePlate({text.x, text.y, text.w, text.h});
}

void TestBottomBar::drawFailureNotice(SDL_Renderer* renderer) const {
  const GeoPoint at = geometry().place(240, -58);
  const GeoRect plate = failureNoticeRect(renderer);
  const SDL_Rect r{plate.x, plate.y, plate.w, plate.h};
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer, 28, 10, 8, 215);
  SDL_RenderFillRect(renderer, &r);
  SDL_SetRenderDrawColor(renderer, 214, 84, 52, 255);
  SDL_RenderDrawRect(renderer, &r);
  const std::string text = simulation->failureText();
  TextItem(text, at.x + 2, at.y + 2, SDL_Color{0, 0, 0, 255}, 3, AlignCentre).draw(renderer);
  TextItem(text, at.x, at.y, SDL_Color{255, 226, 160, 255}, 3, AlignCentre).draw(renderer);
}

bool TestBottomBar::renderTooltip(SDL_Renderer* renderer, int x, int y) {
  if (buttons.renderTooltip(renderer, x, y)) return true;
  if (tickSlider.renderTooltip(renderer)) return true;
  if (clockShown() && clock.contains(x, y)) {
    drawTooltip(renderer, ::clockTooltip(*editor, false, clockButtonKeyName()));
    return true;
  }
  return false;
}
