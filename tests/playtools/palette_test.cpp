#include <gtest/gtest.h>

#include "model/module_defs.h"
#include "playscreens/palette_contents.h"
#include "playscreens/palette_layout.h"
#include "saves/palette_groups.h"
#include "saves/profiles.h"
#include "tools_fixture.h"

namespace {

// Scancodes of the drawer keys Q, W, F and G.
constexpr int keyQ = 20, keyW = 26, keyF = 9, keyG = 10;

ModuleSet groupOfKinds(const std::vector<int>& kinds) {
  ModuleList modules;
  int x = 0;
  for (int kind : kinds) {
    modules.push_back(Module::create(kind, x, 0, defaultConfigFor(kind, kNoPuzzle), getModuleTypeName(kind)));
    x += 320;
  }
  return ModuleSet(modules);
}

TEST(PaletteContents, CountsEachKindInKindOrder) {
  struct Case {
    std::vector<int> kinds;
    std::string text;
  };
  for (const Case& c : {
           Case{{kInputSelectorKind, kAdderKind, kAdderKind}, "2 Adders and an Input Selector"},
           Case{{kNumberKind}, "a Number"},
           Case{{kEqualsKind, kEqualsKind, kLatchKind}, "a Latch and 2 Equals"},
           Case{{kWriterKind, kNumberKind, kAdderKind, kNumberKind}, "2 Numbers, an Adder and a Writer"},
           Case{{}, ""},
       }) {
    EXPECT_EQ(paletteContentsText(groupOfKinds(c.kinds)), c.text);
  }
  EXPECT_EQ(joinWithAnd({"a", "b", "c", "d"}), "a, b, c and d");
}

TEST(PaletteLayout, PagesOfSlotsAboveThePaletteButton) {
  struct Case {
    int count;
    int scroll;
    int tabSlots;
    bool addSlot;
    std::vector<int> shown;
    int shift;
  };
  for (const Case& c : {Case{0, 0, 1, true, {}, 0}, Case{4, 0, 5, true, {0, 1, 2, 3}, 0},
                        Case{7, 0, 6, true, {0, 1, 2, 3}, 45}, Case{7, 1, 6, false, {0, 1, 2, 3, 4}, 45},
                        Case{7, 3, 6, false, {2, 3, 4, 5, 6}, 45}}) {
    SCOPED_TRACE(std::to_string(c.count) + " at " + std::to_string(c.scroll));
    const PaletteLayout layout{{300, 700}, c.count, c.scroll, 84};
    EXPECT_EQ(layout.tabSlotCount(), c.tabSlots);
    EXPECT_EQ(layout.showsAddSlot(), c.addSlot);
    EXPECT_EQ(layout.shownGroups(), c.shown);
    EXPECT_EQ(layout.shift(), c.shift);
    EXPECT_EQ(layout.showsScrollButtons(), c.count > 4);
  }
  // The first page: the add slot, then groups one step apart; later pages put
  // their first group where the add slot was.
  const PaletteLayout first{{300, 700}, 7, 0, 84};
  EXPECT_EQ(first.addSlot(), (GeoPoint{300 + 45 - 2, 602}));
  EXPECT_EQ(first.groupSlot(0), (GeoPoint{300 + 84 + 45 - 2, 602}));
  const PaletteLayout second{{300, 700}, 7, 1, 84};
  EXPECT_EQ(second.groupSlot(0), first.addSlot());
  EXPECT_FALSE(first.canScrollBack());
  EXPECT_TRUE(first.canScrollOn());
  EXPECT_FALSE((PaletteLayout{{300, 700}, 7, 3, 84}.canScrollOn()));
}

TEST(PaletteLayout, HotkeysReachEveryGroupUpToTheNinth) {
  EXPECT_EQ(paletteAddSlotHotkey(), keyQ);
  EXPECT_EQ(paletteGroupHotkey(0), keyW);
  EXPECT_EQ(paletteGroupHotkey(8), keyG);
  EXPECT_EQ(paletteGroupHotkey(9), 0);
  EXPECT_EQ(paletteGroupForKey(keyW, 7), 0);  // scrolled out of view or not
  EXPECT_EQ(paletteGroupForKey(keyF, 7), -1);
  EXPECT_EQ(paletteGroupForKey(keyF, 8), 7);
  EXPECT_EQ(paletteGroupForKey(0, 12), -1);
}

TEST(PaletteLayout, ScrollKeepsTheNewGroupAndAFullLastPageInView) {
  EXPECT_EQ(paletteScrollAfterAdd(7), 3);
  EXPECT_EQ(paletteScrollAfterAdd(3), 0);
  EXPECT_EQ(paletteScrollAfterDelete(3, 6), 2);
  EXPECT_EQ(paletteScrollAfterDelete(1, 6), 1);
  EXPECT_EQ(paletteScrollAfterDelete(2, 3), 0);
}

TEST(PaletteLayout, PreviewScalesTheGroupIntoTheSlotAndMarksForbiddenKinds) {
  int puzzle = -1;
  for (int id = 1; id < puzzleTableSize && puzzle < 0; ++id) {
    const auto allowed = getPuzzleAllowedModules(id);
    if (allowed.count(kAdderKind) && !allowed.count(kRegisterKind)) puzzle = id;
  }
  ASSERT_NE(puzzle, -1);
  const GeoRect slot{100, 100, 60, 40};
  const auto boxes = palettePreview(groupOfKinds({kAdderKind, kRegisterKind}), slot, puzzle);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(boxes[0].allowed);
  EXPECT_FALSE(boxes[1].allowed);
  EXPECT_LT(boxes[0].rect.x, boxes[1].rect.x);
  for (const auto& box : boxes) {
    EXPECT_GE(box.rect.x, slot.x + 4);
    EXPECT_LE(box.rect.x + box.rect.w, slot.x + slot.w - 4);
    EXPECT_GE(box.rect.y, slot.y + 4);
    EXPECT_LE(box.rect.y + box.rect.h, slot.y + slot.h - 4);
  }
  // A module far too small for a pixel is still drawn 2 x 2.
  const auto tiny = palettePreview(groupOfKinds({kAdderKind, kAdderKind, kAdderKind, kAdderKind, kAdderKind,
                                                 kAdderKind, kAdderKind, kAdderKind, kAdderKind, kAdderKind}),
                                   {0, 0, 14, 12}, kNoPuzzle);
  for (const auto& box : tiny) EXPECT_EQ(box.rect.h, 2);
  EXPECT_TRUE(palettePreview(ModuleSet{}, slot, puzzle).empty());
  EXPECT_EQ(paletteUnavailableText(groupOfKinds({kRegisterKind, kAdderKind}), puzzle),
            "\n \nRegister modules cannot be placed in this puzzle.");
}

class PaletteEdits : public ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    customGroups.clear();
    paletteScroll = 0;
  }
  void TearDown() override {
    customGroups.clear();
    ToolsTest::TearDown();
  }
  static std::string path(int i) { return "profiles/profile0/palette/group-" + std::to_string(i) + ".mgrlv"; }
  std::set<std::shared_ptr<Module>> selection(Editor& editor) {
    auto a = add(editor, kAdderKind, 0, 0, "A");
    auto b = add(editor, kAdderKind, 320, 0, "B");
    auto s = add(editor, kInputSelectorKind, 640, 0, "S", makeNumericValue(2));
    return {a, b, s};
  }
};

