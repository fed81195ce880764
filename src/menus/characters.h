#pragma once
// The seven characters who tell the story: their table (name, what the
// portrait tooltip says about them on each board, an optional tag name shown
// instead of the name) and the attribution that ends a spoken text.
#include <functional>
#include <string>
#include <vector>

#include "puzzles/character_names.h"
#include "menus/puzzle_board.h"
#include "saves/description_file.h"

constexpr int playerCharacter = 0;

struct CharacterDefinition {
  std::string name;  // also the base of the portrait file names
  std::function<std::string(blackboard_id)> description;
  std::string tagName;  // shown instead of the name when not empty

  std::string shownName() const { return tagName.empty() ? name : tagName; }
};

// Fatal "Invalid character ID when fetching definition: N" for ids outside 0..6.
const CharacterDefinition& characterDefinition(int id);

// The portrait tooltip: shown name + ": " + the description for the board.
std::string characterTooltipText(int id, blackboard_id board);

// A spoken text as the description cache holds it: coloured runs and a speaker.
using DialogueLine = PuzzleDescriptionText;

// The runs with the speaker's attribution: unchanged without a speaker;
// otherwise the tag replaces whatever follows the first line break of a plain
// last run, or comes as a run of its own after a coloured one.
std::vector<DescriptionLine> dialogueTextLines(const DialogueLine& line);
