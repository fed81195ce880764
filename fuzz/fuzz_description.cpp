// Description files: what loads is a bounded list of runs, each line ending
// in its plain last run.
#include "fuzz_support.h"
#include "saves/description_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  writeFile("d.mdesc", inputText(data, size));
  PuzzleDescriptionText text;
  if (!parseDescriptionFile("d.mdesc", text).empty()) return 0;
  require(text.lines.size() <= maxDescriptionRuns, "more runs than a description may make");
  require(text.speaker >= 0 && text.speaker <= 6, "a speaker outside the cast");
  require(text.lines.empty() || (text.lines.back().colour == 0 && text.lines.back().text.ends_with("\n")),
          "the last run is not a line's plain end");
  return 0;
}
