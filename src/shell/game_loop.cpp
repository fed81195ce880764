#include "shell/game_loop.h"

#include <algorithm>
#include <climits>
#include <limits>

#include "shell/button_table.h"
#include "shell/cursors.h"
#include "shell/input.h"
#include "base/log.h"
#include "shell/text_item.h"
#include "shell/video_settings.h"

namespace {
FrameHooks& frameHooks() {
  static FrameHooks hooks;
  return hooks;
}
}  // namespace

void setFrameHooks(FrameHooks hooks) { frameHooks() = std::move(hooks); }

Texture dragMarkerTexture;
Tick lastScreenshotTick = std::numeric_limits<Tick>::min();
std::string lastScreenshotPath;
const std::string screenshotPath = "screenshot.bmp";

namespace {
// Releases the last switch dropped, in order, for the new state to claim.
std::vector<SDL_Event>& droppedReleases() {
  static std::vector<SDL_Event> events;
  return events;
}

std::vector<std::function<void(SDL_Renderer*)>>& resetHooks() {
  static std::vector<std::function<void(SDL_Renderer*)>> hooks;
  return hooks;
}

// Input queued for the old state must not reach the new one, nor must its
// buttons' auto-repeats. The trackers still see the releases among it, and
// the modifiers pressed: a key or button let go in the frame of a switch
// would otherwise stay held for good (Shift extending every selection, an
// arrow scrolling on), and a Shift pressed in it would not count for the new
// state's clicks. A state waiting for a dropped release gets it afterwards
// (handOverDroppedReleases).
int dropOldStateInput(void*, SDL_Event* e) {
  if (e->type == SDL_USEREVENT) return (e->user.code & buttonRefireFlag) != buttonRefireFlag;
  if (e->type < SDL_KEYDOWN || e->type > SDL_MULTIGESTURE) return 1;
  if (e->type == SDL_KEYUP) trackKey(*e);
  if (e->type == SDL_KEYDOWN && e->key.keysym.scancode >= SDL_SCANCODE_LCTRL &&
      e->key.keysym.scancode <= SDL_SCANCODE_RGUI)
    trackKey(*e);
  if (e->type == SDL_MOUSEBUTTONUP) {
    // The tracker reads the event's own position for the release.
    setHandledEvent(e);
    mouseTracker().handleEvent(*e);
    setHandledEvent(nullptr);
    droppedReleases().push_back(*e);
  }
  return 0;
}

void deleteState(GameState* state) {
  if (!state) return;
  GameState* pending = state->pendingNext;
  state->pendingNext = nullptr;
  if (pending && pending != state) delete pending;
  delete state;
}
}  // namespace

void addRenderTargetsResetHook(std::function<void(SDL_Renderer*)> hook) {
  resetHooks().push_back(std::move(hook));
}

GameState* switchState(GameState* next, GameState* current) {
  if (!next) return current;
  if (!current) fatalError("current state is nil when switching!");
  logLine("switching to " + next->name());
  current->exit();
  if (current->pendingNext == next) current->pendingNext = nullptr;
  deleteState(current);
  next->enter();
  droppedReleases().clear();
  SDL_FilterEvents(dropOldStateInput, nullptr);
  return next;
}

int fadeOverlayAlpha(const GameState& s) {
  if (s.fadeTimer <= 0) return 0;
  int d = s.fadeScale * fadeLengthMs;
  if (d <= 0) return 0;
  int t = std::min(s.fadeTimer, d);
  return s.fadeIn ? t * 255 / d : (d - t) * 255 / d;
}

void renderFrame(SDL_Renderer* renderer, GameState* state) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  setCursor(state->scroll->isPanReady() ? 2 : state->cursor());
  state->render(renderer);
  if (state->fadeTimer > 0) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, Uint8(fadeOverlayAlpha(*state)));
    SDL_RenderFillRect(renderer, nullptr);
  }
  if (state->scroll->isDragging() && dragMarkerTexture.texture) {
    Point a = state->scroll->dragAnchor();
    dragMarkerTexture.render(renderer, a.x - dragMarkerTexture.width / 2,
                             a.y - dragMarkerTexture.height / 2);
  }
  drawScreenshotNotice(renderer);
  SDL_RenderPresent(renderer);
}

