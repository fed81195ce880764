#include <gtest/gtest.h>

#include <filesystem>

#include "saves/file_utils.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace {

TEST(ProfileFiles, GlobalFilesLiveInTheActiveProfile) {
  TempWorkingDir dir;
  activeProfile = 2;
  EXPECT_EQ(profileGlobalPath("records.mgrlr"), "profiles/profile2/global/records.mgrlr");
  EXPECT_FALSE(openProfileGlobalFile("records.mgrlr"));
  EXPECT_EQ(writeProfileGlobalFile("records.mgrlr", "x"), "");
  std::ifstream in = openProfileGlobalFile("records.mgrlr");
  std::string line;
  EXPECT_TRUE(readLine(in, line));
  EXPECT_EQ(line, "x");
  setSimulateWriteFailure(true);
  EXPECT_EQ(writeProfileGlobalFile("records.mgrlr", "y"), "Failed to write file records.mgrlr!");
  setSimulateWriteFailure(false);
  EXPECT_EQ(readWholeFile("profiles/profile2/global/records.mgrlr"), "x");
  activeProfile = -1;
}

TEST(ProfileFiles, StaleTemporaryFilesAreRemovedAtStartAndNeverRead) {
  TempWorkingDir dir;
  const std::string stale[] = {"profiles/profile.txt.tmp", "profiles/profile0/global/records.mgrlr.tmp",
                               "profiles/profile0/saves/puzz-Cows.mgrlv.tmp",
                               "profiles/profile3/palette/group-0.mgrlv.tmp", "settings/music.txt.tmp",
                               "settings/resolution.txt.tmp"};
  writeWholeFile("profiles/profile.txt.tmp", "3");
  writeWholeFile("profiles/profile0/global/records.mgrlr.tmp", "RECORD\n0.05\nCows::5::5\n");
  writeWholeFile("profiles/profile0/saves/puzz-Cows.mgrlv.tmp", "0451\n0.08\n");
  writeWholeFile("profiles/profile3/palette/group-0.mgrlv.tmp", "0451\n0.08\n");
  writeWholeFile("profiles/profile0/saves/notes.tmpx", "kept");
  writeWholeFile("settings/music.txt.tmp", "7");
  writeWholeFile("settings/resolution.txt.tmp", "1 0 800 600");
  activeProfile = -1;
  selectStoredProfile();
  EXPECT_EQ(activeProfile, 0);  // profile.txt.tmp is no profile.txt
  EXPECT_TRUE(puzzleRecords.empty());  // nor records.mgrlr.tmp a records file
  for (const std::string& path : stale) {
    EXPECT_FALSE(std::filesystem::exists(path)) << path;
    EXPECT_NE(readWholeFile("log.txt").find("Removed the temporary file " + path), std::string::npos) << path;
  }
  EXPECT_EQ(readWholeFile("profiles/profile0/saves/notes.tmpx"), "kept");
  activeProfile = -1;
}

TEST(ProfileFiles, MakingAnExistingDirectoryIsFine) {
  TempWorkingDir dir;
  makeDirectory("here");
  EXPECT_NO_THROW(makeDirectory("here"));
  EXPECT_TRUE(isDirectory("here"));
}

TEST(ProfileFiles, AFolderThatCannotBeMadeIsFatal) {
  TempWorkingDir dir;
  writeWholeFile("blocked", "a file where a folder should go");
  try {
    makeDirectory("blocked");
    ADD_FAILURE() << "no fatal error";
  } catch (const FatalErrorException& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Error while making directory blocked: ", 0), 0u) << e.what();
  }
  EXPECT_THROW(writeFileAtomically("blocked/inner/x.txt", "x"), FatalErrorException);
  EXPECT_EQ(readWholeFile("blocked"), "a file where a folder should go");
}

TEST(ProfileFiles, OnlyPlayerFilesAreMovedAside) {
  TempWorkingDir dir;
  writeWholeFile("profiles/profile0/saves/a.mgrlv", "new");
  writeWholeFile("profiles/profile0/saves/a.mgrlv.bad", "old");
  writeWholeFile("initial/a.mgrlv", "data");
  std::filesystem::create_directories("profiles/profile0/palette");
  EXPECT_TRUE(moveAsideBadProfileFile("profiles/profile0/saves/a.mgrlv", "why"));
  EXPECT_EQ(readWholeFile("profiles/profile0/saves/a.mgrlv.bad"), "new");  // the older copy is replaced
  EXPECT_FALSE(std::filesystem::exists("profiles/profile0/saves/a.mgrlv"));
  EXPECT_FALSE(moveAsideBadProfileFile("profiles/profile0/saves/a.mgrlv", "gone"));
  EXPECT_FALSE(moveAsideBadProfileFile("initial/a.mgrlv", "read-only data"));
  EXPECT_FALSE(moveAsideBadProfileFile("profiles/../initial/a.mgrlv", "outside"));
  EXPECT_FALSE(moveAsideBadProfileFile("profiles/profile0/palette", "a folder"));
  EXPECT_EQ(readWholeFile("initial/a.mgrlv"), "data");
  EXPECT_NE(readWholeFile("log.txt").find("profiles/profile0/saves/a.mgrlv.bad (why)"), std::string::npos);
}

}  // namespace
