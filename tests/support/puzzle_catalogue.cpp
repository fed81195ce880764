#include "puzzle_catalogue.h"

#include <gtest/gtest.h>

namespace {

template <class Row>
const Row& rowOf(const std::vector<Row>& rows, puzzle_id id, const char* what) {
  for (const Row& row : rows) {
    if (row.id == id) return row;
  }
  ADD_FAILURE() << "puzzle " << id << " has no " << what << " in the test catalogue";
  return rows.front();
}

}  // namespace

const std::vector<CatalogueRow>& catalogueRows() {
  static const std::vector<CatalogueRow> rows = {
    {0, "buggy", "", 0, 0, 0, 0, 1, "-", {}, {}, 7},
    {1, "buggy", "", 0, 0, 0, 0, 1, "-", {}, {}, 7},
    {2, "Time", "Writer", 1, 1, 3, 0, 0, "Const", {49}, {1, 4}, 4},
    {3, "Modules", "Placing", 1, 1, 3, 0, 32, "Const", {18}, {2}, 4},
    {4, "Accumulate", "Counter", 1, 2, 4, 0, 0, "Counter 1", {2}, {1, 2, 3}, 3},
    {5, "Increment", "", 100, 2, 6, 0, 0, "Incrementing", {4}, {1, 2, 3, 4, 5}, 3},
    {6, "Multiply", "", 100, 4, 18, 0, 0, "Multiplying", {21}, {1, 2, 3, 4, 5, 7, 9}, 3},
    {7, "Set Memory", "", 100, 1, 6, 0, 0, "Dynamic", {19}, {1, 2, 3, 4, 5, 6}, 5},
    {8, "Two Instructions", "Op Select", 100, 2, 10, 0, 0, "Dynamic", {10}, {1, 2, 3, 4, 5, 6, 11}, 2},
    {9, "Arith CPU", "", 100, 3, 13, 0, 0, "Dynamic", {8}, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12}, 3},
    {10, "Basic CPU", "", 100, 3, 10, 0, 0, "Dynamic", {20}, {1, 2, 3, 4, 5, 6, 7, 8, 12}, 1},
    {11, "Load CPU", "", 100, 2, 14, 0, 0, "Dynamic", {}, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12}, 0},
    {12, "Delay", "", 1, 1, 3, 6, 2, "Const", {61}, {2}, 4},
    {13, "Delay-Acc", "Delay Count", 1, 2, 4, 104, 1, "Counter 14", {32}, {1, 2, 3}, 6},
    {14, "buggy", "", 0, 0, 0, 0, 1, "-", {}, {}, 7},
    {15, "Delay CPU", "", 50, 3, 14, 184, 30, "Dynamic", {30}, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12}, 4},
    {16, "Stall", "", 1, 2, 3, 0, 0, "Const", {2}, {1, 3}, 4},
    {17, "Wiring", "", 1, 1, 0, 0, 32, "Const", {}, {}, 3},
    {18, "Multiwiring", "", 1, 1, 0, 0, 32, "Const", {17}, {}, 3},
    {19, "One Instruction", "Instructions", 100, 2, 7, 0, 0, "Dynamic", {24}, {1, 2, 3, 4, 5, 6}, 2},
    {20, "Regfile", "", 100, 2, 7, 0, 0, "Regfile", {25}, {1, 2, 3, 5, 6, 8, 12}, 4},
    {21, "Multiplex", "", 1, 2, 7, 0, 0, "Const", {54}, {1, 2, 3, 7}, 4},
    {22, "Demultiplex", "", 100, 3, 11, 0, 1, "Demultiplex", {31}, {1, 2, 3, 4, 8}, 7},
    {23, "Memory", "", 1, 1, 2, 0, 0, "Const", {46}, {1}, 1},
    {24, "Copying", "Palette", 1, 2, 4, 0, 0, "Counter 1", {}, {1, 2, 3}, 5},
    {25, "Dragging", "", 1, 1, 0, 0, 0, "Const", {7, 52}, {}, 4},
    {26, "Quadruple", "", 100, 2, 4, 0, 2, "Quad", {12}, {1, 2, 5, 13}, 2},
    {27, "Delay Zero", "", 100, 2, 7, 174, 30, "Dynamic", {85}, {1, 2, 3, 4, 6}, 3},
    {28, "Parallels", "", 50, 3, 11, 96, 30, "Dynamic", {15}, {1, 2, 3, 4, 6}, 4},
    {29, "Stages", "", 100, 3, 8, 119, 1, "Dynamic", {84}, {1, 2, 4, 6}, 4},
    {30, "Fast Two", "", 50, 3, 11, 261, 30, "Dynamic", {84}, {1, 2, 3, 4, 5, 6, 11, 12}, 3},
    {31, "Fastcount", "", 1, 1, 6, 0, 0, "Const", {51}, {1, 4}, 2},
    {32, "Delay Latch", "", 1, 1, 2, 3, 6, "Const", {86}, {1, 3}, 2},
    {33, "Alternator", "", 1, 3, 6, 0, 0, "Const", {24}, {1, 2, 3, 10}, 1},
    {34, "Threes", "", 1, 3, 8, 0, 0, "Const", {33}, {1, 2, 3, 10}, 5},
    {35, "Faux-Reg", "", 100, 3, 6, 0, 0, "FauxReg", {}, {1, 2, 3, 4, 7, 8, 10, 12}, 7},
    {36, "MicroCPU", "", 100, 2, 10, 0, 0, "Dynamic", {}, {1, 2, 3, 4, 5, 6, 11, 12}, 0},
    {37, "Reg Hazard", "", 50, 4, 23, 456, 30, "Dynamic", {39}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12}, 4},
    {38, "Products", "", 100, 3, 9, 150, 30, "Multiply", {84}, {1, 2, 3, 4, 5, 7, 8, 9, 12, 13}, 1},
    {39, "Mem Hazard", "More Stages", 50, 4, 16, 190, 30, "Dynamic", {67}, {1, 2, 3, 5, 6, 7, 8, 9, 11, 12}, 4},
    {40, "Jump", "", 100, 2, 14, 0, 0, "Dynamic", {}, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12}, 0},
    {41, "Branch", "", 100, 2, 16, 0, 0, "Dynamic", {40}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0},
    {42, "Delay Jump", "", 50, 2, 17, 180, 30, "Dynamic", {39}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12}, 2},
    {43, "Delay Branch", "", 50, 4, 22, 242, 30, "Dynamic", {42}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12}, 1},
    {44, "buggy", "", 0, 0, 0, 0, 1, "-", {}, {}, 7},
    {45, "Full CPU", "", 100, 2, 17, 0, 0, "Dynamic", {11, 41}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0},
    {46, "Configuration", "Modules", 1, 1, 3, 0, 0, "Const", {50}, {1, 2}, 3},
    {47, "Memsum", "", 1, 2, 6, 0, 32, "Const", {23}, {2, 5}, 1},
    {48, "Time2", "Time", 1, 1, 0, 0, 96, "Const", {47}, {}, 2},
    {49, "Latch", "", 1, 1, 2, 0, 0, "Const", {48}, {1, 3}, 2},
    {50, "Config", "", 1, 1, 0, 0, 0, "Const", {3}, {}, 4},
    {51, "Ones", "", 100, 2, 6, 0, 0, "MemReplace", {21}, {1, 2, 3, 4, 5, 8}, 3},
    {52, "Flip", "", 100, 3, 8, 0, 0, "MemReplace", {51}, {1, 2, 3, 4, 5, 8}, 3},
    {53, "Tens", "", 100, 2, 0, 0, 1, "MemReplace", {52}, {1, 2, 3, 4, 5, 8}, 7},
    {54, "Nullfold", "", 100, 2, 7, 0, 0, "MemReplace", {62}, {1, 2, 3, 4, 5, 7}, 5},
    {55, "Copier", "", 100, 3, 6, 75, 30, "MemShift", {57}, {1, 2, 3, 4, 12}, 2},
    {56, "Spares", "", 100, 5, 5, 0, 0, "Doubling", {2}, {3, 4, 5, 10}, 4},
    {57, "Combiner", "", 100, 3, 7, 48, 30, "Combining", {78}, {1, 2, 3, 4, 12}, 1},
    {58, "Swap", "", 100, 3, 7, 45, 30, "MemSwap", {57}, {1, 2, 3, 4, 12}, 4},
    {59, "Finale", "", 50, 4, 30, 408, 30, "Dynamic", {37, 43}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 3},
    {60, "Fast 2-2", "", 100, 4, 24, 153, 30, "Dynamic", {66}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11}, 4},
    {61, "Oh No", "", 1, 2, 2, 0, 0, "Const", {9}, {2, 4}, 4},
    {62, "Dereference", "Deref", 100, 2, 6, 0, 0, "Dereference", {24}, {1, 2, 3, 4, 5}, 3},
    {63, "Deref-R", "", 100, 2, 6, 0, 0, "RecursiveDereference", {70}, {1, 2, 3, 4, 5, 7, 9}, 0},
    {64, "Keypad", "", 100, 4, 16, 0, 0, "Keypad", {}, {1, 2, 3, 4, 5, 7, 8, 9, 12}, 0},
    {65, "Negate", "", 100, 2, 8, 0, 0, "Negate", {}, {1, 2, 3, 4, 5, 9, 10}, 0},
    {66, "Collisions", "", 100, 3, 12, 102, 30, "Dynamic", {28}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11}, 2},
    {67, "Shift One", "", 50, 3, 10, 135, 30, "ShiftOne", {60}, {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}, 1},
    {68, "Divide", "", 50, 4, 22, 0, 0, "Divide", {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}, 0},
    {69, "Delay Write", "", 1, 1, 3, 13, 1, "Const", {32}, {1, 4}, 7},
    {70, "Nil", "", 1, 1, 2, 0, 32, "Const", {}, {1, 9}, 0},
    {71, "Validation", "", 3, 1, 4, 0, 0, "Const", {4}, {1, 2, 4, 5}, 2},
    {72, "Greater", "", 100, 4, 17, 0, 0, "GreaterThan", {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 12}, 0},
    {73, "Credits", "", 1, 1, 0, 0, 224, "Const", {}, {}, 7},
    {74, "Brasswick", "", 100, 3, 15, 0, 128, "SimpleTrailer", {}, {1, 2, 3, 4, 5, 7, 8, 9, 10, 12}, 0},
    {75, "Rewrite", "", 1, 2, 4, 0, 32, "Const", {2}, {1, 4, 5}, 1},
    {76, "Reverse", "", 100, 2, 14, 0, 128, "Reverse", {}, {1, 2, 3, 4, 5, 7, 8, 9, 10, 12}, 0},
    {77, "Cipher", "", 100, 4, 25, 0, 128, "Trailer", {74, 76}, {1, 2, 3, 4, 5, 7, 8, 9, 10, 12}, 0},
    {78, "Slowstall", "", 1, 2, 3, 26, 30, "Slowstall", {27}, {1, 3, 4, 12}, 1},
    {79, "Parallac", "", 50, 4, 16, 172, 30, "Dynamic", {66}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11}, 4},
    {80, "Odds", "", 100, 3, 16, 0, 0, "Odds", {}, {1, 2, 3, 4, 5, 7, 8, 9, 10, 12}, 0},
    {81, "Backup", "", 50, 4, 23, 168, 30, "Dynamic", {79}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11}, 1},
    {82, "Cows", "", 1, 3, 10, 0, 0, "Const", {}, {1, 2, 3, 5, 9, 10}, 3},
    {83, "Maze", "", 1, 2, 7, 36, 42, "Const", {26}, {2, 5}, 4},
    {84, "Splitcount", "", 100, 3, 7, 144, 30, "Splitcount", {78}, {1, 2, 3, 5, 12}, 4},
    {85, "Back", "", 100, 2, 5, 105, 14, "Backshift", {26, 32}, {1, 2, 3, 5}, 4},
    {86, "Clock", "", 1, 1, 3, 18, 38, "Const", {12}, {1, 2, 3, 5}, 1},
  };
  return rows;
}

