#include <gtest/gtest.h>

#include <set>

#include "editor_fixture.h"
#include "saves/palette_groups.h"

namespace {

class EditorCore : public EditorTest {};

TEST_F(EditorCore, ConstructionSelectsTheFirstTestAndLoadsSnapshots) {
  writeWholeFile("initial/" + machineFileName(puzzle),
                 machineFileText({Module::create(kAdderKind, 0, 0, nullptr, "Adder")}, 1));
  Editor editor(puzzle);
  EXPECT_EQ(editor.currentTest, 1);
  EXPECT_TRUE(editor.machine.empty());
  EXPECT_EQ(editor.initialSnapshot.modules.size(), 1u);
  EXPECT_TRUE(editor.successfulSnapshot.modules.empty());
  EXPECT_FALSE(editor.successfulLoaded);
  EXPECT_TRUE(editor.infoSheetOpen);
  editor.memoryScroll = 4;
  editor.selectTest(1);
  EXPECT_EQ(editor.memoryScroll, 4);  // the same test: nothing happens
  editor.loadWorkingSave();
  EXPECT_EQ(editor.machine.size(), 1u);
  EXPECT_TRUE(editor.matchesSnapshot(saveLocationInitial));
  editor.clockPeriod = 9;  // a puzzle without recorded ticks ignores the period
  EXPECT_TRUE(editor.matchesSnapshot(saveLocationInitial));
  EXPECT_FALSE(fileExists(machineFilePath(puzzle, saveLocationWorking)));  // loading writes nothing
}

TEST_F(EditorCore, ConstructionPicksTheMemoryViewAndWhetherStillSolved) {
  struct Case {
    int puzzle;
    bool beaten;
    int viewKind;
    bool stillSolved;
  };
  const Case cases[] = {
      {5, false, 1, false},   // many tests: the initial memory of one of them
      {4, true, 0, false},    // one test with a tick limit: initial memory; timed, so never still solved
      {23, false, 3, false},  // one test without a tick limit: the goal
      {23, true, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.puzzle);
    puzzleRecords.clear();
    if (c.beaten) puzzleRecords[c.puzzle] = {4, 40};
    Editor editor(c.puzzle);
    EXPECT_EQ(editor.memoryViewKind, c.viewKind);
    EXPECT_EQ(editor.stillSolved, c.stillSolved);
    EXPECT_TRUE(editor.memoryPanelOpen);
    EXPECT_EQ(editor.clockPeriod, 1);
    EXPECT_EQ(editor.longestDelay, -1);
    EXPECT_TRUE(editor.undoStack.empty() && editor.redoStack.empty() && editor.clipboard.modules.empty());
  }
}

TEST_F(EditorCore, SelectingAnotherTestShowsItsMemoriesFromTheTop) {
  constexpr int manyTests = 5;
  Editor editor(manyTests);
  editor.memoryScroll = 6;
  editor.selectTest(2);
  EXPECT_EQ(editor.currentTest, 2);
  EXPECT_EQ(editor.memoryScroll, 0);
  EXPECT_TRUE(editor.startMemory.equals(getTestInitialMemory(manyTests, 2)));
  EXPECT_TRUE(editor.goalMemory.equals(getTestCase(manyTests, 2).goal));
  EXPECT_EQ(editor.constContext().memory, &editor.startMemory);
  EXPECT_EQ(editor.constContext().tick, 0);
}

TEST_F(EditorCore, AnEditThatBreaksAnUntimedSolutionClearsStillSolvedForGood) {
  constexpr int untimed = 23;
  puzzleRecords[untimed] = {1, 1};
  auto editor = openEditor(untimed);
  ASSERT_TRUE(editor->stillSolved);
  ASSERT_EQ(editor->runToCompletion(), INT_MAX);  // the empty machine does not solve it
  ASSERT_TRUE(editor->performAction(std::make_shared<ModuleNameAction>(
      editor->machine.empty() ? add(*editor, kAdderKind, 0, 0, "Adder") : editor->machine[0], "Renamed")));
  EXPECT_FALSE(editor->stillSolved);
  editor->undo();
  editor->redo();
  EXPECT_FALSE(editor->stillSolved);
}

TEST_F(EditorCore, ARecordedSuccessKeepsTheMachineAndItsScore) {
  auto editor = openEditor();
  add(*editor, kNumberKind, 0, 0, "N1", makeNumericValue(5));
  add(*editor, kNumberKind, 160, 0, "N2", makeNumericValue(5));
  add(*editor, kAdderKind, 320, 0, "Adder");
  editor->recordSuccess(17);
  EXPECT_EQ(getBestModules(editor->puzzle), 2);
  EXPECT_EQ(getBestTicks(editor->puzzle), INT_MAX);  // this puzzle keeps no ticks
  EXPECT_EQ(readWholeFile(machineFilePath(editor->puzzle, saveLocationSuccessful)), current(*editor));
  EXPECT_TRUE(editor->successfulLoaded);
  EXPECT_TRUE(editor->matchesSnapshot(saveLocationSuccessful));
  EXPECT_NE(editor->successfulSnapshot.modules[0], editor->machine[0]);  // separate objects
}

TEST_F(EditorCore, LoadingResetsTheClockWithoutRecordedTicks) {
  auto editor = std::make_shared<Editor>(puzzle);
  ASSERT_EQ(saveMachine(puzzle, saveLocationWorking, {}, 6), "");
  editor->loadWorkingSave();
  EXPECT_EQ(editor->clockPeriod, 1);

  const int timed = findEditorPuzzle(puzzleFlagTimed | puzzleFlagDelay, puzzleFlagFixedMachine | puzzleFlagAutoClock);
  if (timed != -1) {
    ASSERT_EQ(saveMachine(timed, saveLocationWorking, {}, 6), "");
    Editor delayed(timed);
    delayed.loadWorkingSave();
    EXPECT_EQ(delayed.clockPeriod, 6);
  }
}

// A saved period no player could set (two billion) is held to the clock
// editor's range with one log line where the player sets the clock; where
// the puzzle sets it, the Editor's own period stands and nothing is logged.
TEST_F(EditorCore, ASavedClockPeriodOutsideTheEditorsRangeIsHeldToIt) {
  const int timed = findEditorPuzzle(puzzleFlagTimed | puzzleFlagDelay, puzzleFlagFixedMachine | puzzleFlagAutoClock);
  ASSERT_NE(timed, -1);
  struct Case {
    int saved, loaded;
  };
  for (const Case& c : {Case{2000000000, 48}, Case{49, 48}, Case{48, 48}, Case{1, 1}}) {
    SCOPED_TRACE(c.saved);
    const int before = logCount("outside 1..48");
    ASSERT_EQ(saveMachine(timed, saveLocationWorking, {Module::create(kLatchKind, 0, 0, nullptr, "Latch 1")}, c.saved),
              "");
    Editor editor(timed);
    editor.loadWorkingSave();
    EXPECT_EQ(editor.clockPeriod, c.loaded);
    EXPECT_EQ(logCount("outside 1..48"), before + (c.saved == c.loaded ? 0 : 1));
    EXPECT_EQ(logCount("Clock period " + std::to_string(c.saved) + " of "), c.saved == c.loaded ? 0 : 1);
  }
  const int automatic = findEditorPuzzle(puzzleFlagAutoClock | puzzleFlagDelay, puzzleFlagFixedMachine);
  if (automatic != -1) {
    ASSERT_EQ(saveMachine(automatic, saveLocationWorking, {}, 2000000000), "");
    Editor editor(automatic);
    editor.loadWorkingSave();
    EXPECT_EQ(editor.clockPeriod, 1);
  }
  EXPECT_EQ(logCount("Clock period 2000000000 of "), 1);
}

// A chain of n Adders, each fed by the one before: the first has no source
// and starts no path, so the longest delay is 3 mTicks per Adder (n >= 2).
TEST_F(EditorCore, AutomaticClockPeriodFollowsTheLongestDelay) {
  const int automatic = findEditorPuzzle(puzzleFlagAutoClock, puzzleFlagFixedMachine);
  if (automatic == -1) GTEST_SKIP() << "no puzzle with an automatic clock";
  struct Case {
    int adders;
    int longestDelay;
    int period;
    const char* why;
  };
  const std::vector<Case> cases = {
      {0, 0, 1, "no modules: one tick"},
      {1, 0, 1, "an Adder on its own starts no path: one tick"},
      {2, 6, 7, "two Adders, 6 mTicks: one tick more than the delay"},
      {5, 15, 16, "five Adders, 15 mTicks"},
      {21, 63, 64, "21 Adders, 63 mTicks: the longest period, just"},
      {22, 66, 64, "22 Adders, 66 mTicks: held at the longest period"},
      {30, 90, 64, "30 Adders, 90 mTicks: held at the longest period"},
  };
  Editor editor(automatic);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    ModuleList chain;
    for (int i = 0; i < c.adders; ++i) {
      chain.push_back(Module::create(kAdderKind, 160 * i, 0, nullptr, "A" + std::to_string(i)));
      if (i > 0) chain[size_t(i)]->ports[0]->connect(chain[size_t(i) - 1]->ports[2].get(), editor.constContext());
    }
    editor.machine = chain;
    editor.autoClockPeriod();
    EXPECT_EQ(editor.longestDelay, c.longestDelay);
    EXPECT_EQ(editor.clockPeriod, c.period);
  }
}

