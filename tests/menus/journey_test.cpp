// The whole game from a fresh working folder, in a real window with injected
// input, as a player meets it: the intro (skipped by key and by click), the
// first puzzle, then the select board with its reveal after the first win,
// the main menu, options, profiles, extras and notes. Runs in a child
// process since the game's loop owns the window; the child notes what it
// sees in observed.txt and the switches land in log.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "menu_fixture.h"
#include "shell_ui/fixture.h"
#include "menus/cutscene_state.h"
#include "menus/extras_state.h"
#include "menus/main_menu_state.h"
#include "menus/menu_screen.h"
#include "menus/notes_state.h"
#include "menus/options_state.h"
#include "menus/profile_reset_state.h"
#include "menus/profile_select_state.h"
#include "menus/puzzle_select_state.h"
#include "puzzles/puzzle_services.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "app/game_main.h"
#include "shell/input.h"
#include "app/startup.h"
#include "shell/video_settings.h"

namespace {

// Every button the screen under test offers, the menu column included.
ButtonList buttonsOf(GameState* s) {
  ButtonList list;
  auto add = [&list](const ButtonList& more) { list.insert(list.end(), more.begin(), more.end()); };
  const SDL_Rect& screen = s->viewport().screen;
  if (auto* p = dynamic_cast<PuzzleSelectState*>(s)) add(p->buildButtons());
  if (auto* o = dynamic_cast<OptionsState*>(s)) add(o->buttons());
  if (auto* r = dynamic_cast<ProfileResetState*>(s)) add(r->buttons());
  if (auto* e = dynamic_cast<ExtrasState*>(s)) add(e->buttons());
  if (auto* n = dynamic_cast<NotesState*>(s)) add(n->buttons());
  if (dynamic_cast<MainMenuState*>(s) || dynamic_cast<OptionsState*>(s) || dynamic_cast<ProfileSelectState*>(s) ||
      dynamic_cast<ProfileResetState*>(s) || dynamic_cast<ExtrasState*>(s))
    add(MenuScreen(0).buildButtons(screen));
  return list;
}

void pointAt(int x, int y) { pushMouseMotion(x, y); }

void mouse(int x, int y, bool down) {
  pushMouseMotion(x, y);
  pushMouseButton(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y);
}

void clickAt(int x, int y) {
  mouse(x, y, true);
  mouse(x, y, false);
}

bool clickId(GameLoop& loop, int id) {
  ButtonList list = buttonsOf(loop.current());
  if (!hasButton(list, id)) return false;
  SDL_Rect r = buttonRect(list, id);
  clickAt(r.x + r.w / 2, r.y + r.h / 2);
  return true;
}

void tap(SDL_Scancode sc) {
  pushKey(SDL_KEYDOWN, sc);
  pushKey(SDL_KEYUP, sc);
}

bool settled(GameLoop& loop, const std::string& name) {
  GameState* s = loop.current();
  return s->name() == name && s->fadeTimer == 0 && !s->pendingNext;
}

// A script of steps; each runs after a frame until it says it is done. A step
// that waits longer than its frame budget ends the run as a failure.
struct Script {
  std::vector<std::pair<std::string, std::function<bool(GameLoop&)>>> steps;
  size_t at = 0;
  int framesInStep = 0;
  std::ofstream* obs = nullptr;

