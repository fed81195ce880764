// Lookup of puzzles by name and the texts shown for them.
#include "puzzles/character_names.h"
#include "puzzles/tick_unit.h"
#include "puzzles/challenge_generator.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/generators/faux_reg_variants.h"
#include "puzzles/puzzle_services.h"
#include "puzzles/story_texts.h"
#include "base/strings.h"

namespace {
constexpr puzzle_id incrementPuzzle = 5;
constexpr int cowsSpeaker = 3;
}  // namespace

std::string getPuzzleName(puzzle_id id) { return getPuzzle(id).name; }

std::string getPuzzleTitle(puzzle_id id) {
  const Puzzle& puzzle = getPuzzle(id);
  return puzzle.title.empty() ? puzzle.name : puzzle.title;
}

puzzle_id puzzleIdByName(const std::string& name) {
  const std::vector<Puzzle>& table = puzzleTable();
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (table[std::size_t(id)].name == name) return id;
  }
  return findCustomPuzzleByName(name);
}

PuzzleDescriptionText getPuzzleDescriptionLines(puzzle_id id) {
  auto entry = descriptionCache.find(id);
  if (entry == descriptionCache.end()) {
    PuzzleDescriptionText missing;
    missing.lines.push_back({"BUG: No puzzle description found. Report me!", 0});
    missing.speaker = 0;
    return missing;
  }
  PuzzleDescriptionText text = entry->second;
  if (id == cowsPuzzle && isPuzzleBeaten(incrementPuzzle)) {
    while (!text.lines.empty() && text.lines.back().text == "\n") text.lines.pop_back();
    text.lines.push_back({cowsClosingDescriptionLine() + "\n", 0});
  }
  return text;
}

Description getPuzzleVictoryText(puzzle_id id) {
  if (id == fauxRegPuzzle) return fauxRegVariantDialogue();
  if (id == cowsPuzzle && isPuzzleBeaten(incrementPuzzle)) return {cowsAlternativeVictoryText(), cowsSpeaker};
  return getPuzzle(id).victoryText;
}

std::string getPuzzleTimeLimitText(puzzle_id id) {
  const Puzzle& puzzle = getPuzzle(id);
  if (!puzzle.generator) return "";
  return puzzle.generator->timeLimitText(tickUnitWordForPuzzle(id));
}

std::set<int> getPuzzleAllowedModules(puzzle_id id) { return getPuzzle(id).allowedModules; }

std::set<int> getPuzzleOpcodes(puzzle_id id) {
  const Puzzle& puzzle = getPuzzle(id);
  if (!puzzle.generator) return {};
  return puzzle.generator->opcodes();
}

std::string goalSuffixText(int goal) {
  if (goal == 0) return "";
  return " (Goal: " + std::to_string(goal) + ")";
}

std::string goalTicksSuffixText(int goal, const std::string& unitWord) {
  if (goal == 0) return "";
  return " (Goal: " + countPhrase(unitWord, goal) + ")";
}

std::string Description::fullText() const {
  if (text.empty()) return text;
  return text + "\n" + speakerTag(speaker);
}
