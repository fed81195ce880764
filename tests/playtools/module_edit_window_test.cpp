// The module edit panel in a real window: opened by a right-click, a live
// preview of an Input Selector's count, the name typed, committed as two
// undo steps; the bar and the panel's own buttons during an edit.
#include <gtest/gtest.h>

#include <set>

#include "editor/edit_actions.h"
#include "editor/editor.h"
#include "model/module_config.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "puzzles/puzzle_services.h"
#include "saves/machine_file.h"
#include "playscreens/module_edit_state.h"
#include "saves/tutorial_flags.h"
#include "shell/text_item.h"
#include "tools_window.h"

namespace {

class ModuleEditWindow : public ToolsWindow {
 protected:
  void SetUp() override {
    ToolsWindow::SetUp();
    enterNamed("Tools");
    selector = moduleOfKind(kInputSelectorKind);
    number = moduleOfKind(kNumberKind);
    ASSERT_TRUE(selector && number);
    original = machineNow();
  }
  void openPanel() {
    const Point at = moduleCentre(*selector);
    const size_t clicks = sounds->played.size();
    click(at.x, at.y, SDL_BUTTON_RIGHT);
    ASSERT_EQ(stateName(), "module-edit");
    EXPECT_EQ(sounds->played.size(), clicks + 1);
    EXPECT_EQ(sounds->played.back(), ClickButton);
  }
  ModuleEditState* panelState() const { return currentAs<ModuleEditState>(); }
  Point stepButton(bool more) const {
    const ModuleEditPanel& panel = panelState()->panel;
    const GeoPoint a = panel.layout.sliderAnchor();
    const GeoPoint b = more ? panel.slider.layout(a.x, a.y).moreButton() : panel.slider.layout(a.x, a.y).lessButton();
    return {b.x + 8, b.y + 8};
  }
  Port* lastInput() const { return selector->ports[3].get(); }
  // The panel open on the selector, its count one lower in the preview.
  void openAndShrink() {
    openPanel();
    const Point less = stepButton(false);
    click(less.x, less.y);
  }