void saveScreenshot(SDL_Renderer* renderer) {
  SDL_Rect size = getRendererWindowRect(renderer);
  if (size.w <= 0 || size.h <= 0) SDL_GetRendererOutputSize(renderer, &size.w, &size.h);
  SDL_Surface* surface = SDL_CreateRGBSurface(0, size.w, size.h, 32, 0x00FF0000, 0x0000FF00,
                                              0x000000FF, 0xFF000000);
  if (surface) {
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels,
                         surface->pitch);
    SDL_RWops* out = SDL_RWFromFile(screenshotPath.c_str(), "wb");
    if (out) SDL_SaveBMP_RW(surface, out, 1);
    SDL_FreeSurface(surface);
  }
  lastScreenshotTick = ticksNow();
  lastScreenshotPath = screenshotPath;
}

void drawScreenshotNotice(SDL_Renderer* renderer) {
  if (lastScreenshotTick < ticksNow() - 2000) return;
  SDL_Rect r = getRendererWindowRect(renderer);
  TextItem notice;
  notice.colour = {0x3F, 0x3F, 0x3F, 255};
  notice.x = 20;
  notice.y = r.h - 100;
  notice.textValue = "Screenshot saved to \"" + lastScreenshotPath + "\"!";
  notice.draw(renderer);
}

GameLoop::GameLoop(SDL_Window* window, SDL_Renderer* renderer, GameState* first)
    : window_(window), renderer_(renderer), current_(first) {
  lastFrameTick = ticksNow();
}

GameLoop::~GameLoop() { deleteState(current_); }

void applyWindowLayout(SDL_Renderer* renderer, const WindowLayout& layout) {
  if (layout.letterboxed)
    SDL_RenderSetLogicalSize(renderer, layout.width, layout.height);
  else
    SDL_RenderSetLogicalSize(renderer, 0, 0);
  setMouseWindowLayout(layout);
}

void GameLoop::rebuildForResize(int windowW, int windowH) {
  bool bordered = isWindowUnflagged(window_);
  bool fullscreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  const WindowLayout layout = layoutForWindow(windowW, windowH);
  applyWindowLayout(renderer_, layout);
  const int w = layout.width;
  const int h = layout.height;
  GameState* rebuilt = current_->rebuild({0, 0, w, h});
  if (rebuilt && rebuilt != current_) {
    // A fade in progress is abandoned with its pending state.
    deleteState(current_);
    current_ = rebuilt;
  }
  saveVideoSettings(bordered, fullscreen, w, h);
}

void GameLoop::actOn(const StateChange& change, bool& leavingFullscreen) {
  switch (change.kind) {
    case Switch:
      current_ = switchState(change.next, current_);
      break;
    case FadeSwitch:
      if (!change.next) break;
      current_->fadeScale = 1;
      current_->fadeTimer = fadeLengthMs;
      current_->fadeIn = false;
      if (current_->pendingNext && current_->pendingNext != change.next)
        delete current_->pendingNext;
      current_->pendingNext = change.next;
      if (change.next->fadeTimer == 0) {
        change.next->fadeScale = 1;
        change.next->fadeTimer = fadeLengthMs;
        change.next->fadeIn = true;
      }
      break;
    case SwitchResize: {
      current_ = switchState(change.next, current_);
      int x = 0, y = 0, ow = 0, oh = 0;
      SDL_GetWindowPosition(window_, &x, &y);
      SDL_GetWindowSize(window_, &ow, &oh);
      SDL_Rect s = current_->viewport().screen;
      SDL_SetWindowSize(window_, s.w, s.h);
      SDL_SetWindowPosition(window_, x + (ow - s.w) / 2, y + (oh - s.h) / 2);
      break;
    }
    case ToggleFullscreen: {
      current_ = switchState(change.next, current_);
      SDL_Rect s = current_->viewport().screen;
      SDL_SetWindowSize(window_, s.w, s.h);
      bool wasFullscreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
      SDL_SetWindowFullscreen(window_, wasFullscreen ? 0 : SDL_WINDOW_FULLSCREEN);
      if (wasFullscreen) {
        SDL_SetWindowMinimumSize(window_, minWindowWidth, minWindowHeight);
        leavingFullscreen = true;
      }
      break;
    }
    case ToggleBorderless:
      current_ = switchState(change.next, current_);
      if (!isWindowUnflagged(window_)) {
        SDL_SetWindowBordered(window_, SDL_TRUE);
        setWindowFlag(window_, false);
      } else {
        SDL_SetWindowBordered(window_, SDL_FALSE);
        setWindowFlag(window_, true);
      }
      break;
    case Rebuild: {
      // change.next is not used; a state handed over anyway is released.
      if (change.next && change.next != current_) delete change.next;
      GameState* rebuilt = current_->rebuild(current_->viewport().screen);
      current_ = switchState(rebuilt, current_);
      break;
    }
    default:
      break;
  }
}

