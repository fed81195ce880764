#include "playscreens/play_screen.h"

#include "editor/editor.h"
#include "menus/menu_entry.h"
#include "menus/puzzle_victory_state.h"
#include "model/module_defs.h"
#include "model/simulation.h"
#include "playscreens/drag_select_state.h"
#include "playscreens/idle_editor_rules.h"
#include "playscreens/modal_rules.h"
#include "playscreens/dragging_play_state.h"
#include "playscreens/module_edit_state.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/test_bottom_bar.h"
#include "playscreens/wire_drag_state.h"
#include "playscreens/wiring_play_state.h"
#include "puzzles/puzzle_services.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "services/steam_handler.h"
#include "shell/input.h"
#include "shell/startup_media.h"

namespace {
constexpr puzzle_id noPortsPuzzle = 25;  // ports give neither the pen nor wiring
constexpr int secretBoard = 5;
constexpr Tick pressToDragMs = 50;

int bottomStripHeight() { return hudSupplementTexture.height; }
}  // namespace

Point gridCellAt(const Viewport& viewport, Point screen) {
  Point w = viewport.screenToWorld(screen.x, screen.y);
  return {floorToGrid(w.x), floorToGrid(w.y)};
}

Point mouseGridPosition(const Viewport& viewport) { return gridCellAt(viewport, mousePosition()); }

PlayScreen::PlayScreen(const Viewport& viewport, std::optional<MemorySidebar> keepSidebar, std::shared_ptr<Editor> editorIn,
                       ModuleSelection modules, WireSelection wires, std::shared_ptr<Simulation> simulation)
    : editor(std::move(editorIn)),
      selectedModules(std::move(modules)),
      selectedWires(std::move(wires)),
      bar(makeBottomBar(simulation, viewport.screen)),
      display(simulation != nullptr, editor, machineView(viewport), selectedModules, selectedWires),
      hasSimulation(simulation != nullptr),
      infoSheet(editor),
      sidebar(keepSidebar ? std::move(*keepSidebar) : MemorySidebar(editor)),
      // The map pans the view of the state this play screen belongs to.
      mapPanel(mapModules(), const_cast<Viewport*>(&viewport), machineView(viewport),
               GeoRect{viewport.screen.w - 210, 10, 200, 150}) {
  hasGoalMemory_ = puzzleHasGoalMemory(editor->puzzle);
  sidebar.place(viewport.screen.w, viewport.screen.h);
}

PlayScreen::PlayScreen(PlayScreenParts parts, const Viewport& viewport)
    : PlayScreen(viewport, std::move(parts.sidebar), parts.editor, std::move(parts.selectedModules),
                 std::move(parts.selectedWires), parts.simulation) {}

PlayScreenParts PlayScreen::parts() const {
  return {editor, selectedModules, selectedWires, sidebar, nullptr};
}

std::shared_ptr<BottomBar> PlayScreen::makeBottomBar(const std::shared_ptr<Simulation>& simulation, SDL_Rect window) {
  if (simulation) return std::make_shared<TestBottomBar>(editor, window, simulation);
  return std::make_shared<EditorBottomBar>(editor, window, &selectedModules, &selectedWires);
}

GeoRect PlayScreen::machineView(const Viewport& viewport) const {
  const int barHeight = bar ? bar->height() : 0;
  return {viewport.screen.x, viewport.screen.y, viewport.screen.w, viewport.screen.h - barHeight};
}

ModuleList PlayScreen::mapModules() const {
  ModuleList shown;
  for (const auto& m : editor->machine)
    if (editor->puzzle != creditsPuzzle || m->kind() != kRegisterKind) shown.push_back(m);
  return shown;
}

bool PlayScreen::memoryPanelShown() const { return editor->memoryPanelOpen && hasGoalMemory_; }

ScrollBounds PlayScreen::scrollBounds(const Viewport& viewport) const { return display.scrollBounds(viewport); }

