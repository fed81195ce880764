// settings/resolution.txt and the window-mode records.
#include <gtest/gtest.h>

#include "fixture.h"
#include "shell/video_settings.h"

namespace {

TEST(VideoSettingsFile, MissingShortAndMalformedFilesReadAsDefaults) {
  TempWorkingDir dir;
  const ResolutionFile defaults;
  EXPECT_EQ(loadVideoSettings(), defaults);  // missing
  struct Case {
    const char* text;
    bool defaultsExpected;
  } cases[] = {
      {"", true},
      {"Fullscreen: 1920x1080\n", true},
      {"Fullscreen: 1920x1080\nWindowed: 1280x720\n", true},
      {"Fullscreen: 1920x1080\nWindowed: 1280x720\nwindowed\n", true},
      {"Fullscreen: 1920x1080\nWindowed: 1280x720\nwindowed", true},
      {"Fullscreen: 1920x1080\nWindowed: 1280x720\nwindowed\nbordered", false},
  };
  for (const Case& c : cases) {
    writeWholeFile("settings/resolution.txt", c.text);
    EXPECT_EQ(loadVideoSettings() == defaults, c.defaultsExpected) << c.text;
  }
}

TEST(VideoSettingsFile, ReadsAllFourLinesWithAnyLineEnds) {
  TempWorkingDir dir;
  for (const char* text : {"Fullscreen: 1920x1080\nWindowed: 1280x720\nwindowed\nborderless\n",
                           "Fullscreen: 1920x1080\r\nWindowed: 1280x720\r\nwindowed\r\nborderless",
                           "Fullscreen: 1920x1080\rWindowed: 1280x720\rwindowed\rborderless\r"}) {
    writeWholeFile("settings/resolution.txt", text);
    ResolutionFile f = loadVideoSettings();
    EXPECT_EQ(f.fullscreenWidth, 1920);
    EXPECT_EQ(f.fullscreenHeight, 1080);
    EXPECT_EQ(f.windowedWidth, 1280);
    EXPECT_EQ(f.windowedHeight, 720);
    EXPECT_FALSE(f.fullscreen);
    EXPECT_TRUE(f.borderless);
  }
}

TEST(VideoSettingsFile, BadNumbersAndWordsFallBackWithoutThrowing) {
  TempWorkingDir dir;
  struct Case {
    const char* text;
    int fw, fh, ww, wh;
    bool fullscreen, borderless;
  } cases[] = {
      // Capital F and unknown words read as windowed and bordered.
      {"Fullscreen: 1920x1080\nWindowed: 1280x720\nFullscreen\nBorderless\n", 1920, 1080, 1280, 720,
       false, false},
      // Too few numbers: 0x0 for that line.
      {"Fullscreen: big\nWindowed: 1280\nfullscreen\nbordered\n", 0, 0, 0, 0, true, false},
      // Numbers that don't fit an int, negative and absurd sizes: unset.
      {"Fullscreen: 99999999999x1080\nWindowed: -1280x-720\nwindowed\nbordered\n", 0, 0, 0, 0,
       false, false},
      {"Fullscreen: 100000x100000\nWindowed: 1280x720\nwindowed\nbordered\n", 0, 0, 1280, 720,
       false, false},
  };
  for (const Case& c : cases) {
    writeWholeFile("settings/resolution.txt", c.text);
    ResolutionFile f;
    EXPECT_NO_THROW(f = loadVideoSettings());
    EXPECT_EQ(f.fullscreenWidth, c.fw) << c.text;
    EXPECT_EQ(f.fullscreenHeight, c.fh) << c.text;
    EXPECT_EQ(f.windowedWidth, c.ww) << c.text;
    EXPECT_EQ(f.windowedHeight, c.wh) << c.text;
    EXPECT_EQ(f.fullscreen, c.fullscreen) << c.text;
    EXPECT_EQ(f.borderless, c.borderless) << c.text;
  }
}

TEST(VideoSettingsFile, SaveReplacesOnlyTheSizeOfTheGivenMode) {
  TempWorkingDir dir;
  writeWholeFile("settings/resolution.txt",
                 "Fullscreen: 1920x1080\nWindowed: 1280x720\nwindowed\nbordered\n");
  saveVideoSettings(true, false, 1500, 900);
  EXPECT_EQ(readWholeFile("settings/resolution.txt"),
            "Fullscreen: 1920x1080\nWindowed: 1500x900\nwindowed\nbordered\n");
  saveVideoSettings(false, true, 1600, 1200);
  EXPECT_EQ(readWholeFile("settings/resolution.txt"),
            "Fullscreen: 1600x1200\nWindowed: 1500x900\nfullscreen\nborderless\n");
}

TEST(VideoSettingsFile, SaveCreatesTheSettingsFolder) {
  TempWorkingDir dir;
  saveVideoSettings(true, false, 1100, 800);
  EXPECT_EQ(readWholeFile("settings/resolution.txt"),
            "Fullscreen: 0x0\nWindowed: 1100x800\nwindowed\nbordered\n");
}

TEST(VideoSettingsFile, SelectPicksTheModeSize) {
  ResolutionFile f{1920, 1080, 1280, 720, false, true};
  EXPECT_EQ(f.select(true), (VideoSettings{1920, 1080, true, true}));
  EXPECT_EQ(f.select(false), (VideoSettings{1280, 720, false, true}));
}

TEST(WindowRecords, BorderlessFlagCountsEntries) {
  auto* w = reinterpret_cast<SDL_Window*>(0x1234);
  EXPECT_TRUE(isWindowUnflagged(w));
  setWindowFlag(w, true);
  setWindowFlag(w, true);
  EXPECT_FALSE(isWindowUnflagged(w));
  setWindowFlag(w, false);
  EXPECT_TRUE(isWindowUnflagged(w));
}

class VideoModeTest : public SdlTest {};

TEST_F(VideoModeTest, FallbacksUseTheDisplay) {
  std::vector<SDL_Rect> modes = listDisplayModes();
  ASSERT_FALSE(modes.empty());
  for (size_t i = 1; i < modes.size(); ++i)
    EXPECT_TRUE(modes[i - 1].w > modes[i].w ||
                (modes[i - 1].w == modes[i].w && modes[i - 1].h > modes[i].h));
  // A stored mode of at least 1024x768 is kept with its border state.
  ResolutionFile f{0, 0, 1100, 800, false, true};
  EXPECT_EQ(resolveVideoMode(false, f), (VideoSettings{1100, 800, false, true}));
  // Too small: the smallest display mode, bordered.
  f = {0, 0, 800, 600, false, true};
  VideoSettings s = resolveVideoMode(false, f);
  EXPECT_EQ(s.width, modes.back().w);
  EXPECT_EQ(s.height, modes.back().h);
  EXPECT_FALSE(s.borderless);
  // No file: fullscreen at the desktop size.
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  s = resolveVideoMode(true, ResolutionFile{});
  EXPECT_EQ(s, (VideoSettings{desktop.w, desktop.h, true, false}));
  EXPECT_EQ(startupVideoSettings(), s);
}

TEST_F(VideoModeTest, RendererWindowRect) {
  EXPECT_EQ(getRendererWindowRect(renderer).w, 1024);
  EXPECT_EQ(getRendererWindowRect(renderer).h, 768);
  SDL_Rect none = getRendererWindowRect(reinterpret_cast<SDL_Renderer*>(0x99));
  EXPECT_EQ(none.w, 0);
}

}  // namespace
