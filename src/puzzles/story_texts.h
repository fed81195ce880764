#pragma once
// Story texts tied to puzzles: the victory text of every table row and the
// alternative texts of "Cows" once "Increment" is beaten.
#include "puzzles/puzzle.h"

// The victory text of table row id ("" for rows without one).
const char* tableVictoryText(puzzle_id id);

// "Cows" after "Increment" is beaten: its victory text (spoken by character 3)
// and the line that closes its description.
extern const char* const cowsAlternativeVictoryText;
extern const char* const cowsClosingDescriptionLine;