IdleFurniture PlayScreen::furnitureAt(const Viewport& viewport, Point m) const {
  IdleFurniture f;
  f.fixedMachine = getPuzzle(editor->puzzle).hasFlag(puzzleFlagFixedMachine);
  f.inBottomStrip = m.y >= viewport.screen.h - bottomStripHeight();
  f.overBar = bar->containsPoint(m.x, m.y);
  f.overInfoSheet = infoSheet.hitTest(m.x, m.y);
  f.overMap = mapPanel.hitTest(m.x, m.y);
  const GeoRect& s = sidebar.rect;
  f.overSidebar = memoryPanelShown() && m.x >= s.x && m.x < s.x + s.w && m.y >= s.y && m.y < s.y + s.h;
  return f;
}

bool PlayScreen::isOverUi(const Viewport& viewport) const {
  return idleIsOverUi(furnitureAt(viewport, mousePosition()));
}

PlayScreen::BoardHit PlayScreen::boardAt(const Viewport& viewport, Point m) {
  BoardHit hit;
  hit.wire = display.wireAt(viewport, m.x, m.y);
  hit.port = display.portAt(viewport, m.x, m.y);
  hit.module = display.moduleAt(viewport, m.x, m.y);
  const int puzzle = editor->puzzle;
  IdlePoint& p = hit.point;
  p.overUi = idleIsOverUi(furnitureAt(viewport, m));
  p.creditsPuzzle = puzzle == creditsPuzzle;
  p.noPortsPuzzle = puzzle == noPortsPuzzle;
  p.moduleEditUnlocked = isModuleEditUnlocked(puzzle);
  p.wire = hit.wire != nullptr;
  p.wireNail = hit.wire && hit.wire->controlPointAt(viewport, m.x, m.y) != -1;
  p.wireSelected = hit.wire && selectedWires.count(hit.wire->ends()) != 0;
  p.port = hit.port != nullptr;
  p.module = hit.module != nullptr;
  p.moduleSelected = hit.module && selectedModules.count(hit.module) != 0;
  p.moduleIsRegister = hit.module && hit.module->kind() == kRegisterKind;
  p.moduleConfigurable = hit.module && hit.module->isConfigurable(puzzle);
  p.moduleHasConfig = hit.module && hit.module->logic->hasConfig();
  p.anySelected = !selectedModules.empty() || !selectedWires.empty();
  return hit;
}

void PlayScreen::render(SDL_Renderer* renderer, const ConstContext* context, const Viewport& viewport, int mouseX,
                        int mouseY) {
  const ConstContext own = editor->constContext();
  const ConstContext& c = context ? *context : own;
  renderMachine(renderer, c, viewport, mouseX, mouseY);
  renderUi(renderer, c, viewport, mouseX, mouseY);
}

void PlayScreen::renderMachine(SDL_Renderer* renderer, const ConstContext& context, const Viewport& viewport,
                               int mouseX, int mouseY) {
  const Point at = isOverUi(viewport) ? noMousePoint : Point{mouseX, mouseY};
  const Point real = mousePosition();
  display.showDelayPaths = bar->isOverClockControl(real.x, real.y);
  display.draw(renderer, context, viewport, at.x, at.y);
}

void PlayScreen::renderUi(SDL_Renderer* renderer, const ConstContext& context, const Viewport& viewport, int mouseX,
                          int mouseY) {
  const int w = viewport.screen.w;
  const int h = viewport.screen.h;
  if (hudSupplementTexture.width > 0)
    for (int x = 0; x < w; x += hudSupplementTexture.width)
      hudSupplementTexture.render(renderer, x, h - hudSupplementTexture.height);
  const Point at = isOverUi(viewport) ? noMousePoint : Point{mouseX, mouseY};
  const int address = display.readerAddressAt(context, viewport, at.x, at.y);
  if (editor->puzzle != creditsPuzzle && memoryPanelShown()) sidebar.render(renderer, address, mouseX, mouseY);
  mapPanel.render(renderer, mouseX, mouseY);
  bar->render(renderer, true);
  infoSheet.render(renderer, mouseX, mouseY);
  if (getPuzzleAllowedModules(editor->puzzle).count(kWriterKind)) {
    const GeoPoint light{sidebar.rect.x + sidebar.rect.w - 15,
                         editor->memoryPanelOpen ? sidebar.rect.y + 50 : h - 20};
    Viewport screenView;
    screenView.screen = viewport.screen;
    WriterLight::draw(renderer, screenView, light);
    if (sidebar.highlightRunning(ticksNow()) && sidebar.hasLinesToLight())
      WriterLight::drawGlow(renderer, screenView, light);
  }
}

