// The cutscenes' content and their timeline: when each panel shows, where,
// how it fades, and how skipping moves the rest forward.
#include <gtest/gtest.h>

#include <algorithm>

#include "menus/cutscenes.h"

namespace {

constexpr PanelArtSize panelArt{600, 180};
// Every line has a 600x180 panel, like the game's art, except those named.
std::function<PanelArtSize(int)> artExcept(std::vector<int> without) {
  return [without](int line) {
    return std::count(without.begin(), without.end(), line) ? PanelArtSize{} : panelArt;
  };
}

int textLines(const Cutscene& c) {
  int n = 0;
  for (const CutsceneScreen& s : c.screens)
    for (const CutsceneLine& l : s) n += int(!l.text.empty());
  return n;
}

TEST(CutsceneContent, StructureAndTimesOfTheThreeCutscenes) {
  const std::vector<Cutscene>& all = cutscenes();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_TRUE(all[0].screens.empty());
  struct Expect {
    const char* name;
    std::vector<std::vector<std::pair<int, int>>> screens;  // per line: time, text time (-1: no text)
  };
  const Expect expected[] = {
      {"Intro", {{{0, 0}, {3250, 0}, {6500, 0}}, {{13000, 0}, {16250, 0}, {19500, 0}}, {{26000, -1}}}},
      {"Basic-Ending",
       {{{0, 4000}, {7000, 0}, {11000, 0}},
        {{17000, 20500}, {24000, 27500}, {30500, 0}},
        {{37000, 0}, {40500, 0}, {44000, -1}}}},
      {"Final-Ending",
       {{{0, 3000}, {10000, 0}}, {{16500, 20000}, {23000, 0}}, {{33500, 30000}, {36500, 0}}, {{43500, 46500}}}},
  };
  for (int kind = 1; kind <= 3; ++kind) {
    const Cutscene& c = all[size_t(kind)];
    const Expect& e = expected[kind - 1];
    EXPECT_EQ(c.name, e.name);
    ASSERT_EQ(c.screens.size(), e.screens.size()) << kind;
    for (size_t s = 0; s < c.screens.size(); ++s) {
      ASSERT_EQ(c.screens[s].size(), e.screens[s].size()) << kind << "/" << s;
      for (size_t j = 0; j < c.screens[s].size(); ++j) {
        const CutsceneLine& line = c.screens[s][j];
        EXPECT_EQ(line.timeMs, e.screens[s][j].first) << kind << "/" << s << "/" << j;
        if (e.screens[s][j].second < 0) {
          EXPECT_TRUE(line.text.empty()) << kind << "/" << s << "/" << j;
        } else {
          ASSERT_EQ(line.text.size(), 1u) << kind << "/" << s << "/" << j;
          EXPECT_EQ(line.text[0].timeMs, e.screens[s][j].second) << kind << "/" << s << "/" << j;
          EXPECT_FALSE(line.text[0].text.empty());
        }
      }
    }
  }
  EXPECT_EQ(textLines(all[1]), 6);
  EXPECT_EQ(textLines(all[2]), 8);
  EXPECT_EQ(textLines(all[3]), 7);
  EXPECT_EQ(all[1].lineCount(), 7);
  EXPECT_EQ(all[2].lineCount(), 9);
  EXPECT_EQ(all[3].lineCount(), 7);
}

TEST(CutsceneTimeline, PanelsOfTheIntroStackUpAndTheLogoCloses) {
  const Tick now = 5000;
  // The intro's seventh line has neither art nor text: the logo shows.
  std::vector<PanelPlan> panels = buildCutsceneTimeline(introCutscene, now, artExcept({6}));
  ASSERT_EQ(panels.size(), 13u);
  // A line's art comes before its text when both start together.
  EXPECT_EQ(panels[0].kind, PanelKind::Art);
  EXPECT_EQ(panels[1].kind, PanelKind::Text);
  EXPECT_EQ(panels[1].line, 0);
  const int pitch = 180 + 36, lift = 375 - pitch;
  for (int j = 0; j < 3; ++j) {
    const PanelPlan& art = panels[size_t(2 * j)];
    const PanelPlan& text = panels[size_t(2 * j + 1)];
    EXPECT_EQ(art.times.yOffset, (j - 1) * pitch - lift) << j;
    EXPECT_EQ(text.times.yOffset, 18 + 180 - 15 + (j - 1) * pitch - lift) << j;
    EXPECT_EQ(art.times.start, now + j * 3250) << j;
    EXPECT_EQ(art.times.fadeInEnd, art.times.start + 750) << j;
    // The screen fades 5750 ms after its last line started.
    EXPECT_EQ(art.times.fadeOutStart, now + 6500 + 5750) << j;
    EXPECT_EQ(art.times.end, now + 6500 + 5750 + 750) << j;
  }
  EXPECT_EQ(panels[12].kind, PanelKind::Logo);
  EXPECT_EQ(panels[12].times.start, now + 26000);
  EXPECT_EQ(panels[12].times.end, now + 26000 + 5750 + 750);
}

TEST(CutsceneTimeline, TextsWithTheirOwnTimesAndTheClosingScreens) {
  const Tick now = 0;
  std::vector<PanelPlan> basic = buildCutsceneTimeline(basicEndingCutscene, now, artExcept({}));
  // Line 1's text comes 4 s after its panel, after it in the list.
  EXPECT_EQ(basic[0].kind, PanelKind::Art);
  EXPECT_EQ(basic[1].kind, PanelKind::Text);
  EXPECT_EQ(basic[1].times.start, 4000);
  EXPECT_EQ(basic[1].times.fadeInEnd, 4750);
  // The second screen lasts until 5750 ms after its last item, the text at 30500.
  auto onLine = [](const std::vector<PanelPlan>& panels, int line, PanelKind kind) {
    for (const PanelPlan& p : panels)
      if (p.line == line && p.kind == kind) return p;
    return PanelPlan{};
  };
  EXPECT_EQ(onLine(basic, 3, PanelKind::Art).times.fadeOutStart, 30500 + 5750);
  // The last screen is lifted by 150 and ends on a picture with no text.
  const int pitch = 216;
  EXPECT_EQ(onLine(basic, 6, PanelKind::Art).times.yOffset, -pitch - 150);
  EXPECT_EQ(onLine(basic, 8, PanelKind::Art).times.yOffset, pitch - 150);
  EXPECT_EQ(onLine(basic, 8, PanelKind::Text).times.end, 0);  // no text panel
  EXPECT_EQ(basic.back().kind, PanelKind::Art);
  EXPECT_EQ(basic.size(), 17u);

  std::vector<PanelPlan> final = buildCutsceneTimeline(finalEndingCutscene, now, artExcept({}));
  // Screen 3's first text shows before its panel, so it comes first.
  size_t artAt = 0, textAt = 0;
  for (size_t i = 0; i < final.size(); ++i) {
    if (final[i].line == 4 && final[i].kind == PanelKind::Art) artAt = i;
    if (final[i].line == 4 && final[i].kind == PanelKind::Text) textAt = i;
  }
  EXPECT_LT(textAt, artAt);
  EXPECT_EQ(final[textAt].times.start, 30000);
  EXPECT_EQ(final[artAt].times.start, 33500);
  // The last screen's single line sits on the middle of the window, and the
  // screen holds until 5750 ms after its text.
  const PanelPlan last = onLine(final, 6, PanelKind::Art);
  EXPECT_EQ(last.times.yOffset, -(pitch / 2));
  EXPECT_EQ(last.times.fadeOutStart, 46500 + 5750);
}

TEST(CutsceneTimeline, LinesWithoutArtStillGetTheirText) {
  std::vector<PanelPlan> panels = buildCutsceneTimeline(introCutscene, 0, artExcept({0, 1, 2, 3, 4, 5, 6}));
  ASSERT_EQ(panels.size(), 7u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(panels[size_t(i)].kind, PanelKind::Text);
  // No art: a 100-pixel pitch.
  EXPECT_EQ(panels[1].times.yOffset - panels[0].times.yOffset, 100);
  EXPECT_TRUE(buildCutsceneTimeline(4, 0, artExcept({})).empty());
  EXPECT_TRUE(buildCutsceneTimeline(0, 0, artExcept({})).empty());
}

TEST(CutscenePanels, FadeInHoldFadeOut) {
  const PanelTimes p{1000, 1750, 5000, 5750, 0};
  const std::pair<Tick, int> samples[] = {{1000, 0},    {1375, 127}, {1750, 255}, {3000, 255},
                                          {5000, 255}, {5375, 127}, {5749, 0}};
  for (auto [t, a] : samples) EXPECT_EQ(panelFadeAlpha(p, t), a) << t;
  EXPECT_FALSE(panelShowing(p, 999));
  EXPECT_TRUE(panelShowing(p, 1000));
  EXPECT_TRUE(panelShowing(p, 5749));
  EXPECT_FALSE(panelShowing(p, 5750));
}

TEST(CutscenePanels, SkippingBringsTheNextPanelToNow) {
  std::vector<PanelTimes> times{{0, 750, 9000, 9750, 0}, {3000, 3750, 9000, 9750, 0}, {6000, 6750, 9000, 9750, 0}};
  std::vector<PanelTimes*> ptrs{&times[0], &times[1], &times[2]};
  ASSERT_TRUE(skipToNextPanel(ptrs, 1000));
  EXPECT_EQ(times[1].start, 1000);
  EXPECT_EQ(times[0].start, -2000);
  EXPECT_EQ(times[2].fadeInEnd, 4750);
  EXPECT_EQ(times[2].end, 7750);
  ASSERT_TRUE(skipToNextPanel(ptrs, 1000));
  EXPECT_EQ(times[2].start, 1000);
  // Everything has started: nothing moves, the caller finishes.
  EXPECT_FALSE(skipToNextPanel(ptrs, 1000));
  EXPECT_EQ(times[2].start, 1000);
}

}  // namespace
