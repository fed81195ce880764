#include "playscreens/neutral_play_state.h"

#include "editor/editor.h"
#include "menus/menu_entry.h"
#include "playscreens/dragging_play_state.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "shell/input.h"

namespace {
constexpr puzzle_id firstPuzzle = 17;
constexpr int titleMs = 2000;

std::shared_ptr<FullScrollLogic> editorScroll(const Viewport& viewport) {
  return std::make_shared<FullScrollLogic>(viewport);
}
}  // namespace

NeutralPlayState::NeutralPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor,
                                   ModuleSelection selectedModules, WireSelection selectedWires)
    : GameState(editorScroll(viewport)),
      playScreen(this->viewport(), std::nullopt, std::move(editor), std::move(selectedModules), std::move(selectedWires)) {
  if (playScreen.editor->puzzle == firstPuzzle) markTutorialSeen(flagEnteredFirstPuzzle);
  static_cast<FullScrollLogic&>(*scroll).clamp(playScreen.scrollBounds(this->viewport()));
}

void NeutralPlayState::showTitle() {
  const Viewport& v = viewport();
  title.text = TextItem(getPuzzleTitle(playScreen.editor->puzzle), 0, 0, SDL_Color{0, 0, 0, 255}, 2, AlignCentre);
  title.x = v.screen.w / 2;
  title.y = v.screen.h / 2;
  title.fadeMs = titleMs;
  title.elapsedMs = titleMs;
  if (playScreen.editor->puzzle != creditsPuzzle) saveLastPuzzle(playScreen.editor->puzzle);
}

StateChange NeutralPlayState::handleEvent(const SDL_Event& event) {
  const InputRecord in = inputRecordOf(event);
  if (in.isKey(scancodeEscape)) checkTutorialIndex(flagLeftFirstPuzzle);
  switch (neutralStepFor(in, pressedModule != nullptr, tutorialFlags[flagLeftFirstPuzzle])) {
    case NeutralStep::toPuzzleSelect:
      return {makePuzzleSelectState(viewport(), playScreen.editor->clipboard, -1), Switch};
    case NeutralStep::dragPressed:
      return {new DraggingPlayState(viewport(), playScreen.editor, {pressedModule}, std::nullopt, pressedCell), Switch};
    case NeutralStep::forgetPressed:
      pressedModule.reset();
      break;
    case NeutralStep::passOn:
      break;
  }
  StateChange out;
  playScreen.handleEventAndCheckSolved(out, event, viewport());
  return out;
}

void NeutralPlayState::update(int dtMs) {
  title.elapsedMs = std::max(title.elapsedMs - dtMs, 0);
  if (playScreen.memoryPanelShown()) playScreen.sidebar.refire(dtMs);
  playScreen.bar->buttons.refire(dtMs);
}

int NeutralPlayState::cursor() { return playScreen.cursorAt(viewport()); }

void NeutralPlayState::render(SDL_Renderer* renderer) {
  updateScreenShake(shakeStartTick, viewport());
  Point m = mousePosition();
  playScreen.render(renderer, nullptr, viewport(), m.x, m.y);
  drawShadowedLabel(title, renderer);
  playScreen.renderTooltips(renderer, nullptr, viewport(), m.x, m.y);
}

GameState* NeutralPlayState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  Point offset = v.offset();
  v.shakeX = v.shakeY = 0;
  v.panX = float(offset.x);
  v.panY = float(offset.y);
  v.screen = screen;
  return new NeutralPlayState(v, playScreen.editor, playScreen.selectedModules, playScreen.selectedWires);
}

ScrollBounds NeutralPlayState::scrollBounds() { return playScreen.scrollBounds(viewport()); }

void NeutralPlayState::fadeComplete() { musicManager().playSound(LevelOpen, 1.0f); }
