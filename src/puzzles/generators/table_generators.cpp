#include "puzzles/generators/table_generators.h"

#include "puzzles/generators/addressing_generators.h"
#include "puzzles/generators/arithmetic_generators.h"
#include "puzzles/generators/dynamic_challenge_generator.h"
#include "puzzles/generators/faux_reg_variants.h"
#include "puzzles/generators/keypad_generator.h"
#include "puzzles/generators/letter_stream_generators.h"
#include "puzzles/generators/memory_rewriting_generators.h"
#include "puzzles/generators/product_generators.h"
#include "puzzles/generators/regfile_generators.h"
#include "puzzles/generators/shift_count_generators.h"
#include "puzzles/generators/sign_parity_generators.h"
#include "base/log.h"

// Plain comparisons rather than a lookup table: the puzzle table calls this
// during static initialisation, before any table of this file would be built.
GeneratorPtr makeTableGenerator(const std::string& name) {
  if (name == "Regfile") return std::make_shared<RegfileChallengeGenerator>();
  if (name == "Demultiplex") return std::make_shared<DemultiplexChallengeGenerator>();
  if (name == "Quad") return std::make_shared<QuadChallengeGenerator>();
  if (name == "FauxReg") return std::make_shared<FauxRegChallengeGenerator>();
  if (name == "Multiply") return std::make_shared<MultiplyChallengeGenerator>();
  if (name == "MemShift") return std::make_shared<MemShiftChallengeGenerator>();
  if (name == "Combining") return std::make_shared<CombiningChallengeGenerator>();
  if (name == "MemSwap") return std::make_shared<MemSwapChallengeGenerator>();
  if (name == "Dereference") return std::make_shared<DereferenceChallengeGenerator>();
  if (name == "RecursiveDereference") return std::make_shared<RecursiveDereferenceChallengeGenerator>();
  if (name == "Keypad") return std::make_shared<KeypadChallengeGenerator>();
  if (name == "Negate") return std::make_shared<NegateChallengeGenerator>();
  if (name == "ShiftOne") return std::make_shared<ShiftOneChallengeGenerator>();
  if (name == "Divide") return std::make_shared<DivideChallengeGenerator>();
  if (name == "GreaterThan") return std::make_shared<GreaterThanChallengeGenerator>();
  if (name == "SimpleTrailer") return std::make_shared<SimpleTrailerChallengeGenerator>();
  if (name == "Reverse") return std::make_shared<ReverseChallengeGenerator>();
  if (name == "Trailer") return std::make_shared<TrailerChallengeGenerator>();
  if (name == "Slowstall") return std::make_shared<SlowstallChallengeGenerator>();
  if (name == "Odds") return std::make_shared<OddsChallengeGenerator>();
  if (name == "Splitcount") return std::make_shared<SplitcountChallengeGenerator>();
  if (name == "Backshift") return std::make_shared<BackshiftChallengeGenerator>();
  fatalError("unknown challenge generator " + name);
}

GeneratorPtr makeIncrementingGenerator(int a, int b) { return std::make_shared<IncrementingChallengeGenerator>(a, b); }

GeneratorPtr makeMultiplyingGenerator(int a, int b) { return std::make_shared<MultiplyingChallengeGenerator>(a, b); }

GeneratorPtr makeDoublingGenerator(int a, int b, int c) {
  return std::make_shared<DoublingChallengeGenerator>(a, b, c);
}

GeneratorPtr makeMemReplaceGenerator(std::vector<std::pair<int, int>> replacements) {
  return std::make_shared<MemReplaceChallengeGenerator>(std::move(replacements));
}

GeneratorPtr makeDynamicGenerator(std::set<int> opcodes, int instructionCount, int ticksPerInstruction,
                                  int stages) {
  return std::make_shared<DynamicChallengeGenerator>(std::move(opcodes), instructionCount, ticksPerInstruction,
                                                     stages);
}
