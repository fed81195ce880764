#pragma once
// Story texts tied to puzzles, read from data/story/victory_texts.txt (compiled
// in): the victory text of every table row, the alternative texts of "Cows"
// once "Increment" is beaten, and Faux-Reg's lines about its variants.
#include <string>

#include "puzzles/puzzle.h"

// The victory text of table row id ("" for rows without one).
const std::string& tableVictoryText(puzzle_id id);

// "Cows" after "Increment" is beaten: its victory text (spoken by character 3)
// and the line that closes its description.
const std::string& cowsAlternativeVictoryText();
const std::string& cowsClosingDescriptionLine();

// Faux-Reg's victory line by how many of its variants were found: every one,
// every one its sheet lists, or fewer.
const std::string& fauxRegAllFoundText();
const std::string& fauxRegAllListedFoundText();
const std::string& fauxRegMoreToFindText();

// The whole text file, as compiled in.
const std::string& embeddedVictoryTexts();