namespace {
// Screens read the mouse of the event they are handling (see mousePosition).
struct HandledEvent {
  explicit HandledEvent(const SDL_Event& event) { setHandledEvent(&event); }
  ~HandledEvent() { setHandledEvent(nullptr); }
};
}  // namespace

bool GameLoop::handOverDroppedReleases(bool& leavingFullscreen) {
  while (!droppedReleases().empty()) {
    const SDL_Event release = droppedReleases().front();
    droppedReleases().erase(droppedReleases().begin());
    const Uint8 button = release.button.button;
    // Only a state still waiting for a button the player has let go of.
    if (mouseTracker().isButtonDown(button) || !current_->waitsForRelease(button)) continue;
    if (current_->fadeTimer > 0) continue;
    const HandledEvent handled(release);
    StateChange change = current_->handleEvent(release);
    if (change.kind == Quit) {
      if (change.next && change.next != current_) delete change.next;
      return false;
    }
    actOn(change, leavingFullscreen);
  }
  return true;
}

bool GameLoop::pumpEvents() {
  bool leavingFullscreen = false;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    const HandledEvent handled(event);
    switch (event.type) {
      case SDL_QUIT:
        return false;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_RESIZED && !leavingFullscreen)
          rebuildForResize(event.window.data1, event.window.data2);
        break;
      case SDL_KEYDOWN:
        if (event.key.keysym.scancode == SDL_SCANCODE_PRINTSCREEN) saveScreenshot(renderer_);
        break;
      case SDL_RENDER_TARGETS_RESET:
        for (auto& hook : resetHooks()) hook(renderer_);
        break;
      default:
        break;
    }
    trackKey(event);
    mouseTracker().handleEvent(event);
    // Space + left click acts as a right click for everything after the trackers.
    if (isKeyHeld(SDL_SCANCODE_SPACE) && event.type == SDL_MOUSEBUTTONDOWN &&
        event.button.button == SDL_BUTTON_LEFT)
      event.button.button = SDL_BUTTON_RIGHT;
    current_->scroll->handleEvent(event);
    if (current_->fadeTimer > 0) continue;
    StateChange change = current_->handleEvent(event);
    if (change.kind == Quit) {
      if (change.next && change.next != current_) delete change.next;
      return false;
    }
    actOn(change, leavingFullscreen);
    if (!handOverDroppedReleases(leavingFullscreen)) return false;
  }
  if (leavingFullscreen) {
    SDL_Rect s = current_->viewport().screen;
    SDL_SetWindowSize(window_, s.w, s.h);
  }
  return true;
}

void GameLoop::runFrame() {
  Tick now = ticksNow();
  Tick dt = now - lastFrameTick;
  if (dt < minFrameMs) {
    delayMs(minFrameMs - dt);
    now = ticksNow();
    dt = now - lastFrameTick;
  }
  int dtMs = int(std::clamp<Tick>(dt, 0, INT_MAX));
  if (frameHooks().beforeUpdate) frameHooks().beforeUpdate(dtMs);
  GameState* s = current_;
  bool settled = true;
  if (s->fadeTimer > 0) {
    s->fadeTimer = std::max(0, s->fadeTimer - dtMs);
    settled = s->fadeTimer == 0;
  }
  if (settled) {
    if (s->pendingNext) {
      GameState* next = s->pendingNext;
      next->fadeComplete();
      current_ = switchState(next, s);
    } else {
      s->update(dtMs);
      s->scroll->update(keyState, s->scrollBounds(), dtMs);
    }
  }
  renderFrame(renderer_, current_);
  lastFrameTick = now;
  if (frameHooks().afterDraw) frameHooks().afterDraw();
  ++frames_;
  flushLog();
}

bool GameLoop::step() {
  runFrame();
  return pumpEvents();
}

void GameLoop::run(const std::function<bool(GameLoop&)>& afterFrame) {
  if (!pumpEvents()) return;
  for (;;) {
    runFrame();
    if (afterFrame && !afterFrame(*this)) return;
    if (!pumpEvents()) return;
  }
}
