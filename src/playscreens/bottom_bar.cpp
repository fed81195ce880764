#include "playscreens/bottom_bar.h"

#include <cstdio>
#include <cstdlib>

#include "editor/edit_actions.h"
#include "editor/editor.h"
#include "menus/extras_state.h"
#include "menus/menu_entry.h"
#include "model/module_defs.h"
#include "playscreens/clock_edit_state.h"
#include "playscreens/editor_bar_texts.h"
#include "playscreens/module_chooser_state.h"
#include "playscreens/module_placement_state.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/palette_state.h"
#include "playscreens/sim_play_state.h"
#include "playscreens/validation_play_state.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/tutorial_flags.h"
#include "shell/fonts.h"
#include "shell/input.h"
#include "base/log.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"

namespace {
constexpr puzzle_id copyPastePuzzle = 24;
constexpr puzzle_id configTutorialPuzzle = 50;
constexpr puzzle_id fixedClockPuzzle = 86;

bool flagSet(int flag) {
  checkTutorialIndex(flag);
  return tutorialFlags[size_t(flag)];
}
}  // namespace

void loadBottomBarMedia(SDL_Renderer*) {
  // The three bars' art is loaded by start-up with the shell's own (bottomBarBase,
  // bottomBarModPanel, testBarBase); nothing more here yet.
}

int BottomBar::buttonIdAt(int x, int y) {
  Button* b = buttons.buttonAt(x, y);
  return b ? b->id : noButton;
}

void BottomBar::handleEvent(StateChange& out, const SDL_Event& event, const Viewport& viewport) {
  const int id = buttons.clickedId(event);
  if (id == noButton) return;
  handleButton(out, id, viewport, event);
}

void BottomBar::renderMemoryLabel(SDL_Renderer* renderer) const {
  if (!puzzleHasGoalMemory(editor->puzzle) || editor->memoryPanelOpen) return;
  TextItem("Memory", rect.w - 60, rect.h - 60, SDL_Color{245, 245, 245, 255}, 1, AlignRight).draw(renderer);
}

EditorBottomBar::EditorBottomBar(std::shared_ptr<Editor> editorIn, SDL_Rect window,
                                 const std::set<std::shared_ptr<Module>>* modules, const std::set<WireEnds>* wires)
    : BottomBar(std::move(editorIn), window), selectedModules(modules), selectedWires(wires) {
  if (editor->puzzle == copyPastePuzzle) markTutorialSeen(flagEnteredCopyPasteTutorial);
  if (editor->puzzle == configTutorialPuzzle) markTutorialSeen(flagEnteredConfigTutorial);
  buttons = makeButtons(noButton);
}

int EditorBottomBar::artHeight() const { return bottomBarBase.middle.height; }
int EditorBottomBar::height() const { return artHeight() - 20; }

GeoPoint EditorBottomBar::buttonLocation(int id) const {
  auto it = editorBottomBarLocations().find(id);
  if (it == editorBottomBarLocations().end())
    fatalError("Unexpected button id when checking editor bottom bar button loc: '" + std::to_string(id) + "'");
  GeoPoint p = placeButton(it->second.x, it->second.y);
  return {p.x + 20, p.y};
}

Button EditorBottomBar::makeButton(int id, std::function<bool()> enabled, std::function<bool()> visible) const {
  auto it = editorBottomBarLocations().find(id);
  if (it == editorBottomBarLocations().end())
    fatalError("Unexpected button id when making editor bottom bar buttons: '" + std::to_string(id) + "'");
  GeoPoint p = placeButton(it->second.x, it->second.y);
  return Button(p.x, p.y, id, nullptr, std::move(enabled), std::move(visible));
}

