#include "playscreens/memory_sidebar.h"

#include <algorithm>
#include <array>
#include <set>

#include "editor/editor.h"
#include "model/instruction.h"
#include "model/simulation.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "base/log.h"
#include "base/strings.h"

namespace {
struct ViewRow {
  const char* name;
  const char* tooltip;
  bool onRight;
};
constexpr std::array<ViewRow, 4> memoryViewKinds = {{
    {"Initial", "The initial contents of memory.", false},
    {"Initial", "The initial contents of memory in one of several tests.", false},
    {"Now", "The current contents of memory.", true},
    {"Goal", "The memory that your machine should produce for this test.", true},
}};

const ViewRow& viewRow(int kind, const char* checking) {
  if (kind < 0 || kind > 3) fatalError(std::string("unknown view type (checking ") + checking + ") " + std::to_string(kind));
  return memoryViewKinds[size_t(kind)];
}

// The panel is paper: labels are written in ink, and values already at their
// goal in a muted sand that still reads on it (brighter when just changed).
constexpr TextRgb lightText{52, 44, 36};
constexpr TextRgb goalColour{156, 126, 84};
constexpr TextRgb goalChangedColour{204, 150, 60};
constexpr TextRgb allowedColour{255, 93, 83};
constexpr TextRgb allowedChangedColour{255, 144, 171};
constexpr TextRgb wrongColour{55, 0, 187};
constexpr TextRgb wrongChangedColour{75, 0, 255};
constexpr int titleFont = 3;

// The editing screens' view for a puzzle: the goal for an untimed one.
int editingViewKind(int puzzle) {
  if (getPuzzle(puzzle).testCount > 1) return viewInitialOfTest;
  return puzzleHasTickLimit(puzzle) ? viewInitial : viewGoal;
}

int digitsOf(int n) { return n < 10 ? 1 : n < 100 ? 2 : 3; }
}  // namespace

std::string memoryViewName(int kind) { return viewRow(kind, "name").name; }
std::string memoryViewDescription(int kind) { return viewRow(kind, "desc").tooltip; }
bool memoryViewOnRight(int kind) { return viewRow(kind, "on right").onRight; }

SidebarFonts& memorySidebarFonts() {
  static SidebarFonts fonts;
  return fonts;
}

std::string sidebarTestRowText(int testNumber, int testCount) {
  return "TEST " + zeroPad(testNumber, digitsOf(testCount)) + "/" + std::to_string(testCount);
}

const SidebarLine* SidebarLayout::lineForAddress(int address) const {
  for (const auto& [slot, line] : lines) {
    if (slot == arrowRowAbove || slot == arrowRowBelow) continue;
    if (slot >= address) return &line;
  }
  auto below = lines.find(arrowRowBelow);
  return below == lines.end() ? nullptr : &below->second;
}

MemorySidebar::MemorySidebar(std::shared_ptr<Editor> editorIn) : editor(std::move(editorIn)) {
  initialMemory = &editor->startMemory;
  goalMemory = &editor->goalMemory;
  slotValues = editor->testGoalValues();
  viewKind = editor->memoryViewKind;
  // Without a running test there is no "now" to show.
  if (viewKind == viewNow) viewKind = editor->memoryViewKind = editingViewKind(editor->puzzle);
  scroll = editor->memoryScroll;
  testNumber = editor->currentTest;
  canSwitchTest = true;
  finishSetup();
}

MemorySidebar::MemorySidebar(std::shared_ptr<Editor> editorIn, std::shared_ptr<Simulation> simulationIn)
    : editor(std::move(editorIn)), simulation(std::move(simulationIn)) {
  initialMemory = &simulation->testCase().initial;
  currentMemory = &simulation->memory();
  goalMemory = &simulation->testCase().goal;
  slotValues = simulation->testCase().valueSetsByAddress;
  viewKind = editor->memoryViewKind;
  scroll = editor->memoryScroll;
  testNumber = simulation->testIndex();
  canSwitchTest = false;
  finishSetup();
}

void MemorySidebar::finishSetup() {
  testCount = getPuzzle(editor->puzzle).testCount;
  initialDiffersFromGoal = !(initialMemory && goalMemory && initialMemory->equals(*goalMemory));
  rebuildLines();
}

