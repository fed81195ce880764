#pragma once
// A fresh working folder with profile 0 active and every profile table empty.
#include <gtest/gtest.h>

#include <memory>

#include "puzzles/puzzle_services.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "support/temp_dir.h"

class MenuRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::make_unique<TempWorkingDir>();
    clearTables();
    activeProfile = 0;
  }
  void TearDown() override {
    clearTables();
    activeProfile = -1;
    dir.reset();
  }
  static void clearTables() {
    puzzleRecords.clear();
    retainedRecordLines.clear();
    tutorialFlags.fill(false);
    lastNewlyBeatenPuzzle = noPuzzle;
  }
  std::unique_ptr<TempWorkingDir> dir;
};
