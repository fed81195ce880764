#pragma once
// A story cutscene: screens of art panels and lines of text fading in at
// their times. Any key of the skip set or a click brings the next line at
// once; Escape leaves. At the end the story goes on: the first puzzle after
// the intro, the select board after the basic ending, the credits after the
// final ending, or back to the extras menu for a replay.
#include <SDL.h>

#include <array>
#include <memory>
#include <vector>

#include "menus/cutscenes.h"
#include "menus/menu_state.h"
#include "shell/texture.h"

// Panel art per cutscene kind and line: "art/cutscenes/" + name + "_Panel_" + n.
extern std::array<std::vector<Texture>, 4> cutscenePanelArt;
// Start-up: every panel there is; a line without a file has no art.
void loadCutscenePanelArt(SDL_Renderer* renderer);

// The user event code that ends a cutscene once its last panel is gone.
constexpr int cutsceneFinishedCode = 2;

class PanelTiming {
 public:
  explicit PanelTiming(const PanelTimes& times) : times(times) {}
  virtual ~PanelTiming() = default;
  virtual void draw(SDL_Renderer* renderer, Tick now, int windowW, int windowH) const = 0;
  PanelTimes times;
};

class ArtPanelTiming : public PanelTiming {
 public:
  ArtPanelTiming(const PanelTimes& times, const Texture* art) : PanelTiming(times), art(art) {}
  void draw(SDL_Renderer* renderer, Tick now, int windowW, int windowH) const override;
  const Texture* art;
};

class LogoPanelTiming : public PanelTiming {
 public:
  using PanelTiming::PanelTiming;
  void draw(SDL_Renderer* renderer, Tick now, int windowW, int windowH) const override;
};

class TextPanelTiming : public PanelTiming {
 public:
  TextPanelTiming(const PanelTimes& times, std::string text) : PanelTiming(times), text(std::move(text)) {}
  void draw(SDL_Renderer* renderer, Tick now, int windowW, int windowH) const override;
  std::string text;
};

class CutsceneState : public MenuStateBase {
 public:
  CutsceneState(const Viewport& viewport, const ModuleSet& clipboard, int kind, bool replay);
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "intro"; }
  // A new window starts the cutscene over.
  GameState* rebuild(SDL_Rect screen) override;
  void enter() override;

  // Brings the next panel forward to now; past the last one, finishes.
  StateChange advance();
  // Marks the ending as seen and hands over to what follows, fading in.
  StateChange finish(int changeKind);
  GameState* nextState();

  int kind() const { return kind_; }
  bool replay() const { return replay_; }
  const std::vector<std::shared_ptr<PanelTiming>>& panels() const { return panels_; }

 private:
  void buildTimeline();

  int kind_;
  bool replay_;
  std::vector<std::shared_ptr<PanelTiming>> panels_;
};