const CatalogueRow& catalogueRow(puzzle_id id) { return rowOf(catalogueRows(), id, "row"); }

const std::vector<CatalogueDynamicRow>& catalogueDynamicRows() {
  static const std::vector<CatalogueDynamicRow> rows = {
    {7, {3}, 4, 2, 1},
    {8, {3, 5}, 6, 2, 1},
    {9, {1, 4, 7}, 9, 2, 1},
    {10, {1, 7}, 9, 2, 1},
    {11, {1, 4, 6, 7}, 9, 2, 1},
    {15, {1, 4, 7}, 9, 28, 2},
    {19, {2}, 4, 2, 1},
    {27, {2}, 6, 40, 1},
    {28, {2}, 6, 22, 1},
    {29, {2}, 6, 21, 2},
    {30, {3, 5}, 8, 34, 2},
    {36, {11, 12, 13}, 5, 2, 1},
    {37, {1, 4, 6, 7}, 18, 24, 3},
    {39, {3, 5}, 8, 24, 3},
    {40, {1, 4, 7, 8}, 12, 2, 1},
    {41, {1, 4, 7, 8, 9}, 12, 2, 1},
    {42, {3, 5, 8}, 8, 27, 2},
    {43, {3, 5, 16}, 8, 30, 2},
    {45, {1, 4, 6, 7, 8, 9}, 12, 2, 1},
    {59, {1, 4, 6, 7, 8, 9}, 15, 30, 3},
    {60, {3, 5}, 8, 30, 1},
    {66, {3}, 8, 23, 1},
    {79, {11, 13}, 8, 25, 1},
    {81, {11, 12, 13, 14, 15}, 10, 26, 1},
  };
  return rows;
}

