// The metadata file of a community puzzle (metadata.mmeta).
#include <fstream>

#include "model/module_defs.h"
#include "puzzles/community_puzzles.h"
#include "saves/file_utils.h"
#include "saves/line_numbers.h"
#include "saves/line_reports.h"
#include "base/log.h"
#include "base/strings.h"

const std::map<std::string, int> customPuzzleFlagKeywords = {
    {"AUTOCLOCK", 30}, {"DELAY", 2}, {"FASTFORWARD", 10}, {"NO_CONFIG", 32}};
const std::vector<std::string> metadataVersions = {"BUGGY", "0.01"};

namespace {

const std::string metadataMagic = "METADATA";
constexpr std::size_t maxNameCharacters = 24;

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
void readPar(const std::string& text, int& goal, LineReports& reports) {
  SignedNumbers numbers = findSignedNumbers(text, 1);
  if (numbers.values.empty() && !numbers.overflow) {
    reports.report("Can't recognize par: " + text);
    return;
  }
  if (numbers.overflow) {
    reports.report("Par '" + text + "' is out of range!");
    return;
  }
  const int value = numbers.values.front();
  if (value < 0) {
    reports.report("Par '" + text + "' is negative; pars must be positive!");
    return;
  }
  goal = value;
}

void readModules(const std::string& line, const std::string& list, std::set<int>& modules, LineReports& reports) {
  // Split by hand as splitString splits (no piece after a final comma): a
  // list may be megabytes long.
  for (size_t start = 0; start < list.size();) {
    size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    const std::string item = trimmed(list.substr(start, end - start));
    start = end + 1;
    int kind = moduleTypeFromName(item);
    if (kind == 0) {
      reports.reportLazily([&] { return "Unknown module name in line '" + line + "': " + item; });
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
  std::ifstream in = openForReading(path);
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
  LineReports reports(LineReports::Destination::log, path);
  LineReader lines(in);
  while (lines.next(line)) {
    if (line.empty() || line[0] == '#') continue;
    auto keyword = customPuzzleFlagKeywords.find(toUpperCase(line));
    if (keyword != customPuzzleFlagKeywords.end()) {
      meta.flags |= keyword->second;
    } else if (line.starts_with("NAME: ")) {
      meta.name = firstCharacters(line.substr(6), maxNameCharacters);
    } else if (line.starts_with("MODULES: ")) {
      readModules(line, line.substr(9), meta.modules, reports);
    } else if (line.starts_with("TICKS: ")) {
      meta.timeLimitText = line.substr(7);
    } else if (line.starts_with("MODULEGOAL: ")) {
      readPar(line.substr(12), meta.moduleGoal, reports);
    } else if (line.starts_with("TICKGOAL: ")) {
      readPar(line.substr(10), meta.tickGoal, reports);
    } else {
      reports.report("Unrecognized line in " + path + ": " + line);
    }
  }
  // A delay puzzle with a clocked module records its best time.
  if ((meta.flags & puzzleFlagDelay) &&
      (meta.modules.count(kLatchKind) || meta.modules.count(kWriterKind) || meta.modules.count(kRegisterKind))) {
    meta.flags |= puzzleFlagTimed;
  }
  return meta;
}