  void add(std::string what, std::function<bool(GameLoop&)> step) { steps.emplace_back(std::move(what), std::move(step)); }
  bool operator()(GameLoop& loop) {
    // From the first frame on (the video is up) the game hears only the script: the
    // pointer entering the window as it toggles its mode would come in as a real move.
    if (at == 0 && framesInStep == 0) ignoreDisplayInput();
    if (at >= steps.size()) return false;
    if (++framesInStep > 600) {
      *obs << "stuck " << steps[at].first << " on " << loop.current()->name() << std::endl;
      return false;
    }
    if (steps[at].second(loop)) {
      *obs << "done " << steps[at].first << std::endl;
      ++at;
      framesInStep = 0;
    }
    return at < steps.size();
  }
};

// Waits until the named screen takes input; then acts once.
std::function<bool(GameLoop&)> on(const std::string& name, std::function<void(GameLoop&)> act) {
  return [name, act](GameLoop& loop) {
    if (!settled(loop, name)) return false;
    act(loop);
    return true;
  };
}

std::function<bool(GameLoop&)> wait(int frames) {
  auto left = std::make_shared<int>(frames);
  return [left](GameLoop&) { return --*left <= 0; };
}

class CountingSounds : public SoundBackend {
 public:
  void playSound(int soundId, float) override { ++played[soundId]; }
  std::map<int, int> played;
};

[[noreturn]] void playTheGame() {
  std::ofstream obs("observed.txt");
  ManualClock clock(50000);
  auto sounds = std::make_shared<CountingSounds>();
  musicManager().setBackend(sounds);
  auto clicksBefore = std::make_shared<int>(0);
  const std::string editor = "neutral";  // the idle editor

  // First run: a fresh folder starts on the intro.
  Script first;
  first.obs = &obs;
  first.add("intro", on("intro", [&](GameLoop& loop) {
              obs << "start " << loop.current()->name() << std::endl;
              saveStateScreenshot(loop.renderer(), loop.current(), "journey_intro");
            }));
  auto nextStart = std::make_shared<Tick>(0);
  first.add("skip by key", [&, nextStart](GameLoop& loop) {
    auto* c = dynamic_cast<CutsceneState*>(loop.current());
    *nextStart = c->panels()[2]->times.start;
    tap(SDL_SCANCODE_SPACE);
    return true;
  });
  first.add("skipped by key", [&, nextStart](GameLoop& loop) {
    auto* c = dynamic_cast<CutsceneState*>(loop.current());
    obs << "key-skip " << (c->panels()[2]->times.start < *nextStart) << std::endl;
    *nextStart = c->panels()[4]->times.start;
    pointAt(500, 400);
    clickAt(500, 400);
    return true;
  });
  first.add("skipped by click", [&, nextStart](GameLoop& loop) {
    auto* c = dynamic_cast<CutsceneState*>(loop.current());
    obs << "click-skip " << (c->panels()[4]->times.start < *nextStart) << std::endl;
    return true;
  });
  first.add("to the first puzzle", [&](GameLoop& loop) {
    if (settled(loop, editor)) return true;
    if (loop.current()->name() == "intro" && loop.current()->fadeTimer == 0) clickAt(500, 400);
    return false;
  });
  first.add("first puzzle", [&](GameLoop& loop) {
    obs << "puzzle " << loop.current()->name() << std::endl;
    return true;
  });

  GameOptions options;
  options.splashMinimumMs = 0;
  options.afterFrame = std::ref(first);
  runGame(options);
  if (first.at < first.steps.size()) std::exit(3);

  // What the first puzzle's editor does before the player goes back: it
  // marks the first puzzle as entered, remembers it, and records the win.
  markTutorialSeen(13);
  saveLastPuzzle(17);
  recordPuzzleResult(17, 3, 1);

  Script second;
  second.obs = &obs;
  second.add("select board", [&](GameLoop& loop) {
    auto* s = dynamic_cast<PuzzleSelectState*>(loop.current());
    obs << "restart " << loop.current()->name() << " " << (s ? s->board() : -9) << " "
        << (s && !s->revealTimes().empty()) << std::endl;
    return true;
  });
  second.add("reveal drawn", wait(140));
  second.add("back", on("puzzle_select", [&](GameLoop& loop) {
               saveStateScreenshot(loop.renderer(), loop.current(), "journey_select_after_first_win");
               clickId(loop, 51);
             }));
  second.add("options", on("main_menu", [&](GameLoop& loop) {
               obs << "remembered " << dynamic_cast<MainMenuState*>(loop.current())->rememberedBoard() << std::endl;
               clickId(loop, 53);
             }));
  second.add("borderless", on("options", [&](GameLoop& loop) { clickId(loop, 62); }));
  second.add("settle", wait(5));
  second.add("bordered", on("options", [&](GameLoop& loop) {
               obs << "borderless " << windowModeText(loop.window()) << std::endl;
               obs << "file-borderless " << loadVideoSettings().borderless << std::endl;
               clickId(loop, 61);
             }));
  second.add("settle", wait(5));
  second.add("fullscreen", on("options", [&](GameLoop& loop) {
               obs << "bordered " << windowModeText(loop.window()) << std::endl;
               clickId(loop, 59);
             }));
  second.add("settle", wait(12));
  second.add("resolution step", on("options", [&](GameLoop& loop) {
               auto* o = dynamic_cast<OptionsState*>(loop.current());
               obs << "fullscreen " << windowModeText(loop.window()) << " " << o->resolutions().resolutions.size()
                   << std::endl;
               ResolutionFile f = loadVideoSettings();
               obs << "file-before-step " << f.fullscreenWidth << "x" << f.fullscreenHeight << std::endl;
               // Step to the other entry, whichever way it lies.
               if (!clickId(loop, 39)) clickId(loop, 38);
             }));
  second.add("settle", wait(12));
  second.add("windowed", on("options", [&](GameLoop& loop) {
               obs << "stepped " << windowModeText(loop.window()) << std::endl;
               ResolutionFile f = loadVideoSettings();
               obs << "file-fullscreen " << f.fullscreenWidth << "x" << f.fullscreenHeight << std::endl;
               clickId(loop, 60);
             }));
  second.add("settle", wait(12));
  second.add("sound slider", on("options", [&](GameLoop& loop) {
               obs << "windowed " << windowModeText(loop.window()) << std::endl;
               auto* o = dynamic_cast<OptionsState*>(loop.current());
               GeoRect track = o->soundSlider.layout(o->soundSliderAnchor().x, o->soundSliderAnchor().y).track();
               mouse(track.x + 2, track.y + 3, true);
             }));
  second.add("sound drag", [&](GameLoop& loop) {
    auto* o = dynamic_cast<OptionsState*>(loop.current());
    GeoRect track = o->soundSlider.layout(o->soundSliderAnchor().x, o->soundSliderAnchor().y).track();
    pointAt(track.x + track.w + 8, track.y + 3);  // past the end of the track
    return true;
  });
  second.add("sound dragged", wait(3));
  second.add("sound released", [&](GameLoop& loop) {
    auto* o = dynamic_cast<OptionsState*>(loop.current());
    GeoRect track = o->soundSlider.layout(o->soundSliderAnchor().x, o->soundSliderAnchor().y).track();
    *clicksBefore = sounds->played[ClickButton];
    mouse(track.x + track.w + 8, track.y + 3, false);
    return true;
  });
  second.add("music down", on("options", [&](GameLoop& loop) {
               obs << "sound " << musicManager().soundVolume << std::endl;
               obs << "clicks-on-release " << sounds->played[ClickButton] - *clicksBefore << std::endl;
               auto* o = dynamic_cast<OptionsState*>(loop.current());
               ButtonList steps = o->musicSlider.stepButtons(o->musicSliderAnchor().x, o->musicSliderAnchor().y);
               SDL_Rect r = buttonRect(steps, 25);
               clickAt(r.x + r.w / 2, r.y + r.h / 2);
             }));
  second.add("profiles", on("options", [&](GameLoop& loop) {
               obs << "music " << musicManager().musicVolume << std::endl;
               saveStateScreenshot(loop.renderer(), loop.current(), "journey_options_windowed");
               tap(SDL_SCANCODE_ESCAPE);
             }));
  second.add("to profiles", on("main_menu", [&](GameLoop& loop) { clickId(loop, 54); }));
  second.add("switch", on("profile_select", [&](GameLoop& loop) {
               auto* p = dynamic_cast<ProfileSelectState*>(loop.current());
               GeoRect r = p->entries()[1].rect;
               clickAt(r.x + 30, r.y + 30);
             }));
  second.add("switch back", on("profile_select", [&](GameLoop& loop) {
               obs << "active " << activeProfile << std::endl;
               auto* p = dynamic_cast<ProfileSelectState*>(loop.current());
               GeoRect r = p->entries()[0].rect;
               clickAt(r.x + 30, r.y + 30);
             }));
  second.add("press reset", on("profile_select", [&](GameLoop& loop) {
               obs << "active-again " << activeProfile << std::endl;
               auto* p = dynamic_cast<ProfileSelectState*>(loop.current());
               SDL_Rect r = p->resetButtons()[1].hitRect();
               mouse(r.x + r.w / 2, r.y + r.h / 2, true);
             }));
  second.add("release on reset", on("profile_reset", [&](GameLoop& loop) {
               auto* p = dynamic_cast<ProfileResetState*>(loop.current());
               SDL_Rect r = buttonRect(p->buttons(), 63);
               mouse(r.x + r.w / 2, r.y + r.h / 2, false);  // over Reset: must not press it
             }));
  second.add("settle", wait(5));
  second.add("confirm reset", on("profile_reset", [&](GameLoop& loop) {
               obs << "still-asking " << loop.current()->name() << std::endl;
               saveStateScreenshot(loop.renderer(), loop.current(), "journey_profile_reset");
               clickId(loop, 63);
             }));
  second.add("extras", on("profile_select", [&](GameLoop& loop) {
               obs << "reset-done " << loop.current()->name() << std::endl;
               clickId(loop, 55);
             }));
  second.add("earn the ending", on("extras", [&](GameLoop& loop) {
               obs << "extras-before " << buttonsOf(loop.current()).size() << std::endl;
               recordPuzzleResult(15, 20, 500);  // the basic ending's puzzle
             }));
  second.add("notes", on("extras", [&](GameLoop& loop) {
               obs << "extras-after " << hasButton(buttonsOf(loop.current()), 66) << hasButton(buttonsOf(loop.current()), 68)
                   << hasButton(buttonsOf(loop.current()), 67) << std::endl;
               clickId(loop, 68);
             }));
  for (int i = 0; i < 2; ++i) second.add("next page", on("notes", [](GameLoop&) { tap(SDL_SCANCODE_RIGHT); }));
  second.add("previous page", on("notes", [&](GameLoop& loop) {
               obs << "page " << dynamic_cast<NotesState*>(loop.current())->page() << std::endl;
               tap(SDL_SCANCODE_LEFT);
             }));
  second.add("notes back", on("notes", [&](GameLoop& loop) {
               obs << "page-back " << dynamic_cast<NotesState*>(loop.current())->page() << std::endl;
               tap(SDL_SCANCODE_ESCAPE);
             }));
  second.add("replay", on("extras", [&](GameLoop& loop) { clickId(loop, 65); }));
  second.add("leave replay", on("intro", [](GameLoop&) { tap(SDL_SCANCODE_ESCAPE); }));
  second.add("credits", on("extras", [&](GameLoop& loop) { clickId(loop, 69); }));
  second.add("credits shown", on(editor, [&](GameLoop& loop) {
               obs << "credits " << loop.current()->name() << std::endl;
             }));
  options.afterFrame = std::ref(second);
  runGame(options);
  obs << "finished " << (second.at == second.steps.size()) << std::endl;
  std::exit(second.at == second.steps.size() ? 0 : 4);
}

TEST(Journey, FromAFreshFolderThroughEveryMenuScreen) {
  TempWorkingDir dir;
  linkGameFolder();
  writeWholeFile("settings/resolution.txt", "Fullscreen: 1024x768\nWindowed: 1024x768\nwindowed\nbordered\n");
  EXPECT_EXIT(playTheGame(), ::testing::ExitedWithCode(0), "");
  auto obs = readObservations();
  SCOPED_TRACE("observed:\n" + readWholeFile("observed.txt"));
  EXPECT_EQ(obs["start"], "intro");
  EXPECT_EQ(obs["key-skip"], "1");
  EXPECT_EQ(obs["click-skip"], "1");
  EXPECT_EQ(obs["restart"], "puzzle_select 0 1");  // the select board, with the reveal
  EXPECT_EQ(obs["remembered"], "0");
  EXPECT_EQ(obs["borderless"], "windowed borderless 1024x768");
  EXPECT_EQ(obs["file-borderless"], "1");
  EXPECT_EQ(obs["bordered"], "windowed bordered 1024x768");
  EXPECT_EQ(obs["fullscreen"].rfind("fullscreen ", 0), 0u) << obs["fullscreen"];
  EXPECT_EQ(obs["stepped"].rfind("fullscreen ", 0), 0u) << obs["stepped"];
  EXPECT_NE(obs["file-fullscreen"], obs["file-before-step"]);  // the step was saved
  EXPECT_EQ(obs["windowed"], "windowed bordered 1024x768");
  EXPECT_EQ(obs["sound"], "100");
  EXPECT_EQ(obs["music"], "49");
  // Both volumes are kept in their files.
  EXPECT_EQ(readWholeFile("settings/sound.txt"), "100");
  EXPECT_EQ(readWholeFile("settings/music.txt"), "49");
  EXPECT_EQ(obs["clicks-on-release"], "1");
  EXPECT_EQ(obs["active"], "1");
  EXPECT_EQ(obs["active-again"], "0");
  EXPECT_EQ(obs["still-asking"], "profile_reset");
  EXPECT_EQ(obs["reset-done"], "profile_select");
  EXPECT_EQ(obs["extras-after"], "110");
  EXPECT_EQ(obs["page"], "2");
  EXPECT_EQ(obs["page-back"], "1");
  EXPECT_EQ(obs["finished"], "1");
  EXPECT_EQ(obs.count("stuck"), 0u) << obs["stuck"];

  // The screens in the order the player met them.
  std::vector<std::string> seen;
  std::istringstream log(readWholeFile("log.txt"));
  std::string line;
  while (std::getline(log, line)) {
    auto at = line.find(": switching to ");
    if (at != std::string::npos) seen.push_back(line.substr(at + 15));
  }
  const std::string editor = obs["puzzle"];
  const std::vector<std::string> expected{
      editor,  "main_menu", "options", "options", "options", "options", "main_menu", "profile_select",
      "profile_select", "profile_select", "profile_reset", "profile_select", "extras", "notes", "notes", "notes",
      "notes", "extras", "intro", "extras", editor};
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(std::filesystem::exists("error.txt"));
}

}  // namespace
