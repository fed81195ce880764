#pragma once
// Which board of the puzzle select screen shows a puzzle.
#include <string>

#include "puzzles/community_placards.h"  // puzzlesPerCommunityPage
#include "puzzles/puzzle.h"

// Board numbers: 0..5 index the chapters (5 is the secret board, without a
// tab), 100 + k is community page k (17 puzzles a page), -1 is no board (and,
// given to the select screen, the board of the last puzzle).
using blackboard_id = int;
constexpr blackboard_id noBoard = -1;
constexpr blackboard_id firstCommunityBoard = 100;

// Community ids give their page; unlisted table rows give board 0; otherwise
// the chapter that lists the puzzle, or noBoard.
blackboard_id getPuzzleBoard(puzzle_id id);

// The chapter's title for boards under 100, else "Community " + page number.
std::string boardName(blackboard_id board);
