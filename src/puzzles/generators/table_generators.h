#pragma once
// Makers of the table's generators, one per generator class, taking the
// parameters the puzzle table gives each row. The puzzle table calls them
// while it is built (before main), so they must not rely on other files'
// static data being ready.
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "puzzles/challenge_generator.h"

using GeneratorPtr = std::shared_ptr<ChallengeGenerator>;

// Generators without parameters, by class name without the
// "ChallengeGenerator" suffix: Regfile, Demultiplex, Quad, FauxReg, Multiply,
// MemShift, Combining, MemSwap, Dereference, RecursiveDereference, Keypad,
// Negate, ShiftOne, Divide, GreaterThan, SimpleTrailer, Reverse, Trailer,
// Slowstall, Odds, Splitcount, Backshift. Fatal for any other name.
GeneratorPtr makeTableGenerator(const std::string& generatorName);

// Generators with parameters, as the table builds them.
GeneratorPtr makeIncrementingGenerator(int a, int b);     // table: (4, 5)
GeneratorPtr makeMultiplyingGenerator(int a, int b);      // table: (3, 5)
GeneratorPtr makeDoublingGenerator(int a, int b, int c);  // table: (1, 1, -1)
GeneratorPtr makeMemReplaceGenerator(std::vector<std::pair<int, int>> replacements);
GeneratorPtr makeDynamicGenerator(std::set<int> opcodes, int instructionCount,
                                  int ticksPerInstruction, int stages);
