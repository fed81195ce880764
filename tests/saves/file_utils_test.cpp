#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <thread>

#include "saves/file_utils.h"
#include "saves/line_reports.h"
#include "support/temp_dir.h"
#include "support/temp_dir.h"

namespace {
std::vector<std::string> readAll(const std::string& text, bool* lastGood = nullptr) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  std::string line;
  while (readLine(in, line)) lines.push_back(line);
  if (lastGood) *lastGood = in.eof();
  return lines;
}
}  // namespace

TEST(ReadLine, AllLineEndsReadTheSame) {
  using V = std::vector<std::string>;
  const V expected{"one", "two", "", "four"};
  for (const char* text : {"one\ntwo\n\nfour\n", "one\r\ntwo\r\n\r\nfour\r\n", "one\rtwo\r\rfour\r",
                           "one\ntwo\r\n\rfour"}) {
    EXPECT_EQ(readAll(text), expected) << text;
  }
}

TEST(ReadLine, LastLineWithoutEndIsGoodThenEofGivesEmpty) {
  std::istringstream in("a\nlast");
  std::string line;
  ASSERT_TRUE(readLine(in, line));
  ASSERT_TRUE(readLine(in, line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(readLine(in, line));
  EXPECT_TRUE(in.eof());
  EXPECT_EQ(line, "");
}

// Read a block at a time, lines come out as readLine gives them, also when a
// CR LF or a line is split between two blocks.
TEST(LineReader, ReadsWhatReadLineReads) {
  const std::size_t block = 1 << 16;
  std::vector<std::string> texts = {"", "a", "a\n", "one\ntwo\r\n\r\nfour", "x\r\ry\r", "\n\n"};
  for (std::size_t at : {block - 2, block - 1, block, block + 1}) {
    texts.push_back(std::string(at, 'a') + "\r\nb\rc\n");
    texts.push_back(std::string(at, 'a') + "\r");
    texts.push_back(std::string(at - 1, 'a') + "\n" + std::string(3 * block, 'b') + "\r\n\r");
  }
  for (const std::string& text : texts) {
    std::istringstream in(text);
    LineReader reader(in);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) lines.push_back(line);
    EXPECT_EQ(lines, readAll(text)) << text.size();
    EXPECT_FALSE(reader.failed());
  }
  // One line handed back is read again; the header before stays the stream's.
  std::istringstream in("HEAD\nx\ny\n");
  std::string line;
  ASSERT_TRUE(readLine(in, line));
  LineReader reader(in);
  ASSERT_TRUE(reader.next(line));
  reader.back();
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line, "x");
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line, "y");
  EXPECT_FALSE(reader.next(line));
}

TEST(LineReports, AFileOfBadLinesShowsTheFirstThenCountsTheRest) {
  TempWorkingDir dir;
  {
    LineReports reports(LineReports::Destination::log, "f.txt");
    for (int i = 0; i < 1000; ++i) reports.report("bad line " + std::to_string(i));
    reports.reportLazily([] { return "quoted " + std::string(100000, 'q'); });
  }
  std::istringstream log(readWholeFile("log.txt"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line.substr(line.find(": ") + 2));
  ASSERT_EQ(lines.size(), size_t(LineReports::kShown) + 1);
  EXPECT_EQ(lines[0], "bad line 0");
  EXPECT_EQ(lines.back(), "... and 981 more such lines in f.txt");
  testing::internal::CaptureStdout();
  {
    LineReports reports(LineReports::Destination::standardOutput, "g.txt");
    reports.report("a long one " + std::string(100000, 'x') + "\n");
  }
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_LE(printed.size(), LineReports::kLongestShown + 4);
  EXPECT_EQ(printed.substr(printed.size() - 4), "...\n");
}

TEST(SaveFormatHeader, MagicAndVersionChecks) {
  SaveFormat format{"RECORD", {"BUGGY", "0.01", "0.02"}};
  struct Case {
    const char* text;
    int version;
    const char* error;
  } cases[] = {
      {"RECORD\n0.02\n", 2, ""},
      {"RECORD\r\n0.01", 1, ""},
      {"RECORDS\n0.01\n", 0, "invalid save file p (magic string not found)"},
      {"", 0, "invalid save file p (magic string not found)"},
      {"RECORD\nBUGGY\n", 0, "invalid save file p (unknown version BUGGY)"},
      {"RECORD\n9.99\n", 0, "invalid save file p (unknown version 9.99)"},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.text);
    VersionCheck check = readHeader(in, format, "invalid save file", "p");
    EXPECT_EQ(check.version, c.version) << c.text;
    EXPECT_EQ(check.error, c.error) << c.text;
  }
}

TEST(FileUtils, OpenForWriteMakesMissingDirectories) {
  TempWorkingDir dir;
  std::filesystem::create_directory("a");
  writeWholeFile("a/keep.txt", "x");
  {
    auto out = openFileForWrite("a/b/c.txt", std::ios::out);
    ASSERT_TRUE(out);
    out << "hello\n";
  }
  EXPECT_EQ(readWholeFile("a/b/c.txt"), "hello\n");
  EXPECT_EQ(readWholeFile("a/keep.txt"), "x");
}

