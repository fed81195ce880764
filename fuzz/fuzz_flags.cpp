// Tutorial flags and seen modules (the first byte picks the file): flags that
// load save and reload the same; a file with a bad header is moved aside byte
// for byte.
#include "fuzz_support.h"
#include "saves/file_utils.h"
#include "saves/tutorial_flags.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  if (size == 0) return 0;
  startInput();
  const bool tutorial = data[0] % 2 == 0;
  const std::string text = inputText(data + 1, size - 1);
  const std::string path = profileGlobalPath(tutorial ? tutorialFileName() : seenModulesFileName());
  writeFile(path, text);
  const std::string error = tutorial ? loadTutorialProgress() : loadSeenModules();
  if (!exists(path)) {
    requireMovedAside(path, text);
    return 0;
  }
  (void)error;  // bad lines are skipped; the flags read stay set
  require((tutorial ? saveTutorialProgress() : saveSeenModules()).empty(), "loaded flags do not save");
  const std::string first = readFile(path);
  tutorialFlags.fill(false);
  seenModules.fill(false);
  require((tutorial ? loadTutorialProgress() : loadSeenModules()).empty(), "saved flags do not load cleanly");
  require((tutorial ? saveTutorialProgress() : saveSeenModules()).empty(), "reloaded flags do not save");
  require(readFile(path) == first, "flags do not save the same text after a reload");
  return 0;
}
