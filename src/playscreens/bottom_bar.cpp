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
constexpr puzzle_id configTutorialPuzzle = 50;

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
  const Point p = mouseTracker().pressPosition(SDL_BUTTON_LEFT);
  const BarStep step = stepFor(buttonInputOf(event), GeoPoint{p.x, p.y});
  // A press on the test bar's clock belongs to the clock, not the buttons.
  if (step.action != BarAction::openClockEditor) {
    buttons.playSounds(event);
    if (step.id != noButton) markButtonTutorialSeen(step.id);
  }
  act(out, step, viewport);
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

EditorBarInputs EditorBottomBar::barInputs(int selectedId) const {
  EditorBarInputs in;
  const int puzzle = editor->puzzle;
  const Puzzle& def = getPuzzle(puzzle);
  in.puzzle = puzzle;
  in.selectedId = selectedId;
  in.leftFirstPuzzle = flagSet(flagLeftFirstPuzzle);
  in.enteredCopyPaste = flagSet(flagEnteredCopyPasteTutorial);
  if (puzzle != creditsPuzzle) {
    in.canUndo = !editor->undoStack.empty();
    in.canRedo = !editor->redoStack.empty();
    // Offered only when the last successful machine could be read back.
    in.successfulLoadable =
        editor->successfulLoaded && !editor->matchesSnapshot(saveLocationSuccessful) && isPuzzleBeaten(puzzle);
    in.differsFromInitial = !editor->matchesSnapshot(saveLocationInitial);
  }
  in.anyModulesAllowed = !def.allowedModules.empty();
  in.selectionDeletable = selection().anyAllowedIn(puzzle);
  in.modulesSelected = !selectedModules->empty();
  in.clipboardHasModules = !editor->clipboard.modules.empty();
  if (puzzle != copyPastePuzzle && in.clipboardHasModules)
    in.clipboardPastable = !editor->clipboard.paste(puzzle, editor->constContext(), editor->machine, 0, 0).empty();
  for (int category : {1, 2, 3}) {
    bool any = false;
    for (int kind : moduleCategories[size_t(category)].kinds) any = any || def.allowedModules.count(kind);
    in.categoryAllowed[size_t(category)] = any;
    in.categoryHasNew[size_t(category)] = any && !listNewModulesInCategory(category, def.allowedModules).empty();
  }
  in.timed = def.hasFlag(puzzleFlagTimed);
  in.autoClock = def.hasFlag(puzzleFlagAutoClock);
  in.hasTickLimit = puzzleHasTickLimit(puzzle);
  in.hasGoalMemory = puzzleHasGoalMemory(puzzle);
  in.memoryPanelOpen = editor->memoryPanelOpen;
  in.testCount = def.testCount;
  return in;
}

EditorBarInputs EditorBottomBar::liveInputs(bool withSelection) const {
  EditorBarInputs in = inputs;
  in.memoryPanelOpen = editor->memoryPanelOpen;
  if (withSelection) in.selectionDeletable = selection().anyAllowedIn(in.puzzle);
  return in;
}

GeoPoint EditorBottomBar::placeOf(int id) const {
  switch (id) {
    case barHome: return geometry().homeButton();
    case barTest: return geometry().testButton();
    case barMemoryOpen: return memoryLabelAnchor();
    default: {
      const Button placed = makeButton(id);
      return {placed.x, placed.y};
    }
  }
}

