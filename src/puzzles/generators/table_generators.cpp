// Stand-in makers: every table generator answers with an empty fixed test
// until the generator classes are built.
#include "puzzles/generators/table_generators.h"

namespace {
GeneratorPtr emptyConst() { return std::make_shared<ConstChallengeGenerator>(TestCase(), ""); }
}  // namespace

GeneratorPtr makeTableGenerator(const std::string&) { return emptyConst(); }
GeneratorPtr makeIncrementingGenerator(int, int) { return emptyConst(); }
GeneratorPtr makeMultiplyingGenerator(int, int) { return emptyConst(); }
GeneratorPtr makeDoublingGenerator(int, int, int) { return emptyConst(); }
GeneratorPtr makeMemReplaceGenerator(std::vector<std::pair<int, int>>) { return emptyConst(); }
GeneratorPtr makeDynamicGenerator(std::set<int>, int, int, int) { return emptyConst(); }
