#pragma once
// Clickable image buttons, their state art, and a screen's list of them.
// Activation by press, release, hotkey or auto-repeat comes out of
// ButtonList::handleEvent as one ButtonPress.
#include <SDL.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "shell/button_rules.h"
#include "shell/button_table.h"
#include "shell/game_state.h"
#include "shell/texture.h"

// Plays a button's click or key sound (sound id, volume). The application
// connects it to the sound service; until then buttons are silent.
using ButtonSoundPlayer = std::function<void(int sound, float volume)>;
void setButtonSoundPlayer(ButtonSoundPlayer player);

struct ButtonArt {
  Texture base;
  Texture down;
  Texture selected;
  Texture grey;
  Texture moused;
  Texture overlay;
  void clear() { destroy(); }
  void destroy();
};

extern std::array<ButtonArt, buttonCount> buttonArts;

void loadButtonArt(SDL_Renderer* renderer, int id);
void releaseButtonArt();

struct Button {
  int x = 0;
  int y = 0;
  int id = noButton;
  std::function<StateChange()> onClick;
  std::function<bool()> enabled;
  std::function<bool()> visible;
  std::function<std::string()> tooltipProvider;
  bool selected = false;
  bool flashing = false;
  bool hotkeysEnabled = true;

  Button(int x, int y, int id, std::function<StateChange()> onClick,
         std::function<bool()> enabled, std::function<bool()> visible)
      : x(x), y(y), id(id), onClick(std::move(onClick)), enabled(std::move(enabled)),
        visible(std::move(visible)) {}
  Button(int x, int y, int id, std::function<StateChange()> onClick,
         std::function<bool()> enabled = {})
      : Button(x, y, id, std::move(onClick), std::move(enabled), {}) {}

  bool isVisible() const { return !visible || visible(); }
  bool isEnabled() const { return !enabled || enabled(); }
  StateChange click() const { return onClick ? onClick() : StateChange{}; }
  KeyBinding hotkey() const;
  ButtonKey key() const;
  bool matchesKey(const SDL_Keysym& key) const;
  // The button as the input rules see it, its predicates asked now.
  ButtonState state() const;
  // Only where it is: its id, hit area and shape.
  ButtonState shape() const;
  int hitInset() const;
  SDL_Rect hitRect() const;
  // Where its art is drawn: the image, transparent margin and all.
  SDL_Rect drawnRect() const;
  bool contains(int px, int py) const;
  bool isTab() const { return isTabButton(id); }
  bool containsTab(int px, int py) const;
  bool isPressed() const;
  bool hasDownArt() const;
  void render(SDL_Renderer* renderer, bool hovered, Uint8 alpha) const;
  void drawOverlay(SDL_Renderer* renderer, Uint8 alpha, Uint8 shade) const;
  std::string tooltipText() const;
  std::string hotkeyText() const { return keyBindingName(hotkey()); }
  void playSound(const SDL_Event& event, int mouseX, int mouseY) const;
};

struct ButtonPress {
  int buttonId = noButton;
  StateChange change;
  Uint32 eventType = 0;
};

class ButtonList : public std::vector<Button> {
 public:
  using std::vector<Button>::vector;

  struct Activation {
    Button* button = nullptr;
    Uint32 eventType = 0;
  };

  Button* buttonAt(int x, int y);
  Activation findActivated(const SDL_Event& event);
  std::vector<ButtonState> states() const;
  Button* pressTarget();
  ButtonPress handleEvent(const SDL_Event& event);
  // Every button's click or key sound for the event.
  void playSounds(const SDL_Event& event) const;
  int clickedId(const SDL_Event& event);
  void render(SDL_Renderer* renderer, int mouseX, int mouseY, Uint8 alpha);
  bool renderTooltip(SDL_Renderer* renderer, int mouseX, int mouseY);
  void refire(int dtMs);
};

// The event as the button rules take it: a press or release where the
// handled mouse is (a test's pinned point included).
InputRecord buttonInputOf(const SDL_Event& event);

// Auto-repeat marks fall at 350 ms after the press and every 100 ms after;
// the number of marks at or before elapsed ms (never negative).
int refireMarksBy(Tick elapsedMs);

// The button an auto-repeat event repeats, or noButton for any other event.
int refiredButton(const SDL_Event& e);
