// Palette group files: a group that loads saves and reloads the same; one that
// doesn't is moved aside byte for byte and ends the list.
#include "fuzz_support.h"
#include "saves/palette_groups.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  const std::string text = inputText(data, size);
  const std::string path = customGroupPath(0);
  writeFile(path, text);
  loadCustomGroups();
  if (customGroups.empty()) {
    // An empty list: the file held no modules (an end marker or an empty
    // machine stays), or it was unreadable and was moved aside.
    if (!exists(path)) requireMovedAside(path, text);
    return 0;
  }
  require(customGroups.size() == 1, "one file gave several groups");
  customGroups[0].save();
  const std::string first = readFile(path);
  loadCustomGroups();
  require(customGroups.size() == 1, "a saved group does not load again");
  customGroups[0].save();
  require(readFile(path) == first, "a group does not save the same text after a reload");
  return 0;
}
