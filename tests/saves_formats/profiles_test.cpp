#include <gtest/gtest.h>

#include <unistd.h>

#include "machine_fixture.h"
#include "profile_fixture.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/machine_file.h"
#include "saves/palette_groups.h"

namespace {

class Profiles : public ProfileTest {};

TEST_F(Profiles, FirstRunSelectsProfileZeroAndCreatesNothing) {
  activeProfile = -1;
  EXPECT_THROW(getActiveProfile(), FatalErrorException);
  selectStoredProfile();
  EXPECT_EQ(activeProfile, 0);
  EXPECT_TRUE(puzzleRecords.empty());
  EXPECT_TRUE(customGroups.empty());
  EXPECT_FALSE(std::filesystem::exists("profiles"));
  EXPECT_EQ(getProfileDir(-1), "profiles/profile0/");
  EXPECT_EQ(getProfileDir(3), "profiles/profile3/");
}

TEST_F(Profiles, StoredIndexIsClamped) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {{"3", 3}, {"7", 4}, {"-2", 0}, {"abc", 0}, {"", 0}, {"2\n", 2}, {"99999999999", 4}, {"4x", 4}};
  for (const Case& c : cases) {
    writeWholeFile("profiles/profile.txt", c.text);
    EXPECT_EQ(readStoredProfileIndex(), c.expected) << c.text;
  }
  setActiveProfile(2);
  EXPECT_EQ(readWholeFile("profiles/profile.txt"), "2");
  EXPECT_EQ(activeProfile, 2);
}

TEST_F(Profiles, SwitchingReloadsEveryTable) {
  puzzleRecords[2] = {3, 30};
  ASSERT_EQ(saveRecords(), "");
  markTutorialSeen(13);
  markModuleSeen(2);
  paletteScroll = 5;
  setActiveProfile(1);
  EXPECT_TRUE(puzzleRecords.empty());
  EXPECT_FALSE(tutorialFlags[13]);
  EXPECT_FALSE(seenModules[2]);
  EXPECT_EQ(paletteScroll, 0);
  setActiveProfile(0);
  EXPECT_EQ(puzzleRecords[2].bestModules, 3);
  EXPECT_TRUE(tutorialFlags[13]);
  EXPECT_TRUE(seenModules[2]);
}

TEST_F(Profiles, AScriptedSessionLeavesExactlyTheProfileFiles) {
  const int puzzle = findPuzzle([](const Puzzle&) { return true; });
  ASSERT_NE(puzzle, -1);
  selectStoredProfile();
  setActiveProfile(1);
  puzzleRecords[puzzle] = {4, 40};
  ASSERT_EQ(saveRecords(), "");
  saveLastPuzzle(puzzle);
  markTutorialSeen(13);
  markModuleSeen(2);
  ASSERT_EQ(saveMachine(puzzle, saveLocationWorking, sampleMachine(), 1), "");
  ASSERT_EQ(saveMachine(puzzle, saveLocationSuccessful, sampleMachine(), 1), "");
  addCustomGroup(ModuleSet(sampleMachine()));
  addCustomGroup(ModuleSet(sampleMachine()));
  removeCustomGroup(0);
  loadRecords();

  const std::string dir = "profiles/profile1/";
  const std::string machine = machineFileName(puzzle);
  EXPECT_EQ(filesOnDisk(), (std::set<std::string>{
                               "profiles/profile.txt",
                               dir + "global/records.mgrlr",
                               dir + "global/last_puzzle.mgrlr",
                               dir + "global/tutorial.mgrlt",
                               dir + "global/modules.mgrlm",
                               dir + "saves/" + machine,
                               dir + "successful/" + machine,
                               dir + "palette/group-0.mgrlv",
                               dir + "palette/group-1.mgrlv",
                           }));
  EXPECT_EQ(customGroups.size(), 1u);
  customGroups.clear();
}

TEST_F(Profiles, ResetDeletesOnlyThatProfile) {
  puzzleRecords[2] = {3, 30};
  ASSERT_EQ(saveRecords(), "");
  writeWholeFile("profiles/profile2/global/records.mgrlr", "RECORD\n0.05\n");
  writeWholeFile("profiles/profile2/saves/puzz-x.mgrlv", "0451\n");
  EXPECT_EQ(resetProfile(2), 0);
  EXPECT_FALSE(std::filesystem::exists("profiles/profile2"));
  EXPECT_FALSE(std::filesystem::exists("profiles/profile2.reset"));
  EXPECT_EQ(puzzleRecords.size(), 1u);  // profile 0 reloaded unchanged
  EXPECT_EQ(resetProfile(3), 0);        // never played: nothing to delete

  EXPECT_EQ(resetProfile(0), 0);
  EXPECT_TRUE(puzzleRecords.empty());
}

TEST_F(Profiles, ResetNeverFollowsLinks) {
  writeWholeFile("elsewhere/keep.txt", "precious");
  writeWholeFile("profiles/profile1/global/records.mgrlr", "RECORD\n0.05\n");
  ASSERT_EQ(symlink("../../../elsewhere", "profiles/profile1/global/link"), 0);
  std::filesystem::create_directories("profiles");
  ASSERT_EQ(symlink("../elsewhere", "profiles/profile4"), 0);
  EXPECT_EQ(resetProfile(1), 0);
  EXPECT_EQ(resetProfile(4), 0);
  EXPECT_FALSE(std::filesystem::exists("profiles/profile1"));
  EXPECT_FALSE(std::filesystem::is_symlink("profiles/profile4"));
  EXPECT_EQ(readWholeFile("elsewhere/keep.txt"), "precious");
}

TEST_F(Profiles, CountingAnotherProfileHasNoSideEffects) {
  puzzleRecords[2] = {3, 30};
  ASSERT_EQ(saveRecords(), "");
  int listed = -1;
  for (int id = 1; id < puzzleTableSize; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (!p.hasFlag(puzzleFlagHidden) && !p.hasFlag(puzzleFlagOptional)) {
      listed = id;
      break;
    }
  }
  ASSERT_NE(listed, -1);
  writeWholeFile("profiles/profile3/global/records.mgrlr",
                 "RECORD\n0.05\n" + getPuzzleName(listed) + "::1::1\n");
  const auto before = filesOnDisk();
  ProfileProgress progress = countProfileProgress(3);
  EXPECT_EQ(progress.beaten, 1);
  EXPECT_LE(progress.perfect, 1);
  EXPECT_FALSE(progress.allBeaten);
  EXPECT_EQ(activeProfile, 0);
  EXPECT_EQ(puzzleRecords.size(), 1u);
  EXPECT_EQ(puzzleRecords[2].bestModules, 3);
  EXPECT_EQ(filesOnDisk(), before);

  writeWholeFile("profiles/profile4/global/records.mgrlr", "garbage\n");
  progress = countProfileProgress(4);
  EXPECT_EQ(progress.beaten, 0);
  EXPECT_TRUE(fileExists("profiles/profile4/global/records.mgrlr"));  // read only: never moved
  EXPECT_EQ(countProfileProgress(1).beaten, 0);
  EXPECT_FALSE(std::filesystem::exists("profiles/profile1"));
}

}  // namespace
