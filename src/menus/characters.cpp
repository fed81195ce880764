#include "menus/characters.h"

#include <array>
#include <sstream>

#include "menus/story_data.h"
#include "base/log.h"
#include "base/strings.h"

namespace {

struct DescriptionRow {
  std::vector<blackboard_id> boards;  // empty: every board no other row names
  std::string text;
};

int idOfExactName(const std::string& name) {
  for (int id = 0; id < characterCount; ++id)
    if (name == characterName(id)) return id;
  return noSpeaker;
}

// The description rows of data/story/characters.txt, by character id. The
// file is compiled in and checked by the tests, so a bad line is a build fault.
std::array<std::vector<DescriptionRow>, characterCount> readDescriptionRows() {
  std::array<std::vector<DescriptionRow>, characterCount> rows;
  std::istringstream in(embeddedCharactersText());
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields = splitString(line, '\t');
    int id = fields.size() == 3 ? idOfExactName(fields[0]) : noSpeaker;
    if (id == noSpeaker) fatalError("bad character description line: " + line);
    DescriptionRow row;
    row.text = fields[2];
    if (fields[1] != "*") {
      for (const std::string& board : splitString(fields[1], ',')) {
        std::optional<int> n = parseInt(trimmed(board));
        if (!n) fatalError("bad character description line: " + line);
        row.boards.push_back(*n);
      }
    }
    rows[size_t(id)].push_back(std::move(row));
  }
  return rows;
}

std::string describe(const std::vector<DescriptionRow>& rows, blackboard_id board) {
  const DescriptionRow* fallback = nullptr;
  for (const DescriptionRow& row : rows) {
    if (row.boards.empty()) {
      if (!fallback) fallback = &row;
      continue;
    }
    for (blackboard_id b : row.boards)
      if (b == board) return row.text;
  }
  return fallback ? fallback->text : "";
}

const std::array<CharacterDefinition, characterCount>& definitions() {
  static const std::array<CharacterDefinition, characterCount> table = [] {
    auto rows = readDescriptionRows();
    std::array<CharacterDefinition, characterCount> t;
    for (int id = 0; id < characterCount; ++id) {
      t[size_t(id)].name = characterName(id);
      t[size_t(id)].tagName = characterTagName(id);
      t[size_t(id)].description = [lines = rows[size_t(id)]](blackboard_id board) {
        return describe(lines, board);
      };
    }
    return t;
  }();
  return table;
}

}  // namespace

const CharacterDefinition& characterDefinition(int id) {
  if (id < 0 || id >= characterCount) {
    fatalError("Invalid character ID when fetching definition: " + std::to_string(id));
  }
  return definitions()[size_t(id)];
}

std::string characterTooltipText(int id, blackboard_id board) {
  const CharacterDefinition& c = characterDefinition(id);
  return c.shownName() + ": " + c.description(board);
}

std::vector<DescriptionLine> dialogueTextLines(const DialogueLine& line) {
  std::vector<DescriptionLine> runs = line.lines;
  if (line.speaker == noSpeaker) return runs;
  const std::string tag = speakerTag(line.speaker);
  if (runs.empty() || (runs.back().colour & 0xffu) != 0) {
    runs.push_back({tag, 0});
    return runs;
  }
  std::string& last = runs.back().text;
  last = last.substr(0, last.find('\n')) + tag;
  return runs;
}