void PlayScreen::renderTooltips(SDL_Renderer* renderer, const ConstContext* context, const Viewport& viewport,
                                int mouseX, int mouseY, bool boardTooltips) {
  TooltipView view;
  view.overBar = bar->containsPoint(mouseX, mouseY);
  view.creditsPuzzle = editor->puzzle == creditsPuzzle;
  view.memoryPanelShown = memoryPanelShown();
  view.overInfoSheet = infoSheet.hitTest(mouseX, mouseY);
  view.aboveBottomStrip = mouseY < viewport.screen.h - bottomStripHeight();
  view.boardTooltips = boardTooltips;
  for (TooltipSource source : tooltipOrder(view)) {
    switch (source) {
      case TooltipSource::map:
        if (mapPanel.tooltip(renderer, mouseX, mouseY)) return;
        break;
      case TooltipSource::bar:
        if (bar->renderTooltip(renderer, mouseX, mouseY)) return;
        break;
      case TooltipSource::sidebar:
        if (sidebar.tooltipAt(renderer, mouseX, mouseY)) return;
        break;
      case TooltipSource::infoSheet:
        if (infoSheet.tooltipAt(renderer, mouseX, mouseY)) return;
        break;
      case TooltipSource::board: {
        const ConstContext own = editor->constContext();
        display.renderTooltip(renderer, context ? *context : own, viewport, mouseX, mouseY);
        return;
      }
    }
  }
}

int PlayScreen::cursorAt(const Viewport& viewport) {
  if (isOverUi(viewport)) return cursorId::standard;
  return idleCursorFor(boardAt(viewport, mousePosition()).point);
}

std::pair<ModuleSelection, WireSelection> PlayScreen::selectionToKeep() const {
  if (isShiftHeld()) return {selectedModules, selectedWires};
  return {};
}

GameState* PlayScreen::pressAt(const Viewport& viewport) {
  auto [modules, wires] = selectionToKeep();
  if (isOverUi(viewport)) return new NeutralPlayState(viewport, editor, modules, wires);
  Point m = mousePosition();
  return new DragSelectState(viewport, editor, m.x, m.y, modules, wires);
}

