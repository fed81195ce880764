#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/memory.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "puzzles/challenge_generator.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/generators/table_generators.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "puzzles/story_texts.h"
#include "puzzles/test_checks.h"
#include "base/log.h"

namespace {

// A fixed test's check on the outputs of every module kind.
constexpr int anyKind = 0;

using Slots = std::vector<std::pair<int, int>>;

Memory numbers(const Slots& slots) {
  Memory memory;
  for (const auto& [address, number] : slots) memory.write(address, makeNumericValue(number), "");
  return memory;
}

struct ConstTest {
  std::string rule;
  int tickLimit = 0;
  TestCheck success;
  Slots initial;
  Slots goal;
  bool latchFailure = false;
};

GeneratorPtr fixed(const ConstTest& t) {
  TestCheck failure;
  std::string failureText;
  if (t.latchFailure) {
    failure = latchHoldsUnknown();
    failureText = latchHoldsUnknownText;
  }
  TestCase test(numbers(t.initial), numbers(t.goal), t.tickLimit, t.success, failure, failureText);
  return std::make_shared<ConstChallengeGenerator>(std::move(test), t.rule);
}

GeneratorPtr outputs(int value, int kind, std::string rule = "", int tickLimit = 0, Slots memory = {}) {
  return fixed({std::move(rule), tickLimit, anyOutputEquals(value, kind), memory, memory});
}

GeneratorPtr named(const char* generatorName) { return makeTableGenerator(generatorName); }
GeneratorPtr dynamic(std::set<int> opcodes, int count, int ticks, int stages) {
  return makeDynamicGenerator(std::move(opcodes), count, ticks, stages);
}

// Rewrite: address 1 goes from 0 to 8 through every value between.
GeneratorPtr rewriteGenerator() {
  TestCase test(numbers({{1, 0}}), numbers({{1, 8}}), 8, {}, {}, "");
  std::map<int, std::set<std::shared_ptr<Value>>> sets;
  for (int v = 0; v <= 8; ++v) sets[1].insert(makeNumericValue(v));
  test.setValueSets(sets);
  return std::make_shared<ConstChallengeGenerator>(std::move(test), "Eight ticks.");
}

struct Row {
  const char* name;
  const char* title;
  int tests;
  int difficulty;
  int goalModules;
  int goalTicks;
  int flags;
  GeneratorPtr generator;
  std::set<puzzle_id> predecessors;
  std::set<int> allowed;
  int speaker;
};

Row placeholder() { return {"buggy", "", 0, 0, 0, 0, puzzleFlagHidden, nullptr, {}, {}, 7}; }

std::vector<Row> tableRows() {
  const std::set<int> cpu8 = {1, 2, 3, 4, 5, 6, 7, 8, 11, 12};
  const std::set<int> cpu9 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12};
  const std::set<int> all12 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const std::set<int> fast = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11};
  const std::set<int> letters = {1, 2, 3, 4, 5, 7, 8, 9, 10, 12};
  const std::set<int> replace = {1, 2, 3, 4, 5, 8};
  return {
      placeholder(),
      placeholder(),
      {"Time", "Writer", 1, 1, 3, 0, 0, fixed({"One tick.", 1, {}, {}, {{3, 1}}}), {49}, {1, 4}, 4},
      {"Modules", "Placing", 1, 1, 3, 0, 32, outputs(4, kAdderKind), {18}, {2}, 4},
      {"Accumulate", "Counter", 1, 2, 4, 0, 0, makeCounterGenerator(1), {2}, {1, 2, 3}, 3},
      {"Increment", "", 100, 2, 6, 0, 0, makeIncrementingGenerator(4, 5), {4}, {1, 2, 3, 4, 5}, 3},
      {"Multiply", "", 100, 4, 18, 0, 0, makeMultiplyingGenerator(3, 5), {21}, {1, 2, 3, 4, 5, 7, 9}, 3},
      {"Set Memory", "", 100, 1, 6, 0, 0, dynamic({3}, 4, 2, 1), {19}, {1, 2, 3, 4, 5, 6}, 5},
      {"Two Instructions", "Op Select", 100, 2, 10, 0, 0, dynamic({3, 5}, 6, 2, 1), {10}, {1, 2, 3, 4, 5, 6, 11}, 2},
      {"Arith CPU", "", 100, 3, 13, 0, 0, dynamic({1, 4, 7}, 9, 2, 1), {8}, cpu8, 3},
      {"Basic CPU", "", 100, 3, 10, 0, 0, dynamic({1, 7}, 9, 2, 1), {20}, {1, 2, 3, 4, 5, 6, 7, 8, 12}, 1},
      {"Load CPU", "", 100, 2, 14, 0, 0, dynamic({1, 4, 6, 7}, 9, 2, 1), {}, cpu8, 0},
      {"Delay", "", 1, 1, 3, 6, 2, outputs(3, kAdderKind, "Six mTicks.", 6), {61}, {2}, 4},
      {"Delay-Acc", "Delay Count", 1, 2, 4, 104, 1, makeCounterGenerator(14), {32}, {1, 2, 3}, 6},
      placeholder(),
      {"Delay CPU", "", 50, 3, 14, 184, 30, dynamic({1, 4, 7}, 9, 28, 2), {30}, cpu8, 4},
      {"Stall", "", 1, 2, 3, 0, 0, fixed({"Three ticks.", 3, {}, {}, {{0, 1}, {1, 1}}}), {2}, {1, 3}, 4},
      {"Wiring", "", 1, 1, 0, 0, 32, outputs(2, kAdderKind), {}, {}, 3},
      {"Multiwiring", "", 1, 1, 0, 0, 32, outputs(3, anyKind), {17}, {}, 3},
      {"One Instruction", "Instructions", 100, 2, 7, 0, 0, dynamic({2}, 4, 2, 1), {24}, {1, 2, 3, 4, 5, 6}, 2},
      {"Regfile", "", 100, 2, 7, 0, 0, named("Regfile"), {25}, {1, 2, 3, 5, 6, 8, 12}, 4},
      {"Multiplex", "", 1, 2, 7, 0, 0, fixed({"Five ticks.", 5, {}, {}, {}}), {54}, {1, 2, 3, 7}, 4},
      {"Demultiplex", "", 100, 3, 11, 0, 1, named("Demultiplex"), {31}, {1, 2, 3, 4, 8}, 7},
      {"Memory", "", 1, 1, 2, 0, 0, outputs(6, kReaderKind, "", 0, {{0, 1}, {1, 9}, {10, 6}, {15, 0}}), {46}, {1}, 1},
      {"Copying", "Palette", 1, 2, 4, 0, 0, makeCounterGenerator(1), {}, {1, 2, 3}, 5},
      {"Dragging", "", 1, 1, 0, 0, 0, outputs(2, kAdderKind), {7, 52}, {}, 4},
      {"Quadruple", "", 100, 2, 4, 0, 2, named("Quad"), {12}, {1, 2, 5, 13}, 2},
      {"Delay Zero", "", 100, 2, 7, 174, 30, dynamic({2}, 6, 40, 1), {85}, {1, 2, 3, 4, 6}, 3},
      {"Parallels", "", 50, 3, 11, 96, 30, dynamic({2}, 6, 22, 1), {15}, {1, 2, 3, 4, 6}, 4},
      {"Stages", "", 100, 3, 8, 119, 1, dynamic({2}, 6, 21, 2), {84}, {1, 2, 4, 6}, 4},
      {"Fast Two", "", 50, 3, 11, 261, 30, dynamic({3, 5}, 8, 34, 2), {84}, {1, 2, 3, 4, 5, 6, 11, 12}, 3},
      {"Fastcount", "", 1, 1, 6, 0, 0, fixed({"One tick.", 1, {}, {}, {{1, 1}, {2, 2}, {3, 3}}}), {51}, {1, 4}, 2},
      {"Delay Latch", "", 1, 1, 2, 3, 6, fixed({"5 mTicks.", 5, anyOutputEquals(1, kLatchKind), {}, {}, true}), {86}, {1, 3}, 2},
      {"Alternator", "", 1, 3, 6, 0, 0,
       fixed({"One tick per value to store, plus two more ticks.", 10, {}, {},
              {{0, 1}, {1, 0}, {2, 1}, {3, 0}, {4, 1}, {5, 0}, {6, 1}, {7, 0}}}),
       {24}, {1, 2, 3, 10}, 1},
      {"Threes", "", 1, 3, 8, 0, 0,
       fixed({"One tick per value to store, plus another two ticks.", 12, {}, {},
              {{0, 1}, {1, 0}, {2, 0}, {3, 1}, {4, 0}, {5, 0}, {6, 1}, {7, 0}, {8, 0}, {9, 1}}}),
       {33}, {1, 2, 3, 10}, 5},
      {"Faux-Reg", "", 100, 3, 6, 0, 0, named("FauxReg"), {}, {1, 2, 3, 4, 7, 8, 10, 12}, 7},
      {"MicroCPU", "", 100, 2, 10, 0, 0, dynamic({11, 12, 13}, 5, 2, 1), {}, {1, 2, 3, 4, 5, 6, 11, 12}, 0},
      {"Reg Hazard", "", 50, 4, 23, 456, 30, dynamic({1, 4, 6, 7}, 18, 24, 3), {39}, cpu9, 4},
      {"Products", "", 100, 3, 9, 150, 30, named("Multiply"), {84}, {1, 2, 3, 4, 5, 7, 8, 9, 12, 13}, 1},
      {"Mem Hazard", "More Stages", 50, 4, 16, 190, 30, dynamic({3, 5}, 8, 24, 3), {67},
       {1, 2, 3, 5, 6, 7, 8, 9, 11, 12}, 4},
      {"Jump", "", 100, 2, 14, 0, 0, dynamic({1, 4, 7, 8}, 12, 2, 1), {}, cpu8, 0},
      {"Branch", "", 100, 2, 16, 0, 0, dynamic({1, 4, 7, 8, 9}, 12, 2, 1), {40}, all12, 0},
      {"Delay Jump", "", 50, 2, 17, 180, 30, dynamic({3, 5, 8}, 8, 27, 2), {39}, cpu9, 2},
      {"Delay Branch", "", 50, 4, 22, 242, 30, dynamic({3, 5, 16}, 8, 30, 2), {42}, cpu9, 1},
      placeholder(),
      {"Full CPU", "", 100, 2, 17, 0, 0, dynamic({1, 4, 6, 7, 8, 9}, 12, 2, 1), {11, 41}, all12, 0},
      {"Configuration", "Modules", 1, 1, 3, 0, 0, outputs(5, kAdderKind), {50}, {1, 2}, 3},
      {"Memsum", "", 1, 2, 6, 0, 32, outputs(7, kAdderKind, "", 0, {{6, 5}, {8, 2}}), {23}, {2, 5}, 1},
      {"Time2", "Time", 1, 1, 0, 0, 96, outputs(15, kLatchKind, "", 4), {47}, {}, 2},
      {"Latch", "", 1, 1, 2, 0, 0, outputs(15, kLatchKind, "", 1), {48}, {1, 3}, 2},
      {"Config", "", 1, 1, 0, 0, 0, outputs(4, kAdderKind), {3}, {}, 4},
      {"Ones", "", 100, 2, 6, 0, 0, makeMemReplaceGenerator({{0, 1}}), {21}, replace, 3},
      {"Flip", "", 100, 3, 8, 0, 0, makeMemReplaceGenerator({{0, 1}, {1, 0}}), {51}, replace, 3},
      {"Tens", "", 100, 2, 0, 0, 1, makeMemReplaceGenerator({{10, -10}}), {52}, replace, 7},
      {"Nullfold", "", 100, 2, 7, 0, 0, makeMemReplaceGenerator({{1, 0}}), {62}, {1, 2, 3, 4, 5, 7}, 5},
      {"Copier", "", 100, 3, 6, 75, 30, named("MemShift"), {57}, {1, 2, 3, 4, 12}, 2},
      {"Spares", "", 100, 5, 5, 0, 0, makeDoublingGenerator(1, 1, -1), {2}, {3, 4, 5, 10}, 4},
      {"Combiner", "", 100, 3, 7, 48, 30, named("Combining"), {78}, {1, 2, 3, 4, 12}, 1},
      {"Swap", "", 100, 3, 7, 45, 30, named("MemSwap"), {57}, {1, 2, 3, 4, 12}, 4},
      {"Finale", "", 50, 4, 30, 408, 30, dynamic({1, 4, 6, 7, 8, 9}, 15, 30, 3), {37, 43}, all12, 3},
      {"Fast 2-2", "", 100, 4, 24, 153, 30, dynamic({3, 5}, 8, 30, 1), {66}, fast, 4},
      {"Oh No", "", 1, 2, 2, 0, 0, fixed({"", 1, {}, {}, {}}), {9}, {2, 4}, 4},
      {"Dereference", "Deref", 100, 2, 6, 0, 0, named("Dereference"), {24}, {1, 2, 3, 4, 5}, 3},
      {"Deref-R", "", 100, 2, 6, 0, 0, named("RecursiveDereference"), {70}, {1, 2, 3, 4, 5, 7, 9}, 0},
      {"Keypad", "", 100, 4, 16, 0, 0, named("Keypad"), {}, {1, 2, 3, 4, 5, 7, 8, 9, 12}, 0},
      {"Negate", "", 100, 2, 8, 0, 0, named("Negate"), {}, {1, 2, 3, 4, 5, 9, 10}, 0},
      {"Collisions", "", 100, 3, 12, 102, 30, dynamic({3}, 8, 23, 1), {28}, fast, 2},
      {"Shift One", "", 50, 3, 10, 135, 30, named("ShiftOne"), {60}, {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}, 1},
      {"Divide", "", 50, 4, 22, 0, 0, named("Divide"), {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}, 0},
      {"Delay Write", "", 1, 1, 3, 13, 1, fixed({"15 mTicks.", 15, {}, {}, {{1, 2}}}), {32}, {1, 4}, 7},
      {"Nil", "", 1, 1, 2, 0, 32, outputs(0, anyKind), {}, {1, 9}, 0},
      {"Validation", "", 3, 1, 4, 0, 0, fixed({"One tick.", 5, {}, {}, {}}), {4}, {1, 2, 4, 5}, 2},
      // The source data lists Writer twice here; the set keeps it once.
      {"Greater", "", 100, 4, 17, 0, 0, named("GreaterThan"), {}, {1, 2, 3, 4, 4, 5, 6, 7, 8, 9, 12}, 0},
      {"Credits", "", 1, 1, 0, 0, 224, fixed({"", 0, anyOutputEquals(2147483647, anyKind), {{2, 3}}, {}}), {}, {}, 7},
      {"Brasswick", "", 100, 3, 15, 0, 128, named("SimpleTrailer"), {}, letters, 0},
      {"Rewrite", "", 1, 2, 4, 0, 32, rewriteGenerator(), {2}, {1, 4, 5}, 1},
      {"Reverse", "", 100, 2, 14, 0, 128, named("Reverse"), {}, letters, 0},
      {"Cipher", "", 100, 4, 25, 0, 128, named("Trailer"), {74, 76}, letters, 0},
      {"Slowstall", "", 1, 2, 3, 26, 30, named("Slowstall"), {27}, {1, 3, 4, 12}, 1},
      {"Parallac", "", 50, 4, 16, 172, 30, dynamic({11, 13}, 8, 25, 1), {66}, fast, 4},
      {"Odds", "", 100, 3, 16, 0, 0, named("Odds"), {}, letters, 0},
      {"Backup", "", 50, 4, 23, 168, 30, dynamic({11, 12, 13, 14, 15}, 10, 26, 1), {79}, fast, 1},
      {"Cows", "", 1, 3, 10, 0, 0, fixed({"30 ticks.", 5, {}, {}, {}}), {}, {1, 2, 3, 5, 9, 10}, 3},
      {"Maze", "", 1, 2, 7, 36, 42, outputs(4, anyKind, "", 39, {{5, 10}, {10, 3}, {3, 11}, {11, 1}}), {26}, {2, 5}, 4},
      {"Splitcount", "", 100, 3, 7, 144, 30, named("Splitcount"), {78}, {1, 2, 3, 5, 12}, 4},
      {"Back", "", 100, 2, 5, 105, 14, named("Backshift"), {26, 32}, {1, 2, 3, 5}, 4},
      {"Clock", "", 1, 1, 3, 18, 38, fixed({"", 24, anyOutputEquals(3, kLatchKind), {{1, 3}}, {{1, 3}}, true}), {12},
       {1, 2, 3, 5}, 1},
  };
}

