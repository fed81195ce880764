#include "puzzles/character_names.h"

#include <array>

#include "base/log.h"
#include "base/strings.h"

namespace {
const std::array<std::string, characterCount> names{"You",   "Dizedu", "Fred",       "Laszlo",
                                                    "Ruzuv", "Jack",   "Shadow Jack"};
}  // namespace

const std::string& characterName(int id) {
  if (id < 0 || id >= characterCount) {
    fatalError("Invalid character ID when fetching definition: " + std::to_string(id));
  }
  return names[size_t(id)];
}

std::string characterTagName(int id) { return id == 6 ? "???" : ""; }

std::string characterShownName(int id) {
  std::string tag = characterTagName(id);
  return tag.empty() ? characterName(id) : tag;
}

std::string speakerTag(int id) {
  if (id >= 1 && id <= 5) return " -- " + characterShownName(id);
  return "";
}

int characterIdByName(const std::string& name) {
  const std::string wanted = toUpperCase(name);
  for (int id = 0; id < characterCount; ++id) {
    if (toUpperCase(names[size_t(id)]) == wanted) return id;
  }
  return noSpeaker;
}