void PlayScreen::handleEvent(StateChange& out, const SDL_Event& event, const Viewport& viewport) {
  const Point m = mousePosition();
  bar->handleEvent(out, event, viewport);
  if (out.next || out.kind != Switch) return;
  if (memoryPanelShown() && sidebar.handleEvent(event, m.x, m.y, *editor)) {
    out = {nullptr, Rebuild};
    return;
  }
  if (infoSheet.handleClick(event, m.x, m.y)) return;
  if (mapPanel.handleEvent(event)) return;
  const InputRecord in = inputRecordOf(event);
  BoardHit hit;
  // Only a press asks what lies on the board under it.
  if (in.kind == InputKind::press) hit = boardAt(viewport, m);
  const IdleDecision decision = idleDecisionFor(in, hit.point, {pressTime, ticksNow()});
  if (decision.clickSound) musicManager().playSound(ClickButton, 1.0f);
  switch (decision.action) {
    case IdleAction::nothing:
      return;
    case IdleAction::secretBoard:
      markTutorialSeen(flagUnlockedTrailerPuzzle);
      steamHandler().updateAchievements();
      musicManager().playSound(LevelOpen, 1.0f);
      out = {makePuzzleSelectState(viewport, editor->clipboard, secretBoard), FadeSwitch};
      return;
    case IdleAction::editModules: {
      ModuleSelection modules{hit.module};
      WireSelection wires;
      if (decision.keepSelection) {
        modules = selectedModules;
        wires = selectedWires;
      }
      out = {new ModuleEditState(viewport, editor, modules, wires, hit.module), Switch};
      return;
    }
    case IdleAction::nailWire:
      out = {new WireDragState(viewport, editor, m.x, m.y), Switch};
      return;
    case IdleAction::addWireToSelection: {
      WireSelection wires = selectedWires;
      wires.insert(hit.wire->ends());
      out = {new NeutralPlayState(viewport, editor, selectedModules, wires), Switch};
      return;
    }
    case IdleAction::pullWire: {
      auto* wiring = new WiringPlayState(hit.wire->destinationPort(), viewport, editor);
      wiring->trimWire(hit.wire->sourcePort(), decision.liftAtOnce);
      out = {wiring, Switch};
      return;
    }
    case IdleAction::wireFromPort:
      out = {new WiringPlayState(hit.port, viewport, editor), Switch};
      return;
    case IdleAction::dragSelection:
      out = {new DraggingPlayState(viewport, editor, selectedModules), Switch};
      return;
    case IdleAction::pressModule: {
      ModuleSelection modules{hit.module};
      WireSelection wires;
      if (decision.keepSelection) {
        modules = selectedModules;
        modules.insert(hit.module);
        wires = selectedWires;
      }
      auto* neutral = new NeutralPlayState(viewport, editor, modules, wires);
      neutral->setPressedModule(hit.module, gridCellAt(viewport, m));
      out = {neutral, Switch};
      return;
    }
    case IdleAction::bandFromHere:
      out = {new DragSelectState(viewport, editor, m.x, m.y, {}, {}), Switch};
      return;
    case IdleAction::notePress:
      pressTime = ticksNow();
      pressX = m.x;
      pressY = m.y;
      return;
    case IdleAction::forgetPress:
      pressTime = -1;
      return;
    case IdleAction::bandFromPress: {
      ModuleSelection modules;
      WireSelection wires;
      if (decision.keepSelection) {
        modules = selectedModules;
        wires = selectedWires;
      }
      out = {new DragSelectState(viewport, editor, pressX, pressY, modules, wires), Switch};
      return;
    }
    case IdleAction::selectAll: {
      ModuleSelection all(editor->machine.begin(), editor->machine.end());
      out = {new NeutralPlayState(viewport, editor, all, {}), Switch};
      return;
    }
  }
}

StateChange PlayScreen::handleForPanel(const SDL_Event& event, const Viewport& viewport) {
  StateChange out;
  handleEventAndCheckSolved(out, event, viewport);
  if (out.next || out.kind != Switch) return out;
  if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) return {pressAt(viewport), Switch};
  return {};
}

StateChange handOnPastPreview(PlayScreen& screen, const SDL_Event& event, const Viewport& viewport,
                              const std::function<void()>& commit, bool overPopup, bool pressBeganOverPopup) {
  switch (modalStepFor(inputRecordOf(event), overPopup, pressBeganOverPopup)) {
    case ModalStep::keep:
      return {};
    case ModalStep::commitFirst:
      commit();
      return screen.handleForPanel(event, viewport);
    case ModalStep::passUncommitted:
      break;
  }
  StateChange out;
  screen.handleEvent(out, event, viewport);
  if (out.next || out.kind != Switch) commit();
  return out;
}

void PlayScreen::handleEventAndCheckSolved(StateChange& out, const SDL_Event& event, const Viewport& viewport) {
  handleEvent(out, event, viewport);
  out = checkSolvedAfterEdit(viewport, out, editor);
}

StateChange PlayScreen::checkSolvedAfterEdit(const Viewport& viewport, StateChange change,
                                             const std::shared_ptr<Editor>& editor) {
  if (editor->stillSolved || puzzleHasTickLimit(editor->puzzle)) return change;
  if (editor->runToCompletion() == INT_MAX) return change;
  delete change.next;
  return makeVictoryState(viewport, editor);
}

StateChange makeVictoryState(const Viewport& viewport, const std::shared_ptr<Editor>& editor) {
  editor->recordSuccess(INT_MAX);
  steamHandler().fetchLeaderboards(editor->puzzle);
  return {new PuzzleVictoryState(viewport, editor, editor->machineStats(INT_MAX), ticksNow() + 400), Switch};
}