ButtonList EditorBottomBar::makeButtons(int selectedId) {
  ButtonList list;
  const int puzzle = editor->puzzle;
  const Puzzle& def = getPuzzle(puzzle);
  if (flagSet(flagLeftFirstPuzzle)) {
    GeoPoint home = geometry().homeButton();
    list.push_back(Button(home.x, home.y, barHome, nullptr));
  }
  if (puzzle != creditsPuzzle) {
    if (!editor->undoStack.empty()) list.push_back(makeButton(barUndo));
    if (!editor->redoStack.empty()) list.push_back(makeButton(barRedo));
    // Offered only when the last successful machine could be read back.
    if (editor->successfulLoaded && !editor->matchesSnapshot(saveLocationSuccessful) && isPuzzleBeaten(puzzle))
      list.push_back(makeButton(barLoadSuccessful));
    if (!editor->matchesSnapshot(saveLocationInitial)) list.push_back(makeButton(barReset));
  }
  const bool anyAllowed = !def.allowedModules.empty();
  list.push_back(makeButton(
      barDelete, [this, puzzle] { return selection().anyAllowedIn(puzzle); }, [anyAllowed] { return anyAllowed; }));
  if (puzzle != copyPastePuzzle && !selectedModules->empty()) list.push_back(makeButton(barCopy));
  if (puzzle != copyPastePuzzle && !editor->clipboard.modules.empty()) {
    const bool canPaste = !editor->clipboard.paste(puzzle, editor->constContext(), editor->machine, 0, 0).empty();
    Button paste = makeButton(barPaste, [canPaste] { return canPaste; });
    if (!canPaste) {
      const std::string last = getModuleTypeName(editor->clipboard.modules.back()->kind());
      paste.tooltipProvider = [last] {
        return "The currently copied modules (e.g. '" + last + "') can't be placed in this puzzle.";
      };
    }
    list.push_back(std::move(paste));
  }
  for (int category : {1, 2, 3}) {
    bool any = false;
    for (int kind : moduleCategories[size_t(category)].kinds) any = any || def.allowedModules.count(kind);
    if (!any) continue;
    Button drawer = makeButton(buttonForCategory(category));
    drawer.selected = drawer.id == selectedId;
    drawer.flashing = !listNewModulesInCategory(category, def.allowedModules).empty();
    list.push_back(std::move(drawer));
  }
  if (anyAllowed && flagSet(flagEnteredCopyPasteTutorial)) {
    Button palette = makeButton(barPaletteDrawer);
    palette.selected = selectedId == barPaletteDrawer;
    list.push_back(std::move(palette));
  }
  if (def.hasFlag(puzzleFlagTimed)) {
    const bool editable = puzzle != fixedClockPuzzle;
    Button clock = makeButton(barClock, [editable, &def] { return editable && !def.hasFlag(puzzleFlagAutoClock); });
    clock.selected = selectedId == barClock;
    clock.tooltipProvider = [this, editable] { return clockTooltip(editable); };
    list.push_back(std::move(clock));
  }
  if (puzzleHasTickLimit(puzzle)) {
    GeoPoint test = geometry().testButton();
    list.push_back(Button(test.x, test.y, barTest, nullptr));
  }
  if (puzzleHasGoalMemory(puzzle)) {
    GeoPoint anchor = memoryLabelAnchor();
    Editor* owner = editor.get();
    list.push_back(Button(anchor.x, anchor.y, barMemoryOpen, nullptr, {}, [owner] { return !owner->memoryPanelOpen; }));
  }
  return list;
}

std::string EditorBottomBar::clockTooltip(bool editable) const {
  return ::clockTooltip(*editor, editable, clockButtonKeyName());
}

std::string EditorBottomBar::clockPeriodExplanation() const { return ::clockPeriodExplanation(*editor); }

bool EditorBottomBar::containsPoint(int x, int y) {
  if (buttons.buttonAt(x, y)) return true;
  GeoRect p = panelRect();
  return x >= p.x && x < p.x + p.w && y >= p.y && y < p.y + p.h;
}

bool EditorBottomBar::isOverClockControl(int x, int y) {
  Button* b = buttons.buttonAt(x, y);
  return b && b->id == barClock;
}

