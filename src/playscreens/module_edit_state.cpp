#include "playscreens/module_edit_state.h"

#include <climits>

#include "editor/edit_actions.h"
#include "editor/editor.h"
#include "playscreens/config_slider_layout.h"
#include "playscreens/modal_rules.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/palette_state.h"
#include "saves/tutorial_flags.h"
#include "shell/input.h"

namespace {
constexpr int copyButton = 19;
constexpr int paletteButton = 40;
constexpr int deleteButton = 18;

}  // namespace

ModuleEditState::ModuleEditState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
                                 WireSelection wires, std::shared_ptr<Module> moduleIn)
    : ModuleEditState(viewport, std::move(modules), std::move(wires),
                      std::make_shared<ModuleEditSession>(std::move(editor), std::move(moduleIn))) {}

ModuleEditState::ModuleEditState(const Viewport& viewport, ModuleSelection modules, WireSelection wires,
                                 std::shared_ptr<ModuleEditSession> session)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, session->editor, std::move(modules), std::move(wires)),
      module(session->module),
      panel(session) {
  placePanel();
}

void ModuleEditState::placePanel() {
  GeoRect onScreen{0, 0, 0, 0};
  if (const DisplayModule* shown = playScreen.display.findModule(module.get())) {
    const GeoRect r = shown->rect();
    const SDL_Rect s = viewport().worldRectToScreen({r.x, r.y, r.w, r.h});
    onScreen = {s.x, s.y, s.w, s.h};
  }
  panel.place(onScreen, playScreen.machineView(viewport()));
}

void ModuleEditState::refreshDisplay() {
  if (DisplayModule* shown = playScreen.display.findModule(module.get())) shown->layoutPorts();
  playScreen.display.refreshSelection();
}

void ModuleEditState::afterPreview() {
  if (panel.delayChanged) {
    playScreen.display.flashModule = module;
    playScreen.display.flashTime = ticksNow();
  }
  if (panel.previewed || panel.delayChanged) refreshDisplay();
  panel.previewed = panel.delayChanged = false;
}

void ModuleEditState::commit() {
  panel.session->commit();
  refreshDisplay();
}

void ModuleEditState::revert() {
  panel.session->revert();
  refreshDisplay();
}

StateChange ModuleEditState::toNeutral(bool keepSelection) {
  auto editor = playScreen.editor;
  if (keepSelection)
    return {new NeutralPlayState(viewport(), editor, playScreen.selectedModules, playScreen.selectedWires), Switch};
  return {new NeutralPlayState(viewport(), editor, {}, {}), Switch};
}

ButtonList ModuleEditState::buttons() {
  const ModuleEditLayout& l = panel.layout;
  auto editor = playScreen.editor;
  const Selection selection{playScreen.selectedModules, playScreen.selectedWires};
  const bool anyModule = !selection.modules.empty();
  const bool deletable = selection.anyAllowedIn(editor->puzzle);
  ButtonList list;

  Button copy(l.copyButton().x, l.copyButton().y, copyButton, [this] {
    commit();
    playScreen.editor->clipboard = ModuleSet(playScreen.selectedModules);
    return PlayScreen::checkSolvedAfterEdit(viewport(), toNeutral(true), playScreen.editor);
  }, [anyModule] { return anyModule; });
  if (!anyModule) copy.tooltipProvider = [] { return std::string("The selected module(s) cannot be copied in this puzzle."); };
  list.push_back(std::move(copy));

  list.push_back(Button(l.paletteButton().x, l.paletteButton().y, paletteButton, [this] {
    if (playScreen.selectedModules.empty()) return StateChange{};
    commit();
    return PlayScreen::checkSolvedAfterEdit(
        viewport(),
        addSelectionToPalette(viewport(), playScreen.editor, playScreen.selectedModules, playScreen.selectedWires),
        playScreen.editor);
  }, {}, [] { return tutorialFlags[flagEnteredCopyPasteTutorial]; }));

  Button remove(l.deleteButton().x, l.deleteButton().y, deleteButton, [this] {
    commit();
    auto editor = playScreen.editor;
    const Selection chosen{playScreen.selectedModules, playScreen.selectedWires};
    editor->performAction(std::make_shared<DeleteAction>(chosen, editor->machine, editor->puzzle,
                                                         editor->constContext()));
    return toNeutral(false);
  }, [deletable] { return deletable; });
  remove.tooltipProvider = [deletable] {
    return std::string(deletable ? "Delete all selected modules and wires."
                                 : "The selected module(s) cannot be deleted in this puzzle.");
  };
  list.push_back(std::move(remove));
  return list;
}

