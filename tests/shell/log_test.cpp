#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "base/log.h"
#include "support/temp_dir.h"

TEST(Log, LinesAreTimeStampedAndAppendedInOrder) {
  TempWorkingDir dir;
  logLine("first");
  logLine("second");
  std::string text = readWholeFile("log.txt");
  EXPECT_TRUE(std::regex_match(text, std::regex("[0-9]+: first\n[0-9]+: second\n"))) << text;
  logLine("third");
  EXPECT_EQ(readWholeFile("log.txt").rfind(text, 0), 0u) << "log.txt only grows";
}

TEST(Log, ErrorLineFormat) {
  EXPECT_EQ(errorLineText(1234, "boom"), "1234: VERSION: 1.0.0 ERROR: boom");
}

TEST(Log, EnsureFailureWritesErrorFileAndReachesHandler) {
  TempWorkingDir dir;
  EXPECT_NO_THROW(ensure(true, "never"));
  EXPECT_EQ(readWholeFile("error.txt"), "");
  EXPECT_THROW(ensure(false, "bad thing"), FatalErrorException);
  std::string text = readWholeFile("error.txt");
  EXPECT_TRUE(std::regex_match(text, std::regex("[0-9]+: VERSION: 1\\.0\\.0 ERROR: bad thing\n"))) << text;
}

TEST(Log, FatalErrorOnAWorkerIsCapturedForTheMainThread) {
  TempWorkingDir dir;
  std::optional<std::string> captured;
  std::thread worker([&] { captured = captureFatalErrors([] { fatalError("worker failed"); }); });
  worker.join();
  ASSERT_TRUE(captured.has_value());
  EXPECT_EQ(*captured, "worker failed");
  // The main thread reports it; the worker never touched error.txt.
  EXPECT_EQ(readWholeFile("error.txt"), "");
  EXPECT_FALSE(captureFatalErrors([] {}).has_value());
}
