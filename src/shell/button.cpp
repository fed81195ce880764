#include "shell/button.h"

#include <cstdlib>

#include "saves/tutorial_flags.h"
#include "shell/input.h"
#include "base/log.h"
#include "base/strings.h"
#include "shell/tooltip.h"

std::array<ButtonArt, buttonCount> buttonArts;

void ButtonArt::destroy() {
  base.free();
  down.free();
  selected.free();
  grey.free();
  moused.free();
  overlay.free();
}

void loadButtonArt(SDL_Renderer* renderer, int id) {
  const std::string& base = buttonTable[size_t(id)].artBase;
  ButtonArt& art = buttonArts[size_t(id)];
  art.destroy();
  if (base.empty()) return;
  art.base.loadChecked(renderer, base + ".png");
  art.down.loadFromFile(renderer, base + "-Down.png");
  art.selected.loadFromFile(renderer, base + "-Selected.png");
  art.grey.loadFromFile(renderer, base + "-Grey.png");
  art.moused.loadFromFile(renderer, base + "-Moused.png");
  auto shared = buttonOverlayPaths.find(id);
  if (shared != buttonOverlayPaths.end())
    art.overlay.loadChecked(renderer, shared->second);
  else
    art.overlay.loadFromFile(renderer, base + "-Overlay.png");
}

void releaseButtonArt() {
  for (ButtonArt& art : buttonArts) art.destroy();
}

namespace {
const ButtonArt* artOf(int id) {
  if (id < 0 || id >= buttonCount) return nullptr;
  return &buttonArts[size_t(id)];
}
int marginOf(int id) {
  if (id < 0 || id >= buttonCount) return 0;
  return buttonTable[size_t(id)].artMargin;
}
bool isRefireEvent(const SDL_Event& e) {
  return e.type == SDL_USEREVENT && (e.user.code & buttonRefireFlag) == buttonRefireFlag;
}
int refireId(const SDL_Event& e) { return e.user.code & ~buttonRefireFlag; }
}  // namespace

KeyBinding Button::hotkey() const {
  if (!hotkeysEnabled || id < 0 || id >= buttonCount) return {};
  const ButtonDef& row = buttonTable[size_t(id)];
  return {row.hotkeyScancode, row.hotkeyKeycode, row.ctrl, row.shift};
}

ButtonKey Button::key() const {
  const KeyBinding b = hotkey();
  return {b.scancode, b.keycode, b.ctrl, b.shift, b.isAmbiguous(), id == 23};
}

bool Button::matchesKey(const SDL_Keysym& k) const {
  return keyMatches(key(), int(k.scancode), int(k.sym), isCtrlHeld() || (k.mod & KMOD_CTRL),
                    isShiftHeld() || (k.mod & KMOD_SHIFT));
}

ButtonState Button::shape() const {
  const SDL_Rect r = hitRect();
  ButtonState b;
  b.id = id;
  b.hit = {r.x, r.y, r.w, r.h};
  b.tabShape = isTab();
  return b;
}

ButtonState Button::state() const {
  ButtonState b = shape();
  b.visible = isVisible();
  b.enabled = isEnabled();
  b.selected = selected;
  b.actsOnRelease = hasDownArt();
  b.key = key();
  return b;
}

int Button::hitInset() const {
  if (id >= 5 && id <= 8) return -8;
  if (id == 25 || id == 26 || id == 29 || id == 30 || id == 42 || id == 43) return -6;
  return 0;
}

SDL_Rect Button::hitRect() const {
  const ButtonArt* art = artOf(id);
  int inset = hitInset();
  int margin = marginOf(id);
  int bw = art ? art->base.width : 0;
  int bh = art ? art->base.height : 0;
  return {x + inset, y + inset, bw - 2 * (inset + margin), bh - 2 * (inset + margin)};
}

SDL_Rect Button::drawnRect() const {
  const ButtonArt* art = artOf(id);
  const int margin = marginOf(id);
  return {x - margin, y - margin, art ? art->base.width : 0, art ? art->base.height : 0};
}

bool Button::contains(int px, int py) const {
  if (!isVisible()) return false;
  return buttonContains(shape(), px, py);
}

bool Button::containsTab(int px, int py) const {
  ButtonState tab = shape();
  tab.tabShape = true;
  return buttonContains(tab, px, py);
}

