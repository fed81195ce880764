#include "shell/input.h"

#include <string>

#include "base/log.h"
#include "shell/button_table.h"

KeyState keyState;

namespace {
std::optional<Point> mouseOverride;
std::optional<Point> handledEventMouse;
WindowLayout windowLayout;
}  // namespace

void setMouseWindowLayout(const WindowLayout& layout) { windowLayout = layout; }

Point mousePosition() {
  if (mouseOverride) return *mouseOverride;
  if (handledEventMouse) return *handledEventMouse;
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  // Events come already in layout points; the raw state is in window points.
  const LayoutPoint p = windowLayout.toLayout(x, y);
  return {p.x, p.y};
}

void setMousePositionOverride(std::optional<Point> position) { mouseOverride = position; }

void setHandledEvent(const SDL_Event* event) {
  handledEventMouse.reset();
  if (!event) return;
  if (event->type == SDL_MOUSEMOTION) handledEventMouse = Point{event->motion.x, event->motion.y};
  if (event->type == SDL_MOUSEBUTTONDOWN || event->type == SDL_MOUSEBUTTONUP)
    handledEventMouse = Point{event->button.x, event->button.y};
}

void trackKey(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) {
    int sc = int(event.key.keysym.scancode);
    if (!isKeyHeld(sc)) keyState.heldKeys[sc] = ticksNow();
    logLine("pressing " + std::to_string(sc));
  } else if (event.type == SDL_KEYUP) {
    int sc = int(event.key.keysym.scancode);
    keyState.heldKeys[sc] = -1;
    logLine("releasing " + std::to_string(sc));
  }
}

InputRecord inputRecordOf(const SDL_Event& event) {
  InputRecord in;
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      in.kind = event.type == SDL_MOUSEBUTTONDOWN ? InputKind::press : InputKind::release;
      in.button = event.button.button;
      in.x = event.button.x;
      in.y = event.button.y;
      break;
    case SDL_MOUSEMOTION:
      in.kind = InputKind::motion;
      in.x = event.motion.x;
      in.y = event.motion.y;
      break;
    case SDL_MOUSEWHEEL:
      in.kind = InputKind::wheel;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      in.kind = event.type == SDL_KEYDOWN ? InputKind::keyDown : InputKind::keyUp;
      in.scancode = int(event.key.keysym.scancode);
      in.keycode = int(event.key.keysym.sym);
      break;
    case SDL_TEXTINPUT:
      in.kind = InputKind::text;
      in.text = event.text.text;
      break;
    case SDL_USEREVENT:
      if ((event.user.code & buttonRefireFlag) == buttonRefireFlag) {
        in.kind = InputKind::repeat;
        in.repeatedButton = event.user.code & ~buttonRefireFlag;
      }
      break;
    default:
      break;
  }
  if (in.kind != InputKind::press && in.kind != InputKind::release && in.kind != InputKind::motion) {
    const Point m = mousePosition();
    in.x = m.x;
    in.y = m.y;
  }
  // The event's own modifiers count too: a chord may arrive before its
  // Control key down was seen (a switch, a focus change).
  const bool eventCtrl = (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) && (event.key.keysym.mod & KMOD_CTRL);
  const bool eventShift =
      (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) && (event.key.keysym.mod & KMOD_SHIFT);
  in.ctrl = isCtrlHeld() || eventCtrl;
  in.shift = isShiftHeld() || eventShift;
  in.leftHeld = keyState.mouse.isButtonDown(SDL_BUTTON_LEFT);
  in.rightHeld = keyState.mouse.isButtonDown(SDL_BUTTON_RIGHT);
  return in;
}

bool isKeyHeld(int scancode) {
  auto it = keyState.heldKeys.find(scancode);
  return it != keyState.heldKeys.end() && it->second != -1;
}

bool isShiftHeld() { return isKeyHeld(SDL_SCANCODE_LSHIFT) || isKeyHeld(SDL_SCANCODE_RSHIFT); }
bool isCtrlHeld() { return isKeyHeld(SDL_SCANCODE_LCTRL) || isKeyHeld(SDL_SCANCODE_RCTRL); }

void MouseTracker::handleEvent(const SDL_Event& event) {
  Point p = mousePosition();
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    Uint8 b = event.button.button;
    if (!isButtonDown(b)) presses_[b] = {ticksNow(), p.x, p.y};
    logLine("mouse-pressing " + std::to_string(int(b)));
  } else if (event.type == SDL_MOUSEBUTTONUP) {
    Uint8 b = event.button.button;
    presses_[b].pressTick = -1;
    logLine("mouse-releasing " + std::to_string(int(b)));
  }
}

bool MouseTracker::isButtonDown(Uint8 button) const {
  auto it = presses_.find(button);
  return it != presses_.end() && it->second.pressTick != -1;
}

Tick MouseTracker::pressTick(Uint8 button) const {
  auto it = presses_.find(button);
  return it == presses_.end() ? -1 : it->second.pressTick;
}

Point MouseTracker::pressPosition(Uint8 button) const {
  auto it = presses_.find(button);
  if (it == presses_.end()) return {0, 0};
  return {it->second.x, it->second.y};
}
