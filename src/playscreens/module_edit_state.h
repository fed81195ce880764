#pragma once
// The panel beside a right-clicked module: its name, its configuration on a
// slider, and the selection's copy, add-to-palette and delete buttons. The
// configuration is previewed on the live machine; closing the panel commits
// it (with the name) as undoable actions, or Escape reverts it. Anything the
// play screen would act on commits first, so bar Undo, Redo and Delete, the
// next panel and the victory check always see a machine the undo stack
// knows, and the event is handled once.
#include <memory>

#include "playscreens/module_edit_panel.h"
#include "playscreens/play_screen.h"

class ModuleEditState : public GameState {
 public:
  ModuleEditState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
                  WireSelection wires, std::shared_ptr<Module> module);
  // A rebuild keeps the edit going.
  ModuleEditState(const Viewport& viewport, ModuleSelection modules, WireSelection wires,
                  std::shared_ptr<ModuleEditSession> session);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  int cursor() override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "module-edit"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return playScreen.scrollBounds(viewport()); }

  ButtonList buttons();
  // Lays the panel out beside the module as the view shows it now.
  void placePanel();
  void commit();
  void revert();

  PlayScreen playScreen;
  std::shared_ptr<Module> module;
  ModuleEditPanel panel;

 private:
  // After a preview or a commit: the module's ports and the wires drawn anew.
  void refreshDisplay();
  void afterPreview();
  StateChange toNeutral(bool keepSelection);
};
