// The menu frame's layout and its blinking side lamps, the profile boxes, the
// extras on offer, the notes' page buttons and the resolution list.
#include <gtest/gtest.h>

#include <filesystem>

#include "menu_rules_fixture.h"
#include "menus/extras_rules.h"
#include "menus/menu_layout.h"
#include "menus/options_rules.h"
#include "menus/profile_entries.h"

namespace {

TEST(MenuLayout, DesignIsCentredInTheWindow) {
  EXPECT_EQ(menuOrigin(1024, 768), (GeoPoint{0, 0}));
  EXPECT_EQ(menuOrigin(1280, 1024), (GeoPoint{128, 128}));
  EXPECT_EQ(menuOrigin(1025, 700), (GeoPoint{0, -34}));  // halves truncate toward zero
  EXPECT_EQ(menuButtonPosition({10, 20}, 0), (GeoPoint{238, 349}));
  EXPECT_EQ(menuButtonPosition({0, 0}, 5), (GeoPoint{228, 574}));
  EXPECT_EQ(menuInfoBoxRect({5, 6}, 320, 520), (GeoRect{642, 208, 320, 520}));
  EXPECT_EQ(menuButtonInfo(optionsButton), optionsInfo);
  EXPECT_EQ(menuButtonInfo(profilesButton), profilesInfo);
  EXPECT_EQ(menuButtonInfo(extrasButton), extrasInfo);
  EXPECT_EQ(menuButtonInfo(playButton), -1);
  EXPECT_EQ(menuButtonOrder[1], profilesButton);
  EXPECT_EQ(menuButtonOrder[2], optionsButton);
}

TEST(Gribbles, OneFlashFadesInHoldsAndFadesOut) {
  const GribblePattern& g = leftGribbles[0];  // (400, 2500)
  ASSERT_EQ(g.period(), 400 + 8 * 2500);
  const std::pair<Tick, int> samples[] = {
      {0, 0},     {33, 104},  {66, 208}, {266, 208}, {267, 208},
      {300, 157}, {399, 2},   {400, 0},  {20399, 0}, {20400, 0},
      {20433, 104},  // the next period
  };
  for (auto [t, b] : samples) EXPECT_EQ(g.brightnessAt(t), b) << t;
  // A step that starts dark: (0, 100) then (200, 700).
  const GribblePattern& late = leftGribbles[3];
  EXPECT_EQ(late.brightnessAt(799), 0);
  EXPECT_EQ(late.brightnessAt(800 + 33), 208);
  // The tick is SDL's unsigned count: the pattern wraps with it.
  EXPECT_EQ(g.brightnessAt(Tick(1) << 32), g.brightnessAt(0));
}

TEST(Gribbles, DarkElementsNeverLight) {
  for (int i : {1, 4, 7}) {
    EXPECT_EQ(leftGribbles[size_t(i)].period(), 0) << i;
    for (Tick t = 0; t < 30000; t += 7) ASSERT_EQ(leftGribbles[size_t(i)].brightnessAt(t), 0) << i;
  }
  for (int i : {3, 5}) EXPECT_EQ(rightGribbles[size_t(i)].period(), 0) << i;
}

TEST(Gribbles, EveryFlashBeepsOnceWhateverTheFrameLength) {
  // The ground truth: millisecond by millisecond, how often some lamp first
  // reaches full brightness.
  const Tick start = 123456, span = 60000;
  int flashes = 0;
  for (Tick t = start + 1; t <= start + span; ++t) flashes += gribbleBeepsAt(t, 1);
  ASSERT_GT(flashes, 20);
  for (int frame : {12, 16, 33}) {
    int beeps = 0;
    for (Tick t = start + frame; t <= start + span; t += frame) beeps += gribbleBeepsAt(t, frame);
    EXPECT_NEAR(beeps, flashes, 2) << frame;  // the window's two ends may cut a flash
  }
}

class ProfileEntriesTest : public MenuRulesTest {};

TEST_F(ProfileEntriesTest, BoxesStackInTheInfoBox) {
  std::vector<ProfileEntry> entries = buildProfileEntries({637, 202, 320, 520});
  ASSERT_EQ(entries.size(), 5u);
  const int hh = (520 - 190) / 5;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(entries[size_t(i)].index, i);
    EXPECT_EQ(entries[size_t(i)].rect, (GeoRect{662, 292 + i * (hh + 12), 270, hh}));
    EXPECT_EQ(entries[size_t(i)].active, i == 0);
  }
  EXPECT_EQ(profileResetButtonPosition({662, 292, 270, 66}), (GeoPoint{876, 303}));
}

