#pragma once
// What a pop-up that previews on the live machine (the module edit panel, the
// clock pop-up) does with an event it did not take itself. An event that may
// reach the play screen's edits or its buttons commits the preview first, so
// the play screen meets a machine the undo stack knows and handles the event
// once; motion and the wheel cannot edit and pass as they are.
#include "shell/input_record.h"

enum class ModalStep : int {
  keep,             // the pop-up's own: nothing more happens
  passUncommitted,  // the play screen sees it over the preview (a switch it makes commits)
  commitFirst,      // commit, then the play screen's handling with its solved check
};

// overPopup: the event's point is on the pop-up; pressBeganOverPopup: the
// left button's press (the tracker's) was on it, so its release ends a drag
// the pop-up started.
ModalStep modalStepFor(const InputRecord& in, bool overPopup, bool pressBeganOverPopup);

// After a commit the play screen did nothing with: the pop-up stays open.
// Any new state, a rebuild or a fade closes it.
inline bool modalStaysOpen(bool switching, bool hasNextState) { return !switching && !hasNextState; }

// The module edit panel's routing of one event, in order: its buttons
// (Copy, Palette, Delete) get a say first unless the event is typing.
enum class PanelAction : int {
  nothing,     // the panel's own, already handled (a slider arrow's repeat, a key typing ignores)
  erase,       // Backspace or Delete on the field in focus
  type,        // typed text into the field in focus
  commit,      // Return, keypad Enter: commit and close
  revert,      // Escape: revert and close
  pressPanel,  // a left press on the panel: its fields, box and slider
  pastPanel,   // by modalStepFor, past the preview to the play screen
};
struct PanelRoute {
  bool buttonsFirst = false;
  PanelAction action = PanelAction::nothing;
};
// sliderRepeat: the event repeats the panel's own slider arrow.
PanelRoute moduleEditRouteFor(const InputRecord& in, bool overPanel, bool sliderRepeat);
