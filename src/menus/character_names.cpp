#include "menus/character_names.h"

#include <array>

#include "shell/log.h"
#include "shell/strings.h"

namespace {
struct CharacterNameRow {
  std::string name;
  std::string tagName;
};
const std::array<CharacterNameRow, 7>& rows() {
  static const std::array<CharacterNameRow, 7> table{{{"You", ""},
                                                      {"Dizedu", ""},
                                                      {"Fred", ""},
                                                      {"Laszlo", ""},
                                                      {"Ruzuv", ""},
                                                      {"Jack", ""},
                                                      {"Shadow Jack", "???"}}};
  return table;
}
const CharacterNameRow& row(int id) {
  if (id < 0 || id > 6) {
    fatalError("Invalid character ID when fetching definition: " + std::to_string(id));
  }
  return rows()[size_t(id)];
}
}  // namespace

const std::string& characterName(int id) { return row(id).name; }

std::string characterShownName(int id) {
  const CharacterNameRow& r = row(id);
  return r.tagName.empty() ? r.name : r.tagName;
}

std::string speakerTag(int id) {
  if (id >= 1 && id <= 5) return " -- " + characterShownName(id);
  return "";
}

int characterIdByName(const std::string& name) {
  const std::string wanted = toUpperCase(name);
  for (int id = 0; id < 7; ++id) {
    if (toUpperCase(rows()[size_t(id)].name) == wanted) return id;
  }
  return noSpeaker;
}
