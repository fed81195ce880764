#include "menus/puzzle_victory_state.h"

#include "menus/menu_entry.h"
#include "model/simulation.h"
#include "playscreens/enter_puzzle.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/sim_play_state.h"
#include "playscreens/test_bottom_bar.h"
#include "services/music_manager.h"
#include "services/steam_handler.h"
#include "shell/input.h"

namespace {
constexpr int halfMusic = 50;
constexpr int fullMusic = 100;

std::optional<MemorySidebar> sidebarFor(const std::shared_ptr<Editor>& editor,
                                        const std::shared_ptr<Simulation>& run) {
  if (run) return MemorySidebar(editor, run);
  return std::nullopt;
}
}  // namespace

PuzzleVictoryState::PuzzleVictoryState(const Viewport& viewport, std::shared_ptr<Editor> editor, MachineStats score,
                                       Tick startTime, std::shared_ptr<Simulation> simulation, int testIndex)
    : PuzzleVictoryState(viewport, editor, score, simulation, testIndex,
                         VictoryDialog::open(editor->puzzle, startTime)) {}

PuzzleVictoryState::PuzzleVictoryState(const Viewport& viewport, std::shared_ptr<Editor> editorIn,
                                       MachineStats scoreIn, std::shared_ptr<Simulation> run, int test,
                                       const VictoryDialog& dialogIn)
    : GameState(std::make_shared<FixedScrollLogic>(viewport)),
      editor(std::move(editorIn)),
      simulation(std::move(run)),
      score(scoreIn),
      testIndex(test),
      dialog(dialogIn),
      playScreen(this->viewport(), sidebarFor(editor, simulation), editor, {}, {}, simulation) {
  if (auto* bar = dynamic_cast<TestBottomBar*>(playScreen.bar.get())) bar->paused = true;
  // Further edits show no second victory until the machine changes.
  editor->stillSolved = true;
}

GeoRect PuzzleVictoryState::dialogRect() const { return panel().dialog; }

VictoryPanel PuzzleVictoryState::panel() const {
  const SDL_Rect& s = viewport().screen;
  return VictoryPanel::centred(editor->puzzle, score, dialog.view, s.w, s.h);
}

ButtonList PuzzleVictoryState::buildButtons() const {
  ButtonList list;
  const puzzle_id puzzle = editor->puzzle;
  for (const VictoryButtonPlace& place : dialog.buttons(dialogRect(), steamHandler().statsValid)) {
    const bool enabled = place.enabled;
    list.emplace_back(place.x, place.y, place.id, nullptr, [enabled] { return enabled; });
    if (place.id == nextPuzzleButton) list.back().tooltipProvider = [puzzle] { return nextPuzzleTooltip(puzzle); };
  }
  return list;
}

StateChange PuzzleVictoryState::handleEvent(const SDL_Event& event) {
  const Tick now = ticksNow();
  if (!dialog.takesInput(now)) return {};
  ButtonList buttons = buildButtons();
  const int pressed = buttons.clickedId(event);
  switch (dialog.press(pressed)) {
    case VictoryAction::backToPuzzle:
      return backToPuzzle();
    case VictoryAction::nextPuzzle:
      return nextPuzzle();
    case VictoryAction::puzzleSelect:
      return toPuzzleSelect();
    case VictoryAction::playEnding:
      return playEnding();
    case VictoryAction::showView:
      return {};
    case VictoryAction::none:
      break;
  }
  if (pressed == noButton && event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    const Point m = mousePosition();
    if (dialog.clickGoesBack(now, dialogRect(), m.x, m.y)) return backToPuzzle();
  }
  return {};
}

void PuzzleVictoryState::update(int) {
  if (!dialog.fanfareDue(ticksNow())) return;
  musicManager().musicFade = halfMusic;
  musicManager().playSound(LevelComplete, 1.0f);
  dialog.started = true;
}

void PuzzleVictoryState::exit() { musicManager().musicFade = fullMusic; }

void PuzzleVictoryState::render(SDL_Renderer* renderer) {
  const ConstContext context = simulation ? simulation->constContext() : editor->constContext();
  playScreen.render(renderer, &context, viewport(), noMousePoint.x, noMousePoint.y);
  const Tick now = ticksNow();
  VictoryPanel::drawVeil(renderer, Uint8(dialog.shadeAlpha(now)));
  const Uint8 alpha = Uint8(dialog.dialogAlpha(now));
  if (alpha == 0) return;
  const VictoryPanel shown = panel();
  shown.draw(renderer, alpha);
  // The mouse counts only once the dialog is fully there.
  const Point m = dialog.hoverLive(now) ? mousePosition() : noMousePoint;
  ButtonList buttons = buildButtons();
  buttons.render(renderer, m.x, m.y, alpha);
  if (!dialog.hoverLive(now)) return;
  if (shown.drawTableTooltip(renderer, m.x, m.y)) return;
  if (buttons.renderTooltip(renderer, m.x, m.y)) return;
  shown.drawViewTooltip(renderer, m.x, m.y);
}

GameState* PuzzleVictoryState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new PuzzleVictoryState(v, editor, score, simulation, testIndex, dialog);
}

Viewport PuzzleVictoryState::plainViewport() const {
  Viewport v = viewport();
  v.zoom = 1;
  v.panX = v.panY = 0.0f;
  v.shakeX = v.shakeY = 0;
  return v;
}

StateChange PuzzleVictoryState::backToPuzzle() {
  if (simulation) return {new SimPlayState(viewport(), editor, simulation, score.ticks), Switch};
  return {new NeutralPlayState(viewport(), editor, {}, {}), Switch};
}

StateChange PuzzleVictoryState::nextPuzzle() {
  return {enterPuzzle(successorPuzzle(), editor->clipboard, plainViewport()), Switch};
}

StateChange PuzzleVictoryState::toPuzzleSelect() {
  // The clipboard goes along, so copied modules reach the next puzzle.
  return {makePuzzleSelectState(plainViewport(), editor->clipboard, noBoard), FadeSwitch};
}

StateChange PuzzleVictoryState::playEnding() {
  return {makeCutsceneState(plainViewport(), editor->clipboard, dialog.endingToPlay(), false), FadeSwitch};
}
