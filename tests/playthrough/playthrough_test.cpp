// The whole game as a player meets it: each script in scripts/ runs the real
// binary from a fresh copy of its working folder in a private X server,
// driven by xdotool. Screenshots of the last run stay in
// build/screenshots/playthrough/<script>/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "play_runner.h"
#include "play_script.h"

namespace fs = std::filesystem;

namespace {
const fs::path here = fs::path(BRASSWICK_SOURCE_DIR) / "tests" / "playthrough";

std::vector<std::string> scriptFiles() {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(here / "scripts"))
    if (e.path().extension() == ".play") out.push_back(e.path().string());
  std::sort(out.begin(), out.end());
  return out;
}

PlayOptions optionsFor(const std::string& name) {
  PlayOptions o;
  o.gameDir = BRASSWICK_GAME_DIR;
  o.sourceDir = BRASSWICK_SOURCE_DIR;
  o.screenshotDir = (fs::path(PLAYTHROUGH_SCREENSHOT_DIR) / name).string();
  o.timeScale = PLAYTHROUGH_TIME_SCALE;
  return o;
}

PlayResult play(const std::string& path, bool keepFailedFolder = true) {
  Script script = loadScript(path);
  PlayOptions options = optionsFor(script.name);
  options.keepFailedFolder = keepFailedFolder;
  PlayResult r = runScript(script, options);
  std::cout << "[ playthrough ] " << script.name << ": " << (r.passed ? "passed" : "FAILED") << " in " << r.seconds
            << " s, " << r.screenshots << " screenshots" << std::endl;
  return r;
}

class PlaythroughScript : public ::testing::TestWithParam<std::string> {};

TEST_P(PlaythroughScript, PlaysThrough) {
  PlayResult r = play(GetParam());
  EXPECT_TRUE(r.passed) << r.failure;
}

INSTANTIATE_TEST_SUITE_P(Scripts, PlaythroughScript, ::testing::ValuesIn(scriptFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = fs::path(info.param).stem().string();
                           std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });

// A broken game must fail the script at the step that waited, naming the log
// line it waited for: the options button here is clicked where no button is,
// as a button that no longer switches would behave.
TEST(PlaythroughHarness, FailsAtTheStepWhoseSwitchNeverComes) {
  PlayResult r = play((here / "broken" / "button_that_never_switches.play").string(), false);
  ASSERT_FALSE(r.passed);
  std::cout << "The deliberate break reads:\n" << r.failure << std::endl;
  EXPECT_NE(r.failure.find("button_that_never_switches.play line 16 (step 10 of 13: wait-log switching to options)"),
            std::string::npos)
      << r.failure;
  const std::string waited = "waited " + std::to_string(3 * PLAYTHROUGH_TIME_SCALE) + " s";
  EXPECT_NE(r.failure.find(waited + " for a log line containing \"switching to options\"; none came"), std::string::npos)
      << r.failure;
  // What did come is listed: the click reached the game and was logged.
  EXPECT_NE(r.failure.find("mouse-pressing 1"), std::string::npos) << r.failure;
}

// Each other kind of check fails its script too, at its own step, saying
// what it expected and what it found.
struct Break {
  const char* script;
  std::vector<std::string> said;  // each in the failure
};

void PrintTo(const Break& b, std::ostream* os) { *os << b.script; }

class PlaythroughBreak : public ::testing::TestWithParam<Break> {};

TEST_P(PlaythroughBreak, FailsAtTheStepThatChecks) {
  const Break& b = GetParam();
  PlayResult r = play((here / "broken" / (std::string(b.script) + ".play")).string(), false);
  ASSERT_FALSE(r.passed);
  std::cout << "The deliberate break reads:\n" << r.failure << std::endl;
  for (const std::string& text : b.said) EXPECT_NE(r.failure.find(text), std::string::npos) << text << "\n" << r.failure;
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, PlaythroughBreak,
    ::testing::Values(
        // A pixel of the wrong colour: the probe's line, where, what it found and what it wanted.
        Break{"wrong_pixel",
              {"wrong_pixel.play line 12 (step 6 of 9: screenshot main_menu_again)",
               "the screen did not show what the probes expect", "line 13: (5, 5) is ", "expected 3060c0 within 8",
               "-mismatch.png"}},
        // A line missing from a file: the file, the line and what the file holds.
        Break{"missing_line",
              {"missing_line.play line 13 (step 7 of 10: expect-line profiles/profile0/global/tutorial.mgrlt",
               "profiles/profile0/global/tutorial.mgrlt has no line \"99 (never reached)\"; it holds:",
               "13 (entered the first puzzle)"}},
        // An error.txt left by a run that exited cleanly: the run's wait-exit and the error's text.
        Break{"leftover_error_file",
              {"leftover_error_file.play line 14 (step 8 of 9: wait-exit)", "the game exited but wrote error.txt:",
               "ERROR: a check failed"}}),
    [](const ::testing::TestParamInfo<Break>& info) { return std::string(info.param.script); });

TEST(PlaythroughHarness, ReadsStepsAndRejectsWhatItCannotRun) {
  Script good = parseScript("s", "start   # the game\nwait-log \"switching to main_menu\"\nscreenshot menu\n"
                                 "  pixel 1 2 e1c695\n  pixel-not 3 4 000000 20\nexpect-line \"a b/c.txt\" x  y\n");
  ASSERT_EQ(good.error, "");
  ASSERT_EQ(good.steps.size(), 4u);
  EXPECT_EQ(good.steps[0].text, "start   # the game");
  EXPECT_EQ(good.steps[1].rest, "switching to main_menu");
  ASSERT_EQ(good.steps[2].probes.size(), 2u);
  EXPECT_EQ(good.steps[2].probes[0].colour, 0xe1c695u);
  EXPECT_EQ(good.steps[2].probes[1].line, 5);
  EXPECT_TRUE(good.steps[2].probes[1].negate);
  EXPECT_EQ(good.steps[2].probes[1].tolerance, 20);
  EXPECT_EQ(good.steps[3].args, (std::vector<std::string>{"a b/c.txt", "x", "y"}));

  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"start\njump 1 2\n", "line 2 \"jump 1 2\": unknown step \"jump\""},
      {"pixel 1 2 ffffff\n", "line 1 \"pixel 1 2 ffffff\": a pixel probe follows a screenshot"},
      {"screenshot a\npixel 1 2 fff\n", "line 2 \"pixel 1 2 fff\": a colour is six hex digits, RRGGBB"},
      {"click 10\n", "line 1 \"click 10\": \"click\" takes 2 arguments"},
      {"wait-log\n", "line 1 \"wait-log\": \"wait-log\" needs an argument"},
  };
  for (const Case& c : cases) EXPECT_EQ(parseScript("s", c.text).error, c.error) << c.text;
}
}  // namespace
