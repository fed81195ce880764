#pragma once
// Puzzle description files (".mdesc"): a speaker line, then text lines with
// ~highlighted~ and `keyword` spans. Used for the table puzzles' descriptions
// and for a community puzzle's description and victory text.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One run of description text in one colour (ARGB); 0 is the default colour
// of the drawing code and marks the last run of each line, which ends in "\n".
struct DescriptionLine {
  std::string text;
  std::uint32_t colour = 0;
};

constexpr std::uint32_t descriptionPlainColour = 0xff1c1c1c;
constexpr std::uint32_t descriptionTildeColour = 0xff0c0094;
constexpr std::uint32_t descriptionBackquoteColour = 0xff00734d;

struct PuzzleDescriptionText {
  std::vector<DescriptionLine> lines;
  int speaker = 0;  // character id 0..6
};

// Puzzle descriptions read at start-up (and community ones), by puzzle id.
extern std::map<int, PuzzleDescriptionText> descriptionCache;

// The most runs of text one description file may make: many pages of text,
// and a bound on what a file from elsewhere can cost.
constexpr std::size_t maxDescriptionRuns = 20000;

// Fills text from the file at path; "" on success or when the file is missing
// (then text is left alone), else the error text. Never throws.
std::string parseDescriptionFile(const std::string& path, PuzzleDescriptionText& text);
// The markup runs of one text line (after the replacements), appended to runs;
// "" or the error text, also when runs would grow past maxRuns.
std::string parseDescriptionLine(const std::string& line, std::vector<DescriptionLine>& runs,
                                 std::size_t maxRuns = SIZE_MAX);

// "puzzle_descriptions/puzz-<name>.mdesc"
std::string puzzleDescriptionPath(int puzzle);
std::string loadPuzzleDescriptionFile(int puzzle, PuzzleDescriptionText& text);
// Every listed table puzzle's description, then the credits puzzle's once
// more when it has no entry yet; "" or the first error.
std::string loadAllPuzzleDescriptions();