TEST_F(PaletteEdits, AddRenameAndDeleteKeepTheFilesAndThePage) {
  auto editor = emptyEditor();
  EXPECT_EQ(addSelectionAsGroup({}), -1);
  EXPECT_TRUE(takeSounds().empty());
  const auto selected = selection(*editor);
  takeSounds();
  for (int i = 0; i < 7; ++i) EXPECT_EQ(addSelectionAsGroup(selected), i);
  EXPECT_EQ(takeSounds(), std::vector<int>(7, ClickButton));
  EXPECT_EQ(paletteScroll, 3);
  EXPECT_TRUE(tutorialFlags[11]);
  EXPECT_EQ(customGroups[6].name, "Group 7");
  EXPECT_EQ(palettePlaceTooltip(customGroups[6], kNoPuzzle),
            "Click to place 'Group 7', consisting of 2 Adders and an Input Selector.");

  PaletteRename rename;
  rename.start(6);
  EXPECT_EQ(rename.text, "Group 7");
  for (int i = 0; i < 7; ++i) rename.erase();
  rename.type("Two adders and more");
  EXPECT_EQ(rename.text, "Two adders ");
  rename.finish();
  EXPECT_FALSE(rename.active());
  EXPECT_NE(readWholeFile(path(6)).find("GROUP NAME: Two adders \n"), std::string::npos);
  rename.index = 2;
  rename.text = "";
  rename.finish();
  EXPECT_EQ(customGroups[2].name, "Group 3");
  EXPECT_THROW(rename.finish(), FatalErrorException);
  rename.index = 7;
  EXPECT_THROW(rename.finish(), FatalErrorException);

  deletePaletteGroup(6);
  EXPECT_EQ(customGroups.size(), 6u);
  EXPECT_EQ(paletteScroll, 2);
  deletePaletteGroup(0);
  EXPECT_EQ(paletteScroll, 1);
  loadCustomGroups();
  EXPECT_EQ(customGroups.size(), 5u);
  EXPECT_EQ(customGroups[1].name, "Group 3");
}

}  // namespace
