#pragma once
// Two small widgets that edit one number through a setter: the configuration
// slider (track, handle, number box and step arrows) of the module editor and
// the options screen, and the typed number field of the tick entry.
#include <SDL.h>

#include <functional>
#include <memory>
#include <string>

#include "playscreens/config_slider_layout.h"
#include "shell/button.h"
#include "shell/texture.h"

class ModuleConfig;
class Value;

using ValueSetter = std::function<void(const std::shared_ptr<Value>&)>;
using ValueGetter = std::function<std::shared_ptr<Value>()>;

// The number box art, normal and hovered.
extern Texture configNumberTexture;
extern Texture configNumberMousedTexture;
void loadConfigNumberArt(SDL_Renderer* renderer);
void releaseConfigNumberArt();

// Plain rectangles of the editor's panels, filled or outlined.
void fillRect(SDL_Renderer* renderer, const GeoRect& r, SDL_Color colour);
void outlineRect(SDL_Renderer* renderer, const GeoRect& r, SDL_Color colour);

// The "_" of a field being typed blinks: shown in the second half of every
// 1200 ms.
bool typingCursorVisible();

constexpr int sliderLessButton = 25;
constexpr int sliderMoreButton = 26;

// The slider holds no position: its owner lays it out each frame and passes
// the anchor (cx, top) to every operation.
class ConfigSlider {
 public:
  ConfigSlider(std::shared_ptr<ModuleConfig> config, ValueSetter setter, ValueGetter getter, int width);

  void render(SDL_Renderer* renderer, bool selectAll, int cx, int top, int mouseX, int mouseY);
  void update(int dtMs, int cx, int top);
  void handleEvent(const SDL_Event& event, int cx, int top);
  // Whether the point lies in the number box.
  bool contains(int cx, int top, int x, int y) const;
  void setTyping(const std::string& text, bool typing);

  ConfigSliderLayout layout(int cx, int top) const;
  ButtonList stepButtons(int cx, int top) const;

  std::shared_ptr<ModuleConfig> config;
  ValueSetter setter;
  ValueGetter getter;
  int width;
  bool dragging = false;
  bool typing = false;
  std::string typedText;
};

// Answers of NumericEntry::handleEvent.
enum NumericEntryResult : int { entryGoesOn = 0, entryCancelled = 1, entryCommitted = 2 };

// A typed number: every keystroke passes the number typed so far to the
// setter; Escape puts the restore value back.
class NumericEntry {
 public:
  NumericEntry(ValueSetter setter, std::shared_ptr<Value> restoreValue, int maxLength)
      : setter(std::move(setter)), restoreValue(std::move(restoreValue)), maxLength(maxLength) {}

  int handleEvent(const SDL_Event& event);

  ValueSetter setter;
  std::shared_ptr<Value> restoreValue;
  std::string text;
  int maxLength;
};
