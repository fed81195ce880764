#pragma once
// A first-run profile and an Editor on a plain puzzle (no delays, no fixed
// machine, no automatic clock) whose working save the tests read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "editor/editor.h"
#include "editor/edit_actions.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"
#include "support/temp_dir.h"

inline int findEditorPuzzle(int wantFlags, int avoidFlags) {
  for (int id = 1; id < puzzleTableSize; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (p.hasFlag(puzzleFlagHidden) || !p.generator) continue;
    if (!p.allowedModules.count(kNumberKind) || !p.allowedModules.count(kAdderKind)) continue;
    if ((p.flags & wantFlags) == wantFlags && (p.flags & avoidFlags) == 0) return id;
  }
  return -1;
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setSimulateWriteFailure(false);
    activeProfile = 0;
    puzzleRecords.clear();
    tutorialFlags.fill(false);
    seenModules.fill(false);
    puzzle = findEditorPuzzle(0, puzzleFlagDelay | puzzleFlagFixedMachine | puzzleFlagAutoClock | puzzleFlagTimed);
    ASSERT_NE(puzzle, -1);
  }
  void TearDown() override {
    setSimulateWriteFailure(false);
    puzzleRecords.clear();
    activeProfile = -1;
  }

  std::shared_ptr<Editor> openEditor(int id = -1) {
    auto editor = std::make_shared<Editor>(id == -1 ? puzzle : id);
    editor->loadWorkingSave();
    return editor;
  }
  std::shared_ptr<Module> add(Editor& editor, int kind, int x, int y, const std::string& name,
                              std::shared_ptr<Value> config = nullptr) {
    auto module = Module::create(kind, x, y, config ? config : defaultConfigFor(kind, editor.puzzle), name);
    EXPECT_TRUE(editor.performAction(std::make_shared<PlaceModulesAction>(
        std::set<std::shared_ptr<Module>>{module}, ConnectionChangeSet{}, editor.constContext())));
    return module;
  }
  void wire(Editor& editor, Port* destination, Port* source) {
    EXPECT_TRUE(destination->connect(source, editor.constContext()));
    editor.saveTo(saveLocationWorking);
  }
  std::string workingPath(const Editor& editor) const { return machineFilePath(editor.puzzle, saveLocationWorking); }
  std::string workingSave(const Editor& editor) const { return readWholeFile(workingPath(editor)); }
  std::string current(const Editor& editor) const { return machineFileText(editor.machine, editor.clockPeriod); }
  static std::string logText() { return readWholeFile("log.txt"); }
  static int logCount(const std::string& text) {
    const std::string log = logText();
    int n = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
    return n;
  }

  TempWorkingDir dir;
  int puzzle = -1;
};
