#include <gtest/gtest.h>

#include "profile_fixture.h"
#include "model/module_defs.h"

namespace {

class FlagFiles : public ProfileTest {};

TEST_F(FlagFiles, TutorialRoundTripIsByteExact) {
  const std::string text =
      "TUTORIAL\n0.01\n0 (made a machine that writes to memory)\n13 (entered the first puzzle)\n"
      "30 (clicked on pvs story)\n";
  writeWholeFile(global("tutorial.mgrlt"), text);
  EXPECT_EQ(loadTutorialProgress(), "");
  EXPECT_TRUE(tutorialFlags[0] && tutorialFlags[13] && tutorialFlags[30]);
  EXPECT_EQ(std::count(tutorialFlags.begin(), tutorialFlags.end(), true), 3);
  std::filesystem::remove(global("tutorial.mgrlt"));
  EXPECT_EQ(saveTutorialProgress(), "");
  EXPECT_EQ(readWholeFile(global("tutorial.mgrlt")), text);
}

TEST_F(FlagFiles, TutorialLinesNeedOnlyTheirNumber) {
  writeWholeFile(global("tutorial.mgrlt"), "TUTORIAL\r\n0.01\r\n13 (whatever it says)\r\n4");
  EXPECT_EQ(loadTutorialProgress(), "");
  EXPECT_TRUE(tutorialFlags[13]);
  EXPECT_TRUE(tutorialFlags[4]);
  EXPECT_EQ(std::count(tutorialFlags.begin(), tutorialFlags.end(), true), 2);
}

TEST_F(FlagFiles, BadFlagLinesAreSkippedAndLaterFlagsStillLoad) {
  writeWholeFile(global("tutorial.mgrlt"), "TUTORIAL\n0.01\n2\nno number\n031 (too far)\n99999999999\n5\n");
  EXPECT_EQ(loadTutorialProgress(), "Invalid tutorial progress line: no number");
  EXPECT_TRUE(tutorialFlags[2]);
  EXPECT_TRUE(tutorialFlags[5]);
  EXPECT_EQ(std::count(tutorialFlags.begin(), tutorialFlags.end(), true), 2);
  EXPECT_TRUE(logHas("Invalid tutorial progress line: no number"));
  EXPECT_TRUE(logHas("invalid progress action: 31 "));
  EXPECT_TRUE(logHas("invalid progress action: 99999999999"));
  EXPECT_TRUE(fileExists(global("tutorial.mgrlt")));  // not moved aside: nothing else was lost

  writeWholeFile(global("modules.mgrlm"), "SEENMODULES\n0.02\n14 (Out of range)\n3 (Latch)\n");
  EXPECT_EQ(loadSeenModules(), "invalid module id in seen modules: 14");
  EXPECT_TRUE(seenModules[3]);
}

TEST_F(FlagFiles, HeaderErrorsMoveTheFileAside) {
  EXPECT_EQ(loadTutorialProgress(), "invalid save file tutorial.mgrlt (magic string not found)");
  EXPECT_EQ(loadSeenModules(), "invalid save file modules.mgrlm (magic string not found)");
  writeWholeFile(global("tutorial.mgrlt"), "TUTORIAL\n0.02\n3\n");
  EXPECT_EQ(loadTutorialProgress(), "invalid save file tutorial.mgrlt (unknown version 0.02)");
  EXPECT_EQ(readWholeFile(global("tutorial.mgrlt.bad")), "TUTORIAL\n0.02\n3\n");
  writeWholeFile(global("modules.mgrlm"), "SEENMODULES\nBUGGY\n3\n");
  EXPECT_EQ(loadSeenModules(), "invalid save file modules.mgrlm (unknown version BUGGY)");
  EXPECT_TRUE(fileExists(global("modules.mgrlm.bad")));
  EXPECT_FALSE(tutorialFlags[3]);
  EXPECT_FALSE(seenModules[3]);
}

TEST_F(FlagFiles, MarkingWritesOnlyOnce) {
  markTutorialSeen(10);
  EXPECT_EQ(readWholeFile(global("tutorial.mgrlt")), "TUTORIAL\n0.01\n10 (edited the clock period)\n");
  std::filesystem::remove(global("tutorial.mgrlt"));
  markTutorialSeen(10);
  EXPECT_FALSE(fileExists(global("tutorial.mgrlt")));
  markButtonTutorialSeen(41);  // the clock button: action 10, already set
  EXPECT_FALSE(fileExists(global("tutorial.mgrlt")));
  markButtonTutorialSeen(24);  // the test button: action 4
  EXPECT_TRUE(tutorialFlags[4]);
  markButtonTutorialSeen(3);  // unmapped
  EXPECT_EQ(std::count(tutorialFlags.begin(), tutorialFlags.end(), true), 2);
}

TEST_F(FlagFiles, HintRules) {
  EXPECT_FALSE(tutorialHintPending(36));
  tutorialFlags[12] = true;
  EXPECT_TRUE(tutorialHintPending(36));
  EXPECT_TRUE(tutorialHintPending(44));
  tutorialFlags[11] = true;
  EXPECT_FALSE(tutorialHintPending(36));
  EXPECT_FALSE(tutorialHintPending(55));
  tutorialFlags[16] = true;
  EXPECT_TRUE(tutorialHintPending(55));
  EXPECT_TRUE(tutorialHintPending(41));
  tutorialFlags[10] = true;
  EXPECT_FALSE(tutorialHintPending(41));
  EXPECT_FALSE(tutorialHintPending(3));
  EXPECT_EQ(tutorialActionDescription(29), "clicked on load successful");
}

TEST_F(FlagFiles, IndexChecks) {
  EXPECT_THROW(checkTutorialIndex(31), FatalErrorException);
  EXPECT_THROW(checkTutorialIndex(-1), FatalErrorException);
  EXPECT_THROW(isModuleSeen(14), FatalErrorException);
  EXPECT_NO_THROW(isModuleSeen(13));
}

TEST_F(FlagFiles, SeenModulesRoundTripAndOldVersion) {
  markModuleSeen(2);
  markModuleSeen(13);
  const std::string text = "SEENMODULES\n0.02\n2 (" + getModuleTypeName(2) + ")\n13 (" + getModuleTypeName(13) + ")\n";
  EXPECT_EQ(readWholeFile(global("modules.mgrlm")), text);
  seenModules.fill(false);
  EXPECT_EQ(loadSeenModules(), "");
  EXPECT_TRUE(seenModules[2] && seenModules[13]);
  std::filesystem::remove(global("modules.mgrlm"));
  EXPECT_EQ(saveSeenModules(), "");
  EXPECT_EQ(readWholeFile(global("modules.mgrlm")), text);

  seenModules.fill(false);
  writeWholeFile(global("modules.mgrlm"), "SEENMODULES\n0.01\n2\n5\n");
  EXPECT_EQ(loadSeenModules(), "");
  EXPECT_EQ(std::count(seenModules.begin(), seenModules.end(), true), 0);
}

}  // namespace

namespace {
TEST(FlagFilesWithoutProfile, MarkingKeepsTheFlagAndWritesNothing) {
  TempWorkingDir dir;
  activeProfile = -1;
  tutorialFlags.fill(false);
  markTutorialSeen(3);
  EXPECT_TRUE(tutorialFlags[3]);
  EXPECT_EQ(saveTutorialProgress(), "Failed to open file tutorial.mgrlt!");
  EXPECT_FALSE(std::filesystem::exists("profiles"));
  tutorialFlags.fill(false);
  // Loading finds nothing rather than ending the game.
  EXPECT_EQ(loadTutorialProgress(), "invalid save file tutorial.mgrlt (magic string not found)");
  EXPECT_EQ(loadSeenModules(), "invalid save file modules.mgrlm (magic string not found)");
  EXPECT_EQ(loadRecordsFile(), "");
}
}  // namespace
