#pragma once
// The palette drawer. Until the palette lands it shows its bar button open
// and closes like any other drawer.
#include <string>

#include "playscreens/stand_in_editor_state.h"

class PaletteState : public StandInEditorState {
 public:
  PaletteState(int renamingIndex, const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
               WireSelection wires, std::string renameText)
      : StandInEditorState(viewport, std::move(editor), std::move(modules), std::move(wires), barPaletteDrawer),
        renameText(std::move(renameText)),
        renamingIndex(renamingIndex) {}
  std::string name() override { return "palette"; }
  GameState* rebuild(SDL_Rect screen) override {
    Viewport v = viewport();
    v.screen = screen;
    return new PaletteState(renamingIndex, v, playScreen.editor, playScreen.selectedModules, playScreen.selectedWires,
                            renameText);
  }

  std::string renameText;
  int renamingIndex;
};
