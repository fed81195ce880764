// Cutscenes in a window: skipping by key and click, leaving, the finish
// event, what follows each one, and how every screen of the story looks.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "menu_fixture.h"
#include "menus/cutscene_state.h"
#include "menus/extras_state.h"
#include "menus/puzzle_select_state.h"
#include "playscreens/enter_puzzle.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "shell/text_item.h"

namespace {

class CutsceneScreenTest : public MenuWindowTest {
 protected:
  CutsceneState* cutscene() const { return dynamic_cast<CutsceneState*>(current()); }
  Tick panelStart(size_t i) const { return cutscene()->panels()[i]->times.start; }
  std::string editorName(puzzle_id puzzle) {
    std::unique_ptr<GameState> probe(enterPuzzle(puzzle, ModuleSet(), viewport()));
    return probe->name();
  }
  void pushUserEvent(int code) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_USEREVENT;
    e.user.code = code;
    SDL_PushEvent(&e);
  }
};

TEST_F(CutsceneScreenTest, SkipByKeyAndByClickThenOnToTheFirstPuzzle) {
  start(new CutsceneState(viewport(), ModuleSet(), introCutscene, false));
  EXPECT_EQ(musicManager().requestedTrack, 8);
  EXPECT_EQ(currentName(), "intro");
  frame();
  const size_t count = cutscene()->panels().size();
  ASSERT_EQ(count, 13u);  // six panels with their texts, and the logo
  // Space brings the second line's panel to now.
  pressKey(SDL_SCANCODE_SPACE);
  frame();
  EXPECT_EQ(panelStart(2), ticksNow());
  // Ctrl + Return does not skip.
  const Tick third = panelStart(4);
  holdKey(SDL_SCANCODE_LCTRL, true);
  pressKey(SDL_SCANCODE_RETURN);
  frame();
  EXPECT_EQ(panelStart(4), third);
  holdKey(SDL_SCANCODE_LCTRL, false);
  frame();
  // A click skips too.
  const Tick now = ticksNow() + 16;
  click(500, 400);
  frame();
  EXPECT_EQ(panelStart(4), now);
  // Every other skip key, then clicks until the last panel shows.
  for (SDL_Scancode k : {SDL_SCANCODE_END, SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN}) {
    const Tick before = panelStart(count - 1);
    pressKey(k);
    frame();
    EXPECT_LT(panelStart(count - 1), before) << k;
  }
  while (currentName() == "intro" && panelStart(count - 1) > ticksNow()) {
    click(500, 400);
    frame();
  }
  ASSERT_EQ(currentName(), "intro");
  // Skipping while the last panel shows finishes, with a fade.
  const std::string firstPuzzle = editorName(17);
  click(500, 400);
  frame();
  EXPECT_GT(current()->fadeTimer, 0);
  ASSERT_TRUE(runUntil(firstPuzzle));
  EXPECT_EQ(switches().back(), firstPuzzle);
}

TEST_F(CutsceneScreenTest, OnlyItsOwnFinishEventEndsIt) {
  start(new CutsceneState(viewport(), ModuleSet(), basicEndingCutscene, false));
  pushUserEvent(3);                      // a simulation's code
  pushUserEvent(buttonRefireFlag | 26);  // a button's auto-repeat
  frames(3);
  EXPECT_EQ(currentName(), "intro");
  pushUserEvent(cutsceneFinishedCode);
  frame();
  ASSERT_EQ(currentName(), "puzzle_select");  // kind 0: at once
  // What follows a cutscene fades in over 600 ms.
  EXPECT_EQ(current()->fadeScale, 3);
  EXPECT_GT(current()->fadeTimer, 500);
  EXPECT_TRUE(current()->fadeIn);
  EXPECT_TRUE(tutorialFlags[16]);
}

