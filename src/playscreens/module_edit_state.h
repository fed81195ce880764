#pragma once
// The panel beside a right-clicked module. Until the module editor lands it
// keeps the module selected and closes like any other panel.
#include "playscreens/stand_in_editor_state.h"

class ModuleEditState : public StandInEditorState {
 public:
  ModuleEditState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
                  WireSelection wires, std::shared_ptr<Module> module)
      : StandInEditorState(viewport, std::move(editor), std::move(modules), std::move(wires)),
        module(std::move(module)) {}
  std::string name() override { return "module-edit"; }
  GameState* rebuild(SDL_Rect screen) override {
    Viewport v = viewport();
    v.screen = screen;
    return new ModuleEditState(v, playScreen.editor, playScreen.selectedModules, playScreen.selectedWires, module);
  }

  std::shared_ptr<Module> module;
};