ButtonList EditorBottomBar::makeButtons(int selectedId) {
  inputs = barInputs(selectedId);
  ButtonList list;
  for (const BarButtonRow& row : editorBarRows(inputs)) {
    if (!row.exists) continue;
    const int id = row.id;
    const bool withSelection = id == barDelete;
    const GeoPoint at = placeOf(id);
    auto enabled = [this, id, withSelection] { return barRow(editorBarRows(liveInputs(withSelection)), id).enabled; };
    auto visible = [this, id] { return barRow(editorBarRows(liveInputs(false)), id).visible; };
    Button b(at.x, at.y, id, nullptr, std::move(enabled), std::move(visible));
    b.selected = row.selected;
    b.flashing = row.flashing;
    if (id == barPaste && !inputs.clipboardPastable) {
      const std::string last = getModuleTypeName(editor->clipboard.modules.back()->kind());
      b.tooltipProvider = [last] {
        return "The currently copied modules (e.g. '" + last + "') can't be placed in this puzzle.";
      };
    }
    if (id == barClock) {
      const bool editable = !barClockFixed(inputs.puzzle);
      b.tooltipProvider = [this, editable] { return clockTooltip(editable); };
    }
    list.push_back(std::move(b));
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
  act(out, editorBarAction(id, inputs), viewport);
}

BarStep EditorBottomBar::stepFor(const InputRecord& in, GeoPoint pressAt) {
  return editorBarStepFor(in, buttons.states(), pressAt, inputs);
}

void EditorBottomBar::act(StateChange& out, const BarStep& step, const Viewport& viewport) {
  const ConstContext context = editor->constContext();
  const int puzzle = editor->puzzle;
  auto neutral = [&](std::set<std::shared_ptr<Module>> modules, std::set<WireEnds> wires) {
    out = {new NeutralPlayState(viewport, editor, std::move(modules), std::move(wires)), Switch};
  };
  if (step.marksCopyPasteLeft) markTutorialSeen(flagLeftCopyPasteTutorial);
  switch (step.action) {
    case BarAction::openMemory:
      editor->memoryPanelOpen = true;
      return;
    case BarAction::undo:
      editor->undo();
      return neutral({}, {});
    case BarAction::redo:
      editor->redo();
      return neutral({}, {});
    case BarAction::reset:
      editor->performAction(std::make_shared<ResetAction>(puzzle, editor->machine, editor->clockPeriod));
      return neutral({}, {});
    case BarAction::loadSuccessful:
      editor->performAction(std::make_shared<LoadSuccessfulAction>(puzzle, editor->machine, editor->clockPeriod));
      return neutral({}, {});
    case BarAction::deleteSelection:
      editor->performAction(std::make_shared<DeleteAction>(selection(), editor->machine, puzzle, context));
      return neutral({}, {});
    case BarAction::copy:
      editor->clipboard = ModuleSet(*selectedModules);
      return neutral(*selectedModules, *selectedWires);
    case BarAction::paste: {
      Point m = mousePosition();
      Point world = viewport.screenToWorld(m.x, m.y);
      auto pasted = editor->clipboard.paste(puzzle, context, editor->machine, world.x, world.y);
      if (pasted.empty()) return;
      auto* placing = new ModulePlacementState(viewport, editor, pasted);
      placing->describeUnavailableModules(editor->clipboard.modules);
      out = {placing, Switch};
      return;
    }
    case BarAction::homeToExtras:
      out = {new ExtrasState(viewport, editor->clipboard, noBoard), FadeSwitch};
      return;
    case BarAction::home:
      out = {makePuzzleSelectState(viewport, editor->clipboard, -1), FadeSwitch};
      return;
    case BarAction::runTest: {
      editor->memoryViewKind = 2;
      const int ticks = editor->runToCompletion();
      out = {new SimPlayState(viewport, editor, 1, ticks, false), Switch};
      return;
    }
    case BarAction::validate:
      editor->memoryViewKind = 2;
      out = {new ValidationPlayState(viewport, editor), Switch};
      return;
    case BarAction::openDrawer:
      out = {new ModuleChooserState(viewport, editor, *selectedModules, *selectedWires, step.category), Switch};
      return;
    case BarAction::openPalette:
      out = {new PaletteState(-1, viewport, editor, *selectedModules, *selectedWires, ""), Switch};
      return;
    case BarAction::openClock:
      out = {new ClockEditState(viewport, editor, *selectedModules, *selectedWires), Switch};
      return;
    case BarAction::none:
      return;
    default:
      std::printf("Unhandled button type %d!\n", step.id);
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