StateChange ModuleEditState::handleEvent(const SDL_Event& event) {
  placePanel();
  const Point m = mousePosition();
  panel.sliderEvent(event);
  afterPreview();
  // A held slider arrow repeats inside the panel: still one preview, one
  // edit. A field always has focus: the keys of typing are its own, so a
  // name holding a "c" doesn't Copy and Delete doesn't delete the selection.
  const int repeated = refiredButton(event);
  const PanelRoute route = moduleEditRouteFor(inputRecordOf(event), panel.contains(m.x, m.y),
                                              repeated == sliderLessButton || repeated == sliderMoreButton);
  if (route.buttonsFirst) {
    ButtonList list = buttons();
    const ButtonPress pressed = list.handleEvent(event);
    if (pressed.buttonId != noButton) {
      markButtonTutorialSeen(pressed.buttonId);
      return pressed.change;
    }
  }
  switch (route.action) {
    case PanelAction::nothing:
      return {};
    case PanelAction::erase:
      panel.erase();
      afterPreview();
      return {};
    case PanelAction::type:
      panel.type(event.text.text);
      afterPreview();
      return {};
    case PanelAction::commit:
      commit();
      return PlayScreen::checkSolvedAfterEdit(viewport(), toNeutral(false), playScreen.editor);
    case PanelAction::revert:
      revert();
      return toNeutral(false);
    case PanelAction::pressPanel:
      if (!(panel.session->canEditConfig() && panel.slider.dragging)) panel.press(m.x, m.y);
      return {};
    case PanelAction::pastPanel:
      break;
  }
  // Past the panel the edit is committed first; when the play screen then
  // does nothing with the event, the panel stays open over the committed
  // machine.
  const Point pressAt = mouseTracker().pressPosition(SDL_BUTTON_LEFT);
  return handOnPastPreview(playScreen, event, viewport(), [this] { commit(); }, panel.contains(m.x, m.y),
                           panel.contains(pressAt.x, pressAt.y));
}

void ModuleEditState::update(int dtMs) {
  placePanel();
  panel.update(dtMs);
  afterPreview();
}

int ModuleEditState::cursor() {
  placePanel();
  const Point m = mousePosition();
  if (panel.contains(m.x, m.y)) return panel.cursorAt(m.x, m.y);
  return playScreen.cursorAt(viewport());
}

void ModuleEditState::render(SDL_Renderer* renderer) {
  placePanel();
  const Point m = mousePosition();
  const Point hover = panel.contains(m.x, m.y) ? Point{INT_MAX, INT_MAX} : m;
  playScreen.render(renderer, nullptr, viewport(), hover.x, hover.y);
  panel.render(renderer, m.x, m.y);
  ButtonList list = buttons();
  list.render(renderer, m.x, m.y, 255);
  playScreen.renderTooltips(renderer, nullptr, viewport(), hover.x, hover.y, false);
  if (!panel.renderTooltip(renderer, m.x, m.y)) list.renderTooltip(renderer, m.x, m.y);
}

GameState* ModuleEditState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new ModuleEditState(v, playScreen.selectedModules, playScreen.selectedWires, panel.session);
}
