// The whole game run in a fixture working folder, in a child process: start-up,
// splash, first state, screenshot, window modes, quit, and the fatal path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <SDL_image.h>

#include "fixture.h"
#include "probe_state.h"
#include "shell/crash_screen.h"
#include "shell/fonts.h"
#include "app/game_main.h"
#include "shell/input.h"
#include "app/startup.h"
#include "shell/text_item.h"
#include "shell/video_settings.h"

namespace {

namespace fs = std::filesystem;

// The child: runs the game and notes what it sees in observed.txt (flushed
// line by line, since the run ends with exit()).
[[noreturn]] void playThroughMenu() {
  std::ofstream obs("observed.txt");
  int frame = 0;
  GameOptions options;
  options.afterFrame = [&](GameLoop& loop) {
    ++frame;
    SDL_Window* w = loop.window();
    switch (frame) {
      case 1:
        obs << "splash " << (ticksNow() - splashTick) << std::endl;
        obs << "state " << loop.current()->name() << std::endl;
        obs << "start " << windowModeText(w) << std::endl;
        pushKey(SDL_KEYDOWN, SDL_SCANCODE_PRINTSCREEN);
        pushKey(SDL_KEYUP, SDL_SCANCODE_PRINTSCREEN);
        break;
      case 3:
        obs << "screenshot " << fs::exists("screenshot.bmp") << std::endl;
        clickScreenButton(loop, 53);  // options
        break;
      case 5:
        obs << "options " << loop.current()->name() << std::endl;
        clickScreenButton(loop, 62);  // borderless
        break;
      case 8:
        obs << "borderless " << windowModeText(w) << " " << !isWindowUnflagged(w) << std::endl;
        clickScreenButton(loop, 61);  // bordered again
        break;
      case 13:
        obs << "bordered " << windowModeText(w) << std::endl;
        clickScreenButton(loop, 59);  // fullscreen
        break;
      case 25:
        obs << "fullscreen " << windowModeText(w) << std::endl;
        obs << "file " << loadVideoSettings().fullscreen << std::endl;
        clickScreenButton(loop, 60);  // windowed
        break;
      case 40: {
        obs << "windowed " << windowModeText(w) << std::endl;
        obs << "file " << loadVideoSettings().fullscreen << std::endl;
        SDL_Event quit;
        SDL_zero(quit);
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        break;
      }
      default:
        break;
    }
    return frame < 400;  // a run that never sees its quit fails below
  };
  int code = runGame(options);
  obs << "frames " << frame << std::endl;
  std::exit(frame < 400 ? code : 3);
}

TEST(GameRun, StartsInTheStoredModeTogglesWindowModesAndQuits) {
  TempWorkingDir dir;
  writeFixtureWorkingFolder();
  writeIntroSeen();
  writeWholeFile("settings/resolution.txt",
                 "Fullscreen: 1280x1024\nWindowed: 1100x800\nwindowed\nbordered\n");
  EXPECT_EXIT(playThroughMenu(), ::testing::ExitedWithCode(0), "");
  auto obs = readObservations();
  EXPECT_GE(std::stoi(obs["splash"]), 2000);
  EXPECT_EQ(obs["state"], "main_menu");
  EXPECT_EQ(obs["options"], "options");
  EXPECT_EQ(obs["start"], "windowed bordered 1100x800");
  EXPECT_EQ(obs["screenshot"], "1");
  EXPECT_EQ(obs["borderless"], "windowed borderless 1100x800 1");
  EXPECT_EQ(obs["bordered"], "windowed bordered 1100x800");
  EXPECT_EQ(obs["fullscreen"].rfind("fullscreen ", 0), 0u) << obs["fullscreen"];
  EXPECT_EQ(obs["windowed"], "windowed bordered 1100x800");
  EXPECT_EQ(obs["file"], "0");
  EXPECT_EQ(readWholeFile("settings/resolution.txt").substr(0, 41),
            "Fullscreen: 1280x1024\nWindowed: 1100x800\n");
  std::string log = readWholeFile("log.txt");
  EXPECT_NE(log.find(": STARTUP: VERSION 1.0.0\n"), std::string::npos);
  EXPECT_NE(log.find(": switching to options\n"), std::string::npos);
  EXPECT_NE(log.find(": pressing 70\n"), std::string::npos);
  EXPECT_TRUE(fs::exists("screenshot.bmp"));
  EXPECT_FALSE(fs::exists("error.txt"));
}

TEST(GameRun, QuitButtonEndsTheRunWithExitCodeZero) {
  TempWorkingDir dir;
  writeFixtureWorkingFolder();
  writeIntroSeen();
  auto run = [] {
    GameOptions options;
    options.splashMinimumMs = 0;
    int frame = 0;
    options.afterFrame = [&](GameLoop& loop) {
      if (++frame == 2) clickScreenButton(loop, 57);
      return frame < 200;
    };
    std::exit(runGame(options) == 0 && frame < 200 ? 0 : 3);
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
}

// A state that fails on its first update while drawing into a texture.
class FailingState : public ProbeState {
 public:
  using ProbeState::ProbeState;
  void update(int) override {
    SDL_Renderer* r = errorScreen()->renderer;
    SDL_Texture* target =
        SDL_CreateTexture(r, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_TARGET, 64, 64);
    SDL_SetRenderTarget(r, target);
    // The player presses a key well after the crash; the log shows the run
    // was still waiting for it.
    SDL_AddTimer(
        600,
        [](Uint32, void*) -> Uint32 {
          logLine("test: pressing shift, then A");
          pushKey(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT);  // modifiers never close it
          pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
          return 0;
        },
        nullptr);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_B);  // too early: dropped
    fatalError("the machine caught fire");
  }
};

TEST(GameRun, FatalErrorShowsTheCrashScreenAndExitsNonZero) {
  TempWorkingDir dir;
  writeFixtureWorkingFolder();
  auto run = [] {
    GameOptions options;
    options.splashMinimumMs = 0;
    options.firstState = [](const Viewport& v) -> GameState* {
      return new FailingState("failing", v, std::make_shared<ProbeLog>());
    };
    options.afterFrame = [](GameLoop&) {
      std::printf("crash screen never showed\n");
      std::exit(3);
      return false;
    };
    std::exit(runGame(options));
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(255), "");
  // It waited for the key the timer pressed after the crash: the early key
  // did not close it, or the run would have ended before the timer logged.
  const std::string log = readWholeFile("log.txt");
  const auto shown = log.find(": Showing the crash screen\n");
  ASSERT_NE(shown, std::string::npos) << log;
  EXPECT_NE(log.find(": test: pressing shift, then A\n", shown), std::string::npos) << log;
  std::string error = readWholeFile("error.txt");
  EXPECT_NE(error.find(": VERSION: 1.0.0 ERROR: the machine caught fire\n"), std::string::npos)
      << error;
}

TEST(GameRun, FatalErrorBeforeTheFontsExitsAtOnce) {
  for (const char* missing : {"art/Icon256.png", "art/fmod.png", "fonts/FuturaLT.ttf", "fonts/FuturaLT-Bold.ttf"}) {
    TempWorkingDir dir;
    writeFixtureWorkingFolder();
    removeFixtureFile(missing);
    EXPECT_EXIT(std::exit(runGame()), ::testing::ExitedWithCode(255), "Fatal error: ") << missing;
    std::string error = readWholeFile("error.txt");
    EXPECT_NE(error.find(" ERROR: "), std::string::npos) << missing;
    EXPECT_NE(error.find(missing), std::string::npos) << error;
  }
}

// The crash screen draws with the title and body faces only: a missing font
// further down the table still gets the screen, which waits for the player.
TEST(GameRun, AMissingFontTheCrashScreenDoesNotUseStillShowsIt) {
  for (const char* missing : {"fonts/chawp.ttf", "fonts/mplus-1m-medium.ttf"}) {
    SCOPED_TRACE(missing);
    TempWorkingDir dir;
    writeFixtureWorkingFolder();
    removeFixtureFile(missing);
    auto run = [] {
      // The player closes the window once the crash screen shows; the log
      // line says the run was still waiting then.
      std::thread([] {
        while (readWholeFile("log.txt").find(": Showing the crash screen\n") == std::string::npos) SDL_Delay(10);
        logLine("test: closing the window");
        for (;;) {
          SDL_Event quit;
          SDL_zero(quit);
          quit.type = SDL_QUIT;
          SDL_PushEvent(&quit);
          SDL_Delay(100);
        }
      }).detach();
      std::exit(runGame());
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(255), "");
    const std::string log = readWholeFile("log.txt");
    const auto shown = log.find(": Showing the crash screen\n");
    ASSERT_NE(shown, std::string::npos) << log;
    EXPECT_NE(log.find(": test: closing the window\n", shown), std::string::npos) << log;
    EXPECT_NE(readWholeFile("error.txt").find(missing), std::string::npos);
  }
}

TEST(GameRun, StartupFailureExitsNonZero) {
  TempWorkingDir dir;
  writeFixtureWorkingFolder();
  auto run = [] {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    std::exit(runGame());
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(1), "");
}

class CrashScreenTest : public SdlTest {};

TEST_F(CrashScreenTest, RenderResetsTheTargetAndDrawsTheText) {
  errorScreen()->renderer = renderer;
  errorScreen()->message = "Loading exe icon: SDL ERROR (gone)";
  EXPECT_NE(errorScreen()->bodyText().find("\n \nERROR: Loading exe icon: SDL ERROR (gone)\n \n"),
            std::string::npos);
  EXPECT_NE(errorScreen()->bodyText().find("VERSION: 1.0.0"), std::string::npos);
  EXPECT_EQ(errorScreen()->bodyText().substr(errorScreen()->bodyText().size() - 22),
            "Press any key to exit.");
  SDL_Texture* target =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_TARGET, 64, 64);
  SDL_SetRenderTarget(renderer, target);
  errorScreen()->render();
  EXPECT_EQ(SDL_GetRenderTarget(renderer), nullptr);
  // "Crash!" in light grey above the centre.
  bool lit = false;
  for (int x = 462; x < 562 && !lit; ++x)
    for (int y = 114; y < 150 && !lit; ++y) lit = pixelAt(x, y).r > 200;
  EXPECT_TRUE(lit);
  SDL_DestroyTexture(target);
  errorScreen()->renderer = nullptr;
}

