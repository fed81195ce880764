#include "playscreens/drag_select_state.h"

#include <cstdlib>

#include "playscreens/neutral_play_state.h"
#include "shell/input.h"

DragSelectState::DragSelectState(const Viewport& viewport, std::shared_ptr<Editor> editor, int x, int y,
                                 ModuleSelection modules, WireSelection wires)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, std::move(editor), modules, wires),
      startX(x),
      startY(y),
      baseModules(std::move(modules)),
      baseWires(std::move(wires)) {}

GeoRect DragSelectState::selectionRect() const {
  const Point m = mousePosition();
  // Widened before subtracting: a start far off the window can't overflow.
  const long long w = std::llabs((long long)m.x - startX);
  const long long h = std::llabs((long long)m.y - startY);
  return {std::min(startX, m.x), std::min(startY, m.y), int(std::min<long long>(w, INT_MAX)),
          int(std::min<long long>(h, INT_MAX))};
}

std::pair<ModuleSelection, WireSelection> DragSelectState::selection() {
  const GeoRect r = selectionRect();
  ModuleSelection modules = baseModules;
  WireSelection wires = baseWires;
  for (const DisplayModule& m : playScreen.display.modules)
    if (m.intersects(r, viewport())) modules.insert(m.module);
  for (const DisplayWire& w : playScreen.display.wires)
    if (w.intersects(r, viewport())) wires.insert(w.ends());
  return {modules, wires};
}

StateChange DragSelectState::handleEvent(const SDL_Event& event) {
  if (!bandEnds(inputRecordOf(event))) return {};
  auto [modules, wires] = selection();
  return {new NeutralPlayState(viewport(), playScreen.editor, modules, wires), Switch};
}

void DragSelectState::render(SDL_Renderer* renderer) {
  auto [modules, wires] = selection();
  playScreen.display.setSelected(modules, wires);
  playScreen.render(renderer, nullptr, viewport(), noMousePoint.x, noMousePoint.y);
  const GeoRect r = selectionRect();
  SDL_Rect box{r.x, r.y, r.w, r.h};
  SDL_SetRenderDrawColor(renderer, 124, 193, 255, 160);
  SDL_RenderDrawRect(renderer, &box);
  SDL_SetRenderDrawColor(renderer, 124, 193, 255, 80);
  SDL_RenderFillRect(renderer, &box);
}

GameState* DragSelectState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new DragSelectState(v, playScreen.editor, startX, startY, baseModules, baseWires);
}
