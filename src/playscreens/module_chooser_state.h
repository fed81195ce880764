#pragma once
// One module drawer open above the editor bar: a slot per kind of its
// category that the puzzle allows. Clicking a slot or pressing its key
// (Q W E R T ...) picks the kind and hands over to the placement state.
#include <vector>

#include "playscreens/chooser_layout.h"
#include "playscreens/chooser_rules.h"
#include "playscreens/drawer_tab.h"
#include "playscreens/play_screen.h"

extern std::array<Texture, 5> chooserBaseTextures;  // by category; 1..3 loaded
extern Texture chooserGreyTexture;
extern Texture chooserHighlightTexture;
void loadChooserTextures(SDL_Renderer* renderer);
void releaseChooserTextures();

class ModuleChooserState : public GameState {
 public:
  ModuleChooserState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection selectedModules,
                     WireSelection selectedWires, int category);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int) override {}
  int cursor() override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "module-chooser"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return playScreen.scrollBounds(viewport()); }

  ModDrawerTab tab() const;
  GeoRect slotRect(const ChooserSlot& slot) const;
  // The drawer as its rules see it.
  ChooserView view() const;
  // The kind of the slot under the mouse, 14 when none.
  int hoveredKind() const;
  bool overDrawer() const;
  StateChange choose(int kind);
  void renderSlot(SDL_Renderer* renderer, const ChooserSlot& slot) const;
  std::string slotTooltip(const ChooserSlot& slot) const;

  PlayScreen playScreen;
  int category;
  std::vector<ChooserSlot> slots;
};
