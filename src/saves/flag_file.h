#pragma once
// The shared reader of the two flag files (tutorial, seen modules): a header,
// then one line per set flag whose first digit run is the flag number.
#include <functional>
#include <string>

#include "saves/file_utils.h"

struct FlagFileRules {
  std::string fileName;
  SaveFormat format;
  int maxFlag;                   // flags are 0..maxFlag
  std::string badLineText;       // + line
  std::string outOfRangeText;    // + number
  int ignoredUpToVersion = 0;    // versions up to this are accepted but not read
};

// Reads the active profile's flag file, calling set(n) for each flag. A bad
// header moves the file aside; a bad line is logged and skipped. Returns ""
// or the first error text.
std::string loadFlagFile(const FlagFileRules& rules, const std::function<void(int)>& set);
