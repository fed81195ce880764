// Every listed puzzle can be won with what the player is given: its reference
// machine, built only from the drawer's kinds and the initial machine, wins
// through the two-thread validator over all of its tests, and its broken twin
// loses. The module counts and ticks are recorded as test properties; the
// reference_table tool prints them beside the goals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/module_geometry.h"
#include "model/module.h"
#include "model/module_config.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "reference_corpus.h"
#include "saves/machine_file.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

bool unwinnableByDesign(puzzle_id id) { return puzzlesUnwinnableByDesign().count(getPuzzle(id).name) != 0; }

// Configurations a player cannot give a module here: any setting in a puzzle
// that bans configuring, and a number outside its kind's range elsewhere.
// Such modules can only come from the initial machine.
std::set<std::string> configurationsNotPlayerMade(puzzle_id id, const ModuleList& modules) {
  std::set<std::string> configs;
  for (const auto& module : modules) {
    const std::shared_ptr<Value> config = module->logic->configValue();
    if (!config) continue;
    const std::shared_ptr<Value> fallback = defaultConfigFor(module->kind(), id);
    if (fallback && config->serialize() == fallback->serialize()) continue;
    if (!getPuzzle(id).hasFlag(puzzleFlagNoConfig)) {
      auto range = std::dynamic_pointer_cast<NumericConfig>(getModuleConfig(module->kind()));
      if (!range || (config->asNumeric() && config->int_value() >= range->min() &&
                     config->int_value() <= range->max())) {
        continue;
      }
    }
    configs.insert(getModuleTypeName(module->kind()) + " " + config->serialize());
  }
  return configs;
}

// Pairs of modules whose bodies overlap on the board, which the editor
// would never let a player leave behind.
std::vector<std::string> overlappingModules(puzzle_id id, const ModuleList& modules) {
  std::vector<std::string> pairs;
  std::vector<GeoRect> rects;
  for (const auto& module : modules) rects.push_back(ModuleGeometry::of(*module, showsDelay(id)).rect(*module));
  for (std::size_t i = 0; i < modules.size(); ++i) {
    for (std::size_t j = i + 1; j < modules.size(); ++j) {
      if (rectsIntersect(rects[i], rects[j])) pairs.push_back(modules[i]->name + " / " + modules[j]->name);
    }
  }
  return pairs;
}

class ReferenceMachine : public ::testing::TestWithParam<puzzle_id> {
 protected:
  void SetUp() override { ASSERT_EQ(installPuzzleData(), ""); }

  TempWorkingDir workingDir;
};

TEST_P(ReferenceMachine, WinsThroughTheValidatorAndItsBrokenTwinLoses) {
  const puzzle_id id = GetParam();
  const Puzzle& puzzle = getPuzzle(id);
  const ReferenceFiles files = referenceFiles(id);
  // A missing reference is reported by the completeness test.
  if (!fs::exists(files.solution)) GTEST_SKIP() << "no reference machine for " << puzzle.name;

  const ValidationVerdict verdict = validateMachineFile(id, files.solution);
  ASSERT_EQ(verdict.error, "");
  if (unwinnableByDesign(id)) {
    // Nothing to build: the board is fixed, and it does not pass its test.
    EXPECT_TRUE(puzzle.hasFlag(puzzleFlagFixedMachine));
    EXPECT_FALSE(verdict.won);
    return;
  }
  EXPECT_TRUE(verdict.won) << "fails test " << verdict.testShown << ": " << verdict.failure;
  RecordProperty("modules", verdict.modules);
  RecordProperty("ticks", verdict.ticks);

  // Built only from what the player is given. (A fixed machine's broken twin
  // is a machine the player never gets to change.)
  const PuzzleMachine initial = readPuzzleMachine(id, machineSaveDir(saveLocationInitial) + machineFileName(id));
  ASSERT_EQ(initial.error, "");
  std::set<std::string> initialConfigs;
  for (const auto& module : initial.modules) {
    if (module->logic->configValue()) {
      initialConfigs.insert(getModuleTypeName(module->kind()) + " " + module->logic->configValue()->serialize());
    }
  }
  std::vector<std::string> built = {files.solution};
  if (!puzzle.hasFlag(puzzleFlagFixedMachine)) built.push_back(files.broken);
  for (const std::string& path : built) {
    SCOPED_TRACE(path);
    const PuzzleMachine machine = readPuzzleMachine(id, path);
    ASSERT_EQ(machine.error, "");
    // Kinds the drawer doesn't offer can be neither placed nor deleted.
    EXPECT_EQ(kindsOutsideDrawer(id, machine.modules), kindsOutsideDrawer(id, initial.modules));
    for (const std::string& config : configurationsNotPlayerMade(id, machine.modules)) {
      EXPECT_TRUE(initialConfigs.count(config)) << "a player can't configure " << config;
    }
    EXPECT_EQ(overlappingModules(id, machine.modules), std::vector<std::string>{});
  }

  const ValidationVerdict broken = validateMachineFile(id, files.broken);
  ASSERT_EQ(broken.error, "");
  EXPECT_FALSE(broken.won);
}

std::string testNameOf(const ::testing::TestParamInfo<puzzle_id>& info) {
  std::string name = getPuzzle(info.param).name;
  std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Listed, ReferenceMachine, ::testing::ValuesIn(listedPuzzles()), testNameOf);

// Fails until every listed puzzle's reference machine is in, naming the
// missing files.
TEST(ReferenceCorpus, EveryListedPuzzleHasAReferenceMachineAndABrokenTwin) {
  std::set<std::string> expected;
  std::vector<std::string> missing;
  for (puzzle_id id : listedPuzzles()) {
    const ReferenceFiles files = referenceFiles(id);
    std::vector<std::string> wanted = {files.solution};
    if (!unwinnableByDesign(id)) wanted.push_back(files.broken);
    for (const std::string& path : wanted) {
      expected.insert(fs::path(path).filename().string());
      if (!fs::exists(path)) missing.push_back(fs::path(path).filename().string());
    }
  }
  EXPECT_EQ(missing, std::vector<std::string>{});
  // And nothing else: a file whose puzzle was renamed would go untested.
  for (const auto& entry : fs::directory_iterator(referenceMachineDir())) {
    const std::string file = entry.path().filename().string();
    if (entry.path().extension() == ".mgrlv") {
      EXPECT_TRUE(expected.count(file)) << "stray " << file;
    }
  }
}

}  // namespace
