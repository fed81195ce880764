#include "generator_rows.h"

#include "puzzles/generators/table_generators.h"
#include "support/puzzle_catalogue.h"

namespace gt {

namespace {

// The row's test count and time unit come from the test catalogue.
GeneratorRow row(int id, std::shared_ptr<ChallengeGenerator> generator, std::string text) {
  const CatalogueRow& r = catalogueRow(id);
  return {id, std::move(generator), r.tests, (r.flags & puzzleFlagDelay) != 0, std::move(text)};
}

GeneratorRow dyn(int id, std::string text) {
  const CatalogueDynamicRow& d = catalogueDynamicRow(id);
  return row(id, makeDynamicGenerator(d.opcodes, d.instructionCount, d.ticksPerInstruction, d.stages),
             std::move(text));
}

GeneratorRow named(int id, const char* name, std::string text) {
  return row(id, makeTableGenerator(name), std::move(text));
}

}  // namespace

const std::vector<GeneratorRow>& generatorRows() {
  const std::string two = "2 ticks per instruction.";
  static const std::vector<GeneratorRow> rows{
      row(5, makeIncrementingGenerator(4, 5), "One tick per value to increment, plus an extra two ticks."),
      row(6, makeMultiplyingGenerator(3, 5),
          "For each pair of values to multiply, take no more ticks than the larger of the values plus two."),
      dyn(7, two),
      dyn(8, two),
      dyn(9, two),
      dyn(10, two),
      dyn(11, two),
      dyn(15, "28 mTicks per instruction, plus 28 more mTicks."),
      dyn(19, two),
      named(20, "Regfile", "Two ticks per instruction."),
      named(22, "Demultiplex", "Four ticks."),
      named(26, "Quad", "18 mTicks."),
      dyn(27, "40 mTicks per instruction."),
      dyn(28, "22 mTicks per instruction."),
      dyn(29, "21 ticks per instruction, plus 21 more ticks."),
      dyn(30, "34 mTicks per instruction, plus 34 more mTicks."),
      named(35, "FauxReg", "Three ticks for each value to store, plus another three. (Total, 15.)"),
      dyn(36, two),
      dyn(37, "24 mTicks per instruction, plus 48 more mTicks."),
      named(38, "Multiply", "22 mTicks per value, plus 22 more mTicks."),
      dyn(39, "24 mTicks per instruction, plus 48 more mTicks."),
      dyn(40, two),
      dyn(41, two),
      dyn(42, "27 mTicks per instruction, plus 27 more mTicks for each Branch instruction, plus 27 more mTicks."),
      dyn(43, "30 mTicks per instruction, plus 30 more mTicks for each Branch instruction, plus 30 more mTicks."),
      dyn(45, two),
      row(51, makeMemReplaceGenerator({{0, 1}}), "3 ticks per value."),
      row(52, makeMemReplaceGenerator({{0, 1}, {1, 0}}), "3 ticks per value."),
      row(53, makeMemReplaceGenerator({{10, -10}}), "3 ticks per value."),
      row(54, makeMemReplaceGenerator({{1, 0}}), "3 ticks per value."),
      named(55, "MemShift", "30 mTicks per value, plus 30 more mTicks."),
      row(56, makeDoublingGenerator(1, 1, -1), "One tick."),
      named(57, "Combining", "60 mTicks."),
      named(58, "MemSwap", "50 mTicks."),
      dyn(59, "30 mTicks per instruction, plus 60 more mTicks for each Branch instruction and 30 more mTicks for "
          "each Jump instruction, plus 60 more mTicks."),
      dyn(60, "30 mTicks per instruction."),
      named(62, "Dereference", "One tick per slot, plus one tick."),
      named(63, "RecursiveDereference", "One tick per dereference, plus one tick."),
      named(64, "Keypad", "The number of values in memory, plus one."),
      named(65, "Negate", "The number of values in memory, plus one."),
      dyn(66, "23 mTicks per instruction."),
      named(67, "ShiftOne", "20 mTicks per value, plus 40 more mTicks."),
      named(68, "Divide", "For each divide instruction, take no more ticks than twice the sum of the source and target."),
      named(72, "GreaterThan", "For each greater-than instruction, twice the absolute difference between the source and target, plus "
            "four ticks."),
      named(74, "SimpleTrailer", "Two ticks per character."),
      named(76, "Reverse", "Three ticks per character."),
      named(77, "Trailer", "Four ticks per character."),
      named(78, "Slowstall", "Forty mTicks."),
      dyn(79, "25 mTicks per instruction."),
      named(80, "Odds", "Twice the sum of the absolute value of all values in memory."),
      dyn(81, "26 mTicks per instruction."),
      named(84, "Splitcount", "20 mTicks for each value to write, plus another 20 mTicks."),
      named(85, "Backshift", "30 mTicks per value, minus 30 mTicks."),
  };
  return rows;
}

}  // namespace gt
