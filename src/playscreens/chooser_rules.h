#pragma once
// What an open module drawer does with an event, and what the point over it
// shows, without a window: which slot a press or key picks, when the drawer
// keeps an event from the screen under it, and which tooltip follows the
// mouse.
#include <vector>

#include "playscreens/chooser_layout.h"
#include "shell/input_record.h"

inline constexpr int chooserNoKind = 14;

// The drawer as laid out on the window.
struct ChooserView {
  std::vector<ChooserSlot> slots;
  std::vector<GeoRect> slotRects;  // by slot
  GeoRect tab;                     // the tab's layout rectangle
  GeoRect title;                   // the tab title's rectangle
  int ownButton = 81;              // the bar button of this drawer
};

// The copy-paste lesson places modules only through the palette.
bool chooserCanPick(int puzzle);

// The kind of the first slot holding the point, chooserNoKind when none.
int chooserKindAt(const ChooserView& view, int x, int y);

enum class ChooserAction : int {
  pass,               // the play screen's own handling; a left press it leaves closes the drawer
  keep,               // the drawer's: nothing happens
  pick,               // the slot's kind goes to placing
  close,              // Escape: back to the idle editor, selection kept
  resetTrackerThenPass,  // a press on the open drawer's own button: the drawer closes, no drag follows
};
struct ChooserStep {
  ChooserAction action = ChooserAction::pass;
  int kind = chooserNoKind;
};

// barButton: the id of the bar button under the event's point (81 none);
// barButtonActsOnRelease: its art has a pressed image, so a press on it only
// arms it and the release acts through the play screen.
ChooserStep chooserStepFor(const InputRecord& in, const ChooserView& view, int barButton,
                           bool barButtonActsOnRelease);

// What the mouse at a point shows. Over a slot or the tab the drawer's
// tooltips show and the screen below sees no mouse; elsewhere the screen's
// own hover and tooltip follow the point.
struct ChooserHover {
  int kind = chooserNoKind;  // the slot whose tooltip shows
  bool overTitle = false;    // the category's tooltip shows
  bool overDrawer = false;   // the screen below is drawn without hover, the cursor is the arrow
};
ChooserHover chooserHoverAt(const ChooserView& view, int x, int y);
