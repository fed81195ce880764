// The open module drawer's rules over events as SDL delivers them: what a
// press, release or key picks, when the drawer keeps an event from the
// screen below, and which tooltip follows the mouse.
#include <gtest/gtest.h>

#include "model/module_defs.h"
#include "playscreens/chooser_rules.h"
#include "support/input_events.h"

namespace {

constexpr int none = 81;

// An arithmetic drawer with its first and third kinds allowed: two slots
// side by side over the bar, in the tab, its title above.
ChooserView drawer(int puzzle = 30) {
  const auto& kinds = moduleCategories[1].kinds;
  ChooserView v;
  v.slots = {{kinds[0], 120, 400, puzzle}, {kinds[2], 180, 400, puzzle}};
  v.slotRects = {{95, 375, 50, 50}, {155, 375, 50, 50}};
  v.tab = {80, 360, 150, 80};
  v.title = {120, 320, 80, 30};
  v.ownButton = buttonForCategory(1);
  return v;
}

InputRecord mouseAt(InputKind kind, int x, int y, int button = inputLeftButton) {
  InputRecord in;
  in.kind = kind;
  in.button = button;
  in.x = x;
  in.y = y;
  return in;
}

TEST(ChooserRules, WhatAPressReleaseOrKeyDoes) {
  const ChooserView v = drawer();
  const int first = v.slots[0].kind;
  const int third = v.slots[1].kind;
  const int secondKind = moduleCategories[1].kinds[1];
  using A = ChooserAction;
  struct Row {
    const char* what;
    InputRecord in;
    int barButton;
    bool actsOnRelease;
    A action;
    int kind;
  };
  const Row rows[] = {
      {"a press on the first slot", mouseAt(InputKind::press, 100, 380), none, false, A::pick, first},
      {"a press on the second slot", mouseAt(InputKind::press, 204, 424), none, false, A::pick, third},
      {"a press in the tab between slots", mouseAt(InputKind::press, 150, 380), none, false, A::keep, chooserNoKind},
      {"a release over the tab", mouseAt(InputKind::release, 150, 380), none, false, A::keep, chooserNoKind},
      {"a release over a slot is in the tab", mouseAt(InputKind::release, 100, 380), none, false, A::keep,
       chooserNoKind},
      {"a release on the board", mouseAt(InputKind::release, 500, 100), none, false, A::pass, chooserNoKind},
      {"a right press on a slot", mouseAt(InputKind::press, 100, 380, inputRightButton), none, false, A::pass,
       chooserNoKind},
      {"a press on the board closes through the screen", mouseAt(InputKind::press, 500, 100), none, false, A::pass,
       chooserNoKind},
      {"a press on the open drawer's own button", mouseAt(InputKind::press, 100, 600), v.ownButton, true,
       A::resetTrackerThenPass, chooserNoKind},
      {"a press on a bar button that acts on its release", mouseAt(InputKind::press, 300, 600), 14, true, A::keep,
       chooserNoKind},
      {"a press on a bar button that acts on its press", mouseAt(InputKind::press, 300, 600), 5, false, A::pass,
       chooserNoKind},
      {"a slot's key picks by its place in the category", keyDown(moduleHotkey(third)), none, false, A::pick, third},
      {"the first slot's key", keyDown(moduleHotkey(first)), none, false, A::pick, first},
      {"the key of a kind this drawer leaves out", keyDown(moduleHotkey(secondKind)), none, false, A::pass,
       chooserNoKind},
      {"Escape", keyDown(scancodeEscape), none, false, A::close, chooserNoKind},
      {"another key", keyDown(scancodeTab), none, false, A::pass, chooserNoKind},
      {"a motion over a slot", mouseAt(InputKind::motion, 100, 380), none, false, A::pass, chooserNoKind},
  };
  for (const Row& row : rows) {
    const ChooserStep step = chooserStepFor(row.in, v, row.barButton, row.actsOnRelease);
    EXPECT_EQ(step.action, row.action) << row.what;
    if (row.action == A::pick) {
      EXPECT_EQ(step.kind, row.kind) << row.what;
    }
  }
}

// A tap on a slot in one pump: the press picks, and nothing in the tap can
// pick twice, since the release (should it arrive) is the tab's.
TEST(ChooserRules, ATapOnASlotPicksOnce) {
  const ChooserView v = drawer();
  int picks = 0;
  for (const InputRecord& in : {mouseAt(InputKind::press, 100, 380), mouseAt(InputKind::release, 100, 380)})
    picks += chooserStepFor(in, v, none, false).action == ChooserAction::pick;
  EXPECT_EQ(picks, 1);
}

TEST(ChooserRules, TheCopyPasteLessonsSlotsCannotBePicked) {
  const ChooserView v = drawer(24);
  EXPECT_FALSE(chooserCanPick(24));
  EXPECT_TRUE(chooserCanPick(30));
  EXPECT_EQ(chooserStepFor(mouseAt(InputKind::press, 100, 380), v, none, false).action, ChooserAction::keep);
  EXPECT_EQ(chooserStepFor(keyDown(moduleHotkey(v.slots[0].kind)), v, none, false).action, ChooserAction::keep);
  EXPECT_EQ(chooserStepFor(keyDown(scancodeEscape), v, none, false).action, ChooserAction::close);
}

// The mouse moving along the drawer: the tooltip follows it from slot to
// slot, the title's shows over the title, and off the drawer they hide and
// the screen below has the hover back.
TEST(ChooserRules, TheTooltipFollowsTheMouse) {
  const ChooserView v = drawer();
  struct Row {
    const char* what;
    int x, y;
    int kind;
    bool overTitle, overDrawer;
  };
  const Row rows[] = {
      {"first slot", 95, 375, v.slots[0].kind, false, true},
      {"its right edge is outside", 145, 375, chooserNoKind, false, true},
      {"second slot", 170, 400, v.slots[1].kind, false, true},
      {"the tab below the slots", 120, 430, chooserNoKind, false, true},
      {"the tab's bottom edge is outside", 120, 440, chooserNoKind, false, false},
      {"the title, above the tab", 130, 330, chooserNoKind, true, false},
      {"the board", 500, 100, chooserNoKind, false, false},
  };
  for (const Row& row : rows) {
    const ChooserHover h = chooserHoverAt(v, row.x, row.y);
    EXPECT_EQ(h.kind, row.kind) << row.what;
    EXPECT_EQ(h.overTitle, row.overTitle) << row.what;
    EXPECT_EQ(h.overDrawer, row.overDrawer) << row.what;
    EXPECT_EQ(chooserKindAt(v, row.x, row.y), row.kind) << row.what;
  }
}

}  // namespace
