// Something that is not a file where a profile file belongs (a folder, a pipe,
// a device, a link loop) is an unreadable file: an error text or the empty
// default, a log line, and nothing moved, deleted or waited for.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "model/memory.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/palette_groups.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

enum class Planted { folder, pipe, device, linkLoop };

void plant(const std::string& path, Planted what) {
  if (fs::path(path).has_parent_path()) fs::create_directories(fs::path(path).parent_path());
  switch (what) {
    case Planted::folder: fs::create_directories(path + "/inside"); break;
    case Planted::pipe: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); break;
    case Planted::device: fs::create_symlink("/dev/zero", path); break;
    case Planted::linkLoop: fs::create_symlink(fs::path(path).filename().string() + ".loop", path);
                            fs::create_symlink(fs::path(path).filename().string(), path + ".loop"); break;
  }
}

const char* plantedName(Planted what) {
  switch (what) {
    case Planted::folder: return "folder";
    case Planted::pipe: return "pipe";
    case Planted::device: return "device";
    case Planted::linkLoop: return "link loop";
  }
  return "";
}

TEST(UnreadablePaths, ReadingALineFromAFolderFailsInsteadOfThrowing) {
  TempWorkingDir dir;
  fs::create_directories("folder");
  std::ifstream in("folder", std::ios::binary);  // opening a folder succeeds here; reading it throws
  std::string line = "left over";
  EXPECT_NO_THROW(readLine(in, line));
  EXPECT_FALSE(in);
  EXPECT_EQ(line, "");
  EXPECT_FALSE(checkMagicLine(in, "RECORD"));
}

TEST(UnreadablePaths, APlantedProfileFileNeverEndsOrHangsTheProfileLoad) {
  const std::string files[] = {"profiles/profile.txt",
                               "profiles/profile0/global/records.mgrlr",
                               "profiles/profile0/global/last_puzzle.mgrlr",
                               "profiles/profile0/global/tutorial.mgrlt",
                               "profiles/profile0/global/modules.mgrlm",
                               "profiles/profile0/palette/group-0.mgrlv"};
  for (Planted what : {Planted::folder, Planted::pipe, Planted::device, Planted::linkLoop}) {
    for (const std::string& file : files) {
      SCOPED_TRACE(std::string(plantedName(what)) + " at " + file);
      TempWorkingDir dir;
      plant(file, what);
      activeProfile = -1;
      EXPECT_NO_THROW(selectStoredProfile());
      EXPECT_EQ(activeProfile, 0);
      EXPECT_EQ(loadLastPuzzle(), 87);
      EXPECT_TRUE(customGroups.empty());
      // Left where it stands: nothing moved aside or removed.
      std::error_code ec;
      EXPECT_TRUE(fs::exists(fs::symlink_status(file, ec)));
      EXPECT_FALSE(fs::exists(file + ".bad"));
      EXPECT_NE(readWholeFile("log.txt").find("Not reading " + file + ": "), std::string::npos);
    }
  }
  activeProfile = -1;
}

TEST(UnreadablePaths, LoadersNameWhatTheyFound) {
  TempWorkingDir dir;
  activeProfile = 0;
  plant("profiles/profile0/global/records.mgrlr", Planted::folder);
  plant("profiles/profile0/global/tutorial.mgrlt", Planted::pipe);
  EXPECT_EQ(loadRecordsFile(), "invalid save file records.mgrlr (a folder, not a file)");
  EXPECT_EQ(loadTutorialProgress(), "invalid save file tutorial.mgrlt (not a regular file)");
  plant("m.mgrlv", Planted::device);
  ModuleList modules;
  int clock = 1;
  Memory memory;
  EXPECT_EQ(readMachineFile(modules, clock, "m.mgrlv", ConstContext{&memory, 0, false, 1}),
            "invalid save file m.mgrlv (not a regular file)");
  // Saving over a folder fails with its text and leaves the folder alone.
  EXPECT_EQ(saveRecords(), "Failed to write file records.mgrlr!");
  EXPECT_TRUE(fs::is_directory("profiles/profile0/global/records.mgrlr/inside"));
  activeProfile = -1;
}

}  // namespace