bool Button::isPressed() const {
  if (!mouseTracker().isButtonDown(SDL_BUTTON_LEFT)) return false;
  Point p = mouseTracker().pressPosition(SDL_BUTTON_LEFT);
  return contains(p.x, p.y);
}

bool Button::hasDownArt() const {
  const ButtonArt* art = artOf(id);
  return art && art->down.exists();
}

void Button::render(SDL_Renderer* renderer, bool hovered, Uint8 alpha) const {
  if (!isVisible()) return;
  const ButtonArt* art = artOf(id);
  if (!art) return;
  bool isOn = isEnabled();
  bool pressed = isOn && art->down.exists() && isPressed();
  const Texture* image = &art->base;
  if (selected)
    image = &art->selected;
  else if (!isOn && art->grey.exists())
    image = &art->grey;
  else if (pressed)
    image = &art->down;
  else if (hovered && art->moused.exists())
    image = &art->moused;
  int margin = marginOf(id);
  if (image->texture) {
    SDL_SetTextureAlphaMod(image->texture, alpha);
    SDL_Rect dst{x - margin, y - margin, image->width, image->height};
    SDL_RenderCopy(renderer, image->texture, nullptr, &dst);
  }
  if (selected || pressed) return;
  if (!isOn) {
    if (!art->grey.exists()) drawOverlay(renderer, Uint8(alpha * 128 / 255), 0);
  } else if (hovered) {
    if (!art->moused.exists())
      drawOverlay(renderer, Uint8(alpha * 128 / 255), (id == 42 || id == 43) ? 0 : 255);
  } else if (flashing || tutorialHintPending(id)) {
    Tick now = ticksNow();
    std::int64_t wave = std::llabs(400 - (now % 800));
    drawOverlay(renderer, Uint8(wave * alpha * 224 / (400 * 255)), 255);
  }
}

void Button::drawOverlay(SDL_Renderer* renderer, Uint8 alpha, Uint8 shade) const {
  const ButtonArt* art = artOf(id);
  if (art && art->overlay.exists()) {
    SDL_SetTextureColorMod(art->overlay.texture, shade, shade, shade);
    SDL_SetTextureAlphaMod(art->overlay.texture, alpha);
    SDL_Rect dst{x, y, art->overlay.width, art->overlay.height};
    SDL_RenderCopy(renderer, art->overlay.texture, nullptr, &dst);
    return;
  }
  SDL_Rect r = hitRect();
  SDL_SetRenderDrawColor(renderer, shade, shade, shade, alpha);
  SDL_RenderFillRect(renderer, &r);
}

std::string Button::tooltipText() const {
  if (tooltipProvider) return tooltipProvider();
  if (id < 0 || id >= buttonCount) return "";
  std::string t = buttonTable[size_t(id)].tooltip;
  KeyBinding b = hotkey();
  if (!b.hasKey()) return t;
  std::string k = hotkeyText();
  std::string m = std::string(b.shift ? "Shift + " : "") +
                  ((b.ctrl && b.isAmbiguous()) ? "Control + " : "");
  std::string p = "(" + m + k + ")";
  size_t i = k.empty() ? std::string::npos : toUpperCase(t).find(k);
  if (i == std::string::npos) return t + " " + p;
  return t.replace(i, k.size(), p);
}

namespace {
ButtonSoundPlayer& buttonSoundPlayer() {
  static ButtonSoundPlayer player;
  return player;
}
void playButtonSound(int sound, float volume) {
  if (buttonSoundPlayer()) buttonSoundPlayer()(sound, volume);
}
}  // namespace

void setButtonSoundPlayer(ButtonSoundPlayer player) { buttonSoundPlayer() = std::move(player); }

void Button::playSound(const SDL_Event& event, int mouseX, int mouseY) const {
  if (!isEnabled()) return;
  bool noSound = id == 0 || id == noButton;
  const ButtonDef* row = (id >= 0 && id < buttonCount) ? &buttonTable[size_t(id)] : nullptr;
  auto orOne = [](int s) { return s == 0 ? 1 : s; };
  int click = row ? orOne(row->clickSound) : 1;
  if (event.type == SDL_KEYDOWN && matchesKey(event.key.keysym)) {
    int sound = noSound ? 0 : (hasDownArt() ? orOne(row->keySound) : click);
    playButtonSound(sound, 1.0f);
  } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT &&
             contains(mouseX, mouseY)) {
    playButtonSound(noSound ? 0 : click, 1.0f);
  } else if (isRefireEvent(event) && refireId(event) == id) {
    playButtonSound(noSound ? 0 : click, 0.5f);
  }
}