TEST(FileUtils, AtomicWriteReplacesWholeOrLeavesOldFile) {
  TempWorkingDir dir;
  EXPECT_EQ(writeFileAtomically("saves/m.txt", "old\n"), "");
  EXPECT_EQ(readWholeFile("saves/m.txt"), "old\n");
  setSimulateWriteFailure(true);
  std::string error = writeFileAtomically("saves/m.txt", "new\n");
  setSimulateWriteFailure(false);
  EXPECT_EQ(error, "Failed to write file saves/m.txt!");
  EXPECT_EQ(readWholeFile("saves/m.txt"), "old\n");
  EXPECT_FALSE(fileExists("saves/m.txt.tmp"));
  // A folder in the way of the temporary file: open fails, old file intact.
  std::filesystem::create_directory("saves/m.txt.tmp");
  EXPECT_EQ(writeFileAtomically("saves/m.txt", "new\n"), "Failed to open file saves/m.txt!");
  EXPECT_EQ(readWholeFile("saves/m.txt"), "old\n");
}

TEST(FileUtils, AtomicWritesFromTwoThreadsEachLandWhole) {
  // The validation worker may rewrite a working save while the main thread
  // saves the same file: both go through one temporary name.
  TempWorkingDir dir;
  const std::string a(20000, 'a'), b(30000, 'b');
  int failures[2] = {0, 0};
  auto writer = [&](int who, const std::string& text) {
    for (int i = 0; i < 200; ++i) {
      if (!writeFileAtomically("saves/same.mgrlv", text).empty()) ++failures[who];
    }
  };
  std::thread first(writer, 0, a);
  std::thread second(writer, 1, b);
  first.join();
  second.join();
  EXPECT_EQ(failures[0] + failures[1], 0);
  const std::string left = readWholeFile("saves/same.mgrlv");
  EXPECT_TRUE(left == a || left == b);
  EXPECT_FALSE(fileExists("saves/same.mgrlv.tmp"));
}

TEST(FileUtils, ListingIsSortedSkipsDotsAndMissingIsEmpty) {
  TempWorkingDir dir;
  for (const char* d : {"community/b", "community/a", "community/.hidden", "community/c"}) {
    std::filesystem::create_directories(d);
  }
  writeWholeFile("community/file.txt", "");
  std::filesystem::create_directory_symlink(std::filesystem::absolute("community/a"), "community/linked");
  std::filesystem::create_symlink(std::filesystem::absolute("community/file.txt"), "community/filelink");
  EXPECT_EQ(listSubdirectories("community/"),
            (std::vector<std::string>{"community/a", "community/b", "community/c", "community/linked"}));
  EXPECT_TRUE(listSubdirectories("nowhere/").empty());
}

TEST(FileUtils, RemoveTreeNeverFollowsLinks) {
  TempWorkingDir dir;
  writeWholeFile("outside/precious.txt", "keep");
  writeWholeFile("victim/sub/file.txt", "x");
  writeWholeFile("victim/.dotfile", "x");
  std::filesystem::create_directory_symlink(std::filesystem::absolute("outside"), "victim/link");
  EXPECT_EQ(removeDirectoryTree("victim"), 0);
  EXPECT_FALSE(fileExists("victim"));
  EXPECT_EQ(readWholeFile("outside/precious.txt"), "keep");
  EXPECT_EQ(removeDirectoryTree("missing"), 0);

  // Named with a trailing slash, a link to a folder is still only the link.
  std::filesystem::create_directory_symlink(std::filesystem::absolute("outside"), "alias");
  EXPECT_EQ(removeDirectoryTree("alias/"), 0);
  EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status("alias")));
  EXPECT_EQ(readWholeFile("outside/precious.txt"), "keep");
  writeWholeFile("tree/sub/file.txt", "x");
  EXPECT_EQ(removeDirectoryTree("tree/"), 0);
  EXPECT_FALSE(fileExists("tree"));
}

TEST(FileUtils, Origins) {
  EXPECT_EQ(formatOrigin(12, -7), "12,-7");
  EXPECT_EQ(parseOrigin("12,-7", "t"), std::make_pair(12, -7));
  EXPECT_EQ(parseOrigin("3", "t"), std::make_pair(0, 0));
  EXPECT_EQ(parseOrigin("1,2,3", "t"), std::make_pair(1, 2));
  EXPECT_EQ(parseOrigin("x 1920 by 1080", "t"), std::make_pair(1920, 1080));
  EXPECT_EQ(parseOrigin("99999999999,1", "t"), std::make_pair(0, 0));
  EXPECT_EQ(indexOfString({"a", "b"}, "b"), 1);
  EXPECT_EQ(indexOfString({"a", "b"}, "c"), -1);
}
