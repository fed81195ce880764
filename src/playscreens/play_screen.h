#pragma once
// The context every editor screen state embeds: the shared Editor, the
// selection, the bottom bar, the machine's display, the information sheet,
// the memory sidebar and the map panel. It draws the editor screen in two
// layers (machine, then interface), draws the one tooltip under the mouse,
// names the cursor, and holds the idle editor's event logic that decides
// which editor state a click leads to.
#include <SDL.h>

#include <climits>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "editor/display.h"
#include "editor/selection.h"
#include "menus/puzzle_info_sheet.h"
#include "playscreens/bottom_bar.h"
#include "playscreens/idle_editor_rules.h"
#include "playscreens/map_panel.h"
#include "playscreens/memory_sidebar.h"
#include "shell/game_state.h"

class Editor;
class Module;
class Simulation;

using ModuleSelection = std::set<std::shared_ptr<Module>>;
using WireSelection = std::set<WireEnds>;

// The point given to the machine view when the mouse is over the interface:
// nothing on the board shows hover feedback.
inline constexpr Point noMousePoint{INT_MAX, INT_MAX};

// The parts one editor state hands to the next.
struct PlayScreenParts {
  std::shared_ptr<Editor> editor;
  ModuleSelection selectedModules;
  WireSelection selectedWires;
  std::optional<MemorySidebar> sidebar;
  std::shared_ptr<Simulation> simulation;
};

class PlayScreen {
 public:
  PlayScreen(const Viewport& viewport, std::optional<MemorySidebar> keepSidebar, std::shared_ptr<Editor> editor,
             ModuleSelection selectedModules, WireSelection selectedWires,
             std::shared_ptr<Simulation> simulation = nullptr);
  PlayScreen(PlayScreenParts parts, const Viewport& viewport);
  // The bar points at this object's selection: it never moves.
  PlayScreen(const PlayScreen&) = delete;
  PlayScreen& operator=(const PlayScreen&) = delete;

  ScrollBounds scrollBounds(const Viewport& viewport) const;
  void render(SDL_Renderer* renderer, const ConstContext* context, const Viewport& viewport, int mouseX, int mouseY);
  void renderMachine(SDL_Renderer* renderer, const ConstContext& context, const Viewport& viewport, int mouseX,
                     int mouseY);
  void renderUi(SDL_Renderer* renderer, const ConstContext& context, const Viewport& viewport, int mouseX, int mouseY);
  // boardTooltips off while a pop-up is open: the board's hover texts would
  // cover the pop-up, which has tooltips of its own.
  void renderTooltips(SDL_Renderer* renderer, const ConstContext* context, const Viewport& viewport, int mouseX,
                      int mouseY, bool boardTooltips = true);
  void handleEvent(StateChange& out, const SDL_Event& event, const Viewport& viewport);
  void handleEventAndCheckSolved(StateChange& out, const SDL_Event& event, const Viewport& viewport);
  // A modal state's panel did not take a mouse press.
  GameState* pressAt(const Viewport& viewport);
  // An event a drawer or modal panel did not take: the play screen's own
  // handling with its solved check; a left press it leaves alone closes the
  // panel through pressAt.
  StateChange handleForPanel(const SDL_Event& event, const Viewport& viewport);
  bool isOverUi(const Viewport& viewport) const;
  IdleFurniture furnitureAt(const Viewport& viewport, Point m) const;
  // What lies on the board under a point, and the snapshot the rules read.
  struct BoardHit {
    DisplayWire* wire = nullptr;
    Port* port = nullptr;
    std::shared_ptr<Module> module;
    IdlePoint point;
  };
  BoardHit boardAt(const Viewport& viewport, Point m);
  int cursorAt(const Viewport& viewport);
  static StateChange checkSolvedAfterEdit(const Viewport& viewport, StateChange change,
                                          const std::shared_ptr<Editor>& editor);
  std::pair<ModuleSelection, WireSelection> selectionToKeep() const;
  bool memoryPanelShown() const;
  GeoRect machineView(const Viewport& viewport) const;
  ModuleList mapModules() const;
  PlayScreenParts parts() const;

  std::shared_ptr<Editor> editor;
  ModuleSelection selectedModules;
  WireSelection selectedWires;
  std::shared_ptr<BottomBar> bar;
  Display display;
  bool hasSimulation = false;
  Tick pressTime = -1;
  int pressX = INT_MIN;
  int pressY = INT_MIN;
  PuzzleInfoSheet infoSheet;
  MemorySidebar sidebar;
  MapPanel mapPanel;

 private:
  std::shared_ptr<BottomBar> makeBottomBar(const std::shared_ptr<Simulation>& simulation, SDL_Rect window);
  bool hasGoalMemory_ = false;
};

// The same for a panel that previews on the live machine (module edit, clock
// edit), by modalStepFor: presses, releases and button repeats the pop-up
// does not keep reach the play screen only after commit, so it meets a
// machine the undo stack knows and handles the event once; motion passes
// without the solved check, which must not judge a preview.
StateChange handOnPastPreview(PlayScreen& screen, const SDL_Event& event, const Viewport& viewport,
                              const std::function<void()>& commit, bool overPopup, bool pressBeganOverPopup);

// The victory screen after an edit that solved the puzzle: the result is
// recorded (untimed, so no ticks) and the leaderboards are asked for.
StateChange makeVictoryState(const Viewport& viewport, const std::shared_ptr<Editor>& editor);

// A screen point (or the mouse) in board coordinates, rounded down to the
// 16-pixel module grid.
Point gridCellAt(const Viewport& viewport, Point screen);
Point mouseGridPosition(const Viewport& viewport);
