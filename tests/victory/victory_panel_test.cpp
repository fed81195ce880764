// The victory dialog drawn in a real window over the game's own art: the
// frame, portrait, story, table with its sparkles, and the leaderboard panel
// with the histogram and the friends; what each shows and its tooltips.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <filesystem>

#include "menus/menu_fixture.h"
#include "menus/victory_media.h"
#include "menus/victory_panel.h"
#include "menus/victory_rules.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "shell/fonts.h"
#include "shell/sprites.h"

namespace {

namespace fs = std::filesystem;

void saveScreenshot(SDL_Renderer* renderer, const std::string& name) {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer, &w, &h);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch);
  const fs::path out = fs::path(BRASSWICK_GAME_DIR).parent_path() / "screenshots" / "victory";
  fs::create_directories(out);
  IMG_SavePNG(s, (out / (name + ".png")).c_str());
  SDL_FreeSurface(s);
}

class VictoryPanelTest : public MenuWindowTest {
 protected:
  void SetUp() override {
    MenuWindowTest::SetUp();
    leaderboardResults().clear();
    puzzleRecords.clear();
  }
  void TearDown() override {
    leaderboardResults().clear();
    puzzleRecords.clear();
    MenuWindowTest::TearDown();
  }
  // A dimmed stand-in for the board beneath the dialog.
  void drawBoard() {
    SDL_SetRenderDrawColor(renderer, 60, 70, 80, 255);
    SDL_RenderClear(renderer);
    VictoryPanel::drawVeil(renderer, 143);
  }
};

TEST_F(VictoryPanelTest, StoryViewShowsPortraitStoryAndTableWithSparkles) {
  const puzzle_id id = 37;  // a speaker's story, both goals
  const Puzzle& p = getPuzzle(id);
  ASSERT_GT(p.goalModules, 0);
  ASSERT_GT(p.goalTicks, 0);
  puzzleRecords[id] = {p.goalModules, p.goalTicks - 3};
  VictoryPanel panel = VictoryPanel::centred(id, {p.goalModules - 1, p.goalTicks + 10}, storyView, 1024, 768);
  EXPECT_EQ(panel.dialog, (GeoRect{97, 85, 830, 597}));
  drawBoard();
  panel.draw(renderer, 255);
  saveScreenshot(renderer, "panel_story");
}

TEST_F(VictoryPanelTest, HistogramViewShowsBarsAndFriendsOverTheStory) {
  const puzzle_id id = 37;
  const Puzzle& p = getPuzzle(id);
  puzzleRecords[id] = {p.goalModules + 2, p.goalTicks + 20};
  LeaderboardResults& r = leaderboardResults()[id][leaderboardModules];
  for (int i = 0; i < 120; ++i) r.scores.push_back(p.goalModules - 3 + (i * 7) % 13 + (i % 5 == 0 ? 4 : 0));
  r.scores.push_back(-5);
  r.scores.push_back(0);
  r.scores.push_back(2147483647);
  r.own = {"Player", p.goalModules + 2, true};
  r.friends = {{"Hattie", p.goalModules, false}, {"Ned", p.goalModules + 5, false},
               {"Ottoline Featherstonehaugh-Pemberton of the Lower Works", p.goalModules - 2, false}};
  VictoryPanel panel = VictoryPanel::centred(id, {p.goalModules + 2, p.goalTicks + 20}, moduleHistogramView, 1024, 768);
  drawBoard();
  panel.draw(renderer, 255);
  saveScreenshot(renderer, "panel_modules");
}

}  // namespace