std::vector<Puzzle> buildPuzzleTable() {
  std::vector<Row> rows = tableRows();
  ensure(rows.size() == std::size_t(puzzleTableSize), "puzzle table size mismatch");
  std::vector<Puzzle> table;
  table.reserve(rows.size());
  for (std::size_t id = 0; id < rows.size(); ++id) {
    Row& row = rows[id];
    Puzzle puzzle;
    puzzle.name = row.name;
    puzzle.title = row.title;
    puzzle.victoryText = {tableVictoryText(puzzle_id(id)), row.speaker};
    puzzle.predecessors = std::move(row.predecessors);
    puzzle.generator = std::move(row.generator);
    puzzle.testCount = row.tests;
    puzzle.allowedModules = std::move(row.allowed);
    puzzle.difficulty = row.difficulty;
    puzzle.goalModules = row.goalModules;
    puzzle.goalTicks = row.goalTicks;
    puzzle.flags = row.flags;
    table.push_back(std::move(puzzle));
  }
  return table;
}

}  // namespace

const std::vector<Puzzle>& puzzleTable() {
  // Built on first use (thread-safe), which start-up does before any screen;
  // read-only afterwards.
  static const std::vector<Puzzle> table = buildPuzzleTable();
  return table;
}

const Puzzle& getPuzzle(puzzle_id id) {
  if (id >= firstCommunityPuzzle) return getCustomPuzzle(id);
  if (id < 0 || id >= puzzleTableSize) fatalError("invalid puzzle id " + std::to_string(id));
  return puzzleTable()[std::size_t(id)];
}

void checkPuzzleTable() {
  std::set<std::string> names;
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    const Puzzle& puzzle = getPuzzle(id);
    if (puzzle.hasFlag(puzzleFlagHidden)) continue;
    if (!names.insert(puzzle.name).second) fatalError("duplicate puzzle name " + puzzle.name);
    if (descriptionCache.find(id) == descriptionCache.end()) {
      fatalError("missing description for puzzle " + puzzle.name);
    }
  }
}