const CatalogueDynamicRow& catalogueDynamicRow(puzzle_id id) {
  return rowOf(catalogueDynamicRows(), id, "instruction parameters");
}

const std::vector<CatalogueFixedTest>& catalogueFixedTests() {
  const CatalogueSlots credits = {{2, 3}};
  const CatalogueSlots counter = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}};
  static const std::vector<CatalogueFixedTest> tests = {
    {2, "One tick.", 1, false, false, {}, {{3, 1}}},
    {3, "", 0, true, false, {}, {}},
    {4, "1 tick per slot to fill.", 8, false, false, {}, counter},
    {12, "Six mTicks.", 6, true, false, {}, {}},
    {13, "14 mTicks per slot to fill.", 112, false, false, {}, counter},
    {16, "Three ticks.", 3, false, false, {}, {{0, 1}, {1, 1}}},
    {17, "", 0, true, false, {}, {}},
    {18, "", 0, true, false, {}, {}},
    {21, "Five ticks.", 5, false, false, {}, {}},
    {23, "", 0, true, false, {{0, 1}, {1, 9}, {10, 6}, {15, 0}}, {{0, 1}, {1, 9}, {10, 6}, {15, 0}}},
    {24, "1 tick per slot to fill.", 8, false, false, {}, counter},
    {25, "", 0, true, false, {}, {}},
    {31, "One tick.", 1, false, false, {}, {{1, 1}, {2, 2}, {3, 3}}},
    {32, "5 mTicks.", 5, true, true, {}, {}},
    {33, "One tick per value to store, plus two more ticks.", 10, false, false, {},
    {{0, 1}, {1, 0}, {2, 1}, {3, 0}, {4, 1}, {5, 0}, {6, 1}, {7, 0}}},
    {34, "One tick per value to store, plus another two ticks.", 12, false, false, {},
    {{0, 1}, {1, 0}, {2, 0}, {3, 1}, {4, 0}, {5, 0}, {6, 1}, {7, 0}, {8, 0}, {9, 1}}},
    {46, "", 0, true, false, {}, {}},
    {47, "", 0, true, false, {{6, 5}, {8, 2}}, {{6, 5}, {8, 2}}},
    {48, "", 4, true, false, {}, {}},
    {49, "", 1, true, false, {}, {}},
    {50, "", 0, true, false, {}, {}},
    {61, "", 1, false, false, {}, {}},
    {69, "15 mTicks.", 15, false, false, {}, {{1, 2}}},
    {70, "", 0, true, false, {}, {}},
    {71, "One tick.", 5, false, false, {}, {}},
    {73, "", 0, true, false, credits, {}},
    {75, "Eight ticks.", 8, false, false, {{1, 0}}, {{1, 8}}},
    {82, "30 ticks.", 5, false, false, {}, {}},
    {83, "", 39, true, false, {{5, 10}, {10, 3}, {3, 11}, {11, 1}}, {{5, 10}, {10, 3}, {3, 11}, {11, 1}}},
    {86, "", 24, true, true, {{1, 3}}, {{1, 3}}},
  };
  return tests;
}

const CatalogueFixedTest& catalogueFixedTest(puzzle_id id) { return rowOf(catalogueFixedTests(), id, "fixed test"); }
