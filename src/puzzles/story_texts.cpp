#include "puzzles/story_texts.h"

#include <map>

#include "base/log.h"
#include "base/strings.h"

namespace {

// Lines of "key<TAB>speaker<TAB>text"; the key is a table row's id or the name
// of an extra line. The file is compiled in and checked by the tests, so a bad
// line is a build fault.
const std::map<std::string, std::string>& victoryLines() {
  static const std::map<std::string, std::string> lines = [] {
    std::map<std::string, std::string> out;
    for (const std::string& line : splitString(embeddedVictoryTexts(), '\n')) {
      if (line.empty() || line[0] == '#') continue;
      std::vector<std::string> fields = splitString(line, '\t');
      if (fields.size() != 3) fatalError("bad victory text line: " + line);
      out[fields[0]] = fields[2];
    }
    return out;
  }();
  return lines;
}

const std::string& lineOrEmpty(const std::string& key) {
  static const std::string empty;
  auto it = victoryLines().find(key);
  return it == victoryLines().end() ? empty : it->second;
}

}  // namespace

const std::string& tableVictoryText(puzzle_id id) {
  if (id < 0 || id >= puzzleTableSize) return lineOrEmpty("");
  return lineOrEmpty(std::to_string(id));
}

const std::string& cowsAlternativeVictoryText() { return lineOrEmpty("82 alternative"); }
const std::string& cowsClosingDescriptionLine() { return lineOrEmpty("82 closing line"); }
const std::string& fauxRegAllFoundText() { return lineOrEmpty("35 all four found"); }
const std::string& fauxRegAllListedFoundText() { return lineOrEmpty("35 all listed found"); }
const std::string& fauxRegMoreToFindText() { return lineOrEmpty("35 more to find"); }