  std::shared_ptr<Module> selector;
  std::shared_ptr<Module> number;
  std::string original;
};

TEST_F(ModuleEditWindow, PreviewThenReturnMakesTwoUndoSteps) {
  Port* fourth = lastInput();
  openPanel();
  moveMouse(20, 300);
  frames(2);
  shot("module-edit-open");
  // The less arrow twice: the selector shrinks to two inputs while the panel is open.
  const Point less = stepButton(false);
  click(less.x, less.y);
  click(less.x, less.y);
  EXPECT_EQ(selector->countPorts(kInputPort), 2);
  EXPECT_TRUE(editor()->undoStack.empty());
  EXPECT_EQ(workingSave().find("3 2\n"), std::string::npos);
  EXPECT_GE(sounds->count(ClickNumber), 2);
  // A new name, typed on the plate.
  const GeoRect plate = panelState()->panel.nameLabelRect();
  click(plate.x + plate.w / 2, plate.y + plate.h / 2);
  for (int i = 0; i < 16; ++i) key(SDL_SCANCODE_BACKSPACE);
  typeText("Chooser");
  EXPECT_EQ(selector->getName(), "Input Selector 1");
  moveMouse(plate.x + plate.w / 2, plate.y + 60);
  clock->set(clock->now() / 1200 * 1200 + 900);  // the typing cursor shows
  frames(2);
  shot("module-edit-preview");
  key(SDL_SCANCODE_RETURN);
  ASSERT_EQ(stateName(), "neutral");
  const std::vector<std::string> lines = logLines();
  std::vector<std::string> performed;
  for (const std::string& l : lines)
    if (l.rfind("Performed action: ", 0) == 0) performed.push_back(l);
  EXPECT_EQ(performed, (std::vector<std::string>{"Performed action: Module Edit", "Performed action: Module Name"}));
  EXPECT_EQ(selector->getName(), "Chooser");
  EXPECT_EQ(workingSave(), machineNow());

  // One undo gives the name back; the second the count with its wire.
  const Point undo = barButtonCentre(barUndo);
  click(undo.x, undo.y);
  EXPECT_TRUE(logHas("Undid action: Module Name"));
  EXPECT_EQ(selector->getName(), "Input Selector 1");
  EXPECT_EQ(selector->countPorts(kInputPort), 2);
  const Point undoAgain = barButtonCentre(barUndo);
  click(undoAgain.x, undoAgain.y);
  EXPECT_TRUE(logHas("Undid action: Module Edit"));
  EXPECT_EQ(machineNow(), original);
  EXPECT_EQ(lastInput(), fourth);
  EXPECT_EQ(lastInput()->source, number->ports[0].get());
  EXPECT_EQ(workingSave(), original);
}

TEST_F(ModuleEditWindow, EscapeRestoresConfigurationAndName) {
  openAndShrink();
  typeText("x");  // the number box has the focus: typed over the value
  const GeoRect plate = panelState()->panel.nameLabelRect();
  click(plate.x + 4, plate.y + 4);
  typeText("!");
  key(SDL_SCANCODE_ESCAPE);
  ASSERT_EQ(stateName(), "neutral");
  EXPECT_EQ(machineNow(), original);
  EXPECT_TRUE(editor()->undoStack.empty());
  EXPECT_FALSE(logHas("Performed action: Module Name"));
}

TEST_F(ModuleEditWindow, BarUndoDuringAnEditCommitsFirst) {
  // Something to undo before the panel opens: a rename of the Number.
  ASSERT_TRUE(editor()->performAction(std::make_shared<ModuleNameAction>(number, "One")));
  frames();
  openAndShrink();
  EXPECT_EQ(selector->countPorts(kInputPort), 3);
  const Point undo = barButtonCentre(barUndo);
  ASSERT_NE(undo.x, -1);
  click(undo.x, undo.y);
  // The preview became its action, and that action is what the bar undid.
  EXPECT_TRUE(logHas("Performed action: Module Edit"));
  EXPECT_TRUE(logHas("Undid action: Module Edit"));
  EXPECT_FALSE(logHas("Undid action: Module Name"));
  EXPECT_EQ(selector->countPorts(kInputPort), 4);
  EXPECT_EQ(number->getName(), "One");
  EXPECT_EQ(workingSave(), machineNow());
  EXPECT_EQ(stateName(), "neutral");
}

TEST_F(ModuleEditWindow, ARepeatedBarUndoDuringAnEditUndoesTheCommittedEdit) {
  // The selector was shrunk once before: undoing that under a live preview
  // would meet ports it doesn't know.
  ASSERT_TRUE(editor()->performAction(std::make_shared<ModuleEditAction>(
      editor()->machine, editor()->clockPeriod, editor()->currentTest, selector, makeNumericValue(3), editor()->puzzle)));
  const std::string shrunk = machineNow();
  frames();
  openAndShrink();
  EXPECT_EQ(selector->countPorts(kInputPort), 2);
  // A held Undo's repeat acts at once, unlike a click.
  pushUserEvent(barUndo | buttonRefireFlag);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(logCount("Performed action: Module Edit"), 2);
  EXPECT_EQ(logCount("Undid action: Module Edit"), 1);
  EXPECT_EQ(machineNow(), shrunk);
  EXPECT_EQ(workingSave(), shrunk);
  editor()->undo();
  EXPECT_EQ(machineNow(), original);
}

TEST_F(ModuleEditWindow, AHeldSliderArrowIsOnePreviewAndOneEdit) {
  openPanel();
  const Point less = stepButton(false);
  press(less.x, less.y);
  waitMs(800);
  release(less.x, less.y);
  EXPECT_EQ(stateName(), "module-edit");
  EXPECT_EQ(selector->countPorts(kInputPort), 1);  // stepped down to the end
  EXPECT_EQ(logCount("Performed action: Module Edit"), 0);
  EXPECT_TRUE(editor()->undoStack.empty());
  key(SDL_SCANCODE_RETURN);
  EXPECT_EQ(logCount("Performed action: Module Edit"), 1);
  editor()->undo();
  EXPECT_EQ(machineNow(), original);
}

TEST_F(ModuleEditWindow, BarDeleteDuringAnEditCommitsFirst) {
  openAndShrink();
  const Point del = barButtonCentre(barDelete);
  ASSERT_NE(del.x, -1);
  // The bar's buttons act on the release: the press commits and closes the
  // panel (without Shift the selection goes with it), so the release finds
  // nothing selected to delete.
  click(del.x, del.y);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_TRUE(logHas("Performed action: Module Edit"));
  EXPECT_FALSE(logHas("Performed action: Delete"));
  EXPECT_EQ(selector->countPorts(kInputPort), 3);
  EXPECT_EQ(workingSave(), machineNow());
  editor()->undo();
  EXPECT_EQ(machineNow(), original);
}

TEST_F(ModuleEditWindow, PanelDeleteCommitsThenDeletes) {
  openAndShrink();
  const GeoPoint del = panelState()->panel.layout.deleteButton();
  click(del.x + 10, del.y + 10);
  ASSERT_EQ(stateName(), "neutral");
  EXPECT_TRUE(logHas("Performed action: Module Edit"));
  EXPECT_TRUE(logHas("Performed action: Delete"));
  EXPECT_EQ(moduleOfKind(kInputSelectorKind), nullptr);
  editor()->undo();
  editor()->undo();
  EXPECT_EQ(machineNow(), original);
}

TEST_F(ModuleEditWindow, ClickingAnotherModuleCommitsAndSelectsIt) {
  openAndShrink();
  auto adder = moduleOfKind(kAdderKind, 1);
  const Point at = moduleCentre(*adder);
  click(at.x, at.y);
  EXPECT_EQ(logCount("Performed action: Module Edit"), 1);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(screen()->selectedModules, (ModuleSelection{adder}));
}

TEST_F(ModuleEditWindow, SmallPanelAndPaletteButtonOnceCopyPasteIsLearnt) {
  auto adder = moduleOfKind(kAdderKind);
  const Point at = moduleCentre(*adder);
  click(at.x, at.y, SDL_BUTTON_RIGHT);
  ASSERT_EQ(stateName(), "module-edit");
  EXPECT_FALSE(panelState()->panel.layout.hasSlider);
  ButtonList without = panelState()->buttons();
  EXPECT_FALSE(without[1].isVisible());
  key(SDL_SCANCODE_ESCAPE);
  markTutorialSeen(3);
  click(at.x, at.y, SDL_BUTTON_RIGHT);
  ButtonList with = panelState()->buttons();
  EXPECT_TRUE(with[1].isVisible());
  moveMouse(20, 300);
  frames(2);
  shot("module-edit-small");
}

// The panel opened on a Number with the pointer still on the Number: the
// board's tooltip gives way to the panel, and the Number on the board shows
// the value being previewed.
TEST_F(ModuleEditWindow, OverANumberThePanelKeepsItsTooltipsAndTheBoardShowsThePreview) {
  const Point at = moduleCentre(*number);
  const Point empty{at.x, at.y + 250};  // bare board below the machine
  auto textsDrawn = [&] {
    textTextureCache.clear();
    frames(2);
    std::set<std::string> texts;
    for (const auto& entry : textTextureCache) texts.insert(entry.first.text);
    return texts;
  };
  // The texts drawn with the pointer on the Number beyond those drawn with it on bare board.
  auto hoverTexts = [&] {
    moveMouse(empty.x, empty.y);
    waitMs(600);
    const std::set<std::string> bare = textsDrawn();
    moveMouse(at.x, at.y);
    waitMs(600);
    std::set<std::string> extra;
    for (const std::string& t : textsDrawn())
      if (!bare.count(t)) extra.insert(t);
    return extra;
  };
  ASSERT_FALSE(hoverTexts().empty()) << "the board shows the Number's tooltip before the panel opens";
  click(at.x, at.y, SDL_BUTTON_RIGHT);
  ASSERT_EQ(stateName(), "module-edit");
  const std::set<std::string> overPanel = hoverTexts();
  EXPECT_TRUE(overPanel.empty()) << "no board tooltip over the open panel: " << *overPanel.begin();
  const Point more = stepButton(true);
  click(more.x, more.y);
  click(more.x, more.y);
  moveMouse(at.x, at.y);
  frames(2);
  EXPECT_EQ(number->logic->configValue()->text(), "3");
  // The board reads the previewed value: the Number's output and the Adder it feeds.
  const ConstContext context = editor()->constContext();
  EXPECT_EQ(number->ports[0]->getValue(context, false)->text(), "3");
  EXPECT_EQ(moduleOfKind(kAdderKind)->ports[0]->getValue(context, false)->text(), "3");
  shot("module-edit-number-hovered");
  key(SDL_SCANCODE_RETURN);
}

// The configuration tutorial's puzzle (its Adder must give 4) is solved by a
// Number set to 3; a preview of that is neither on the undo stack nor saved,
// so no victory comes of it until the edit is committed.
TEST_F(ToolsWindow, APreviewThatSolvesThePuzzleWinsOnlyOnceCommitted) {
  constexpr puzzle_id configPuzzle = 50;
  enter(configPuzzle);
  ASSERT_EQ(stateName(), "neutral");
  auto first = moduleOfKind(kNumberKind);
  const Point at = moduleCentre(*first);
  click(at.x, at.y, SDL_BUTTON_RIGHT);
  ASSERT_EQ(stateName(), "module-edit");
  typeText("3");
  EXPECT_EQ(intOf(first->logic->configValue()), 3);
  for (int i = 0; i < 5; ++i) moveMouse(100 + 40 * i, 500);
  frames(2);
  EXPECT_EQ(stateName(), "module-edit");
  EXPECT_FALSE(isPuzzleBeaten(configPuzzle));
  key(SDL_SCANCODE_RETURN);
  EXPECT_TRUE(logHas("Performed action: Module Edit"));
  EXPECT_EQ(stateName(), "puzzle-victory");
  EXPECT_TRUE(isPuzzleBeaten(configPuzzle));
  EXPECT_NE(readWholeFile(machineFilePath(configPuzzle, saveLocationSuccessful)).find("3 3\n"), std::string::npos);
}

TEST_F(ToolsWindow, APreviewThatSolvesThePuzzleWinsWhenThePanelsCopyCommitsIt) {
  constexpr puzzle_id configPuzzle = 50;
  enter(configPuzzle);
  auto first = moduleOfKind(kNumberKind);
  const Point at = moduleCentre(*first);
  click(at.x, at.y, SDL_BUTTON_RIGHT);
  ASSERT_EQ(stateName(), "module-edit");
  typeText("3");
  const GeoPoint copy = currentAs<ModuleEditState>()->panel.layout.copyButton();
  click(copy.x + 12, copy.y + 12);
  EXPECT_TRUE(logHas("Performed action: Module Edit"));
  EXPECT_EQ(stateName(), "puzzle-victory");
  EXPECT_TRUE(isPuzzleBeaten(configPuzzle));
}

TEST_F(ToolsWindow, ARightClickOpensThePanelOnlyOnceModuleEditingIsUnlocked) {
  constexpr puzzle_id wiringPuzzle = 17;  // two Numbers and an Adder, configuration banned
  enter(wiringPuzzle);
  auto number = moduleOfKind(kNumberKind);
  const Point at = moduleCentre(*number);
  click(at.x, at.y, SDL_BUTTON_RIGHT);
  EXPECT_EQ(stateName(), "neutral");
  markTutorialSeen(20);  // the configuration lesson
  click(at.x, at.y, SDL_BUTTON_RIGHT);
  EXPECT_EQ(stateName(), "module-edit");
  EXPECT_TRUE(currentAs<ModuleEditState>()->panel.locked());
}

TEST_F(ToolsWindow, BannedConfigurationShowsTheLockAndStillTakesANewName) {
  enterNamed("Locked");
  auto selector = moduleOfKind(kInputSelectorKind);
  const Point at = moduleCentre(*selector);
  click(at.x, at.y, SDL_BUTTON_RIGHT);
  ASSERT_EQ(stateName(), "module-edit");
  ModuleEditPanel& panel = currentAs<ModuleEditState>()->panel;
  EXPECT_TRUE(panel.locked());
  const GeoPoint a = panel.layout.sliderAnchor();
  const GeoPoint less = panel.slider.layout(a.x, a.y).lessButton();
  click(less.x + 8, less.y + 8);
  typeText("2");
  EXPECT_EQ(selector->countPorts(kInputPort), 4);
  const GeoRect lock = panel.lockRect();
  moveMouse(lock.x + 20, lock.y + lock.h - 10);
  frames();
  shot("module-edit-locked");
  const GeoRect plate = panel.nameLabelRect();
  click(plate.x + 4, plate.y + 4);
  typeText("!");
  key(SDL_SCANCODE_RETURN);
  EXPECT_EQ(selector->getName(), "Input Selector 1!");
  EXPECT_FALSE(logHas("Performed action: Module Edit"));
}

}  // namespace
