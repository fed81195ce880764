#pragma once
// The profile screen: the five profiles in the menu's info box with their
// progress; a click makes one active, its reset button asks to wipe it.
#include <vector>

#include "menus/menu_state.h"
#include "menus/profile_entries.h"
#include "shell/button.h"

class ProfileSelectState : public MenuStateBase {
 public:
  ProfileSelectState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard);
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "profile_select"; }
  GameState* rebuild(SDL_Rect screen) override;

  const std::vector<ProfileEntry>& entries() const { return entries_; }
  ButtonList resetButtons() const;

 private:
  std::vector<ProfileEntry> entries_;
};
