#include "playscreens/validation_play_state.h"

#include <algorithm>

#include "editor/editor.h"
#include "model/simulation.h"
#include "playscreens/sim_play_state.h"
#include "editor/editor_validation.h"
#include "services/music_manager.h"
#include "shell/game_loop.h"
#include "shell/text_item.h"

namespace {
constexpr int testModeChannel = 1;

GeoRect wholeWindow(const Viewport& viewport) {
  return {viewport.screen.x, viewport.screen.y, viewport.screen.w, viewport.screen.h};
}
}  // namespace

ValidationPlayState::ValidationPlayState(const Viewport& viewport, std::shared_ptr<Editor> editorIn)
    : ValidationPlayState(viewport, editorIn, validationForEditor(*editorIn, [] { return ticksNow(); })) {}

ValidationPlayState::ValidationPlayState(const Viewport& viewport, std::shared_ptr<Editor> editorIn,
                                         Validation carried)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      editor(std::move(editorIn)),
      validation(std::move(carried)),
      display(false, editor, wholeWindow(viewport), {}, {}) {}

void ValidationPlayState::enter() {
  musicManager().channelOn[testModeChannel] = true;
  validation.start();
}

void ValidationPlayState::update(int) {
  if (validation.finished() || pendingNext) return;
  if (!validation.update()) return;
  const ValidationOutcome& outcome = validation.outcome();
  auto* sim = new SimPlayState(viewport(), editor, outcome.testToShow, outcome.firstTestTicks,
                               outcome.failedAfterFirstTest);
  // A fade into the simulation, as a switch of kind 1 would make it.
  fadeScale = 1;
  fadeTimer = fadeLengthMs;
  fadeIn = false;
  pendingNext = sim;
  if (sim->fadeTimer == 0) {
    sim->fadeScale = 1;
    sim->fadeTimer = fadeLengthMs;
    sim->fadeIn = true;
  }
}

void ValidationPlayState::render(SDL_Renderer* renderer) {
  const ConstContext context = validation.simulation()->constContext();
  display.draw(renderer, context, viewport(), INT_MAX, INT_MAX);
  const double a = std::clamp(double(ticksNow() - validation.startTicks() - 300) / 300.0, 0.0, 1.0);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, Uint8(a * 128));
  SDL_RenderFillRect(renderer, nullptr);
  if (validation.finished()) return;
  const int w = viewport().screen.w;
  const int h = viewport().screen.h;
  TextItem title("Validating...", w / 2, h / 2, SDL_Color{239, 239, 239, 255}, 1, AlignCentre);
  title.alpha = Uint8(a * 255);
  title.draw(renderer);
  TextItem line("Running all tests on your machine before entering the simulator.", w / 2, h / 2 + 80,
                SDL_Color{239, 239, 239, 255}, 3, AlignCentre);
  line.alpha = Uint8(a * 255);
  line.draw(renderer);
}

GameState* ValidationPlayState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new ValidationPlayState(v, editor, validation.rebuilt());
}