Button* ButtonList::buttonAt(int x, int y) {
  for (Button& b : *this)
    if (b.contains(x, y)) return &b;
  return nullptr;
}

Button* ButtonList::pressTarget() {
  Point p = mouseTracker().pressPosition(SDL_BUTTON_LEFT);
  Button* b = buttonAt(p.x, p.y);
  if (!b || b->selected || !b->isEnabled()) return nullptr;
  Point m = mousePosition();
  return b->contains(m.x, m.y) ? b : nullptr;
}

std::vector<ButtonState> ButtonList::states() const {
  std::vector<ButtonState> out;
  out.reserve(size());
  for (const Button& b : *this) out.push_back(b.state());
  return out;
}

InputRecord buttonInputOf(const SDL_Event& event) {
  InputRecord in = inputRecordOf(event);
  if (in.kind == InputKind::press || in.kind == InputKind::release) {
    const Point m = mousePosition();
    in.x = m.x;
    in.y = m.y;
  }
  return in;
}

ButtonList::Activation ButtonList::findActivated(const SDL_Event& event) {
  const InputRecord in = buttonInputOf(event);
  if (in.kind == InputKind::repeat)
    ensure(in.repeatedButton <= 80, "Unexpected button refire code: " + std::to_string(in.repeatedButton));
  const Point p = mouseTracker().pressPosition(SDL_BUTTON_LEFT);
  const int i = activatedButton(in, states(), GeoPoint{p.x, p.y});
  if (i < 0) return {};
  return {&(*this)[size_t(i)], event.type};
}

void ButtonList::playSounds(const SDL_Event& event) const {
  const Point m = mousePosition();
  for (const Button& b : *this) b.playSound(event, m.x, m.y);
}

ButtonPress ButtonList::handleEvent(const SDL_Event& event) {
  playSounds(event);
  Activation a = findActivated(event);
  if (!a.button) return {};
  return {a.button->id, a.button->click(), a.eventType};
}

int ButtonList::clickedId(const SDL_Event& event) {
  int id = handleEvent(event).buttonId;
  if (id != noButton) markButtonTutorialSeen(id);
  return id;
}

void ButtonList::render(SDL_Renderer* renderer, int mouseX, int mouseY, Uint8 alpha) {
  Button* hovered = buttonAt(mouseX, mouseY);
  for (auto it = rbegin(); it != rend(); ++it) it->render(renderer, &*it == hovered, alpha);
}

bool ButtonList::renderTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) {
  Button* b = buttonAt(mouseX, mouseY);
  if (!b) return false;
  std::string text = b->tooltipText();
  if (!text.empty()) drawTooltip(renderer, text);
  return true;
}

int refiredButton(const SDL_Event& e) { return isRefireEvent(e) ? refireId(e) : noButton; }

int refireMarksBy(Tick elapsedMs) {
  if (elapsedMs < 250) return 0;
  return int((elapsedMs - 250) / 100);
}

void ButtonList::refire(int dtMs) {
  if (!mouseTracker().isButtonDown(SDL_BUTTON_LEFT)) return;
  Button* target = pressTarget();
  if (!target) return;
  Tick elapsed = ticksNow() - mouseTracker().pressTick(SDL_BUTTON_LEFT);
  if (elapsed < 250) return;
  // A release already waiting in the queue ended the press: the time it seems
  // held is a slow frame's, not the player's, so a click never repeats.
  SDL_PumpEvents();
  SDL_Event pending;
  if (SDL_PeepEvents(&pending, 1, SDL_PEEKEVENT, SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONUP) > 0 &&
      pending.button.button == SDL_BUTTON_LEFT)
    return;
  int n = refireMarksBy(elapsed);
  int a = refireMarksBy(elapsed - dtMs);
  for (int i = a; i < n; ++i) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_USEREVENT;
    e.user.code = target->id | buttonRefireFlag;
    SDL_PushEvent(&e);
  }
}
