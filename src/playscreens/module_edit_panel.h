#pragma once
// The module edit panel as drawn beside the module: its frame, the name
// plate (click to type a name), the configuration slider with its number
// box, and the lock over the slider where the puzzle bans configuration.
// The edits go to a ModuleEditSession; the state that owns the panel adds
// the selection buttons and decides how the panel closes.
#include <SDL.h>

#include <memory>

#include "playscreens/config_widgets.h"
#include "playscreens/module_edit_rules.h"
#include "shell/texture.h"

extern Texture moduleEditLockTexture;
extern Texture moduleEditSmallTexture;
extern Texture moduleEditLargeTexture;
extern Texture moduleEditLabelTexture;
extern Texture moduleEditLabelMousedTexture;
void loadModuleEditTextures(SDL_Renderer* renderer);
void releaseModuleEditTextures();

constexpr int moduleEditSliderWidth = 400;

class ModuleEditPanel {
 public:
  explicit ModuleEditPanel(std::shared_ptr<ModuleEditSession> session);
  ModuleEditPanel(const ModuleEditPanel&) = delete;
  ModuleEditPanel& operator=(const ModuleEditPanel&) = delete;

  // Lays the panel out beside the module's screen rectangle.
  void place(const GeoRect& moduleOnScreen, const GeoRect& view);
  bool contains(int x, int y) const { return layout.contains(x, y); }
  GeoRect nameLabelRect() const;
  GeoRect lockRect() const;
  bool overName(int x, int y) const;
  bool overNumberBox(int x, int y) const;
  bool locked() const { return session->hasSlider() && !session->canEditConfig(); }

  // The slider's share of an event (it sees every event first).
  void sliderEvent(const SDL_Event& event);
  // Backspace and typed text for the field in focus.
  void erase();
  void type(const std::string& text);
  // A left press inside the panel: the number box, the name plate, or nothing.
  void press(int x, int y);
  void update(int dtMs);
  // 11 (text) over the fields, 1 elsewhere on the panel.
  int cursorAt(int x, int y) const;

  void render(SDL_Renderer* renderer, int mouseX, int mouseY);
  // The lock's, the name plate's or a text's hover text; false when none.
  bool renderTooltip(SDL_Renderer* renderer, int mouseX, int mouseY);

  std::shared_ptr<ModuleEditSession> session;
  ConfigSlider slider;
  ModuleEditLayout layout;
  // Set when a preview changed the module (its ports and wires must be laid
  // out again); delayChanged when its delay moved. The owner clears them.
  bool previewed = false;
  bool delayChanged = false;

 private:
  void noteResult(const ModuleEditSession::Preview& result);
  void showTyped();
};