void EditorBottomBar::handleButton(StateChange& out, int id, const Viewport& viewport, const SDL_Event&) {
  const ConstContext context = editor->constContext();
  const int puzzle = editor->puzzle;
  auto neutral = [&](std::set<std::shared_ptr<Module>> modules, std::set<WireEnds> wires) {
    out = {new NeutralPlayState(viewport, editor, std::move(modules), std::move(wires)), Switch};
  };
  switch (id) {
    case barMemoryOpen:
      editor->memoryPanelOpen = true;
      return;
    case barUndo:
      editor->undo();
      return neutral({}, {});
    case barRedo:
      editor->redo();
      return neutral({}, {});
    case barReset:
      editor->performAction(std::make_shared<ResetAction>(puzzle, editor->machine, editor->clockPeriod));
      return neutral({}, {});
    case barLoadSuccessful:
      editor->performAction(std::make_shared<LoadSuccessfulAction>(puzzle, editor->machine, editor->clockPeriod));
      return neutral({}, {});
    case barDelete:
      editor->performAction(std::make_shared<DeleteAction>(selection(), editor->machine, puzzle, context));
      return neutral({}, {});
    case barCopy:
      editor->clipboard = ModuleSet(*selectedModules);
      return neutral(*selectedModules, *selectedWires);
    case barPaste: {
      Point m = mousePosition();
      Point world = viewport.screenToWorld(m.x, m.y);
      auto pasted = editor->clipboard.paste(puzzle, context, editor->machine, world.x, world.y);
      if (pasted.empty()) return;
      auto* placing = new ModulePlacementState(viewport, editor, pasted);
      placing->describeUnavailableModules(editor->clipboard.modules);
      out = {placing, Switch};
      return;
    }
    case barHome:
      if (puzzle == copyPastePuzzle) markTutorialSeen(flagLeftCopyPasteTutorial);
      // The credits puzzle is reached from the extras and goes back there.
      if (puzzle == creditsPuzzle)
        out = {new ExtrasState(viewport, editor->clipboard, noBoard), FadeSwitch};
      else
        out = {makePuzzleSelectState(viewport, editor->clipboard, -1), FadeSwitch};
      return;
    case barTest:
      editor->memoryViewKind = 2;
      if (getPuzzle(puzzle).testCount < 2) {
        const int ticks = editor->runToCompletion();
        out = {new SimPlayState(viewport, editor, 1, ticks, false), Switch};
      } else {
        out = {new ValidationPlayState(viewport, editor), Switch};
      }
      return;
    case barControlDrawer:
    case barArithmeticDrawer:
    case barStateDrawer:
      out = {new ModuleChooserState(viewport, editor, *selectedModules, *selectedWires, categoryForButton(id)), Switch};
      return;
    case barPaletteDrawer:
      out = {new PaletteState(-1, viewport, editor, *selectedModules, *selectedWires, ""), Switch};
      return;
    case barClock:
      if (puzzle == fixedClockPuzzle) return;
      out = {new ClockEditState(viewport, editor, *selectedModules, *selectedWires), Switch};
      return;
    default:
      std::printf("Unhandled button type %d!\n", id);
      return;
  }
}

void EditorBottomBar::render(SDL_Renderer* renderer, bool hover) {
  Point m = hover ? mousePosition() : Point{INT_MAX, INT_MAX};
  bottomBarBase.draw(renderer, rect);
  bottomBarModPanel.draw(renderer, rect);
  buttons.render(renderer, m.x, m.y, 255);
  renderMemoryLabel(renderer);
  if (!getPuzzle(editor->puzzle).hasFlag(puzzleFlagTimed)) return;
  GeoPoint clock = placeButton(editorBottomBarLocations().at(barClock).x, editorBottomBarLocations().at(barClock).y);
  const bool tight = editor->clockPeriod <= editor->longestDelay;
  TextItem period(std::to_string(editor->clockPeriod), clock.x + 20, clock.y - fontDimensions(7).height / 2 + 20,
                  tight ? SDL_Color{12, 0, 148, 255} : SDL_Color{79, 79, 79, 255}, 7, AlignCentre);
  if (!flagSet(flagEditedClockPeriod)) {
    const Tick b = 400 - ticksNow() % 800;
    period.alpha = Uint8(255 - std::llabs(b) * 223 / 400);
  }
  period.draw(renderer);
}

bool EditorBottomBar::renderTooltip(SDL_Renderer* renderer, int x, int y) {
  return buttons.renderTooltip(renderer, x, y);
}