const Memory* MemorySidebar::shownMemory() const {
  switch (viewKind) {
    case viewInitial:
    case viewInitialOfTest:
      return initialMemory;
    case viewNow:
      return currentMemory;
    case viewGoal:
      return goalMemory;
    default:
      fatalError("unknown view type " + std::to_string(viewKind));
  }
}

void MemorySidebar::place(int windowWidth, int windowHeight) {
  rect = {windowWidth - width, top, width, windowHeight - top};
  relayout();
}

void MemorySidebar::rebuildLines() {
  if (currentMemory) {
    previousLines.clear();
    for (const auto& [slot, entry] : currentMemory->slots) previousLines[slot] = currentMemory->read(slot)->text();
  }
  if (rect.x != INT_MAX) relayout();
}

void MemorySidebar::relayout() { layout.moveAssign(calcLayout()); }

bool MemorySidebar::slotRule(int slot, const std::shared_ptr<Value>& value) const {
  auto it = slotValues.find(slot);
  if (it == slotValues.end()) return value->isUnpowered();
  return std::any_of(it->second.begin(), it->second.end(), [&](const auto& v) { return value->equals(v); });
}

SidebarLayout MemorySidebar::calcLayout() {
  const Memory* shown = shownMemory();
  if (!shown) fatalError("nil memory in sidebar calc layout!");
  const SidebarFonts fonts = memorySidebarFonts();
  const int centre = rect.x + rect.w / 2;
  const int bottom = rect.y + rect.h;
  SidebarLayout out;

  const bool onRight = memoryViewOnRight(viewKind);
  const int titleY = rect.y + 16;
  // The header plate holds both words side by side in the medium face.
  out.texts.push_back({"Memory", onRight ? rect.x + 23 : rect.x + rect.w - 30, titleY, lightText, titleFont,
                       onRight ? textLeft : textRight,
                       "A series of numbered slots that your machine can manipulate."});
  if (initialDiffersFromGoal || viewKind != viewGoal)
    out.texts.push_back({memoryViewName(viewKind), onRight ? rect.x + rect.w - 30 : rect.x + 23, titleY, lightText, titleFont,
                         onRight ? textRight : textLeft, memoryViewDescription(viewKind)});

  int y = rect.y + 65;
  if (testCount >= 2) {
    y += 10;
    out.texts.push_back({sidebarTestRowText(testNumber, testCount), centre + 1, y, lightText, 9, textCentre,
                         "The currently-displayed test for this machine.\n \nPressing 'Test' automatically runs all " +
                             countPhrase("test", testCount) + ". If your machine fails a test, that test is displayed."});
    if (canSwitchTest) {
      out.buttons.push_back({29, centre - 96, y, testNumber > 1, false});
      out.buttons.push_back({30, centre + 90, y, testNumber < testCount, false});
    }
    y += 18;
  }
  y += 27;
  out.texts.push_back({"Slot", rect.x + 22, y, lightText, 7, textLeft, "The locations of values in memory."});
  out.texts.push_back({"Value", centre + 25, y, lightText, 7, textCentre, "The contents of memory."});

  auto addViewButtons = [&] {
    out.buttons.push_back({10, rect.x, rect.y, true, false});
    const int row = rect.y + rect.h - 48;
    if (initialDiffersFromGoal)
      out.buttons.push_back({11, centre - 72, row, true, viewKind == viewInitial || viewKind == viewInitialOfTest});
    if (currentMemory) out.buttons.push_back({12, centre - 16, row, true, viewKind == viewNow});
    if (initialDiffersFromGoal) out.buttons.push_back({13, centre + 40, row, true, viewKind == viewGoal});
  };
  const int bigY = rect.y + rect.h / 2 - fonts.bigHeight / 2;
  const bool goalCorrupt = goalMemory && goalMemory->corrupt;
  if (shown->corrupt) {
    out.texts.push_back({"?", centre, bigY, goalCorrupt ? goalColour : wrongColour, 13, textCentre,
                         "Memory is corrupt! (This happens when a Writer writes to memory slot '?'.)"});
    addViewButtons();
    return out;
  }
  std::set<int> slots;
  for (const auto& [slot, entry] : shown->slots) slots.insert(slot);
  if (goalMemory)
    for (const auto& [slot, entry] : goalMemory->slots) slots.insert(slot);
  if (slots.empty()) {
    out.texts.push_back({"-", centre, bigY, allowedColour, 13, textCentre,
                         std::string("There's nothing here.") +
                             (goalCorrupt ? " Goal: corrupt memory by writing to memory slot '?'." : "")});
    addViewButtons();
    return out;
  }

  y += 28;
  if (shown->containsInstruction()) {
    struct Heading {
      const char* text;
      int offset;
      TextRgb colour;
    };
    const std::array<Heading, 4> headings = {{{" OP", -8, {52, 81, 250}},
                                              {"SRC", -3, {186, 61, 216}},
                                              {"TRG", 1, {129, 41, 197}},
                                              {"DST", 5, {16, 0, 193}}}};
    for (size_t i = 0; i < headings.size(); ++i)
      out.texts.push_back({headings[i].text, centre + 25 + headings[i].offset * fonts.glyphWidth, y,
                           headings[i].colour, 7, textLeft, std::string(instructionFieldTooltips[i])});
    y += fonts.glyphHeight + 7;
  }

  const int lineHeight = fonts.glyphHeight + 7;
  const int count = int(slots.size());
  int visible = (bottom - y - 65) / lineHeight;
  const bool scrolling = visible < count;
  const int arrowAboveY = y;
  if (scrolling) {
    visible = (bottom - y - 95) / lineHeight;
    y += 30;
  }
  visible = std::max(visible, 0);
  scroll = std::clamp(scroll, 0, std::max(count - visible, 0));
  editor->memoryScroll = scroll;

  const Memory emptyGoal;
  const Memory& goal = goalMemory ? *goalMemory : emptyGoal;
  struct Pending {
    int slot;
    SidebarLine line;
    bool below;
  };
  std::vector<Pending> offView;
  int index = 0;
  for (int slot : slots) {
    const int at = index++;
    MemoryRead read = shown->readWithSource(slot);
    std::shared_ptr<Value> goalValue = goal.read(slot);
    if (read.value->isUnpowered() && goalValue->isUnpowered()) continue;
    SidebarLine line;
    auto previous = previousLines.find(slot);
    const std::string before = previous == previousLines.end() ? unpoweredValue()->text() : previous->second;
    line.changed = viewKind == viewNow && read.value->text() != before;
    const bool atGoal = read.value->equals(goalValue);
    TextRgb colour = atGoal ? (line.changed ? goalChangedColour : goalColour)
                     : slotRule(slot, read.value) ? (line.changed ? allowedChangedColour : allowedColour)
                                                  : (line.changed ? wrongChangedColour : wrongColour);
    std::string tooltip = read.value->description();
    if (!atGoal) tooltip += " (Goal: " + goalValue->text() + ")";
    if (!read.source.empty()) tooltip += "\n \nSource: " + read.source + ".";
    line.text = {read.value->text(), centre + 25, y, colour, line.changed ? 8 : 7, textCentre, tooltip};
    if (at < scroll || at >= scroll + visible) {
      line.onArrowRow = true;
      line.text.y = arrowAboveY;
      offView.push_back({slot, line, at >= scroll + visible});
      continue;
    }
    line.hoverBox = {centre - 65, y - 3, 180, 25};
    out.texts.push_back({std::to_string(slot) + ":", rect.x + 22, y, lightText, 7, textLeft,
                         "The location of a value in memory."});
    if (line.changed) out.highlighted.push_back(slot);
    out.lines[slot] = line;
    y += lineHeight;
  }
  if (scrolling) {
    out.buttons.push_back({27, centre - 12, arrowAboveY, scroll >= 1, false});
    out.buttons.push_back({28, centre - 12, y, scroll + visible < count, false});
    SidebarLine above;
    above.onArrowRow = true;
    above.text.y = arrowAboveY;
    out.lines[arrowRowAbove] = above;
    SidebarLine below = above;
    below.text.y = y;
    out.lines[arrowRowBelow] = below;
  }
  for (Pending& p : offView) {
    if (p.below) p.line.text.y = y;
    if (p.line.changed) out.highlighted.push_back(p.slot);
    out.lines[p.slot] = p.line;
  }
  addViewButtons();
  return out;
}
