// Portraits and star strips as the information sheet and the placards draw
// them, over the game's own art.
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "menus/character_art.h"
#include "menus/difficulty.h"
#include "menus/difficulty_stars.h"
#include "shell/input.h"

namespace {

class PortraitTest : public MenuWindowTest {};

TEST_F(PortraitTest, RectanglesFollowTheArtExceptThePlayersFullPortrait) {
  EXPECT_EQ(characterPortraits[0].width, 0);  // the player has no art
  CharacterArt player{playerCharacter, 10, 20, true};
  SDL_Rect r = player.rect();
  EXPECT_EQ(r.x, 10);
  EXPECT_EQ(r.y, 20);
  EXPECT_EQ(r.w, portraitWidth);
  EXPECT_EQ(r.h, portraitHeight);
  CharacterArt playerHead{playerCharacter, 10, 20, false};
  EXPECT_EQ(playerHead.rect().w, 0);
  for (int id = 1; id < characterCount; ++id) {
    CharacterArt full{id, 0, 0, true};
    CharacterArt head{id, 0, 0, false};
    EXPECT_EQ(full.rect().w, portraitWidth) << id;
    EXPECT_EQ(full.rect().h, portraitHeight) << id;
    EXPECT_GT(head.rect().w, 0) << id;
    EXPECT_LT(head.rect().w, portraitWidth) << id;
  }
}

TEST_F(PortraitTest, DrawingWithoutArtIsANoOpAndArtShows) {
  SDL_SetRenderDrawColor(renderer, 10, 20, 30, 255);
  SDL_RenderClear(renderer);
  CharacterArt{playerCharacter, 0, 0, true}.drawPortrait(renderer, 255);
  SDL_Color c = pixelAt(140, 200);
  EXPECT_EQ(c.r, 10);
  EXPECT_EQ(c.b, 30);
  CharacterArt{3, 0, 0, true}.drawPortrait(renderer, 255);
  c = pixelAt(140, 200);
  EXPECT_FALSE(c.r == 10 && c.g == 20 && c.b == 30);
}

TEST_F(PortraitTest, TooltipAnswersOnlyOverThePortrait) {
  CharacterArt laszlo{3, 100, 100, false};
  SDL_Rect r = laszlo.rect();
  setMousePositionOverride(Point{r.x + 5, r.y + 5});
  EXPECT_TRUE(laszlo.tooltipAt(renderer, 17, r.x + 5, r.y + 5));
  EXPECT_FALSE(laszlo.tooltipAt(renderer, 17, r.x + r.w, r.y + 5));
  EXPECT_FALSE(laszlo.tooltipAt(renderer, 17, r.x - 1, r.y));
}

TEST_F(PortraitTest, StarsOfDifficultyZeroDrawNothing) {
  // Community puzzles have difficulty 0: no cell, nothing drawn, no tooltip.
  EXPECT_EQ(difficultyStarCell(0), -1);
  EXPECT_EQ(difficultyStarCell(1), 0);
  EXPECT_EQ(difficultyStarCell(5), 4);
  EXPECT_EQ(difficultyStarCell(6), -1);
  SDL_SetRenderDrawColor(renderer, 10, 20, 30, 255);
  SDL_RenderClear(renderer);
  DifficultyStars none{0, 0, 0};  // a placeholder row, difficulty 0 like community puzzles
  ASSERT_EQ(none.difficulty(), 0);
  none.draw(renderer, colouredStarSheet, 255);
  for (int x = 0; x < 120; x += 5) EXPECT_EQ(pixelAt(x, 15).r, 10) << x;
  EXPECT_FALSE(none.tooltipAt(renderer, 1, 5, 5));
}

TEST_F(PortraitTest, StarHitAreasShrinkWithTheScale) {
  DifficultyStars stars{40, 50, 4};  // Accumulate
  int d = stars.difficulty();
  ASSERT_GE(d, 1);
  BoxSize size = stars.size();
  EXPECT_EQ(size.w, difficultyStarsWidth(d));
  EXPECT_EQ(size.h, colouredStarSheet.texture.height / 5);
  EXPECT_TRUE(stars.tooltipAt(renderer, 1, 40 + size.w - 1, 50));
  EXPECT_FALSE(stars.tooltipAt(renderer, 2, 40 + size.w / 2, 50));
  EXPECT_TRUE(stars.tooltipAt(renderer, 2, 40 + size.w / 2 - 1, 50 + (size.h + 6) / 2 - 1));
  EXPECT_FALSE(stars.tooltipAt(renderer, 2, 40, 50 + (size.h + 6) / 2));
}

TEST(Difficulty, NamesAndWidths) {
  const char* names[] = {"Buggy", "Easy", "Normal", "Hard", "Nightmare", "...Normal?"};
  for (int d = 0; d <= 5; ++d) EXPECT_EQ(difficultyName(d), names[d]);
  EXPECT_EQ(difficultyStarsWidth(5), 60);
  EXPECT_EQ(difficultyStarsWidth(3), 90);
  EXPECT_EQ(difficultyStarsWidth(0), 0);
  EXPECT_EQ(difficultyTooltipText(5), "Complexity: ...Normal?");
  GeoRect r = difficultyStarsHitRect(7, 9, 5, 30, 1);
  EXPECT_EQ(r, (GeoRect{7, 9, 60, 36}));
  EXPECT_EQ(difficultyStarsHitRect(7, 9, 3, 30, 2), (GeoRect{7, 9, 45, 18}));
}

}  // namespace
