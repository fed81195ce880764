#include "menus/puzzle_select_rules.h"

#include <algorithm>

#include "puzzles/tick_unit.h"
#include "puzzles/chapter.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/puzzle_locations.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"
#include "base/strings.h"

std::map<puzzle_id, GeoRect> placardRects;

int communityPageCount() { return int(communityPages.size()); }

bool isCommunityBoard(blackboard_id board) { return board >= firstCommunityBoard; }

blackboard_id resolveSelectBoard(blackboard_id requested) {
  if (requested == noBoard) {
    const puzzle_id last = resolveLastPuzzle(loadLastPuzzle());
    if (last == noPuzzle) return 0;
    requested = getPuzzleBoard(last);
    if (requested == noBoard) fatalError("failed to unmarshall last puzzle for puzz UI");
  }
  if (isCommunityBoard(requested)) {
    const blackboard_id lastPage = firstCommunityBoard + std::max(0, communityPageCount() - 1);
    return std::min(requested, lastPage);
  }
  // No board between the chapters and the community pages: the first board.
  return requested >= 0 && requested < int(chaptersVector().size()) ? requested : 0;
}

const std::set<puzzle_id>& boardPuzzles(blackboard_id board) {
  static const std::set<puzzle_id> none;
  if (isCommunityBoard(board)) {
    const int page = board - firstCommunityBoard;
    return page < communityPageCount() ? communityPages[size_t(page)].puzzles : none;
  }
  const std::vector<Chapter>& chapters = chaptersVector();
  return board >= 0 && board < int(chapters.size()) ? chapters[size_t(board)].puzzles : none;
}

GeoPoint selectBoardPan(blackboard_id requested, int windowW, int windowH, int backgroundW,
                        int backgroundH, int firstBackgroundH) {
  if (requested >= 0 && requested < firstCommunityBoard)
    return {(windowW - backgroundW) / 2, (windowH - backgroundH) / 2};
  return {(windowW - selectDesignWidth) / 2, (windowH - firstBackgroundH) / 2};
}

std::vector<int> perfectChapters() {
  std::vector<int> out;
  const std::vector<Chapter>& chapters = chaptersVector();
  for (int i = 0; i < int(chapters.size()); ++i)
    if (chapters[size_t(i)].allPerfect()) out.push_back(i);
  return out;
}

std::map<puzzle_id, Tick> revealSchedule(blackboard_id board, puzzle_id newlyBeaten, Tick now) {
  std::map<puzzle_id, Tick> schedule;
  const std::set<puzzle_id>& puzzles = boardPuzzles(board);
  if (!puzzles.count(newlyBeaten)) return schedule;
  Tick t = now + 650;
  schedule[newlyBeaten] = t;
  t += 650;
  for (puzzle_id p : puzzles) {
    const Puzzle& puzzle = getPuzzle(p);
    if (!puzzle.predecessors.count(newlyBeaten) || !isPuzzleUnlocked(p) || isPuzzleBeaten(p)) continue;
    schedule[p] = t;
    t += 500;
  }
  return schedule;
}

double revealFraction(const std::map<puzzle_id, Tick>& schedule, puzzle_id puzzle, Tick now) {
  auto it = schedule.find(puzzle);
  if (it == schedule.end()) return 1.0;
  const Tick d = now - it->second;
  if (d < 1) return 0.0;
  const double f = double(d) / 150.0;
  return std::min(1.0, f * f);
}

int revealsStartingIn(const std::map<puzzle_id, Tick>& schedule, Tick now, int dtMs) {
  int n = 0;
  for (const auto& [puzzle, start] : schedule)
    if (now - dtMs <= start && start < now) ++n;
  return n;
}

GeoRect PuzzlePlacard::boardRect() const {
  auto it = placardRects.find(puzzle);
  GeoRect r = it == placardRects.end() ? GeoRect{} : it->second;
  return {x + r.x, y + r.y, r.w, r.h};
}

int PuzzlePlacard::textAlpha(double revealFraction) const {
  if (beaten) return 255;
  if (unlocked) return 143 + int(112 * revealFraction);
  return 143;
}

std::vector<PuzzlePlacard> boardPlacards(blackboard_id board) {
  std::vector<PuzzlePlacard> out;
  for (puzzle_id p : boardPuzzles(board)) {
    PuzzlePlacard placard;
    auto at = puzzleLocations.find(p);
    if (at != puzzleLocations.end()) {
      placard.x = at->second.x;
      placard.y = at->second.y;
    }
    placard.puzzle = p;
    placard.beaten = isPuzzleBeaten(p);
    placard.unlocked = isPuzzleUnlocked(p);
    placard.perfect = isPuzzlePerfect(p);
    out.push_back(placard);
  }
  return out;
}

GeoRect PuzzleBoardTag::hitRect() const {
  if (target == secretBoard) return {x - 64, y - 10, 128, 40};
  return {x - 59, y - 10, 118, 40};
}

namespace {
}

PuzzleBoardTag boardPassage(blackboard_id shown) {
  if (shown == passageBoard && tutorialFlags[flagUnlockedTrailerPuzzle]) return {384, 310, secretBoard};
  if (shown == secretBoard) return {130, 340, passageBoard};
  return {0, 0, noBoard};
}

std::string placardRecordsText(puzzle_id puzzle) {
  std::string text;
  const Puzzle& p = getPuzzle(puzzle);
  const int modules = getBestModules(puzzle);
  if (modules != noRecordedValue) text += "\nFewest Modules: " + std::to_string(modules) + goalSuffixText(p.goalModules);
  const int ticks = getBestTicks(puzzle);
  if (ticks != noRecordedValue) {
    const std::string unit = tickUnitWordForPuzzle(puzzle);
    text += "\nFastest Time: " + countPhrase(unit, ticks) + goalTicksSuffixText(p.goalTicks, unit);
  }
  return text;
}

int tabRowTop(int firstBackgroundH, int baseStripH) { return firstBackgroundH - baseStripH; }

GeoPoint tabPosition(int chapter, int tabTop) { return {tabLeft + tabPitch * chapter, tabTop}; }

int chapterOfTab(int buttonId) {
  if (buttonId == 81) return -1;
  const std::vector<Chapter>& chapters = chaptersVector();
  for (int i = 0; i < int(chapters.size()); ++i)
    if (chapters[size_t(i)].tabButtonId == buttonId) return i;
  return -1;
}

std::string tabTooltip(int chapter, blackboard_id shown) {
  // The asides have a star on their tab, not a number.
  static const char* const labels[] = {"Board 1", "Board 2", "Board 3", "The side board", "Board 4", "Board 6"};
  std::string label = chapter >= 0 && chapter < 6 ? labels[chapter] : "Board";
  return label + ", " + boardName(chapter) +
         (chapter == shown ? ". You're currently viewing this board." : ". Click to view this board.");
}

int selectAmbienceValue(blackboard_id board) { return board == secretBoard ? 4 : board + 1; }
