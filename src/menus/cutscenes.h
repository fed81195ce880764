#pragma once
// The story's three cutscenes as data, and their timeline: which panel (art,
// text or the intro logo) shows when, where, and how it fades.
#include <functional>
#include <string>
#include <vector>

#include "base/ticks.h"

enum CutsceneKind : int { introCutscene = 1, basicEndingCutscene = 2, finalEndingCutscene = 3 };

struct CutsceneSegment {
  std::string text;
  int timeMs = 0;  // 0: shown with its line
};

struct CutsceneLine {
  int timeMs = 0;  // from the cutscene's start
  std::vector<CutsceneSegment> text;  // empty: a picture-only (or logo) line
};

using CutsceneScreen = std::vector<CutsceneLine>;

struct Cutscene {
  std::string name;  // base of the panel art names
  std::vector<CutsceneScreen> screens;
  int lineCount() const;
};

// Indexed by kind; row 0 is an empty placeholder. Read from data/story.
const std::vector<Cutscene>& cutscenes();

constexpr int panelFadeMs = 750;
constexpr int screenHoldMs = 5750;  // after a screen's last item starts

struct PanelTimes {
  Tick start = 0;
  Tick fadeInEnd = 0;
  Tick fadeOutStart = 0;
  Tick end = 0;
  int yOffset = 0;  // from the window's middle
};

// 0..255 as the panel fades in, holds and fades out; shown while start <= t < end.
int panelFadeAlpha(const PanelTimes& p, Tick t);
bool panelShowing(const PanelTimes& p, Tick t);

enum class PanelKind { Art, Logo, Text };

struct PanelPlan {
  PanelKind kind = PanelKind::Text;
  int line = 0;  // 0-based across the cutscene; the art is line + 1's panel
  std::string text;
  PanelTimes times;
};

struct PanelArtSize {
  int width = 0;  // 0: the line has no panel art
  int height = 0;
};

// Every panel of the cutscene in the order they appear, for a start at now.
std::vector<PanelPlan> buildCutsceneTimeline(int kind, Tick now,
                                             const std::function<PanelArtSize(int line)>& artSize);

// Skipping: moves every panel earlier so that the first one still to come
// starts now (what has shown ends as much earlier). False, and nothing
// moved, when every panel has started already.
bool skipToNextPanel(const std::vector<PanelTimes*>& panels, Tick now);