TEST_F(EditorCore, ModuleCountCountsEqualNumbersOnce) {
  Editor editor(puzzle);
  editor.machine = {Module::create(kNumberKind, 0, 0, makeNumericValue(5), "a"),
                    Module::create(kNumberKind, 0, 0, makeNumericValue(5), "b"),
                    Module::create(kNumberKind, 0, 0, makeNumericValue(3), "c"),
                    Module::create(kAdderKind, 0, 0, nullptr, "d")};
  EXPECT_EQ(editor.moduleCount(), 3);
  EXPECT_EQ(editor.machineStats(40).modules, 3);
  EXPECT_EQ(editor.machineStats(40).ticks, 40);
}

TEST_F(EditorCore, AFailedWorkingSaveIsFatalAndNamesTheFile) {
  auto editor = openEditor();
  ASSERT_TRUE(editor->performAction(std::make_shared<ClockSetAction>(2, editor->clockPeriod)));
  const std::string before = workingSave(*editor);
  setSimulateWriteFailure(true);
  try {
    editor->performAction(std::make_shared<ClockSetAction>(3, 2));
    FAIL() << "expected a fatal error";
  } catch (const FatalErrorException& e) {
    EXPECT_EQ(std::string(e.what()), "marshalling error: Failed to write file " + workingPath(*editor) + "!");
  }
  setSimulateWriteFailure(false);
  EXPECT_EQ(workingSave(*editor), before);  // the previous save is whole
}