TEST_F(CrashScreenTest, DrawsWithItsTwoFontsAlone) {
  for (int id = 0; id < fontCount; ++id) {
    if (id == 1 || id == 3 || !openFonts[size_t(id)]) continue;
    TTF_CloseFont(openFonts[size_t(id)]);
    openFonts[size_t(id)] = nullptr;
  }
  textTextureCache.clear();
  errorScreen()->renderer = renderer;
  errorScreen()->message = "Loading font fonts/chawp.ttf: SDL ERROR (Couldn't open fonts/chawp.ttf)";
  errorScreen()->render();
  std::filesystem::create_directories(BRASSWICK_GAME_DIR "/../screenshots/shell");
  SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, 1024, 768, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels, shot->pitch);
  IMG_SavePNG(shot, BRASSWICK_GAME_DIR "/../screenshots/shell/crash_screen_two_fonts.png");
  SDL_FreeSurface(shot);
  // Title above the centre, body text below it.
  auto litIn = [&](int x0, int x1, int y0, int y1) {
    for (int x = x0; x < x1; ++x)
      for (int y = y0; y < y1; ++y)
        if (pixelAt(x, y).r > 200) return true;
    return false;
  };
  EXPECT_TRUE(litIn(462, 562, 114, 150));
  EXPECT_TRUE(litIn(262, 762, 170, 400));
  errorScreen()->renderer = nullptr;
  textTextureCache.clear();
}

