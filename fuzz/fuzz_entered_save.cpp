// A working save someone else's hands have touched, entered as the game
// enters its puzzle (the first byte picks the puzzle, the rest is the file):
// the Editor loads it, the view is laid out for it, a Display is built and
// its scroll bounds taken at 1024x768 and 1280x1024, and one frame's drawing
// is worked out without a renderer (hit tests, highlights, body keys, clock
// notches, delay meters, port texts). None of it may end the game, and what
// a frame builds stays small whatever the file holds.
#include <algorithm>
#include <climits>
#include <memory>

#include "editor/clock_face.h"
#include "editor/display.h"
#include "editor/editor.h"
#include "fuzz_support.h"
#include "model/clock_period.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/module_logic.h"
#include "model/opcode_table.h"
#include "playscreens/enter_layout.h"
#include "puzzles/puzzle.h"
#include "saves/machine_file.h"

namespace {
constexpr int memoryTutorialPuzzle = 23;

// An editable listed puzzle of each sort the first byte picks: plain, one
// whose clock period the player sets, one with the automatic clock period,
// and the memory tutorial (laid out by its Reader).
int puzzleFor(int sort) {
  if (sort == 3) return memoryTutorialPuzzle;
  for (int id = 1; id < puzzleTableSize; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (p.hasFlag(puzzleFlagHidden) || p.hasFlag(puzzleFlagFixedMachine) || id == creditsPuzzle) continue;
    const bool fits = sort == 0 ? !p.hasFlag(puzzleFlagDelay)
                      : sort == 1
                          ? p.hasFlag(puzzleFlagDelay) && p.hasFlag(puzzleFlagTimed) && !p.hasFlag(puzzleFlagAutoClock)
                          : p.hasFlag(puzzleFlagAutoClock);
    if (fits) return id;
  }
  return 2;
}

// The pan the play screen's scroll logic leaves: held between the bounds.
ViewTransform clampedView(const ViewPlacement& placement, const ScrollBounds& b) {
  const int zoom = std::max(placement.zoom, 1);
  const int x = std::clamp(int(placement.panX), -b.maxX, -b.minX);
  const int y = std::clamp(int(placement.panY), -b.maxY, -b.minY);
  return {zoom, x, y};
}

ScrollBounds boundsFor(const Display& display, int zoom, const GeoRect& window) {
  const ScrollBounds b = display.scrollBounds(zoom, window);
  require(b.minX <= b.maxX && b.minY <= b.maxY, "scroll bounds the view can't be held in");
  return b;
}

// What Display::draw and DisplayModule::draw work out for one frame with the
// mouse at (x, y).
void frameGeometry(Display& display, const ConstContext& context, const ViewTransform& view, const GeoRect& window,
                   int x, int y) {
  const Tick now = 0;
  const DisplayWire* wireUnder = display.wireAt(view, x, y);
  const Port* hoveredPort = wireUnder != nullptr ? nullptr : display.portAt(view, x, y);
  display.hoverHighlight(view, x, y);
  const DelayPathView paths = display.delayPathView(view, x, y);
  for (const DisplayWire& wire : display.wires) {
    Display::wireHighlightState(wire, &wire == wireUnder, hoveredPort, paths);
  }
  const int puzzle = display.puzzle();
  for (DisplayModule& m : display.modules) {
    const GeoRect r = m.rect();
    const GeoRect reach{r.x - 40, r.y - 40, r.w + 80, r.h + 80};
    if (!rectsIntersect(worldRectToScreen(view, reach), window)) continue;
    display.moduleDrawState(m.module.get(), paths, now);
    const ModuleTextureKey key = m.textureKey(puzzle, context, view.zoom, now);
    require(key.opcodes.size() <= std::size_t(kOpcodeCount), "an Op Selector body keyed by more opcodes than load");
    const bool allowed = m.module->isAllowedInPuzzle(puzzle);
    m.remainingDelay(context, now);
    if (showsDelay(puzzle) && m.module->delay > 0) m.delayMeterAt(m.module->x, m.module->y, allowed);
    if (m.module->logic->isClocked()) {
      const int period = std::max(context.clockPeriod, 1);
      const double angle = clockAngle(m.clock.currentValue(context.tick, now), period);
      const GeoPoint centre = m.clockCentre();
      const std::size_t notches = clockNotches(angle, period, centre.x + 8, centre.y + 2, 20).size();
      require(notches <= std::size_t(kMaxNotchedPeriod), "a clock face drew more notches than a ring can hold");
    }
    for (const PortView& port : m.ports) {
      port.displayState(context, now);
      port.valueText(context);
    }
  }
  display.tooltipText(context, view, x, y);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  if (size == 0) return 0;
  startInput();
  const int puzzle = puzzleFor(data[0] % 4);
  writeFile(machineFilePath(puzzle, saveLocationWorking), inputText(data + 1, size - 1));

  auto editor = std::make_shared<Editor>(puzzle);
  editor->loadWorkingSave();
  const Puzzle& info = getPuzzle(puzzle);
  if (info.hasFlag(puzzleFlagTimed) && !info.hasFlag(puzzleFlagAutoClock)) {
    require(editor->clockPeriod >= minClockPeriod && editor->clockPeriod <= maxClockPeriod,
            "a clock period the clock editor can't set");
  }
  const ConstContext context = editor->constContext();
  for (const GeoRect window : {GeoRect{0, 0, 1024, 768}, GeoRect{0, 0, 1280, 1024}}) {
    const ViewPlacement given{};
    const ViewPlacement placed = puzzle == memoryTutorialPuzzle
                                     ? layoutMemoryPuzzle(editor->machine, window.w, window.h, given)
                                     : layoutCentred(editor->machine, window.w, window.h, given);
    Display display(false, editor, window, {}, {});
    for (int zoom : {1, 2}) boundsFor(display, zoom, window);
    const ViewTransform view = clampedView(placed, boundsFor(display, std::max(placed.zoom, 1), window));
    int x = window.w / 2, y = window.h / 2;
    frameGeometry(display, context, view, window, x, y);
    if (!display.modules.empty()) {
      const GeoPoint centre = display.modules.front().centre();
      const Point at = view.worldToScreen(centre.x, centre.y);
      frameGeometry(display, context, view, window, at.x, at.y);
    }
  }
  return 0;
}
