// Which button an event sets off, over events as SDL delivers them: a tap's
// press and release in one pump, repeats after a slow frame, releases off
// the pressed button, Control chords against plain letters.
#include <gtest/gtest.h>

#include "shell/button_rules.h"
#include "support/input_events.h"

namespace {

InputRecord press(int x, int y, int button = inputLeftButton) {
  InputRecord in;
  in.kind = InputKind::press;
  in.button = button;
  in.x = x;
  in.y = y;
  in.leftHeld = button == inputLeftButton;
  return in;
}

InputRecord release(int x, int y, int button = inputLeftButton) {
  InputRecord in = press(x, y, button);
  in.kind = InputKind::release;
  in.leftHeld = false;
  return in;
}

InputRecord repeat(int id) {
  InputRecord in;
  in.kind = InputKind::repeat;
  in.repeatedButton = id;
  return in;
}

ButtonState button(int id, GeoRect hit, bool actsOnRelease) {
  ButtonState b;
  b.id = id;
  b.hit = hit;
  b.actsOnRelease = actsOnRelease;
  return b;
}

// Feeds events in order, the press point as the tracker keeps it (it
// outlives the release), and lists the ids that acted.
std::vector<int> run(const std::vector<ButtonState>& buttons, const std::vector<InputRecord>& events) {
  std::vector<int> acted;
  GeoPoint pressAt{0, 0};
  for (const InputRecord& in : events) {
    if (in.isPress(inputLeftButton)) pressAt = {in.x, in.y};
    const int i = activatedButton(in, buttons, pressAt);
    if (i >= 0) acted.push_back(buttons[size_t(i)].id);
  }
  return acted;
}

// Two neighbours: 1 acts on the press, 2 (with pressed art) on the release.
const std::vector<ButtonState> pair = {button(1, {0, 0, 40, 40}, false), button(2, {50, 0, 40, 40}, true)};

TEST(ButtonRules, ATapActsOnceWhicheverEdgeTheButtonActsOn) {
  struct Row {
    const char* what;
    std::vector<InputRecord> events;
    std::vector<int> acted;
  };
  const Row rows[] = {
      {"tap on a press button, one pump", {press(10, 10), release(10, 10)}, {1}},
      {"tap on a release button, one pump", {press(60, 10), release(60, 10)}, {2}},
      {"two taps", {press(60, 10), release(60, 10), press(60, 10), release(60, 10)}, {2, 2}},
      {"press on 2, release over 1", {press(60, 10), release(10, 10)}, {}},
      {"press on 1, release over 2", {press(10, 10), release(60, 10)}, {1}},
      {"press on 2, release off every button", {press(60, 10), release(200, 10)}, {}},
      {"press off the buttons, release over 2", {press(200, 10), release(60, 10)}, {}},
      {"a right tap does nothing", {press(10, 10, inputRightButton), release(10, 10, inputRightButton)}, {}},
      {"right-click during a left hold on 2", {press(60, 10), press(60, 10, inputRightButton), release(60, 10)}, {2}},
      {"the edges: right and bottom are outside", {press(40, 10), press(10, 40), press(0, 0)}, {1}},
  };
  for (const Row& row : rows) EXPECT_EQ(run(pair, row.events), row.acted) << row.what;
}

TEST(ButtonRules, GreyedSelectedAndHiddenButtonsStayStill) {
  std::vector<ButtonState> buttons = pair;
  buttons[0].enabled = false;
  buttons[1].selected = true;
  EXPECT_EQ(run(buttons, {press(10, 10), release(10, 10), press(60, 10), release(60, 10)}), std::vector<int>{});
  // A hidden button is not hit; the one beneath it is.
  std::vector<ButtonState> stacked = {button(7, {0, 0, 40, 40}, false), button(8, {0, 0, 40, 40}, false)};
  stacked[0].visible = false;
  EXPECT_EQ(run(stacked, {press(10, 10)}), std::vector<int>{8});
  // The first of two buttons on one spot wins.
  stacked[0].visible = true;
  EXPECT_EQ(run(stacked, {press(10, 10)}), std::vector<int>{7});
}

// A slow frame queues several repeats at once: they act while the button is
// enabled and stop when it turns grey, even though they were queued earlier.
TEST(ButtonRules, RepeatsActOnlyWhileTheButtonIsEnabled) {
  std::vector<ButtonState> buttons = pair;
  EXPECT_EQ(run(buttons, {repeat(2), repeat(2), repeat(1)}), (std::vector<int>{2, 2, 1}));
  buttons[1].enabled = false;
  EXPECT_EQ(run(buttons, {repeat(2), repeat(2)}), std::vector<int>{});
  EXPECT_EQ(run(buttons, {repeat(5)}), std::vector<int>{});  // no such button
  // A repeat reaches a hidden button: it repeats what the held press began.
  buttons[1].enabled = true;
  buttons[1].visible = false;
  EXPECT_EQ(run(buttons, {repeat(2)}), std::vector<int>{2});
}

TEST(ButtonRules, KeysMatchTheirBindingAndControlOnlyWhereItTellsKeysApart) {
  const ButtonKey undo{0, 'z', true, false, false, false};       // Ctrl+Z, z no plain hotkey here
  const ButtonKey shared{0, 't', true, false, true, false};      // Ctrl+T, T also a plain hotkey
  const ButtonKey plainT{23, 0, false, false, true, false};      // the plain T
  const ButtonKey fast{44, 0, false, true, false, false};        // Shift+Space
  const ButtonKey del{76, 0, false, false, false, false};        // Delete
  const ButtonKey back{41, 0, false, false, false, true};        // Escape, and Tab
  struct Row {
    const char* what;
    ButtonKey key;
    InputRecord in;
    bool matches;
  };
  const Row rows[] = {
      {"Ctrl+Z", undo, keyDown(29, 'z', true), true},
      {"z alone also undoes where z is no other key", undo, keyDown(29, 'z'), true},
      {"Ctrl+T", shared, keyDown(23, 't', true), true},
      {"t alone is the plain T's", shared, keyDown(23, 't'), false},
      {"the plain T", plainT, keyDown(23, 't'), true},
      {"Ctrl+T is not the plain T's", plainT, keyDown(23, 't', true), false},
      {"Shift+Space", fast, keyDown(44, ' ', false, true), true},
      {"Space without Shift", fast, keyDown(44, ' '), false},
      {"Shift+Z is not Z", undo, keyDown(29, 'z', true, true), false},
      {"Delete", del, keyDown(76, 127), true},
      {"Backspace counts as Delete", del, keyDown(42, 8), true},
      {"Escape", back, keyDown(41, 27), true},
      {"Tab too", back, keyDown(43, 9), true},
      {"Shift+Tab too", back, keyDown(43, 9, false, true), true},
      {"Tab is only back's", del, keyDown(43, 9), false},
      {"another key", undo, keyDown(28, 'y', true), false},
  };
  for (const Row& row : rows) EXPECT_EQ(keyMatches(row.key, row.in), row.matches) << row.what;
  // A key up or the typed text after the key down never matches.
  InputRecord up = keyDown(29, 'z', true);
  up.kind = InputKind::keyUp;
  EXPECT_FALSE(keyMatches(undo, up));
  InputRecord text;
  text.kind = InputKind::text;
  text.text = "z";
  EXPECT_FALSE(keyMatches(undo, text));
}

TEST(ButtonRules, AKeyActsOnTheFirstEnabledButtonBoundToIt) {
  std::vector<ButtonState> buttons = {button(3, {0, 0, 10, 10}, true), button(4, {20, 0, 10, 10}, true),
                                      button(5, {40, 0, 10, 10}, false)};
  buttons[0].key = {76, 0, false, false, false, false};
  buttons[1].key = buttons[0].key;
  buttons[2].key = {21, 0, false, false, false, false};
  // Keys act on the key down, whatever art the button has; the text after it does nothing.
  InputRecord text;
  text.kind = InputKind::text;
  text.text = "r";
  EXPECT_EQ(run(buttons, {keyDown(76, 127), keyDown(21, 'r'), text}), (std::vector<int>{3, 5}));
  buttons[0].enabled = false;
  EXPECT_EQ(run(buttons, {keyDown(76, 127)}), std::vector<int>{4});
  buttons[1].selected = true;
  EXPECT_EQ(run(buttons, {keyDown(76, 127)}), std::vector<int>{});
  // A hidden button still answers its key.
  buttons[2].visible = false;
  EXPECT_EQ(run(buttons, {keyDown(21, 'r')}), std::vector<int>{5});
}

TEST(ButtonRules, ATabIsASlantedBand) {
  ButtonState tab = button(44, {100, 0, 160, 84}, false);
  tab.tabShape = true;
  struct Row {
    int x, y;
    bool in;
  };
  // edge = (12 - y) * 44 / 84 + 144; inside when edge + 3 <= x < edge + 115.
  const Row rows[] = {{150, 11, false}, {147, 12, true},  {146, 12, false}, {258, 12, true}, {259, 12, false},
                      {125, 54, true},  {124, 54, false}, {110, 83, true},  {109, 83, false}, {150, 84, false}};
  for (const Row& row : rows) EXPECT_EQ(buttonContains(tab, row.x, row.y), row.in) << row.x << "," << row.y;
}

}  // namespace
