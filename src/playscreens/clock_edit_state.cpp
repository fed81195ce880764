#include "playscreens/clock_edit_state.h"

#include <climits>

#include "editor/editor.h"
#include "playscreens/modal_rules.h"
#include "playscreens/neutral_play_state.h"
#include "saves/tutorial_flags.h"
#include "shell/input.h"

ClockEditState::ClockEditState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
                               WireSelection wires)
    : ClockEditState(viewport, editor, editor->clockPeriod, std::move(modules), std::move(wires)) {}

ClockEditState::ClockEditState(const Viewport& viewport, std::shared_ptr<Editor> editor, int openingPeriod,
                               ModuleSelection modules, WireSelection wires)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, std::move(editor), std::move(modules), std::move(wires)) {
  GeoPoint anchor{0, 0};
  if (auto* bar = dynamic_cast<EditorBottomBar*>(playScreen.bar.get())) {
    bar->buttons = bar->makeButtons(barClock);
    anchor = bar->buttonLocation(barClock);
  }
  static_cast<FullScrollLogic&>(*scroll).clamp(playScreen.scrollBounds(this->viewport()));
  markTutorialSeen(flagEditedClockPeriod);
  popup = std::make_unique<ClockPeriodEditor>(anchor, playScreen.editor, openingPeriod);
}

void ClockEditState::commit() {
  popup->commit();
  playScreen.display.refreshWires(playScreen.editor->occupiedCells());
}

StateChange ClockEditState::toNeutral() {
  return {new NeutralPlayState(viewport(), playScreen.editor, playScreen.selectedModules, playScreen.selectedWires),
          Switch};
}

StateChange ClockEditState::handleEvent(const SDL_Event& event) {
  const bool leftPress = event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT;
  if (popup->handleEvent(event)) {
    commit();
    return PlayScreen::checkSolvedAfterEdit(viewport(), toNeutral(), playScreen.editor);
  }
  if (leftPress && popup->containsMouse()) return {};
  // A held arrow repeats inside the pop-up: the visit goes on uncommitted.
  const int repeated = refiredButton(event);
  if (repeated == clockLessButton || repeated == clockMoreButton) return {};
  if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP || event.type == SDL_TEXTINPUT) return {};
  const bool wasCommitted = popup->edit.committed;
  const Point pressed = mouseTracker().pressPosition(SDL_BUTTON_LEFT);
  StateChange out = handOnPastPreview(playScreen, event, viewport(), [this] { commit(); }, popup->containsMouse(),
                                      popup->contains(pressed.x, pressed.y));
  if (out.next || wasCommitted == popup->edit.committed) return out;
  // A rebuild after the commit shows the idle editor; an event the play
  // screen left alone keeps the pop-up open, as the module edit panel does,
  // for a new visit from the committed period.
  if (out.kind == Rebuild) return toNeutral();
  if (modalStaysOpen(out.kind != Switch, false)) {
    popup->restart();
    return {};
  }
  return out;
}

void ClockEditState::update(int dtMs) { popup->update(dtMs); }

int ClockEditState::cursor() { return popup->containsMouse() ? 1 : playScreen.cursorAt(viewport()); }

void ClockEditState::render(SDL_Renderer* renderer) {
  const Point m = mousePosition();
  const Point hover = popup->containsMouse() ? Point{INT_MAX, INT_MAX} : m;
  playScreen.render(renderer, nullptr, viewport(), hover.x, hover.y);
  popup->render(renderer);
  playScreen.renderTooltips(renderer, nullptr, viewport(), hover.x, hover.y, false);
  popup->renderTooltip(renderer);
}

GameState* ClockEditState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new ClockEditState(v, playScreen.editor, popup->edit.openingPeriod, playScreen.selectedModules,
                            playScreen.selectedWires);
}