TEST_F(CutsceneScreenTest, EndingsFinishOnTheirOwnAndAReplayReturnsToExtras) {
  start(new CutsceneState(viewport(), ModuleSet(), finalEndingCutscene, true));
  EXPECT_EQ(musicManager().requestedTrack, 10);
  const Tick end = cutscene()->panels().back()->times.end;
  ASSERT_GT(end, ticksNow() + 40000);
  for (int i = 0; i < 2000 && currentName() == "intro"; ++i) frame(50);
  EXPECT_EQ(currentName(), "extras");
  EXPECT_GE(ticksNow(), end);
  EXPECT_TRUE(tutorialFlags[17]);
  EXPECT_NE(readWholeFile("profiles/profile0/global/tutorial.mgrlt").find("\n17 "), std::string::npos);
  EXPECT_EQ(dynamic_cast<ExtrasState*>(current())->rememberedBoard(), noBoard);

  // Escape leaves with a fade; a replay seen before changes nothing.
  start(new CutsceneState(viewport(), ModuleSet(), finalEndingCutscene, true));
  pressKey(SDL_SCANCODE_ESCAPE);
  frame();
  EXPECT_GT(current()->fadeTimer, 0);
  ASSERT_TRUE(runUntil("extras"));
}

TEST_F(CutsceneScreenTest, TheFinalEndingLeadsToTheCredits) {
  start(new CutsceneState(viewport(), ModuleSet(), finalEndingCutscene, false));
  const std::string credits = editorName(creditsPuzzle);
  pressKey(SDL_SCANCODE_ESCAPE);
  ASSERT_TRUE(runUntil(credits));
  CutsceneState rebuilt(viewport(), ModuleSet(), introCutscene, true);
  std::unique_ptr<GameState> again(rebuilt.rebuild({0, 0, 1100, 800}));
  auto* restarted = dynamic_cast<CutsceneState*>(again.get());
  ASSERT_NE(restarted, nullptr);
  EXPECT_EQ(restarted->kind(), introCutscene);
  EXPECT_TRUE(restarted->replay());
  EXPECT_EQ(restarted->panels().front()->times.start, ticksNow());  // it starts over
}

// Every screen of every cutscene, each captured once all its lines show;
// every text the screen draws lands inside the window, clear of its sides.
// Each showing text panel is drawn on its own and its lit pixels measured.
TEST_F(CutsceneScreenTest, EveryScreenOfTheStory) {
  const char* names[] = {"", "intro", "basic_ending", "final_ending"};
  const int margin = 40;
  for (int kind = 1; kind <= 3; ++kind) {
    SCOPED_TRACE(names[kind]);
    start(new CutsceneState(viewport(), ModuleSet(), kind, true));
    const Tick t0 = ticksNow();
    const Cutscene& scene = cutscenes()[size_t(kind)];
    const int w = current()->viewport().screen.w, h = current()->viewport().screen.h;
    std::set<std::string> drawn;
    for (size_t s = 0; s < scene.screens.size(); ++s) {
      int last = 0;
      for (const CutsceneLine& line : scene.screens[s]) {
        last = std::max(last, line.timeMs);
        for (const CutsceneSegment& seg : line.text) last = std::max(last, seg.timeMs);
      }
      clock->set(t0 + last + 2000);
      screenshot(std::string("cutscene_") + names[kind] + "_" + std::to_string(s + 1));
      for (const auto& panel : cutscene()->panels()) {
        const auto* text = dynamic_cast<const TextPanelTiming*>(panel.get());
        if (text == nullptr || !panelShowing(text->times, ticksNow())) continue;
        SCOPED_TRACE(text->text);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        text->draw(renderer, ticksNow(), w, h);
        std::vector<Uint32> pixels(std::size_t(w) * std::size_t(h));
        ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4), 0);
        int left = w, right = -1, top = h, bottom = -1;
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) {
            if ((pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)] & 0xFFFFFF) == 0) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
          }
        }
        if (text->text.find_first_not_of(' ') == std::string::npos) continue;  // a blank line draws nothing
        ASSERT_GE(right, 0) << "nothing drawn";
        EXPECT_GE(left, margin);
        EXPECT_LT(right, w - margin);
        EXPECT_GE(top, 0);
        EXPECT_LT(bottom, h);
        drawn.insert(text->text);
      }
    }
    // Every text of the cutscene was on one of its screens.
    for (const auto& screen : scene.screens) {
      for (const CutsceneLine& line : screen) {
        for (const CutsceneSegment& seg : line.text) {
          if (seg.text.find_first_not_of(' ') != std::string::npos) {
            EXPECT_EQ(drawn.count(seg.text), 1u) << seg.text;
          }
        }
      }
    }
  }
}

}  // namespace
