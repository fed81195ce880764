#include <gtest/gtest.h>

#include "model/module_config.h"
#include "playscreens/module_edit_rules.h"
#include "tools_fixture.h"

namespace {

TEST(ModuleEditLayout, OpensBesideTheModuleWithinTheView) {
  const GeoRect view{0, 0, 1024, 600};
  struct Case {
    GeoRect module;
    bool slider;
    GeoRect panel;
  };
  for (const Case& c : {
           // Room on the left: the panel sits left of the module.
           Case{{600, 100, 100, 80}, true, {600 - 450 - 20, 100, 450, 235}},
           // No room on the left: to the right.
           Case{{100, 100, 100, 80}, true, {220, 100, 450, 235}},
           // Far right off screen: held so 40 pixels stay in view.
           Case{{-1000, 100, 2100, 80}, false, {984, 100, 238, 120}},
           // Above the view: at its top; low down: its bottom edge on the view's.
           Case{{600, -50, 100, 80}, false, {342, 0, 238, 120}},
           Case{{600, 550, 100, 80}, true, {130, 600 - 235, 450, 235}},
       }) {
    const ModuleEditLayout layout = ModuleEditLayout::place(c.module, view, c.slider);
    EXPECT_EQ(layout.panel.x, c.panel.x);
    EXPECT_EQ(layout.panel.y, c.panel.y);
    EXPECT_EQ(layout.panel.w, c.panel.w);
    EXPECT_EQ(layout.panel.h, c.panel.h);
  }
  const ModuleEditLayout big = ModuleEditLayout::place({600, 100, 100, 80}, view, true);
  EXPECT_EQ(big.copyButton(), (GeoPoint{130 + 225 - 92, 100 + 235 - 60}));
  EXPECT_EQ(big.deleteButton().x - big.paletteButton().x, 70);
  EXPECT_EQ(big.selectionActionsY(), 240);
}

class ModuleEdit : public ToolsTest {
 protected:
  // A Number feeding inputs 0 and 3 of a four-input selector, with a nail.
  void SetUp() override {
    ToolsTest::SetUp();
    editor = emptyEditor();
    source = add(*editor, kNumberKind, 0, 0, "N");
    selector = add(*editor, kInputSelectorKind, 320, 0, "Input Selector 1", makeNumericValue(4));
    wire(*editor, selector->ports[3].get(), source->ports[0].get());
    wire(*editor, selector->ports[0].get(), source->ports[0].get());
    selector->ports[3]->controlPoints = {{200, 72}};
    editor->saveTo(saveLocationWorking);
    saved = workingSave(*editor);
    undoDepth = editor->undoStack.size();
    takeSounds();
  }
  Port* lastInput() const { return selector->ports[3].get(); }

