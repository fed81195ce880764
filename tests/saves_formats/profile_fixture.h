#pragma once
// A temporary working folder with profile 0 active and every profile table
// empty, so each test starts from a first run.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "saves/file_utils.h"
#include "base/log.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "support/temp_dir.h"

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setSimulateWriteFailure(false);
    activeProfile = 0;
    clearTables();
  }
  void TearDown() override {
    setSimulateWriteFailure(false);
    clearTables();
    activeProfile = -1;
  }
  static void clearTables() {
    puzzleRecords.clear();
    retainedRecordLines.clear();
    tutorialFlags.fill(false);
    seenModules.fill(false);
  }
  std::string global(const std::string& name) const { return "profiles/profile0/global/" + name; }
  // Every regular file under the working folder except the log and error files.
  static std::set<std::string> filesOnDisk() {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(".")) {
      if (!entry.is_regular_file()) continue;
      std::string path = std::filesystem::relative(entry.path(), ".").generic_string();
      if (path == "log.txt" || path == "error.txt") continue;
      files.insert(path);
    }
    return files;
  }
  static std::string logText() { return readWholeFile("log.txt"); }
  static bool logHas(const std::string& text) { return logText().find(text) != std::string::npos; }

  TempWorkingDir dir;
};
