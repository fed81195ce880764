// Held keys, the mouse tracker and cursors.
#include <gtest/gtest.h>

#include <algorithm>

#include "fixture.h"
#include "shell/cursors.h"
#include "shell/input.h"

namespace {

SDL_Event keyEvent(Uint32 type, SDL_Scancode sc, bool repeat = false) {
  SDL_Event e;
  SDL_zero(e);
  e.type = type;
  e.key.keysym.scancode = sc;
  e.key.repeat = repeat;
  return e;
}

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keyState = KeyState{};
    setMousePositionOverride(Point{40, 50});
  }
  void TearDown() override { setMousePositionOverride(std::nullopt); }
  TempWorkingDir dir;
  ManualClock clock{1000};
};

TEST_F(InputTest, RepeatsLogButKeepTheFirstTick) {
  trackKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_A));
  clock.advance(500);
  trackKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_A, true));
  EXPECT_EQ(heldKeys()[SDL_SCANCODE_A], 1000);
  EXPECT_TRUE(isKeyHeld(SDL_SCANCODE_A));
  trackKey(keyEvent(SDL_KEYUP, SDL_SCANCODE_A));
  EXPECT_FALSE(isKeyHeld(SDL_SCANCODE_A));
  EXPECT_EQ(heldKeys()[SDL_SCANCODE_A], -1);
  std::string log = readWholeFile("log.txt");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3);
  EXPECT_NE(log.find(": pressing 4\n"), std::string::npos);
  EXPECT_NE(log.find(": releasing 4\n"), std::string::npos);
}

TEST_F(InputTest, KeyUpOfAnUnseenKeyIsNotHeld) {
  trackKey(keyEvent(SDL_KEYUP, SDL_SCANCODE_B));
  EXPECT_EQ(heldKeys().count(SDL_SCANCODE_B), 1u);
  EXPECT_FALSE(isKeyHeld(SDL_SCANCODE_B));
}

TEST_F(InputTest, RightModifiersCount) {
  EXPECT_FALSE(isShiftHeld());
  EXPECT_FALSE(isCtrlHeld());
  trackKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_RSHIFT));
  trackKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_RCTRL));
  EXPECT_TRUE(isShiftHeld());
  EXPECT_TRUE(isCtrlHeld());
}

TEST_F(InputTest, MouseTrackerKeepsThePressPosition) {
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_LEFT;
  mouseTracker().handleEvent(e);
  EXPECT_TRUE(mouseTracker().isButtonDown(SDL_BUTTON_LEFT));
  EXPECT_EQ(mouseTracker().pressTick(SDL_BUTTON_LEFT), 1000);
  setMousePositionOverride(Point{300, 300});
  clock.advance(10);
  mouseTracker().handleEvent(e);  // already down: keeps the first press
  EXPECT_EQ(mouseTracker().pressPosition(SDL_BUTTON_LEFT), (Point{40, 50}));
  e.type = SDL_MOUSEBUTTONUP;
  mouseTracker().handleEvent(e);
  EXPECT_FALSE(mouseTracker().isButtonDown(SDL_BUTTON_LEFT));
  EXPECT_EQ(mouseTracker().pressTick(SDL_BUTTON_LEFT), -1);
  EXPECT_EQ(mouseTracker().pressPosition(SDL_BUTTON_LEFT), (Point{40, 50}));
  EXPECT_EQ(mouseTracker().pressTick(SDL_BUTTON_MIDDLE), -1);
  mouseTracker().reset();
  EXPECT_EQ(mouseTracker().pressPosition(SDL_BUTTON_LEFT), (Point{0, 0}));
  std::string log = readWholeFile("log.txt");
  EXPECT_NE(log.find(": mouse-pressing 1\n"), std::string::npos);
  EXPECT_NE(log.find(": mouse-releasing 1\n"), std::string::npos);
}

class CursorTest : public SdlTest {};

TEST_F(CursorTest, LoadSwitchAndInvalidIds) {
  loadCursors();
  EXPECT_TRUE(cursorsMade());
  EXPECT_EQ(currentCursorId(), 1);
  int before = cursorSwitchCount();
  setCursor(5);
  setCursor(5);
  EXPECT_EQ(cursorSwitchCount(), before + 1);
  EXPECT_EQ(currentCursorSize().w, 16);
  EXPECT_EQ(currentCursorSize().h, 24);
  try {
    setCursor(13);
    FAIL() << "setCursor(13) returned";
  } catch (const FatalErrorException& e) {
    EXPECT_STREQ(e.what(), "Invalid cursor 13");
  }
}

TEST_F(CursorTest, MissingCursorFileIsFatal) {
  removeFixtureFile("art/cursors/pen.png");
  try {
    loadCursors();
    FAIL() << "loadCursors returned";
  } catch (const FatalErrorException& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Loading cursor file art/cursors/pen.png: SDL ERROR (", 0), 0u);
  }
}

TEST_F(CursorTest, WithoutCursorsTheSizeIsTheDefault) {
  EXPECT_FALSE(cursorsMade());
  EXPECT_EQ(currentCursorSize().w, 8);
  EXPECT_EQ(currentCursorSize().h, 16);
  setCursor(99);  // nothing happens before the cursors exist
}

}  // namespace
