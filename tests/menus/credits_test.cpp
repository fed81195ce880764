// The credits puzzle's machine: it loads, names everyone it thanks, and its
// modules keep clear of one another.
#include <gtest/gtest.h>

#include <set>

#include "model/module_geometry.h"
#include "model/contexts.h"
#include "model/module.h"
#include "puzzles/puzzle.h"
#include "saves/machine_file.h"

namespace {

TEST(Credits, TheMachineLoadsAndItsModulesKeepClear) {
  ModuleList modules;
  int clockPeriod = 0;
  ConstContext context;
  const std::string path = std::string(BRASSWICK_SOURCE_DIR) + "/data/initial/" + machineFileName(creditsPuzzle);
  ASSERT_EQ(readMachineFile(modules, clockPeriod, path, context), "");
  std::set<std::string> names;
  for (const auto& m : modules) names.insert(m->getName());
  for (const char* who : {"SDL2", "SDL2_ttf", "URW Gothic", "Breip", "Laszlo", "Ruzuv", "Fred, Dizedu and Jack",
                          "Thanks for playing"})
    EXPECT_TRUE(names.count(who)) << who;
  for (size_t i = 0; i < modules.size(); ++i)
    for (size_t j = i + 1; j < modules.size(); ++j) {
      const Module& a = *modules[i];
      const Module& b = *modules[j];
      EXPECT_FALSE(rectsIntersect(ModuleGeometry::of(a, false).rect(a),
                                  ModuleGeometry::of(b, false).rect(b)))
          << a.getName() << " / " << b.getName();
    }
}

}  // namespace
