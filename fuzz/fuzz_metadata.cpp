// Community metadata files: every problem leaves a default; what is read is in
// range.
#include "fuzz_support.h"
#include "model/module_defs.h"
#include "puzzles/community_puzzles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  writeFile("community/p/metadata.mmeta", inputText(data, size));
  const CustomPuzzleMetadata meta = loadCustomPuzzleMetadata("community/p/metadata.mmeta");
  require(meta.moduleGoal >= 0 && meta.tickGoal >= 0, "a negative goal");
  for (int kind : meta.modules) require(kind > 0 && kind < kModuleKindCount, "an unknown module kind allowed");
  return 0;
}