  std::shared_ptr<Editor> editor;
  std::shared_ptr<Module> source;
  std::shared_ptr<Module> selector;
  std::string saved;
  size_t undoDepth = 0;
};

TEST_F(ModuleEdit, PreviewChangesTheMachineButNotTheUndoStackOrTheSave) {
  ModuleEditSession session(editor, selector);
  EXPECT_TRUE(session.preview(makeNumericValue(2)).changed);
  EXPECT_EQ(selector->countPorts(kInputPort), 2);
  EXPECT_EQ(takeSounds(), std::vector<int>{ClickNumber});
  EXPECT_EQ(editor->undoStack.size(), undoDepth);
  EXPECT_EQ(workingSave(*editor), saved);
  // Back through a larger count: the dropped port and its wire come back.
  session.preview(makeNumericValue(5));
  EXPECT_EQ(selector->countPorts(kInputPort), 5);
  EXPECT_EQ(lastInput()->source, source->ports[0].get());
  session.preview(makeNumericValue(2));
  // Escape: everything as it was, the nail included.
  session.revert();
  EXPECT_EQ(current(*editor), saved);
  EXPECT_EQ(lastInput()->source, source->ports[0].get());
  EXPECT_EQ(lastInput()->controlPoints, (std::vector<WirePoint>{{200, 72}}));
}

TEST_F(ModuleEdit, CommitMakesOneConfigurationStepThenOneNameStep) {
  ModuleEditSession session(editor, selector);
  session.preview(makeNumericValue(3));
  session.preview(makeNumericValue(2));
  session.focus = focusName;
  session.typeName("!");
  EXPECT_EQ(selector->getName(), "Input Selector 1");  // the name waits for the commit
  EXPECT_TRUE(session.commit());
  EXPECT_EQ(editor->undoStack.size(), undoDepth + 2);
  EXPECT_EQ(editor->undoStack[undoDepth]->name(), "Module Edit");
  EXPECT_EQ(editor->undoStack[undoDepth + 1]->name(), "Module Name");
  EXPECT_EQ(selector->getName(), "Input Selector 1!");
  EXPECT_EQ(selector->countPorts(kInputPort), 2);
  EXPECT_EQ(workingSave(*editor), current(*editor));
  // The session starts afresh over the committed machine: nothing is left to commit.
  EXPECT_FALSE(session.commit());
  EXPECT_EQ(editor->undoStack.size(), undoDepth + 2);
  // One undo gives the name back, the second the count with its wires.
  editor->undo();
  EXPECT_EQ(selector->getName(), "Input Selector 1");
  EXPECT_EQ(selector->countPorts(kInputPort), 2);
  editor->undo();
  EXPECT_EQ(current(*editor), saved);
  EXPECT_EQ(lastInput()->source, source->ports[0].get());
}

TEST_F(ModuleEdit, NamesTypedAreCutAndAnEmptyNameGetsTheKindsFreeDefault) {
  ModuleEditSession session(editor, selector);
  session.typeName("abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(session.nameText, "Input Selector 1abcde");
  for (int i = 0; i < 30; ++i) session.eraseName();
  EXPECT_EQ(session.nameText, "");
  // Its own present name is free for it.
  EXPECT_EQ(session.nameToCommit(), "Input Selector 1");
  EXPECT_FALSE(session.commit());  // unchanged: nothing performed
  EXPECT_EQ(logCount("Could not perform action: Module Name"), 0);
  EXPECT_EQ(editor->undoStack.size(), undoDepth);

  ModuleEditSession other(editor, source);
  for (int i = 0; i < 5; ++i) other.eraseName();
  EXPECT_TRUE(other.commit());
  EXPECT_EQ(source->getName(), "Number 1");
}

TEST_F(ModuleEdit, TypedValuesAreCutHeldToTheRangeAndReadAsNumbers) {
  auto number = add(*editor, kNumberKind, 0, 320, "Number 9", makeNumericValue(1));
  takeSounds();
  ModuleEditSession session(editor, number);
  const int top = intOf(getModuleConfig(kNumberKind)->maxValue());
  const int bottom = intOf(getModuleConfig(kNumberKind)->minValue());
  session.typeValue("123456");
  EXPECT_EQ(session.valueText, "12345");
  EXPECT_EQ(intOf(number->logic->configValue()), top);
  session.valueText.clear();
  session.typeValue("-");
  EXPECT_EQ(intOf(number->logic->configValue()), 0);
  session.typeValue(" 3");
  EXPECT_EQ(session.valueText, "-3");
  EXPECT_EQ(intOf(number->logic->configValue()), -3);
  session.valueText.clear();
  session.typeValue("-99999");
  EXPECT_EQ(intOf(number->logic->configValue()), bottom);
  // The same value again: no sound.
  takeSounds();
  session.typeValue("9");
  EXPECT_TRUE(takeSounds().empty());
  session.revert();
  EXPECT_EQ(intOf(number->logic->configValue()), 1);
}

TEST_F(ModuleEdit, BackspaceFirstClearsTheUneditedValue) {
  ModuleEditSession session(editor, selector);
  EXPECT_FALSE(session.edited);
  session.eraseValue();
  EXPECT_TRUE(session.edited);
  EXPECT_EQ(session.valueText, "");
  EXPECT_EQ(selector->countPorts(kInputPort), 4);
  session.startValueTyping();
  EXPECT_EQ(session.valueText, "4");
  session.eraseValue();  // "" reads as 0, held to the smallest count
  EXPECT_EQ(selector->countPorts(kInputPort), intOf(getModuleConfig(kInputSelectorKind)->minValue()));
  session.revert();
}

TEST_F(ModuleEdit, SlidersForConfigurableKindsAndALockWhereConfigurationIsBanned) {
  auto opSelector = Module::create(kOpSelectorKind, 0, 0, defaultConfigFor(kOpSelectorKind, editor->puzzle), "O");
  EXPECT_FALSE(moduleEditHasSlider(*opSelector));
  EXPECT_FALSE(moduleEditHasSlider(*Module::create(kAdderKind, 0, 0, nullptr, "A")));
  EXPECT_TRUE(moduleEditHasSlider(*selector));
  EXPECT_TRUE(moduleEditCanEditConfig(*selector, editor->puzzle));

  int banned = -1;
  for (int id = 1; id < puzzleTableSize && banned < 0; ++id) {
    if (getPuzzle(id).hasFlag(puzzleFlagNoConfig)) banned = id;
  }
  ASSERT_NE(banned, -1);
  EXPECT_FALSE(moduleEditCanEditConfig(*selector, banned));
  auto lockedEditor = openEditor(banned);
  auto locked = Module::create(kInputSelectorKind, 0, 0, makeNumericValue(4), "L");
  lockedEditor->machine.push_back(locked);
  ModuleEditSession session(lockedEditor, locked);
  session.typeValue("2");
  EXPECT_EQ(locked->countPorts(kInputPort), 4);
  session.typeName("x");  // the name can still change
  EXPECT_EQ(session.nameToCommit(), "Lx");
}

}  // namespace
