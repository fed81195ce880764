#include "menus/cutscenes.h"

#include <algorithm>
#include <sstream>

#include "menus/story_data.h"
#include "base/log.h"
#include "base/strings.h"

int Cutscene::lineCount() const {
  int n = 0;
  for (const CutsceneScreen& s : screens) n += int(s.size());
  return n;
}

namespace {

// data/story/cutscenes.txt; it is compiled in and checked by the tests, so a
// line that can't be read is a build fault.
std::vector<Cutscene> readCutscenes() {
  std::vector<Cutscene> rows(4);
  std::istringstream in(embeddedCutscenesText());
  std::string line;
  Cutscene* current = nullptr;
  auto bad = [&line]() { fatalError("bad cutscene line: " + line); };
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields = splitString(line, '\t');
    if (fields[0] == "cutscene") {
      std::optional<int> kind = fields.size() == 3 ? parseInt(fields[1]) : std::nullopt;
      if (!kind || *kind < 1 || *kind > 3) bad();
      current = &rows[size_t(*kind)];
      current->name = fields[2];
    } else if (fields[0] == "screen") {
      if (!current) bad();
      current->screens.emplace_back();
    } else {
      if (!current || current->screens.empty() || fields.size() > 2) bad();
      std::vector<std::string> times = splitString(fields[0], ' ');
      CutsceneLine row;
      std::optional<int> lineTime = parseInt(times[0]);
      std::optional<int> textTime = times.size() == 2 ? parseInt(times[1]) : std::optional<int>(0);
      if (!lineTime || !textTime || times.size() > 2) bad();
      row.timeMs = *lineTime;
      if (fields.size() == 2 && !fields[1].empty()) row.text.push_back({fields[1], *textTime});
      current->screens.back().push_back(std::move(row));
    }
  }
  return rows;
}

}  // namespace

const std::vector<Cutscene>& cutscenes() {
  static const std::vector<Cutscene> rows = readCutscenes();
  return rows;
}

int panelFadeAlpha(const PanelTimes& p, Tick t) {
  if (t < p.fadeInEnd) return int((t - p.fadeInEnd + panelFadeMs) * 255 / panelFadeMs);
  if (t > p.fadeOutStart) return int((p.end - t) * 255 / panelFadeMs);
  return 255;
}

bool panelShowing(const PanelTimes& p, Tick t) { return p.start <= t && t < p.end; }

std::vector<PanelPlan> buildCutsceneTimeline(int kind, Tick now,
                                             const std::function<PanelArtSize(int line)>& artSize) {
  std::vector<PanelPlan> panels;
  if (kind < 1 || kind >= int(cutscenes().size())) return panels;
  const Cutscene& scene = cutscenes()[size_t(kind)];
  int lineNumber = 0;
  for (size_t s = 0; s < scene.screens.size(); ++s) {
    const CutsceneScreen& screen = scene.screens[s];
    if (screen.empty()) continue;
    const bool lastScreen = s + 1 == scene.screens.size();
    int lastTime = screen.back().timeMs;
    for (const CutsceneSegment& seg : screen.back().text) lastTime = std::max(lastTime, seg.timeMs);
    const Tick fadeOut = now + screenHoldMs + lastTime;
    const Tick end = fadeOut + panelFadeMs;
    const int m = int(screen.size());
    for (int j = 0; j < m; ++j, ++lineNumber) {
      const CutsceneLine& line = screen[size_t(j)];
      const Tick start = now + line.timeMs;
      const PanelArtSize art = artSize(lineNumber);
      const int h = art.width > 0 ? art.height : 0;
      const int pitch = h != 0 ? h + h / 5 : 100;
      int offset;
      if (kind == finalEndingCutscene && lastScreen) {
        offset = -(pitch / 2);
      } else {
        const int lift = kind == basicEndingCutscene && lastScreen ? 150 : 375 - pitch;
        offset = (j - m / 2) * pitch - lift;
      }
      const PanelTimes lineTimes{start, start + panelFadeMs, fadeOut, end, offset};
      std::vector<PanelPlan> textPanel;
      if (!line.text.empty()) {
        const CutsceneSegment& seg = line.text.back();
        const Tick textStart = seg.timeMs != 0 ? now + seg.timeMs : start;
        textPanel.push_back({PanelKind::Text, lineNumber, seg.text,
                             {textStart, textStart + panelFadeMs, fadeOut, end,
                              (h / 5) / 2 + h - 15 + offset}});
      }
      const bool textFirst = !textPanel.empty() && textPanel[0].times.start < start;
      if (textFirst) panels.push_back(textPanel[0]);
      if (art.width != 0) panels.push_back({PanelKind::Art, lineNumber, "", lineTimes});
      if (!textPanel.empty() && !textFirst) panels.push_back(textPanel[0]);
      if (art.width == 0 && textPanel.empty())
        panels.push_back({PanelKind::Logo, lineNumber, "", lineTimes});
    }
  }
  return panels;
}

bool skipToNextPanel(const std::vector<PanelTimes*>& panels, Tick now) {
  for (PanelTimes* next : panels) {
    if (next->start <= now) continue;
    const Tick shift = next->start - now;
    for (PanelTimes* p : panels) {
      p->start -= shift;
      p->fadeInEnd -= shift;
      p->fadeOutStart -= shift;
      p->end -= shift;
    }
    return true;
  }
  return false;
}
