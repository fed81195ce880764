#include "saves/description_file.h"

#include <fstream>

#include "puzzles/character_names.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "base/strings.h"

std::map<int, PuzzleDescriptionText> descriptionCache;

namespace {

const SaveFormat descriptionFormat{"PUZZDESC", {"BUGGY", "0.01"}};

std::string applyReplacements(std::string line) {
  line = replaceAll(line, "\xE2\x80\x99", "'");  // right single quote
  line = replaceAll(line, "\xE2\x80\x98", "'");  // left single quote
  line = replaceAll(line, "\xE2\x80\xA6", "...");  // ellipsis
  line = replaceAll(line, "RCLICK_DESC", "right-click");
  return line;
}

std::string tooManyRunsText(std::size_t maxRuns) { return "more than " + std::to_string(maxRuns) + " runs of text"; }

}  // namespace

std::string parseDescriptionLine(const std::string& line, std::vector<DescriptionLine>& runs, std::size_t maxRuns) {
  bool inTilde = false;
  bool inBackquote = false;
  std::size_t runStart = 0;
  std::vector<DescriptionLine> found;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    // Each mark closes a run, and the line's last run follows them all.
    if ((c == '~' || c == '`') && runs.size() + found.size() + 2 > maxRuns) return tooManyRunsText(maxRuns);
    if (c == '~') {
      if (inBackquote) return "invalid desc line '" + line + "' (` in ~)";
      found.push_back({line.substr(runStart, i - runStart),
                       inTilde ? descriptionTildeColour : descriptionPlainColour});
      inTilde = !inTilde;
      runStart = i + 1;
    } else if (c == '`') {
      if (inTilde) return "invalid desc line '" + line + "' (~ in `)";
      found.push_back({line.substr(runStart, i - runStart),
                       inBackquote ? descriptionBackquoteColour : descriptionPlainColour});
      inBackquote = !inBackquote;
      runStart = i + 1;
    }
  }
  if (runs.size() + found.size() + 1 > maxRuns) return tooManyRunsText(maxRuns);
  if (inTilde) return "invalid desc line '" + line + "' (unterminated ~)";
  if (inBackquote) return "invalid desc line '" + line + "' (unterminated `)";
  found.push_back({line.substr(runStart) + "\n", 0});
  runs.insert(runs.end(), found.begin(), found.end());
  return "";
}

std::string parseDescriptionFile(const std::string& path, PuzzleDescriptionText& text) {
  if (!fileExists(path)) return "";
  std::string refusal;
  std::ifstream in = openForReading(path, &refusal);
  if (!refusal.empty()) return "invalid desc file " + path + " (" + refusal + ")";
  if (!in) return "Failed to open file " + path + "!";
  VersionCheck header = readHeader(in, descriptionFormat, "invalid desc file", path);
  if (!header.error.empty()) return header.error;

  std::string line;
  readLine(in, line);
  int speaker = characterIdByName(line);
  if (speaker < 0 || speaker > 6) return "invalid desc file " + path + " (unknown character '" + line + "')";

  std::vector<DescriptionLine> runs;
  LineReader lines(in);
  while (lines.next(line)) {
    if (!line.empty() && line[0] == '#') continue;
    std::string error = parseDescriptionLine(applyReplacements(line), runs, maxDescriptionRuns);
    if (error == tooManyRunsText(maxDescriptionRuns)) return "invalid desc file " + path + " (" + error + ")";
    if (!error.empty()) return error;
  }
  if (lines.failed()) return "invalid desc file " + path + " (could not be read)";
  text.lines = std::move(runs);
  text.speaker = speaker;
  return "";
}

std::string puzzleDescriptionPath(int puzzle) {
  return "puzzle_descriptions/puzz-" + getPuzzleName(puzzle) + ".mdesc";
}

std::string loadPuzzleDescriptionFile(int puzzle, PuzzleDescriptionText& text) {
  return parseDescriptionFile(puzzleDescriptionPath(puzzle), text);
}

std::string loadAllPuzzleDescriptions() {
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (getPuzzle(id).hasFlag(puzzleFlagHidden)) continue;
    PuzzleDescriptionText text;
    std::string error = loadPuzzleDescriptionFile(id, text);
    if (!error.empty()) return "Error loading desc for puzzle " + getPuzzleName(id) + ": '" + error + "'\n";
    if (!text.lines.empty()) descriptionCache[id] = std::move(text);
  }
  // The credits puzzle always has an entry, even without a file; it is listed
  // like the others, so it is read only when the loop left it out.
  if (descriptionCache.find(creditsPuzzle) == descriptionCache.end()) {
    PuzzleDescriptionText& entry = descriptionCache[creditsPuzzle];
    loadPuzzleDescriptionFile(creditsPuzzle, entry);
  }
  return "";
}
