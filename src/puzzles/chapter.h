#pragma once
// The chapter boards of the puzzle select screen, and the same record for the
// community pages.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "puzzles/puzzle.h"

// Art the select screen loads into a chapter at run time. The core never
// draws, so the texture is held type-erased; it is released with the chapter.
struct ChapterArt {
  std::shared_ptr<void> texture;
  int width = 0;
  int height = 0;
};

struct Chapter {
  int tabButtonId = 81;  // 81: no tab
  std::string title;
  int boardNumber = 1;  // board picture 1..5
  std::set<puzzle_id> prerequisites;  // any one beaten opens the chapter; empty: always open
  std::set<puzzle_id> puzzles;
  ChapterArt background;
  ChapterArt overlay;

  bool isUnlocked() const;
  bool allPerfect() const;
};

constexpr int chapterCount = 6;

// The 6 chapter boards, built before main; only the art fields change later.
std::vector<Chapter>& chaptersVector();
