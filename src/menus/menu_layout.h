#pragma once
// The shared frame of the main menu and its sub-screens, as plain layout and
// timing rules: the 1024x768 design centred in the window, the button column,
// the info box, and the blinking side lamps that beep as they flash.
#include <array>
#include <vector>

#include "menus/menu_geometry.h"
#include "base/ticks.h"

constexpr int menuDesignWidth = 1024;
constexpr int menuDesignHeight = 768;

// Which sub-screen the frame shows: its info box and the selected button.
enum MenuInfo : int { mainMenuInfo = 0, profilesInfo = 1, optionsInfo = 2, extrasInfo = 3 };

// Menu buttons, top to bottom.
enum MenuButton : int {
  playButton = 52,
  optionsButton = 53,
  profilesButton = 54,
  extrasButton = 55,
  communityButton = 56,
  quitButton = 57,
};
constexpr std::array<int, 6> menuButtonOrder{playButton,   profilesButton,  optionsButton,
                                             extrasButton, communityButton, quitButton};

// The design's top-left corner in the window (may be negative in a window
// smaller than the design).
GeoPoint menuOrigin(int windowW, int windowH);
GeoPoint menuButtonPosition(GeoPoint origin, int row);
// The sub-screen a menu button opens, -1 for the others.
int menuButtonInfo(int buttonId);
// The info box frame (its art's size) at design (637, 202).
GeoRect menuInfoBoxRect(GeoPoint origin, int boxW, int boxH);

// One side lamp's blink: lit phases of onMs that fade in over the first
// sixth and out over the last third, each followed by 8 * offUnits dark ms.
struct GribbleStep {
  int onMs = 0;
  int offUnits = 0;
};

constexpr int gribbleFullBrightness = 208;

struct GribblePattern {
  std::vector<GribbleStep> steps;
  int period() const;
  int brightnessAt(Tick t) const;  // 0..208
};

extern const std::array<GribblePattern, 10> leftGribbles;
extern const std::array<GribblePattern, 10> rightGribbles;
constexpr int gribbleTop = 353;
constexpr int gribblePitch = 19;

// How many lamps of both columns first reach full brightness in the frame
// ending at now (full at now, not at now - dtMs): one beep each.
int gribbleBeepsAt(Tick now, int dtMs);