TEST_F(EditorCore, ABrokenWorkingSaveIsMovedAsideAndRewrittenFromWhatLoaded) {
  const std::string path = machineFilePath(puzzle, saveLocationWorking);
  const std::string good = "-MODULE 0 START-\n2 (Adder)\n0,0\nNAME: Kept\n-MODULE 0 END-\n";
  const std::string broken = "0451\n0.08\n" + good + "-MODULE 1 START-\n2 (Adder)\n0,0\n-MODULE 1 END-\n";
  writeWholeFile(path, broken);
  auto editor = openEditor();
  ASSERT_EQ(editor->machine.size(), 1u);
  EXPECT_EQ(editor->machine[0]->name, "Kept");
  EXPECT_EQ(readWholeFile(path + ".bad"), broken);
  EXPECT_EQ(readWholeFile(path), current(*editor));
  EXPECT_NE(logText().find("Error unmarshalling level from location 1: No name for 'Adder' at 0, 0!"),
            std::string::npos);
  // The validation worker's private Editor now sees the same machine.
  Editor worker(puzzle);
  worker.loadWorkingSave();
  EXPECT_EQ(machineFileText(worker.machine, worker.clockPeriod), current(*editor));
}

TEST_F(EditorCore, TheCreditsBoardGetsItsRegisterOnceAsidesIsOpen) {
  constexpr int credits = 73;
  ModuleList saved{Module::create(kRegisterKind, 0, 0, makeNumericValue(2), "Old register"),
                   Module::create(kAdderKind, 320, 0, nullptr, "Adder")};
  saved[1]->ports[0]->connect(saved[0]->ports[2].get(), ConstContext{});
  const std::string text = machineFileText(saved, 1);
  writeWholeFile("initial/" + machineFileName(credits), text);  // the board may always start from its initial machine
  ASSERT_EQ(saveMachine(credits, saveLocationWorking, saved, 1), "");

  auto locked = openEditor(credits);
  EXPECT_EQ(machineFileText(locked->machine, locked->clockPeriod), text);

  puzzleRecords[9] = {5, 50};  // the chapter opens with puzzle 9
  auto open = openEditor(credits);
  ASSERT_EQ(open->machine.size(), 2u);
  EXPECT_EQ(open->machine[0]->name, "Adder");
  EXPECT_EQ(open->machine[0]->ports[0]->source, nullptr);  // no wire from the removed register
  EXPECT_EQ(open->machine[1]->kind(), kRegisterKind);
  EXPECT_EQ(open->machine[1]->name, "Click Me");
  EXPECT_EQ(open->machine[1]->x, 7712);
  EXPECT_EQ(open->machine[1]->y, -2608);
  tutorialFlags[25] = true;
  EXPECT_EQ(openEditor(credits)->machine[1]->name, "Nice find :)");
}