TEST_F(CrashScreenTest, KeepShowingRules) {
  ManualClock clock(5000);
  ErrorScreen& s = *errorScreen();
  s.crashTick = 5000;
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  clock.advance(100);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);  // within 300 ms: dropped
  EXPECT_TRUE(s.keepShowing());
  clock.advance(300);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_PRINTSCREEN);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_RCTRL);
  EXPECT_TRUE(s.keepShowing());  // PrintScreen: stays, the rest waits
  EXPECT_TRUE(s.keepShowing());  // Ctrl: stays
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  // A key pushed while polling may arrive one poll later.
  EXPECT_FALSE(s.keepShowing() && s.keepShowing());
  SDL_Event quit;
  SDL_zero(quit);
  quit.type = SDL_QUIT;
  s.crashTick = clock.now();
  SDL_PushEvent(&quit);
  EXPECT_FALSE(s.keepShowing() && s.keepShowing());  // a window close ends it at once
}

TEST(CheckSdl, MessageForm) {
  TempWorkingDir dir;
  SDL_SetError("no such file");
  try {
    checkSdl(false, "Loading exe icon");
    FAIL();
  } catch (const FatalErrorException& e) {
    EXPECT_STREQ(e.what(), "Loading exe icon: SDL ERROR (no such file)");
  }
  EXPECT_NO_THROW(checkSdl(true, "fine"));
  EXPECT_THROW(checkSdlPointer(nullptr, "x"), FatalErrorException);
}

}  // namespace

