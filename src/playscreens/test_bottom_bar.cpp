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
  clock.enabled = !barClockFixed(editor->puzzle) && !def.hasFlag(puzzleFlagAutoClock);
  fixedInputs.puzzle = editor->puzzle;
  fixedInputs.timed = def.hasFlag(puzzleFlagTimed);
  fixedInputs.fastForward = def.hasFlag(puzzleFlagFastForward);
  fixedInputs.autoClock = def.hasFlag(puzzleFlagAutoClock);
  fixedInputs.runControlsLearnt = isPuzzleBeaten(runControlsLessonPuzzle);
  fixedInputs.hasGoalMemory = puzzleHasGoalMemory(editor->puzzle);
  buttons = makeButtons();
}

int TestBottomBar::artHeight() const { return testBarBase.middle.height; }
int TestBottomBar::height() const { return artHeight() - 20; }

bool TestBottomBar::showsRunControls() const {
  return testBarShowsRunControls(fixedInputs);
}

bool TestBottomBar::clockShown() const { return getPuzzle(editor->puzzle).hasFlag(puzzleFlagTimed); }

TestBarInputs TestBottomBar::barInputs() const {
  TestBarInputs in = fixedInputs;
  in.memoryPanelOpen = editor->memoryPanelOpen;
  in.tick = int(simulation->tick());
  in.finished = simulation->isSuccess() || simulation->isFailed();
  in.paused = paused;
  return in;
}

ButtonList TestBottomBar::makeButtons() {
  ButtonList list;
  const std::string unit = tickUnitWordForPuzzle(editor->puzzle);
  auto placeOf = [this](int id) -> GeoPoint {
    switch (id) {
      case barStepBack: return placeButton(91, 12);
      case barStepForward: return placeButton(367, 12);
      case barPeriodBack: return placeButton(67, 12);
      case barPeriodEnd: return placeButton(391, 12);
      case barFast: return placeButton(520, 0);
      case barRewind: return placeButton(422, 0);
      case barRun:
      case barPause: return placeButton(470, 0);
      case barBackToEditing: return geometry().testButton();
      case barHome: return geometry().homeButton();
      default: return memoryLabelAnchor();
    }
  };
  for (const BarButtonRow& row : testBarRows(barInputs())) {
    if (!row.exists) continue;
    const int id = row.id;
    const GeoPoint at = placeOf(id);
    auto enabled = [this, id] { return barRow(testBarRows(barInputs()), id).enabled; };
    auto visible = [this, id] { return barRow(testBarRows(barInputs()), id).visible; };
    Button b(at.x, at.y, id, nullptr, std::move(enabled), std::move(visible));
    if (id == barStepBack) b.tooltipProvider = [unit] { return "Go back one " + unit + ". (Left Arrow)"; };
    if (id == barStepForward) b.tooltipProvider = [unit] { return "Go forward one " + unit + ". (Right Arrow)"; };
    list.push_back(std::move(b));
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

BarStep TestBottomBar::stepFor(const InputRecord& in, GeoPoint pressAt) {
  return testBarStepFor(in, buttons.states(), pressAt, barInputs(), clock.contains(in.x, in.y));
}

void TestBottomBar::act(StateChange& out, const BarStep& step, const Viewport& viewport) {
  if (step.action != BarAction::openClockEditor) return;
  simulation->reset();
  out = {new ClockEditState(viewport, editor), Switch};
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
