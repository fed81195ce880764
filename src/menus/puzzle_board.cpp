#include "menus/puzzle_board.h"

#include "puzzles/community_placards.h"
#include "puzzles/chapter.h"

blackboard_id getPuzzleBoard(puzzle_id id) {
  if (id >= firstCommunityPuzzle) return firstCommunityBoard + (id - firstCommunityPuzzle) / puzzlesPerCommunityPage;
  if (id >= 0 && id < puzzleTableSize && getPuzzle(id).hasFlag(puzzleFlagHidden)) return 0;
  // A puzzle listed by two chapters belongs to the later one.
  blackboard_id board = noBoard;
  const std::vector<Chapter>& chapters = chaptersVector();
  for (int i = 0; i < static_cast<int>(chapters.size()); ++i) {
    if (chapters[i].puzzles.count(id)) board = i;
  }
  return board;
}

std::string boardName(blackboard_id board) {
  if (board >= 0 && board < firstCommunityBoard && board < static_cast<int>(chaptersVector().size())) {
    return chaptersVector()[board].title;
  }
  return communityBoardName(board);
}
