#pragma once
// Asks before wiping a profile's saved data.
#include "menus/menu_state.h"
#include "shell/button.h"

class ProfileResetState : public MenuStateBase {
 public:
  ProfileResetState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard,
                    int profile);
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "profile_reset"; }
  GameState* rebuild(SDL_Rect screen) override;
  // The press that opened this screen must not press Reset on its release.
  void enter() override;

  ButtonList buttons() const;
  int profile() const { return profile_; }

 private:
  int profile_;
};
