#pragma once
// The module drawer's layout without drawing: its slots above the bar
// button, the tab that frames them, and the notice naming copied module
// kinds a puzzle doesn't offer.
#include <set>
#include <string>
#include <vector>

#include "model/module_geometry.h"
#include "model/module.h"

struct ChooserSlot {
  int kind = 0;
  int x = 0;  // slot centre
  int y = 0;
  int puzzle = 0;
};

// One slot per allowed kind of the category, in the category's order, side
// by side from the bar button's location; step is the slot art's width + 4.
std::vector<ChooserSlot> buildChooserSlots(int category, const std::set<int>& allowed, GeoPoint buttonLocation,
                                           int step, int puzzle);
// The slot's rectangle for slot art of w x h (fatal when the art has no width).
GeoRect chooserSlotRect(const ChooserSlot& slot, int artWidth, int artHeight);

// The tab above an open drawer: left piece, slotCount - 1 middle pieces, right
// piece, and the title above.
struct DrawerTabGeometry {
  int x = 0;  // the bar button's location
  int y = 0;
  int slotCount = 0;
  int leftWidth = 0;
  int middleWidth = 0;
  int middleHeight = 0;
  int rightWidth = 0;
  int titleWidth = 0;
  int titleHeight = 0;

  int top() const { return y - middleHeight; }
  int middleCount() const { return slotCount < 2 ? 0 : slotCount - 1; }
  GeoPoint middleAt(int i) const { return {x - 55 + leftWidth + i * middleWidth, top()}; }
  GeoPoint left() const { return {x - 55, top()}; }
  GeoPoint right() const { return {x - 55 + leftWidth + (slotCount - 1) * middleWidth, top()}; }
  GeoRect titleRect() const;
  GeoRect layoutRect() const;
};

// Names the kinds of `wanted` that none of `placed` has, in kind order:
// "Adder, Latch and Writer modules are not available to place in this
// puzzle."; empty when every module could be placed.
std::string describeUnavailableModules(const ModuleList& wanted, const std::set<std::shared_ptr<Module>>& placed);
