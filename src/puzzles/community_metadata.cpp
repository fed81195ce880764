// The metadata file of a community puzzle (metadata.mmeta).
#include <fstream>

#include "model/module_defs.h"
#include "puzzles/community_puzzles.h"
#include "saves/file_utils.h"
#include "shell/log.h"
#include "shell/strings.h"

const std::map<std::string, int> customPuzzleFlagKeywords = {
    {"AUTOCLOCK", 30}, {"DELAY", 2}, {"FASTFORWARD", 10}, {"NO_CONFIG", 32}};
const std::vector<std::string> metadataVersions = {"BUGGY", "0.01"};

namespace {

const std::string metadataMagic = "METADATA";
constexpr std::size_t maxNameCharacters = 24;

bool startsWith(const std::string& line, const std::string& prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

// The first n characters of a UTF-8 text; never cuts a character in half.
std::string firstCharacters(const std::string& text, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (count == n) return text.substr(0, i);
    ++count;
  }
  return text;
}

// A goal's number: the first integer in the text. Logs and leaves goal alone
// when there is none, when it is negative or when it does not fit an int.
void readPar(const std::string& text, int& goal) {
  // The first match of "-?\\d+", found by hand: the standard regex engine
  // recurses once per matched character, and the text is a player's.
  std::size_t start = 0;
  while (start < text.size() && !isAsciiDigit(text[start])) ++start;
  if (start == text.size()) {
    logLine("Can't recognize par: " + text);
    return;
  }
  if (start > 0 && text[start - 1] == '-') --start;
  std::size_t end = start + 1;
  while (end < text.size() && isAsciiDigit(text[end])) ++end;
  std::optional<int> value = parseInt(std::string_view(text).substr(start, end - start));
  if (!value) {
    logLine("Par '" + text + "' is out of range!");
    return;
  }
  if (*value < 0) {
    logLine("Par '" + text + "' is negative; pars must be positive!");
    return;
  }
  goal = *value;
}

void readModules(const std::string& line, const std::string& list, std::set<int>& modules) {
  for (const std::string& part : splitString(list, ',')) {
    const std::string item = trimmed(part);
    int kind = moduleTypeFromName(item);
    if (kind == 0) {
      logLine("Unknown module name in line '" + line + "': " + item);
      continue;
    }
    modules.insert(kind);
  }
}

}  // namespace

CustomPuzzleMetadata loadCustomPuzzleMetadata(const std::string& path) {
  CustomPuzzleMetadata defaults;
  if (!fileExists(path)) {
    logLine("No metadata file found at " + path);
    return defaults;
  }
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || !readLine(in, line) || line != metadataMagic) {
    logLine("Invalid metadata file " + path + " (magic string '" + metadataMagic + "' not found)");
    return defaults;
  }
  readLine(in, line);
  if (line != metadataVersions.back()) {
    logLine("Invalid metadata file " + path + " (unknown version " + line + ")");
    return defaults;
  }

  CustomPuzzleMetadata meta;
  while (readLine(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    auto keyword = customPuzzleFlagKeywords.find(toUpperCase(line));
    if (keyword != customPuzzleFlagKeywords.end()) {
      meta.flags |= keyword->second;
    } else if (startsWith(line, "NAME: ")) {
      meta.name = firstCharacters(line.substr(6), maxNameCharacters);
    } else if (startsWith(line, "MODULES: ")) {
      readModules(line, line.substr(9), meta.modules);
    } else if (startsWith(line, "TICKS: ")) {
      meta.timeLimitText = line.substr(7);
    } else if (startsWith(line, "MODULEGOAL: ")) {
      readPar(line.substr(12), meta.moduleGoal);
    } else if (startsWith(line, "TICKGOAL: ")) {
      readPar(line.substr(10), meta.tickGoal);
    } else {
      logLine("Unrecognized line in " + path + ": " + line);
    }
  }
  // A delay puzzle with a clocked module records its best time.
  if ((meta.flags & puzzleFlagDelay) &&
      (meta.modules.count(kLatchKind) || meta.modules.count(kWriterKind) || meta.modules.count(kRegisterKind))) {
    meta.flags |= puzzleFlagTimed;
  }
  return meta;
}
