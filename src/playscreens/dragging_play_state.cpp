#include "playscreens/dragging_play_state.h"

#include "editor/edit_actions.h"
#include "editor/editor.h"
#include "editor/wire_path.h"
#include "playscreens/neutral_play_state.h"
#include "services/music_manager.h"
#include "shell/input.h"

DraggingPlayState::DraggingPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection dragged,
                                     std::optional<Point> origin, std::optional<Point> grabbedCell)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, editor, dragged, {}),
      moving(editor, dragged, grabbedCell ? *grabbedCell : mouseGridPosition(this->viewport())),
      originCell(origin ? *origin : moving.currentCell) {
  // Rebuilt mid-drag: the modules stand where the mouse has taken them.
  if (origin) moved = *origin != moving.currentCell;
  for (const auto& m : dragged)
    if (DisplayModule* d = playScreen.display.findModule(m.get())) d->setShowPorts(true);
}

ScrollBounds DraggingPlayState::scrollBounds() {
  return playScreen.display.scrollBounds(viewport(), moving.modules);
}

void DraggingPlayState::update(int) {
  const Point cell = mouseGridPosition(viewport());
  if (cell != moving.currentCell) {
    if (!moved && dropOnRelease) musicManager().playSound(ModuleSelect, 1.0f);
    moved = true;
    moving.follow(cell, playScreen.display);
    moving.startRouting(playScreen.display);
  }
  moving.routeWires(playScreen.display);
}

StateChange DraggingPlayState::cancel() {
  moving.undoPreview();
  moving.moveBy(originCell.x - moving.currentCell.x, originCell.y - moving.currentCell.y);
  moving.currentCell = originCell;
  clearWirePathCache();
  return {new NeutralPlayState(viewport(), moving.editor, moving.modules, moving.wiresAmong()), Switch};
}

StateChange DraggingPlayState::drop(bool fromRelease) {
  if (!moving.placementFree(playScreen.display)) {
    if (fromRelease) return cancel();
    return {};
  }
  moving.undoPreview();
  ConnectionChangeSet formed = playScreen.display.placeModules(moving.modules);
  const int dx = moving.currentCell.x - originCell.x;
  const int dy = moving.currentCell.y - originCell.y;
  moving.moveBy(-dx, -dy);
  auto editor = moving.editor;
  editor->performAction(
      std::make_shared<MoveModuleAction>(moving.modules, dx, dy, std::move(formed), editor->constContext()));
  auto* neutral = new NeutralPlayState(viewport(), editor, moving.modules, moving.wiresAmong());
  // A press-drop followed by a move with the button held starts a rubber
  // band from here, as any press on the board would.
  const Point m = mousePosition();
  neutral->playScreen.pressTime = ticksNow();
  neutral->playScreen.pressX = m.x;
  neutral->playScreen.pressY = m.y;
  return PlayScreen::checkSolvedAfterEdit(viewport(), {neutral, Switch}, editor);
}

StateChange DraggingPlayState::handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: {
      const SDL_Scancode key = event.key.keysym.scancode;
      if (key == SDL_SCANCODE_ESCAPE) return cancel();
      if (key != SDL_SCANCODE_BACKSPACE && key != SDL_SCANCODE_DELETE) return {};
      auto editor = moving.editor;
      if (!Selection{moving.modules, {}}.anyAllowedIn(editor->puzzle)) return {};
      moving.undoPreview();
      moving.moveBy(originCell.x - moving.currentCell.x, originCell.y - moving.currentCell.y);
      moving.currentCell = originCell;
      editor->performAction(std::make_shared<DeleteAction>(Selection{moving.modules, {}}, editor->machine,
                                                           editor->puzzle, editor->constContext()));
      return {new NeutralPlayState(viewport(), editor, {}, {}), Switch};
    }
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_RIGHT) return cancel();
      if (event.button.button == SDL_BUTTON_LEFT) return drop(false);
      return {};
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return {};
      if (!moved) {
        musicManager().playSound(ModuleSelect, 1.0f);
        dropOnRelease = false;
      }
      if (dropOnRelease) return drop(true);
      return {};
    default:
      return {};
  }
}

void DraggingPlayState::render(SDL_Renderer* renderer) {
  Display& display = playScreen.display;
  display.setSelected(moving.clashing(display), {});
  display.portHighlights = Display::highlightMap(moving.previewEnds());
  playScreen.render(renderer, nullptr, viewport(), noMousePoint.x, noMousePoint.y);
}

GameState* DraggingPlayState::rebuild(SDL_Rect screen) {
  moving.undoPreview();
  Viewport v = viewport();
  v.screen = screen;
  // The modules stand at the cell the drag last took them to, wherever the
  // mouse is now: the next update follows it from there.
  return new DraggingPlayState(v, moving.editor, moving.modules, originCell, moving.currentCell);
}
