#pragma once
// Shared set-up of the catalogue tests: a temporary working folder and a
// fresh profile (no records, no tutorial flags, empty caches, no community
// puzzles).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/temp_dir.h"

void resetCatalogueState();
// Writes text to path, creating its folders.
void writeDataFile(const std::string& path, const std::string& text);
// The message of the fatal error that fn raises; fails the test when none does.
std::string fatalMessageOf(const std::function<void()>& fn);
// The log written so far in the working folder.
std::string logText();

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCatalogueState(); }
  void TearDown() override { resetCatalogueState(); }

  TempWorkingDir dir;
};
