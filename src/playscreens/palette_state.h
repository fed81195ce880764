#pragma once
// The palette drawer above the bar's palette button: the add slot (the
// selection becomes a new group) on the first page, then a slot per saved
// group. A click or a group's key places a copy of the group; a group's
// name is typed in place; a group can be deleted. More than four groups
// page with the arrows.
#include <string>

#include "playscreens/drawer_tab.h"
#include "playscreens/palette_layout.h"
#include "playscreens/palette_slots.h"
#include "playscreens/play_screen.h"

class PaletteState : public GameState {
 public:
  PaletteState(int renamingIndex, const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
               WireSelection wires, std::string renameText);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  int cursor() override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "palette"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return playScreen.scrollBounds(viewport()); }
  void exit() override;

  PaletteLayout layout() const;
  ModDrawerTab tab() const;
  PaletteAddSlot addSlot() const;
  std::vector<PaletteSlot> shownSlots() const;
  ButtonList scrollButtons();
  bool overDrawer(int x, int y) const;
  StateChange place(int group);
  StateChange addSelection();

  PlayScreen playScreen;
  PaletteRename rename;

 private:
  StateChange rebuilt();
};

// Saves the selected modules as a new palette group and opens the palette
// with its name to be typed; nothing without a selected module.
StateChange addSelectionToPalette(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
                                  WireSelection wires);
