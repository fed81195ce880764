#include "menus/score_histogram.h"

#include <algorithm>
#include <cstdint>

#include "puzzles/tick_unit.h"
#include "base/log.h"
#include "base/strings.h"

namespace {
// Plot margins inside the histogram's rectangle: room for the axis labels
// below and beside the bars.
constexpr int plotHeightMargin = 40;
constexpr int plotWidthMargin = 25;
constexpr int maxAxisLabels = 4;
// The friends' list: to the right of the plot, a line every 30 px, the name
// 50 px right of the score.
constexpr int friendsGap = 30;
constexpr int friendsLineStep = 30;
constexpr int friendsNameOffset = 50;

const LeaderboardResults& noResults() {
  static const LeaderboardResults empty;
  return empty;
}
}  // namespace

HistogramColumns buildHistogramColumns(const std::vector<int>& scores, int cap) {
  HistogramColumns columns;
  for (int s : scores)
    if (s >= 1 && s <= cap) columns.maxValue = std::max(columns.maxValue, s);
  if (columns.maxValue < 1) return columns;
  const int numColumns = std::min(columns.maxValue, maxHistogramColumns);
  columns.counts.assign(size_t(numColumns), 0);
  for (int s : scores) {
    if (s < 1 || s > cap) continue;
    const int column = histogramColumnOf(columns, s);
    if (column < 0 || column >= numColumns)
      fatalError("Invalid column index " + std::to_string(column) + " for numColumns " + std::to_string(numColumns));
    columns.maxCount = std::max(columns.maxCount, ++columns.counts[size_t(column)]);
  }
  return columns;
}

int histogramColumnOf(const HistogramColumns& columns, int score) {
  if (columns.counts.empty() || score < 1 || score > columns.maxValue) return -1;
  const std::int64_t last = std::int64_t(columns.counts.size()) - 1;
  return int(last * score / columns.maxValue);
}

std::string firstCharacters(const std::string& text, int n) {
  size_t i = 0;
  for (int count = 0; i < text.size(); ++count) {
    if (count == n) return text.substr(0, i);
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return text;
}

std::vector<LeaderboardEntry> friendsAroundPlayer(const LeaderboardResults& results) {
  std::vector<LeaderboardEntry> friends;
  for (const LeaderboardEntry& f : results.friends)
    if (f.score > 0) friends.push_back(f);
  if (friends.empty()) return {results.own};
  std::stable_sort(friends.begin(), friends.end(),
                   [](const LeaderboardEntry& a, const LeaderboardEntry& b) { return a.score < b.score; });
  const int count = int(friends.size());
  const int below = int(std::count_if(friends.begin(), friends.end(),
                                      [&](const LeaderboardEntry& f) { return f.score < results.own.score; }));
  const size_t wanted = size_t(std::min(count + 1, maxFriendsListed));
  std::vector<LeaderboardEntry> list{results.own};
  // Widen around the player one step at a time: the next worse friend after,
  // the next better one before. The first step has no better friend to take,
  // and no worse one either when every friend did better than the player.
  for (int k = 0; list.size() < wanted; ++k) {
    const size_t before = list.size();
    if (below + k < count) list.push_back(friends[size_t(below + k)]);
    if (k > 0 && list.size() < wanted && below - k >= 0) list.insert(list.begin(), friends[size_t(below - k)]);
    if (k > 0 && list.size() == before) fatalError("Deadlocked in steam friend listing!");
  }
  return list;
}

const LeaderboardResults& ScoreHistogram::results() const {
  const auto& all = leaderboardResults();
  auto byPuzzle = all.find(puzzle);
  if (byPuzzle == all.end()) return noResults();
  auto byMetric = byPuzzle->second.find(metric);
  return byMetric == byPuzzle->second.end() ? noResults() : byMetric->second;
}

int ScoreHistogram::goal() const {
  const Puzzle& p = getPuzzle(puzzle);
  return metric == leaderboardModules ? p.goalModules : p.goalTicks;
}

int ScoreHistogram::cap() const {
  const std::int64_t twiceGoal = std::int64_t(goal()) * 2;
  return int(std::min<std::int64_t>(std::max<std::int64_t>(twiceGoal, results().own.score), INT_MAX));
}

HistogramColumns ScoreHistogram::columns() const { return buildHistogramColumns(results().scores, cap()); }

std::vector<HistogramBar> ScoreHistogram::bars() const {
  const HistogramColumns c = columns();
  if (c.maxCount <= 0 || c.maxValue <= 0) return {};
  const std::int64_t plotH = h - plotHeightMargin;
  const std::int64_t plotW = w - plotWidthMargin;
  const std::int64_t n = std::int64_t(c.counts.size());
  const int player = histogramColumnOf(c, results().own.score);
  const int bottom = y + 10 + int(plotH);
  std::vector<HistogramBar> out;
  for (std::int64_t i = 0; i < n; ++i) {
    const int m = c.counts[size_t(i)];
    if (m <= 0) continue;
    const int height = int(m * plotH / c.maxCount);
    const int left = x + 20 + int(i * plotW / n);
    const int right = x + 15 + int((i + 1) * plotW / n);
    out.push_back({{left, bottom - height, right - left, height}, int(i) == player});
  }
  return out;
}

std::vector<HistogramLabel> ScoreHistogram::axisLabels() const {
  const HistogramColumns c = columns();
  if (c.maxCount <= 0 || c.maxValue <= 0) return {};
  const std::int64_t n = std::min<std::int64_t>(std::int64_t(c.counts.size()), maxAxisLabels);
  std::vector<HistogramLabel> labels;
  for (std::int64_t k = 0; k <= n; ++k) {
    const std::int64_t value = (std::int64_t(c.maxValue) * k + n - 1) / n;  // rounded up
    labels.push_back({std::to_string(value), x + 10 + int((w - plotWidthMargin) * k / n), y + h - 25});
  }
  return labels;
}

std::vector<LeaderboardEntry> ScoreHistogram::friendsEntries() const { return friendsAroundPlayer(results()); }

std::string ScoreHistogram::unitWord() const {
  return metric == leaderboardModules ? "module" : tickUnitWordForPuzzle(puzzle);
}

std::vector<FriendLine> ScoreHistogram::layoutFriends() const {
  std::vector<FriendLine> lines;
  const int left = x + w + friendsGap;
  for (const LeaderboardEntry& e : friendsEntries()) {
    if (e.score <= 0) continue;  // nothing worth listing (no score of the player's own yet)
    FriendLine line;
    line.scoreText = std::to_string(e.score);
    line.scoreX = left;
    line.name = firstCharacters(e.personaName, maxFriendNameLength);
    line.nameX = left + friendsNameOffset;
    line.y = y + friendsLineStep * int(lines.size());
    line.isPlayer = e.isPlayer;
    line.tooltip = e.personaName + ": " + countPhrase(unitWord(), e.score);
    lines.push_back(std::move(line));
  }
  return lines;
}
