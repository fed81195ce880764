// The palette drawer in a real window: a group saved from the selection with
// its name typed in place, placed by its key even when paged out of view,
// paged with more than four groups, described, and deleted.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "model/module_defs.h"
#include <algorithm>

#include "playscreens/palette_contents.h"
#include "playscreens/palette_state.h"
#include "saves/palette_groups.h"
#include "saves/profiles.h"
#include "saves/tutorial_flags.h"
#include "tools_window.h"

namespace {

class PaletteWindow : public ToolsWindow {
 protected:
  void SetUp() override {
    ToolsWindow::SetUp();
    customGroups.clear();
    paletteScroll = 0;
    markTutorialSeen(3);  // the palette button is offered after the copy-paste lesson
    enterNamed("Tools");
  }
  void TearDown() override {
    customGroups.clear();
    ToolsWindow::TearDown();
  }
  PaletteState* palette() const { return currentAs<PaletteState>(); }
  void openPalette() {
    const Point at = barButtonCentre(barPaletteDrawer);
    ASSERT_NE(at.x, -1);
    click(at.x, at.y);
    ASSERT_EQ(stateName(), "palette");
  }
  // Selects the selector and both Adders by shift-clicking them.
  void selectTrio() {
    keyDown(SDL_SCANCODE_LSHIFT);
    for (const auto& m : {moduleOfKind(kInputSelectorKind), moduleOfKind(kAdderKind), moduleOfKind(kAdderKind, 1)}) {
      const Point at = moduleCentre(*m);
      click(at.x, at.y);
    }
    keyUp(SDL_SCANCODE_LSHIFT);
    ASSERT_EQ(screen()->selectedModules.size(), 3u);
  }
  static std::string groupFile(int i) {
    return readWholeFile("profiles/profile" + std::to_string(activeProfile) + "/palette/group-" + std::to_string(i) +
                         ".mgrlv");
  }
};

TEST_F(PaletteWindow, AddRenamePageAndPlaceByKeyThenDelete) {
  selectTrio();
  openPalette();
  moveMouse(20, 300);
  frames();
  shot("palette-empty");
  const GeoRect add = palette()->addSlot().rect();
  click(add.x + add.w / 2, add.y + add.h / 2);
  ASSERT_EQ(stateName(), "palette");
  ASSERT_EQ(customGroups.size(), 1u);
  EXPECT_EQ(palette()->rename.index, 0);
  EXPECT_EQ(palette()->rename.text, "");  // the new group's name field opens empty
  EXPECT_TRUE(tutorialFlags[11]);
  EXPECT_EQ(paletteContentsText(customGroups[0].set), "2 Adders and an Input Selector");
  typeText("Trio");
  moveMouse(20, 300);
  clock->set(clock->now() / 1200 * 1200 + 900);  // the typing cursor shows
  frames();
  shot("palette-renaming");
  key(SDL_SCANCODE_RETURN);
  EXPECT_EQ(customGroups[0].name, "Trio");
  EXPECT_NE(groupFile(0).find("GROUP NAME: Trio\n"), std::string::npos);

  // Six more by the add slot's key (each opens with its name to type: Return keeps the default).
  for (int i = 1; i < 7; ++i) {
    key(SDL_SCANCODE_Q);
    ASSERT_EQ(palette()->rename.index, i);
    key(SDL_SCANCODE_RETURN);
  }
  ASSERT_EQ(customGroups.size(), 7u);
  EXPECT_EQ(customGroups[6].name, "Group 7");
  EXPECT_EQ(paletteScroll, 3);
  EXPECT_FALSE(palette()->layout().showsAddSlot());
  const std::vector<PaletteSlot> slots = palette()->shownSlots();
  ASSERT_EQ(slots.size(), 5u);
  EXPECT_EQ(slots.front().group->index, 2);
  const GeoRect hovered = slots.back().rect();
  moveMouse(hovered.x + hovered.w / 2, hovered.y + 20);
  frames();
  shot("palette-paged");
  // Back a page with the arrow.
  const Point previous{palette()->layout().previousButton().x + 8, palette()->layout().previousButton().y + 10};
  click(previous.x, previous.y);
  EXPECT_EQ(paletteScroll, 2);

  // W places group 0, out of view on this page (on a cleared board, so it
  // has room); the placement comes back to the palette.
  key(SDL_SCANCODE_ESCAPE);
  ctrlKey(SDL_SCANCODE_A, SDLK_a);
  key(SDL_SCANCODE_DELETE);
  ASSERT_TRUE(editor()->machine.empty());
  openPalette();
  EXPECT_EQ(paletteScroll, 2);
  const Point spot{viewport().screen.w / 2 - 100, viewport().screen.h / 2 - 60};
  moveMouse(spot.x, spot.y);
  key(SDL_SCANCODE_W);
  ASSERT_EQ(stateName(), "module_place");
  waitMs(150);
  click(spot.x, spot.y);
  EXPECT_TRUE(logHas("Performed action: Module Place"));
  EXPECT_EQ(editor()->machine.size(), 3u);
  ASSERT_EQ(stateName(), "palette");

  // Renaming by a click on a name, cut to 11 characters; an empty name gives the default.
  const PaletteSlot first = palette()->shownSlots().front();
  const TextItem name = first.nameItem(false);
  click(name.x, name.y + 6);
  EXPECT_EQ(palette()->rename.index, first.group->index);
  for (int i = 0; i < 12; ++i) key(SDL_SCANCODE_BACKSPACE);
  typeText("A much longer name");
  EXPECT_EQ(palette()->rename.text, "A much long");
  key(SDL_SCANCODE_RETURN);
  EXPECT_EQ(customGroups[size_t(first.group->index)].name, "A much long");

  // Deleting the last group keeps the last page full.
  const PaletteSlot last = palette()->shownSlots().back();
  const Button del = last.deleteButton();
  const SDL_Rect hit = del.hitRect();
  click(hit.x + hit.w / 2, hit.y + hit.h / 2);
  EXPECT_EQ(customGroups.size(), 6u);
  EXPECT_EQ(paletteScroll, 2);
  EXPECT_EQ(stateName(), "palette");
  loadCustomGroups();
  EXPECT_EQ(customGroups.size(), 6u);
}

TEST_F(PaletteWindow, AddingWithoutASelectionDoesNothing) {
  openPalette();
  const GeoRect add = palette()->addSlot().rect();
  click(add.x + add.w / 2, add.y + add.h / 2);
  EXPECT_TRUE(customGroups.empty());
  EXPECT_EQ(stateName(), "palette");
  moveMouse(add.x + add.w / 2, add.y + add.h / 2);
  frames();
  shot("palette-add-without-selection");
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(stateName(), "neutral");
}

TEST_F(PaletteWindow, KindsAPuzzleForbidsShowRedAndStayBehindWhenPlaced) {
  selectTrio();
  openPalette();
  key(SDL_SCANCODE_Q);
  key(SDL_SCANCODE_RETURN);
  ASSERT_EQ(customGroups.size(), 1u);
  key(SDL_SCANCODE_ESCAPE);
  enterNamed("Delays");  // Numbers, Adders and Writers only
  openPalette();
  const PaletteSlot slot = palette()->shownSlots().front();
  const std::vector<PalettePreviewBox> boxes = palettePreview(slot.group->set, slot.rect(), slot.puzzle);
  EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(), [](const auto& b) { return !b.allowed; }), 1);
  moveMouse(slot.rect().x + 10, slot.rect().y + 30);
  frames();
  shot("palette-forbidden-kind");
  EXPECT_NE(palettePlaceTooltip(*slot.group, slot.puzzle).find("Input Selector modules cannot be placed"),
            std::string::npos);
  click(slot.rect().x + 10, slot.rect().y + 30);
  EXPECT_EQ(stateName(), "module_place");  // the Adders still come
}

}  // namespace