namespace {

// With the generated art and fonts of the game folder (when they have been
// built), the game starts, draws its first screen and quits cleanly.
TEST(GameRun, StartsWithTheGeneratedMedia) {
  const std::string game = BRASSWICK_GAME_DIR;
  if (!fs::exists(game + "/art/Icon256.png") || !fs::exists(game + "/fonts/FuturaLT.ttf") ||
      !fs::exists(game + "/music/Build/Desktop/Master Bank.bank"))
    GTEST_SKIP() << "no generated media in " << game;
  TempWorkingDir dir;
  for (const char* dir : {"art", "fonts", "music", "puzzle_descriptions", "tests", "initial"})
    fs::create_directory_symlink(game + "/" + dir, dir);
  auto run = [] {
    GameOptions options;
    options.splashMinimumMs = 0;
    int frame = 0;
    options.afterFrame = [&](GameLoop&) {
      if (++frame == 3) {
        pushKey(SDL_KEYDOWN, SDL_SCANCODE_PRINTSCREEN);
        pushKey(SDL_KEYUP, SDL_SCANCODE_PRINTSCREEN);
      }
      if (frame == 6) {
        SDL_Event quit;
        SDL_zero(quit);
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
      }
      return frame < 200;
    };
    std::exit(runGame(options) == 0 && frame < 200 ? 0 : 3);
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(fs::exists("screenshot.bmp"));
  EXPECT_FALSE(fs::exists("error.txt"));
}

}  // namespace

namespace {

class RendererTest : public SdlTest {};

TEST_F(RendererTest, FallsBackToTheSoftwareRendererAndLogsIt) {
  std::vector<Uint32> asked;
  SDL_Renderer* made = nullptr;
  SDL_DestroyRenderer(renderer);
  rendererWindows.erase(renderer);
  renderer = createGameRenderer(window, [&](SDL_Window* w, Uint32 flags) -> SDL_Renderer* {
    asked.push_back(flags);
    if (flags & SDL_RENDERER_ACCELERATED) {
      SDL_SetError("no GPU here");
      return nullptr;
    }
    return made = SDL_CreateRenderer(w, -1, flags);
  });
  ASSERT_NE(renderer, nullptr);
  EXPECT_EQ(renderer, made);
  EXPECT_EQ(asked, (std::vector<Uint32>{SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC,
                                         SDL_RENDERER_SOFTWARE}));
  SDL_RendererInfo info;
  SDL_GetRendererInfo(renderer, &info);
  EXPECT_TRUE(info.flags & SDL_RENDERER_SOFTWARE);
  EXPECT_NE(readWholeFile("log.txt").find(
                ": Accelerated renderer unavailable (no GPU here); using the software renderer\n"),
            std::string::npos);
  registerRendererWindow(renderer, window);
}

TEST_F(RendererTest, AsksForAnAcceleratedVsyncedRendererFirst) {
  int calls = 0;
  SDL_Renderer* r = createGameRenderer(window, [&](SDL_Window*, Uint32 flags) -> SDL_Renderer* {
    ++calls;
    EXPECT_EQ(flags, Uint32(SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
    return renderer;
  });
  EXPECT_EQ(r, renderer);
  EXPECT_EQ(calls, 1);
}

}  // namespace
