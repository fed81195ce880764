#pragma once
// What the monkey does, decided by its seed alone: a stream of random player
// actions (clicks, taps, drags, right-clicks, wheel turns, keys, chords and
// typed text) and the xdotool words that perform one in a window. Nothing
// here looks at the game, so one seed always gives the same actions.
#include <cstdint>
#include <string>
#include <vector>

// splitmix64: the same numbers from a seed on every machine and library.
class MonkeyDice {
 public:
  explicit MonkeyDice(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  int below(int n);                 // 0..n-1
  int between(int low, int high);   // low..high
  bool chance(int percent);

 private:
  std::uint64_t state_;
};

enum class MonkeyKind { Click, Tap, DoubleClick, RightClick, Drag, RightDrag, Wheel, Key, Chord, Text, Close };
const char* monkeyKindName(MonkeyKind kind);
constexpr int monkeyKindCount = 11;

// Positions are on a 1280x1024 window and scaled to the window's size when
// sent, so a window the game has resized still gets the same spots.
constexpr int monkeyBaseWidth = 1280;
constexpr int monkeyBaseHeight = 1024;

struct MonkeyAction {
  MonkeyKind kind = MonkeyKind::Click;
  int x = 0, y = 0;        // where it starts
  int x2 = 0, y2 = 0;      // where a drag ends
  int count = 1;           // wheel notches (negative: towards the player), drag steps
  std::string text;        // a key, a chord or typed text
  int holdMs = 0;          // how long a button or key stays down
  int pauseMs = 0;         // the rest before the next action
};

class MonkeyActions {
 public:
  explicit MonkeyActions(std::uint64_t seed) : dice_(seed) {}
  MonkeyAction next();

 private:
  void place(MonkeyAction& a);
  MonkeyDice dice_;
  int lastX_ = monkeyBaseWidth / 2, lastY_ = monkeyBaseHeight / 2;
};

// The xdotool arguments (after "xdotool") that perform the action in that
// window of that size; none for a Close, which goes to the window manager.
std::vector<std::string> xdotoolWords(const MonkeyAction& action, unsigned long window, int width, int height);
// One line for the report: "drag 412,300 -> 640,512".
std::string describe(const MonkeyAction& action);
