#include "generator_rows.h"

#include "puzzles/generators/table_generators.h"

namespace gt {

namespace {

GeneratorRow dyn(int id, std::set<int> ops, int count, int ticks, int stages, int tests, bool delay,
                 std::string text) {
  return {id, makeDynamicGenerator(std::move(ops), count, ticks, stages), tests, delay, std::move(text)};
}

GeneratorRow named(int id, const char* name, int tests, bool delay, std::string text) {
  return {id, makeTableGenerator(name), tests, delay, std::move(text)};
}

}  // namespace

const std::vector<GeneratorRow>& generatorRows() {
  const std::string two = "2 ticks per instruction.";
  static const std::vector<GeneratorRow> rows{
      {5, makeIncrementingGenerator(4, 5), 100, false, "One tick per value to increment, plus an extra two ticks."},
      {6, makeMultiplyingGenerator(3, 5), 100, false,
       "For each pair of values to multiply, take no more ticks than the larger of the values plus two."},
      dyn(7, {3}, 4, 2, 1, 100, false, two),
      dyn(8, {3, 5}, 6, 2, 1, 100, false, two),
      dyn(9, {1, 4, 7}, 9, 2, 1, 100, false, two),
      dyn(10, {1, 7}, 9, 2, 1, 100, false, two),
      dyn(11, {1, 4, 6, 7}, 9, 2, 1, 100, false, two),
      dyn(15, {1, 4, 7}, 9, 28, 2, 50, true, "28 mTicks per instruction, plus 28 more mTicks."),
      dyn(19, {2}, 4, 2, 1, 100, false, two),
      named(20, "Regfile", 100, false, "Two ticks per instruction."),
      named(22, "Demultiplex", 100, false, "Four ticks."),
      named(26, "Quad", 100, true, "18 mTicks."),
      dyn(27, {2}, 6, 40, 1, 100, true, "40 mTicks per instruction."),
      dyn(28, {2}, 6, 22, 1, 50, true, "22 mTicks per instruction."),
      dyn(29, {2}, 6, 21, 2, 100, false, "21 ticks per instruction, plus 21 more ticks."),
      dyn(30, {3, 5}, 8, 34, 2, 50, true, "34 mTicks per instruction, plus 34 more mTicks."),
      named(35, "FauxReg", 100, false, "Three ticks for each value to store, plus another three. (Total, 15.)"),
      dyn(36, {11, 12, 13}, 5, 2, 1, 100, false, two),
      dyn(37, {1, 4, 6, 7}, 18, 24, 3, 50, true, "24 mTicks per instruction, plus 48 more mTicks."),
      named(38, "Multiply", 100, true, "22 mTicks per value, plus 22 more mTicks."),
      dyn(39, {3, 5}, 8, 24, 3, 50, true, "24 mTicks per instruction, plus 48 more mTicks."),
      dyn(40, {1, 4, 7, 8}, 12, 2, 1, 100, false, two),
      dyn(41, {1, 4, 7, 8, 9}, 12, 2, 1, 100, false, two),
      dyn(42, {3, 5, 8}, 8, 27, 2, 50, true,
          "27 mTicks per instruction, plus 27 more mTicks for each Branch instruction, plus 27 more mTicks."),
      dyn(43, {3, 5, 16}, 8, 30, 2, 50, true,
          "30 mTicks per instruction, plus 30 more mTicks for each Branch instruction, plus 30 more mTicks."),
      dyn(45, {1, 4, 6, 7, 8, 9}, 12, 2, 1, 100, false, two),
      {51, makeMemReplaceGenerator({{0, 1}}), 100, false, "3 ticks per value."},
      {52, makeMemReplaceGenerator({{0, 1}, {1, 0}}), 100, false, "3 ticks per value."},
      {53, makeMemReplaceGenerator({{10, -10}}), 100, false, "3 ticks per value."},
      {54, makeMemReplaceGenerator({{1, 0}}), 100, false, "3 ticks per value."},
      named(55, "MemShift", 100, true, "30 mTicks per value, plus 30 more mTicks."),
      {56, makeDoublingGenerator(1, 1, -1), 100, false, "One tick."},
      named(57, "Combining", 100, true, "60 mTicks."),
      named(58, "MemSwap", 100, true, "50 mTicks."),
      dyn(59, {1, 4, 6, 7, 8, 9}, 15, 30, 3, 50, true,
          "30 mTicks per instruction, plus 60 more mTicks for each Branch instruction and 30 more mTicks for "
          "each Jump instruction, plus 60 more mTicks."),
      dyn(60, {3, 5}, 8, 30, 1, 100, true, "30 mTicks per instruction."),
      named(62, "Dereference", 100, false, "One tick per slot, plus one tick."),
      named(63, "RecursiveDereference", 100, false, "One tick per dereference, plus one tick."),
      named(64, "Keypad", 100, false, "The number of values in memory, plus one."),
      named(65, "Negate", 100, false, "The number of values in memory, plus one."),
      dyn(66, {3}, 8, 23, 1, 100, true, "23 mTicks per instruction."),
      named(67, "ShiftOne", 50, true, "20 mTicks per value, plus 40 more mTicks."),
      named(68, "Divide", 50, false,
            "For each divide instruction, take no more ticks than twice the sum of the source and target."),
      named(72, "GreaterThan", 100, false,
            "For each greater-than instruction, twice the absolute difference between the source and target, plus "
            "four ticks."),
      named(74, "SimpleTrailer", 100, false, "Two ticks per character."),
      named(76, "Reverse", 100, false, "Three ticks per character."),
      named(77, "Trailer", 100, false, "Four ticks per character."),
      named(78, "Slowstall", 1, true, "Forty mTicks."),
      dyn(79, {11, 13}, 8, 25, 1, 50, true, "25 mTicks per instruction."),
      named(80, "Odds", 100, false, "Twice the sum of the absolute value of all values in memory."),
      dyn(81, {11, 12, 13, 14, 15}, 10, 26, 1, 50, true, "26 mTicks per instruction."),
      named(84, "Splitcount", 100, true, "20 mTicks for each value to write, plus another 20 mTicks."),
      named(85, "Backshift", 100, true, "30 mTicks per value, minus 30 mTicks."),
  };
  return rows;
}

}  // namespace gt
