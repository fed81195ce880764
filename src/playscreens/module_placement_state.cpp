#include "playscreens/module_placement_state.h"

#include "editor/edit_actions.h"
#include "editor/editor.h"
#include "editor/wire_path.h"
#include "playscreens/chooser_layout.h"
#include "playscreens/module_chooser_state.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/palette_state.h"
#include "shell/input.h"
#include "shell/text_item.h"

namespace {
ModuleSelection oneNewModule(const std::shared_ptr<Editor>& editor, int kind, std::shared_ptr<Value> config) {
  return {Module::create(kind, 0, 0, std::move(config), defaultModuleName(kind, editor->machine))};
}
}  // namespace

ModulePlacementState::ModulePlacementState(const Viewport& viewport, std::shared_ptr<Editor> editor,
                                           ModuleSelection newModules)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, editor, {}, {}),
      moving(editor, std::move(newModules), mouseGridPosition(this->viewport())),
      startTime(ticksNow()) {
  const ConstContext context = editor->constContext();
  for (const auto& m : moving.modules) {
    playScreen.display.addModule(m);
    for (const auto& port : m->ports) port->refreshValue(context);
  }
}

ModulePlacementState::ModulePlacementState(const Viewport& viewport, std::shared_ptr<Editor> editor, int kind,
                                           std::shared_ptr<Value> config)
    : ModulePlacementState(viewport, editor, oneNewModule(editor, kind, std::move(config))) {
  const Point m = mousePosition();
  const Point world = this->viewport().screenToWorld(m.x, m.y);
  for (const auto& module : moving.modules)
    if (DisplayModule* d = playScreen.display.findModule(module.get())) d->moveCentreTo(world.x, world.y);
  playScreen.display.updateObstacles();
}

void ModulePlacementState::describeUnavailableModules(const ModuleList& wanted) {
  unavailableMessage = ::describeUnavailableModules(wanted, moving.modules);
}

ScrollBounds ModulePlacementState::scrollBounds() {
  return playScreen.display.scrollBounds(viewport(), moving.modules);
}

void ModulePlacementState::update(int) {
  const Point cell = mouseGridPosition(viewport());
  if (cell != moving.currentCell) {
    moved = true;
    moving.follow(cell, playScreen.display);
    moving.startRouting(playScreen.display);
  }
  moving.routeWires(playScreen.display);
}

GameState* ModulePlacementState::returnState(ModuleSelection selection) {
  auto editor = moving.editor;
  if (origin == fromPalette) return new PaletteState(-1, viewport(), editor, std::move(selection), {}, "");
  if (origin >= 1 && origin <= 3) return new ModuleChooserState(viewport(), editor, std::move(selection), {}, origin);
  return new NeutralPlayState(viewport(), editor, std::move(selection), {});
}

StateChange ModulePlacementState::place() {
  auto editor = moving.editor;
  moving.undoPreview();
  ConnectionChangeSet formed = playScreen.display.placeModules(moving.modules);
  editor->performAction(std::make_shared<PlaceModulesAction>(moving.modules, std::move(formed), editor->constContext()));
  GameState* next = returnState(moving.modules);
  if (auto* neutral = dynamic_cast<NeutralPlayState*>(next)) {
    const Point m = mousePosition();
    neutral->playScreen.pressTime = ticksNow();
    neutral->playScreen.pressX = m.x;
    neutral->playScreen.pressY = m.y;
  }
  return PlayScreen::checkSolvedAfterEdit(viewport(), {next, Switch}, editor);
}

StateChange ModulePlacementState::cancel() {
  moving.undoPreview();
  clearWirePathCache();
  return {returnState({}), Switch};
}

StateChange ModulePlacementState::attemptPlacement(bool fromRelease) {
  if (moving.placementFree(playScreen.display)) return place();
  return fromRelease ? cancel() : StateChange{};
}

StateChange ModulePlacementState::handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT || ticksNow() - startTime < releaseGuardMs) return {};
      if (!moved) dropOnRelease = false;
      return dropOnRelease ? attemptPlacement(true) : StateChange{};
    case SDL_MOUSEBUTTONDOWN:
      return event.button.button == SDL_BUTTON_LEFT ? attemptPlacement(false) : cancel();
    case SDL_KEYDOWN: {
      const SDL_Scancode key = event.key.keysym.scancode;
      if (key == SDL_SCANCODE_ESCAPE || key == SDL_SCANCODE_DELETE || key == SDL_SCANCODE_BACKSPACE) return cancel();
      return {};
    }
    default:
      return {};
  }
}

void ModulePlacementState::render(SDL_Renderer* renderer) {
  Display& display = playScreen.display;
  display.setSelected(moving.clashing(display), {});
  display.portHighlights = Display::highlightMap(moving.previewEnds());
  playScreen.render(renderer, nullptr, viewport(), noMousePoint.x, noMousePoint.y);
  if (unavailableMessage.empty()) return;
  const int w = viewport().screen.w;
  const bool panel = moving.editor->memoryPanelOpen;
  TextItem notice(unavailableMessage, panel ? w / 2 - 126 : w / 2, viewport().screen.h / 2 - 10,
                  SDL_Color{12, 0, 148, 255}, 1, AlignCentre, panel ? w - 302 : w - 50);
  notice.draw(renderer);
}

GameState* ModulePlacementState::rebuild(SDL_Rect screen) {
  moving.undoPreview();
  Viewport v = viewport();
  v.screen = screen;
  return new ModulePlacementState(v, moving.editor, moving.modules);
}