TEST_F(ProfileEntriesTest, ProgressIsReadWithoutSwitchingOrWriting) {
  // Profile 2 has beaten two puzzles (lines: name::ticks::modules), one
  // perfectly; profile 3's records are garbage; profile 0 (active) has one
  // record in memory and on disk.
  writeWholeFile("profiles/profile2/global/records.mgrlr",
                 "RECORD\n0.05\n" + getPuzzleName(4) + "::2147483647::3\n" + getPuzzleName(5) + "::99::99\n");
  writeWholeFile("profiles/profile3/global/records.mgrlr", "\x01\x02 not a records file");
  writeWholeFile("profiles/profile.txt", "0");
  recordPuzzleResult(17, 50, 50);
  const auto before = std::filesystem::last_write_time("profiles/profile.txt");
  const std::string recordsBefore = readWholeFile("profiles/profile0/global/records.mgrlr");

  std::vector<ProfileEntry> entries = buildProfileEntries({0, 0, 320, 520});
  EXPECT_EQ(entries[0].beaten, 1);
  EXPECT_EQ(entries[2].beaten, 2);
  EXPECT_EQ(entries[2].perfect, 1);
  EXPECT_FALSE(entries[2].allBeaten);
  EXPECT_EQ(entries[3].beaten, 0);  // a broken profile counts as empty
  EXPECT_EQ(entries[1].beaten, 0);

  EXPECT_EQ(activeProfile, 0);
  EXPECT_EQ(puzzleRecords.size(), 1u);
  EXPECT_TRUE(puzzleRecords.count(17));
  EXPECT_EQ(readWholeFile("profiles/profile.txt"), "0");
  EXPECT_EQ(std::filesystem::last_write_time("profiles/profile.txt"), before);
  EXPECT_EQ(readWholeFile("profiles/profile0/global/records.mgrlr"), recordsBefore);
  EXPECT_FALSE(std::filesystem::exists("profiles/profile1"));
  EXPECT_FALSE(std::filesystem::exists("profiles/profile4"));
}

TEST(ProfileEntryText, NameLineAndProgressLine) {
  ProfileEntry e;
  e.index = 2;
  EXPECT_EQ(profileEntryTitle(e), "Profile 3");
  EXPECT_EQ(profileEntryProgress(e), "");
  e.beaten = 12;
  EXPECT_EQ(profileEntryProgress(e), "Beaten: 12");
  e.perfect = 1;
  EXPECT_EQ(profileEntryProgress(e), "Beaten: 12    Perfect: 1");
}

TEST(ProfileEntryText, ColoursByState) {
  struct Case {
    bool hovered, active, allBeaten;
    EntryColour colour;
  };
  const Case cases[] = {
      {true, false, false, {255, 236, 136}}, {true, true, true, {255, 255, 255}},
      {false, true, false, {244, 228, 149}}, {false, true, true, {240, 240, 240}},
      {false, false, false, {208, 199, 153}}, {false, false, true, {208, 208, 208}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(profileEntryColour(c.hovered, c.active, c.allBeaten), c.colour) << c.hovered << c.active << c.allBeaten;
}

class ExtrasRulesTest : public MenuRulesTest {};

TEST_F(ExtrasRulesTest, EndingsAreOfferedOnceEarned) {
  EXPECT_FALSE(extrasOffer().basicEnding);
  EXPECT_FALSE(extrasOffer().finalEnding);
  recordPuzzleResult(finalEndingPuzzle, 10, 10);  // the final one alone opens nothing
  EXPECT_FALSE(extrasOffer().basicEnding);
  EXPECT_FALSE(extrasOffer().finalEnding);
  recordPuzzleResult(basicEndingPuzzle, 10, 10);
  EXPECT_TRUE(extrasOffer().basicEnding);
  EXPECT_TRUE(extrasOffer().finalEnding);
  puzzleRecords.erase(finalEndingPuzzle);
  EXPECT_TRUE(extrasOffer().basicEnding);
  EXPECT_FALSE(extrasOffer().finalEnding);
}

TEST(NotesRules, PageButtonsOnlyWhereThereIsAPage) {
  struct Case {
    int page, count;
    bool previous, next;
  };
  const Case cases[] = {{0, 6, false, true}, {3, 6, true, true}, {5, 6, true, false},
                        {0, 1, false, false}, {0, 0, false, false}};
  for (const Case& c : cases) {
    NotesPageButtons b = notesPageButtons(c.page, c.count);
    EXPECT_EQ(b.previous, c.previous) << c.page << "/" << c.count;
    EXPECT_EQ(b.next, c.next) << c.page << "/" << c.count;
  }
  EXPECT_EQ(clampNotesPage(9, 6), 5);
  EXPECT_EQ(clampNotesPage(-1, 6), 0);
  EXPECT_EQ(clampNotesPage(3, 0), 0);
}

TEST(OptionsRules, OddWindowSizesStayInTheList) {
  const std::vector<GeoRect> modes{{0, 0, 1920, 1080}, {0, 0, 1280, 1024}, {0, 0, 1024, 768}};
  ResolutionChoice plain = chooseResolution(modes, 1280, 1024, {});
  EXPECT_EQ(plain.resolutions.size(), 3u);
  EXPECT_EQ(plain.index, 1);
  EXPECT_TRUE(plain.canStepUp());
  EXPECT_TRUE(plain.canStepDown());

  ResolutionChoice odd = chooseResolution(modes, 1100, 800, {});
  ASSERT_EQ(odd.resolutions.size(), 4u);
  EXPECT_EQ(odd.index, 3);
  EXPECT_EQ(odd.resolutions[3], (GeoRect{0, 0, 1100, 800}));
  EXPECT_FALSE(odd.canStepUp());
  EXPECT_TRUE(odd.canStepDown());

  // Stepped to a display mode, the odd size is kept at the end.
  ResolutionChoice back = chooseResolution(modes, 1024, 768, odd.extra);
  ASSERT_EQ(back.resolutions.size(), 4u);
  EXPECT_EQ(back.index, 2);
  EXPECT_EQ(back.resolutions[3], (GeoRect{0, 0, 1100, 800}));
  EXPECT_TRUE(back.canStepUp());

  ResolutionChoice first = chooseResolution(modes, 1920, 1080, {});
  EXPECT_FALSE(first.canStepDown());
  EXPECT_TRUE(first.canStepUp());
}

}  // namespace