TEST_F(EditorCore, UndoAndRedoOnEmptyStacksDoNothing) {
  auto editor = openEditor();
  editor->undo();
  editor->redo();
  EXPECT_FALSE(fileExists(workingPath(*editor)));
  EXPECT_EQ(logText().find("action"), std::string::npos);
}

TEST_F(EditorCore, AScriptedSessionLeavesExactlyTheNamedFiles) {
  selectStoredProfile();
  setActiveProfile(1);
  saveLastPuzzle(puzzle);
  markTutorialSeen(13);
  markModuleSeen(kAdderKind);
  auto editor = openEditor();
  auto adder = add(*editor, kAdderKind, 0, 0, "Adder");
  ASSERT_TRUE(editor->performAction(std::make_shared<ModuleNameAction>(adder, "Sum")));
  editor->undo();
  editor->recordSuccess(30);
  addCustomGroup(ModuleSet(editor->machine));
  addCustomGroup(ModuleSet(editor->machine));
  removeCustomGroup(0);

  std::set<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("profiles")) {
    if (entry.is_regular_file()) files.insert(entry.path().generic_string());
  }
  const std::string name = machineFileName(puzzle);
  const std::set<std::string> expected{
      "profiles/profile.txt",
      "profiles/profile1/global/last_puzzle.mgrlr",
      "profiles/profile1/global/modules.mgrlm",
      "profiles/profile1/global/records.mgrlr",
      "profiles/profile1/global/tutorial.mgrlt",
      "profiles/profile1/palette/group-0.mgrlv",
      "profiles/profile1/palette/group-1.mgrlv",
      "profiles/profile1/saves/" + name,
      "profiles/profile1/successful/" + name,
  };
  EXPECT_EQ(files, expected);
  EXPECT_EQ(readWholeFile("profiles/profile1/palette/group-1.mgrlv"), "\n");
  EXPECT_FALSE(std::filesystem::exists("profiles/profile0"));
  customGroups.clear();
}

}  // namespace
