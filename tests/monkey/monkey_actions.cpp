#include "monkey_actions.h"

#include <algorithm>
#include <cstdio>

namespace {
// The keys the game binds (the bars, the drawers, the module hotkeys, the
// memory views, the tick arrows, zoom), the ones every screen reads
// (Escape, Tab, Return, space), and a few it doesn't.
const char* const keys[] = {
    "Escape", "Escape", "Tab",    "Return", "space", "space", "BackSpace", "Delete", "Left", "Right", "Up",
    "Down",   "Prior",  "Next",   "Home",   "End",   "F1",        "F11",    "0",    "1",     "2",
    "3",      "4",      "5",      "6",      "7",     "8",     "9",         "a",      "b",    "c",     "d",
    "e",      "f",      "g",      "h",      "i",     "j",     "k",         "l",      "m",    "n",     "o",
    "p",      "q",      "r",      "s",      "t",     "u",     "v",         "w",      "x",    "y",     "z",
    "minus",  "plus",   "comma",  "period", "KP_Enter"};
const char* const chords[] = {"ctrl+z",     "ctrl+y",      "ctrl+c",     "ctrl+v",     "ctrl+a",
                              "ctrl+x",     "ctrl+s",      "ctrl+d",     "ctrl+shift+z", "ctrl+Return",
                              "shift+Left", "shift+Right", "shift+Tab",  "ctrl+Left",  "ctrl+Right",
                              "alt+Return", "shift+Delete", "ctrl+BackSpace"};
// What typed entries meet: names, numbers (signed, huge), punctuation.
const char* const words[] = {"Adder",  "clock", "copy",   "Mux 2", "c v z y", "-5",    "0",        "12",
                             "255",    "-128",  "99999999999", "1e9", "0x1F",  "  ",    "name!?",   "a/b\\c",
                             "x,y.z",  "ünï",   "\"quote\"", "#%&*", "tab\there", "01234567890123456789"};

template <size_t N>
const char* pick(MonkeyDice& dice, const char* const (&list)[N]) {
  return list[dice.below(int(N))];
}

std::string scaled(int v, int base, int size) {
  return std::to_string(std::clamp(int(std::int64_t(v) * size / base), 0, std::max(size - 1, 0)));
}

std::string secondsText(int ms) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.3f", ms / 1000.0);
  return buffer;
}
}  // namespace

std::uint64_t MonkeyDice::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int MonkeyDice::below(int n) { return n <= 1 ? 0 : int(next() % std::uint64_t(n)); }
int MonkeyDice::between(int low, int high) { return low + below(high - low + 1); }
bool MonkeyDice::chance(int percent) { return below(100) < percent; }

const char* monkeyKindName(MonkeyKind kind) {
  static const char* const names[monkeyKindCount] = {"click", "tap",  "double-click", "right-click",
                                                     "drag",  "right-drag", "wheel", "key", "chord", "text",
                                                     "close"};
  return names[int(kind)];
}

void MonkeyActions::place(MonkeyAction& a) {
  const int band = dice_.below(100);
  if (band < 15) {  // the same spot again, or nearly: a second look at what the first changed
    a.x = lastX_ + dice_.between(-6, 6);
    a.y = lastY_ + dice_.between(-6, 6);
  } else if (band < 40) {  // the bottom bars and drawers
    a.x = dice_.below(monkeyBaseWidth);
    a.y = dice_.between(860, monkeyBaseHeight - 1);
  } else if (band < 50) {  // the top and its tabs
    a.x = dice_.below(monkeyBaseWidth);
    a.y = dice_.below(140);
  } else if (band < 60) {  // the side panels
    a.x = dice_.chance(50) ? dice_.below(220) : dice_.between(1060, monkeyBaseWidth - 1);
    a.y = dice_.below(monkeyBaseHeight);
  } else {
    a.x = dice_.below(monkeyBaseWidth);
    a.y = dice_.below(monkeyBaseHeight);
  }
  a.x = std::clamp(a.x, 0, monkeyBaseWidth - 1);
  a.y = std::clamp(a.y, 0, monkeyBaseHeight - 1);
  lastX_ = a.x;
  lastY_ = a.y;
}

