// The input rules the screens share, over events as SDL delivers them:
// which keys a typed field keeps, what a previewing pop-up does with an
// event it did not take, and the palette's page scroll.
#include <gtest/gtest.h>

#include "playscreens/modal_rules.h"
#include "playscreens/palette_layout.h"
#include "shell/input_record.h"
#include "support/input_events.h"

namespace {

InputRecord mouse(InputKind kind, int button = inputLeftButton) {
  InputRecord in;
  in.kind = kind;
  in.button = button;
  return in;
}

TEST(TextFieldKeys, TheKeysOfTypingStayInTheFieldTheRestGoOn) {
  struct Row {
    const char* what;
    InputRecord in;
    bool keeps;
    bool erases;
  };
  const Row rows[] = {
      {"c (Copy's key)", keyDown(6, 'c'), true, false},
      {"d (a view key)", keyDown(7, 'd'), true, false},
      {"r (Reset)", keyDown(21, 'r'), true, false},
      {"space (Run)", keyDown(44, ' '), true, false},
      {"1 (a drawer)", keyDown(30, '1'), true, false},
      {"keypad 5", keyDown(93, 0x40000061), true, false},
      {"left arrow (step back)", keyDown(80, 0x40000050), true, false},
      {"Backspace", keyDown(scancodeBackspace, 8), true, true},
      {"Delete (delete the selection)", keyDown(scancodeDelete, 127), true, true},
      {"Return", keyDown(scancodeReturn, 13), false, false},
      {"keypad Enter", keyDown(scancodeKeypadEnter, 0x40000058), false, false},
      {"Escape", keyDown(scancodeEscape, 27), false, false},
      {"Tab", keyDown(scancodeTab, 9), false, false},
      {"Ctrl+C", keyDown(6, 'c', true), false, false},
      {"Ctrl+Z", keyDown(29, 'z', true), false, false},
      {"Ctrl+Backspace", keyDown(scancodeBackspace, 8, true), false, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(textFieldKeepsKey(row.in), row.keeps) << row.what;
    EXPECT_EQ(erasesTypedText(row.in), row.erases) << row.what;
  }
  // Only key downs: the text that follows a key down, and key ups, are not
  // keys the rule hands on.
  InputRecord text;
  text.kind = InputKind::text;
  text.text = "c";
  EXPECT_FALSE(textFieldKeepsKey(text));
  InputRecord up = keyDown(6, 'c');
  up.kind = InputKind::keyUp;
  EXPECT_FALSE(textFieldKeepsKey(up));
}

// Every letter typed reaches the field as a key down, then its text, often
// in one pump: neither half goes past the field.
TEST(TextFieldKeys, EveryLetterAndDigitIsTheFieldsOwn) {
  for (int sc = 4; sc <= 39; ++sc) {  // a..z, 1..9, 0
    const int keycode = sc <= 29 ? 'a' + (sc - 4) : sc == 39 ? '0' : '1' + (sc - 30);
    EXPECT_TRUE(textFieldKeepsKey(keyDown(sc, keycode))) << sc;
    EXPECT_FALSE(erasesTypedText(keyDown(sc, keycode))) << sc;
  }
}

TEST(ModalCommitPolicy, EventsThePopupDoesNotKeepCommitFirst) {
  struct Row {
    const char* what;
    InputRecord in;
    bool overPopup;
    bool pressBeganOverPopup;
    ModalStep step;
  };
  InputRecord repeat;
  repeat.kind = InputKind::repeat;
  repeat.repeatedButton = 14;
  InputRecord text;
  text.kind = InputKind::text;
  text.text = "5";
  const Row rows[] = {
      {"press on the pop-up", mouse(InputKind::press), true, true, ModalStep::keep},
      {"right press on the pop-up", mouse(InputKind::press, inputRightButton), true, false, ModalStep::keep},
      {"press past it", mouse(InputKind::press), false, false, ModalStep::commitFirst},
      {"right press past it", mouse(InputKind::press, inputRightButton), false, false, ModalStep::commitFirst},
      {"release of a press held from before (Undo)", mouse(InputKind::release), false, false,
       ModalStep::commitFirst},
      {"release ending the pop-up's own drag", mouse(InputKind::release), false, true, ModalStep::keep},
      {"release over the pop-up", mouse(InputKind::release), true, false, ModalStep::keep},
      {"right release past it", mouse(InputKind::release, inputRightButton), false, true,
       ModalStep::commitFirst},
      {"a bar button's repeat", repeat, false, false, ModalStep::commitFirst},
      {"motion", mouse(InputKind::motion), false, false, ModalStep::passUncommitted},
      {"wheel", mouse(InputKind::wheel), false, false, ModalStep::passUncommitted},
      {"key down", keyDown(6, 'c'), false, false, ModalStep::keep},
      {"typed text", text, false, false, ModalStep::keep},
  };
  for (const Row& row : rows) EXPECT_EQ(modalStepFor(row.in, row.overPopup, row.pressBeganOverPopup), row.step) << row.what;
  EXPECT_TRUE(modalStaysOpen(false, false));
  EXPECT_FALSE(modalStaysOpen(true, false));
  EXPECT_FALSE(modalStaysOpen(false, true));
}

// The module edit panel, event by event as SDL delivers typing: each key
// down then its text, Ctrl chords for the panel's buttons, presses on it and
// past it.
TEST(ModuleEditRouting, TypingStaysInTheFieldChordsReachTheButtons) {
  struct Row {
    const char* what;
    InputRecord in;
    bool overPanel;
    bool sliderRepeat;
    bool buttonsFirst;
    PanelAction action;
  };
  InputRecord text;
  text.kind = InputKind::text;
  text.text = "c";
  InputRecord repeat;
  repeat.kind = InputKind::repeat;
  repeat.repeatedButton = 26;
  InputRecord barRepeat = repeat;
  barRepeat.repeatedButton = 14;
  InputRecord up = keyDown(6, 'c');
  up.kind = InputKind::keyUp;
  const Row rows[] = {
      {"c down", keyDown(6, 'c'), false, false, false, PanelAction::nothing},
      {"c text", text, false, false, false, PanelAction::type},
      {"c up", up, false, false, true, PanelAction::pastPanel},
      {"Delete", keyDown(scancodeDelete, 127), false, false, false, PanelAction::erase},
      {"Backspace", keyDown(scancodeBackspace, 8), false, false, false, PanelAction::erase},
      {"Ctrl+C (Copy)", keyDown(6, 'c', true), false, false, true, PanelAction::nothing},
      {"Return", keyDown(scancodeReturn, 13), false, false, true, PanelAction::commit},
      {"keypad Enter", keyDown(scancodeKeypadEnter), false, false, true, PanelAction::commit},
      {"Escape", keyDown(scancodeEscape, 27), false, false, true, PanelAction::revert},
      {"Tab", keyDown(scancodeTab, 9), false, false, true, PanelAction::nothing},
      {"left press on the panel", mouse(InputKind::press), true, false, true, PanelAction::pressPanel},
      {"left press past it", mouse(InputKind::press), false, false, true, PanelAction::pastPanel},
      {"right press on it", mouse(InputKind::press, inputRightButton), true, false, true, PanelAction::pastPanel},
      {"release", mouse(InputKind::release), false, false, true, PanelAction::pastPanel},
      {"the slider arrow's repeat", repeat, true, true, false, PanelAction::nothing},
      {"a bar button's repeat", barRepeat, false, false, true, PanelAction::pastPanel},
      {"motion", mouse(InputKind::motion), true, false, true, PanelAction::pastPanel},
  };
  for (const Row& row : rows) {
    const PanelRoute route = moduleEditRouteFor(row.in, row.overPanel, row.sliderRepeat);
    EXPECT_EQ(route.buttonsFirst, row.buttonsFirst) << row.what;
    EXPECT_EQ(route.action, row.action) << row.what;
  }
}

// Two queued repeats after a slow frame must not scroll past either end.
TEST(PaletteScroll, HeldToThePagesThereAre) {
  struct Row {
    int scroll, count, expected;
  };
  const Row rows[] = {{-1, 6, 0}, {0, 6, 0}, {2, 6, 2}, {3, 6, 2}, {7, 6, 2}, {1, 3, 0}, {-5, 0, 0}};
  for (const Row& r : rows) EXPECT_EQ(clampPaletteScroll(r.scroll, r.count), r.expected) << r.scroll << "/" << r.count;
}

}  // namespace
