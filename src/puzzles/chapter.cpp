#include "puzzles/chapter.h"

#include "puzzles/puzzle_services.h"

namespace {

std::vector<Chapter> buildChapters() {
  return {
      {44, "Beginnings", 1, {}, {2, 3, 4, 5, 16, 17, 18, 23, 46, 47, 48, 49, 50, 56, 71, 75, 82}, {}, {}},
      {45, "The CPU", 2, {5, 82}, {6, 7, 8, 9, 10, 19, 20, 21, 24, 25, 31, 33, 34, 51, 52, 54, 62}, {}, {}},
      {46, "High Speed", 3, {9}, {12, 15, 26, 27, 30, 32, 38, 55, 57, 58, 61, 78, 83, 84, 85, 86}, {}, {}},
      {47, "Asides", 4, {9}, {11, 35, 36, 40, 41, 45, 63, 64, 65, 68, 70, 72, 80}, {}, {}},
      {48, "Sam", 5, {15}, {28, 37, 39, 42, 43, 59, 60, 66, 67, 79, 81}, {}, {}},
      {81, "Secrets", 4, {9}, {74, 76, 77}, {}, {}},
  };
}

}  // namespace

std::vector<Chapter>& chaptersVector() {
  static std::vector<Chapter> chapters = buildChapters();
  return chapters;
}

bool Chapter::isUnlocked() const {
  if (prerequisites.empty()) return true;
  for (puzzle_id id : prerequisites) {
    if (isPuzzleBeaten(id)) return true;
  }
  return false;
}

bool Chapter::allPerfect() const {
  for (puzzle_id id : puzzles) {
    if (!isPuzzlePerfect(id)) return false;
  }
  return true;
}