MonkeyAction MonkeyActions::next() {
  MonkeyAction a;
  // Weights per thousand.
  const int roll = dice_.below(1000);
  struct Weight {
    MonkeyKind kind;
    int weight;
  };
  static const Weight weights[] = {{MonkeyKind::Click, 220}, {MonkeyKind::Tap, 80},       {MonkeyKind::DoubleClick, 40},
                                   {MonkeyKind::RightClick, 80}, {MonkeyKind::Drag, 130}, {MonkeyKind::RightDrag, 30},
                                   {MonkeyKind::Wheel, 60},  {MonkeyKind::Key, 200},      {MonkeyKind::Chord, 60},
                                   {MonkeyKind::Text, 97},   {MonkeyKind::Close, 3}};
  int sum = 0;
  for (const Weight& w : weights) {
    sum += w.weight;
    if (roll < sum) {
      a.kind = w.kind;
      break;
    }
  }
  a.holdMs = dice_.between(15, 160);
  a.pauseMs = dice_.chance(10) ? dice_.between(300, 900) : dice_.between(20, 200);
  switch (a.kind) {
    case MonkeyKind::Click:
    case MonkeyKind::Tap:
    case MonkeyKind::DoubleClick:
    case MonkeyKind::RightClick:
      place(a);
      break;
    case MonkeyKind::Drag:
    case MonkeyKind::RightDrag: {
      place(a);
      if (dice_.chance(65)) {
        a.x2 = std::clamp(a.x + dice_.between(-260, 260), 0, monkeyBaseWidth - 1);
        a.y2 = std::clamp(a.y + dice_.between(-260, 260), 0, monkeyBaseHeight - 1);
      } else {
        a.x2 = dice_.below(monkeyBaseWidth);
        a.y2 = dice_.below(monkeyBaseHeight);
      }
      a.count = dice_.between(1, 10);
      lastX_ = a.x2;
      lastY_ = a.y2;
      break;
    }
    case MonkeyKind::Wheel:
      place(a);
      a.count = dice_.between(1, 6) * (dice_.chance(50) ? 1 : -1);
      break;
    case MonkeyKind::Key:
      a.text = pick(dice_, keys);
      break;
    case MonkeyKind::Chord:
      a.text = pick(dice_, chords);
      break;
    case MonkeyKind::Text:
      if (dice_.chance(60)) {
        a.text = pick(dice_, words);
      } else {  // a run of letters and digits, now and then long
        static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -_.";
        const int length = dice_.chance(10) ? dice_.between(20, 60) : dice_.between(1, 8);
        for (int i = 0; i < length; ++i) a.text += letters[dice_.below(int(sizeof letters) - 1)];
      }
      break;
    case MonkeyKind::Close:
      break;
  }
  return a;
}

std::vector<std::string> xdotoolWords(const MonkeyAction& a, unsigned long window, int width, int height) {
  const std::string id = std::to_string(window);
  auto moveTo = [&](std::vector<std::string>& w, int x, int y) {
    w.insert(w.end(), {"mousemove", "--window", id, scaled(x, monkeyBaseWidth, width),
                       scaled(y, monkeyBaseHeight, height)});
  };
  const std::string hold = secondsText(a.holdMs);
  std::vector<std::string> w;
  switch (a.kind) {
    case MonkeyKind::Click:
    case MonkeyKind::RightClick: {
      const std::string button = a.kind == MonkeyKind::Click ? "1" : "3";
      moveTo(w, a.x, a.y);
      w.insert(w.end(), {"sleep", "0.02", "mousedown", button, "sleep", hold, "mouseup", button});
      break;
    }
    case MonkeyKind::Tap:  // down and up back to back: they reach the game in one frame
      moveTo(w, a.x, a.y);
      w.insert(w.end(), {"click", "1"});
      break;
    case MonkeyKind::DoubleClick:
      moveTo(w, a.x, a.y);
      w.insert(w.end(), {"click", "--repeat", "2", "--delay", "60", "1"});
      break;
    case MonkeyKind::Drag:
    case MonkeyKind::RightDrag: {
      const std::string button = a.kind == MonkeyKind::Drag ? "1" : "3";
      moveTo(w, a.x, a.y);
      w.insert(w.end(), {"mousedown", button, "sleep", "0.1"});
      for (int i = 1; i <= a.count; ++i) {
        moveTo(w, a.x + (a.x2 - a.x) * i / a.count, a.y + (a.y2 - a.y) * i / a.count);
        w.insert(w.end(), {"sleep", "0.03"});
      }
      w.insert(w.end(), {"sleep", "0.05", "mouseup", button});
      break;
    }
    case MonkeyKind::Wheel:
      moveTo(w, a.x, a.y);
      w.insert(w.end(), {"click", "--repeat", std::to_string(a.count < 0 ? -a.count : a.count), "--delay", "30",
                         a.count > 0 ? "4" : "5"});
      break;
    case MonkeyKind::Key:
    case MonkeyKind::Chord:
      w.insert(w.end(), {"keydown", a.text, "sleep", hold, "keyup", a.text});
      break;
    case MonkeyKind::Text:
      w.insert(w.end(), {"type", "--delay", "30", "--", a.text});
      break;
    case MonkeyKind::Close:
      break;
  }
  return w;
}

std::string describe(const MonkeyAction& a) {
  std::string out = monkeyKindName(a.kind);
  auto at = [](int x, int y) { return " " + std::to_string(x) + "," + std::to_string(y); };
  switch (a.kind) {
    case MonkeyKind::Drag:
    case MonkeyKind::RightDrag:
      return out + at(a.x, a.y) + " ->" + at(a.x2, a.y2);
    case MonkeyKind::Wheel:
      return out + at(a.x, a.y) + " " + (a.count > 0 ? "up " : "down ") + std::to_string(a.count > 0 ? a.count : -a.count);
    case MonkeyKind::Key:
    case MonkeyKind::Chord:
      return out + " " + a.text;
    case MonkeyKind::Text:
      return out + " \"" + a.text + "\"";
    case MonkeyKind::Close:
      return out + " the window";
    default:
      return out + at(a.x, a.y);
  }
}
