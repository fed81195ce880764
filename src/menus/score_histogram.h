#pragma once
// The victory screen's histogram of every player's score on one leaderboard
// of a puzzle, and its list of the player's friends beside it. The maths and
// layout are here; render and tooltipAt draw them (UI library).
#include <climits>
#include <string>
#include <vector>

#include "model/module_geometry.h"
#include "puzzles/puzzle.h"
#include "services/steam_handler.h"

struct SDL_Renderer;

struct HistogramColumns {
  std::vector<int> counts;  // scores per column, lowest scores first
  int maxValue = INT_MIN;   // the largest admitted score; INT_MIN when none
  int maxCount = 0;
};

// At most this many columns; fewer when the largest score is smaller.
constexpr int maxHistogramColumns = 20;

// Admits the scores in [1, cap] only (downloads may hold zeros, negatives or
// absurd values) and sizes the columns by what it admitted: a column per
// value up to 20, else 20 columns sharing the range.
HistogramColumns buildHistogramColumns(const std::vector<int>& scores, int cap);
// The column of an admitted score; -1 for a score the columns don't cover.
int histogramColumnOf(const HistogramColumns& columns, int score);

struct HistogramBar {
  GeoRect bar;      // the bar itself; its shadow is offset by (+2, -2)
  bool isPlayer = false;  // the column holding the player's own score
};

struct HistogramLabel {
  std::string text;
  int x = 0;
  int y = 0;
};

// One line of the friends' list: a score and a name.
struct FriendLine {
  std::string scoreText;
  int scoreX = 0;
  std::string name;  // cut to maxFriendNameLength characters
  int nameX = 0;
  int y = 0;
  bool isPlayer = false;
  std::string tooltip;  // the whole name and the score with its unit
};

constexpr int maxFriendsListed = 10;  // entries, the player's own included
constexpr int maxFriendNameLength = 45;

// Cuts a UTF-8 text to its first n characters without splitting one.
std::string firstCharacters(const std::string& text, int n);

// The friends shown around the player, best (lowest) scores first: the
// player's own entry among the friends just below and just above, at most 10
// entries. Friends without a real score (not above 0) are left out.
std::vector<LeaderboardEntry> friendsAroundPlayer(const LeaderboardResults& results);

struct ScoreHistogram {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  puzzle_id puzzle = noPuzzle;
  int metric = leaderboardModules;  // or leaderboardTicks

  // What the downloads delivered for this puzzle and metric (empty when
  // nothing was fetched).
  const LeaderboardResults& results() const;
  // The puzzle's goal of this metric (0: none).
  int goal() const;
  // Scores above this are left out: twice the goal, or the player's own
  // score when that is higher.
  int cap() const;
  HistogramColumns columns() const;
  // Nothing when there is nothing to show.
  std::vector<HistogramBar> bars() const;
  std::vector<HistogramLabel> axisLabels() const;
  std::vector<LeaderboardEntry> friendsEntries() const;
  std::vector<FriendLine> layoutFriends() const;
  // "module" or the puzzle's tick word, for the friends' tooltips.
  std::string unitWord() const;

  // Bars, axis labels and the friends' list.
  void render(SDL_Renderer* renderer) const;
  // The tooltip of the friends' list entry under the point, if any.
  bool tooltipAt(SDL_Renderer* renderer, int px, int py) const;
};
