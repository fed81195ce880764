#pragma once
// The memory panel at the right edge of the editor screens: the test's
// memory as it starts, as it is now (while simulating) or as it should end,
// one line per slot coloured against the goal, the lines the last step
// changed lit, the test shown with arrows to switch tests, and scrolling when
// the lines do not fit. The layout is worked out here without a window; the
// drawing and event operations are defined with the screens.
#include <climits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/module_geometry.h"
#include "model/memory.h"
#include "playscreens/screen_text.h"
#include "base/ticks.h"

class Editor;
class Simulation;
struct SDL_Renderer;
union SDL_Event;

// The memory views: 0 Initial, 1 Initial (of one of several tests), 2 Now, 3 Goal.
enum MemoryViewKind : int { viewInitial = 0, viewInitialOfTest = 1, viewNow = 2, viewGoal = 3 };
std::string memoryViewName(int kind);
std::string memoryViewDescription(int kind);
bool memoryViewOnRight(int kind);

// Glyph sizes the layout needs: font 7's cell and font 13's height.
struct SidebarFonts {
  int glyphWidth = 10;
  int glyphHeight = 18;
  int bigHeight = 192;
};
// Set once the fonts are open.
SidebarFonts& memorySidebarFonts();

struct SidebarButton {
  int id = 0;
  int x = 0;
  int y = 0;
  bool enabled = true;
  bool selected = false;
};

// One slot's value line.
struct SidebarLine {
  ScreenText text;
  GeoRect hoverBox;
  bool changed = false;
  bool onArrowRow = false;  // scrolled out of view: drawn on an arrow row
};

// Keys of the arrow rows in SidebarLayout::lines.
inline constexpr int arrowRowAbove = INT_MIN;
inline constexpr int arrowRowBelow = INT_MAX;

struct SidebarLayout {
  std::vector<ScreenText> texts;
  std::map<int, SidebarLine> lines;  // by slot, with the two arrow rows
  std::vector<SidebarButton> buttons;
  std::vector<int> highlighted;  // slots the last step changed
  int mouseLine = INT_MIN;

  void moveAssign(SidebarLayout&& other) { *this = std::move(other); }
  // The line to light for a Reader's address: the slot's own line, else the
  // first larger slot's, else the arrow row below; null when the memory has
  // no line there (it fits, or is empty or corrupt).
  const SidebarLine* lineForAddress(int address) const;
};

class MemorySidebar {
 public:
  static constexpr int width = 252;
  static constexpr int top = 168;

  explicit MemorySidebar(std::shared_ptr<Editor> editor);
  MemorySidebar(std::shared_ptr<Editor> editor, std::shared_ptr<Simulation> simulation);

  const Memory* shownMemory() const;
  void place(int windowWidth, int windowHeight);
  void rebuildLines();
  void relayout();
  SidebarLayout calcLayout();
  bool slotRule(int slot, const std::shared_ptr<Value>& value) const;
  bool hasLinesToLight() const { return !layout.highlighted.empty(); }
  bool highlightRunning(Tick now) const {
    return highlightDuration != -1 && now < highlightStart + highlightDuration / 2;
  }
  void startHighlight(Tick now, int durationMs) {
    highlightStart = now;
    highlightDuration = durationMs;
  }
  void clearHighlight() {
    highlightStart = INT_MAX;
    highlightDuration = -1;
  }

  // With the screens: true when the play screen must be rebuilt.
  bool handleEvent(const SDL_Event& event, int mouseX, int mouseY, Editor& editor);
  void render(SDL_Renderer* renderer, int highlightedAddress, int mouseX, int mouseY);
  bool tooltipAt(SDL_Renderer* renderer, int mouseX, int mouseY);
  // A held scroll or test button repeats its click.
  void refire(int dtMs);

  GeoRect rect{INT_MAX, 0, 0, 0};
  std::shared_ptr<Editor> editor;
  std::shared_ptr<Simulation> simulation;  // keeps the shown memories alive
  const Memory* initialMemory = nullptr;
  const Memory* currentMemory = nullptr;
  const Memory* goalMemory = nullptr;
  ValueHistory slotValues;
  int viewKind = 0;
  int scroll = 0;
  int testNumber = 1;
  int testCount = 1;
  bool canSwitchTest = true;
  std::map<int, std::string> previousLines;
  SidebarLayout layout;
  bool initialDiffersFromGoal = true;
  bool fromValidation = false;
  Tick highlightStart = INT_MAX;
  int highlightDuration = -1;

 private:
  void finishSetup();
};

// Start-up: the panel art and the font sizes of the layout.
void loadMemorySidebarMedia(SDL_Renderer* renderer);
void releaseMemorySidebarMedia();

// "TEST 03/12": the test number padded to the count's digits.
std::string sidebarTestRowText(int testNumber, int testCount);
