#include <cctype>
#include <cstdio>

#include "catalogue_fixture.h"
#include "puzzles/character_names.h"
#include "puzzles/puzzle_services.h"
#include "saves/description_file.h"

namespace {

using DescriptionFile = CatalogueTest;

struct TextRun {
  std::string text;
  std::uint32_t colour;
};

std::vector<TextRun> runsOf(const PuzzleDescriptionText& text) {
  std::vector<TextRun> runs;
  for (const DescriptionLine& line : text.lines) runs.push_back({line.text, line.colour});
  return runs;
}

bool operator==(const TextRun& a, const TextRun& b) { return a.text == b.text && a.colour == b.colour; }

std::string speakerName() { return characterName(3); }

TEST_F(DescriptionFile, MarkupBecomesColouredRuns) {
  writeDataFile("d.mdesc", "PUZZDESC\n0.01\n" + speakerName() +
                               "\nPress `RCLICK_DESC` to ~cancel~.\n# a comment\n\nIt\xE2\x80\x99s done\xE2\x80\xA6\n");
  PuzzleDescriptionText text;
  ASSERT_EQ(parseDescriptionFile("d.mdesc", text), "");
  EXPECT_EQ(text.speaker, 3);
  const std::vector<TextRun> expected = {
      {"Press ", 0xff1c1c1c}, {"right-click", 0xff00734d}, {" to ", 0xff1c1c1c}, {"cancel", 0xff0c0094},
      {".\n", 0},             {"\n", 0},                   {"It's done...\n", 0},
  };
  EXPECT_EQ(runsOf(text), expected);
}

TEST_F(DescriptionFile, AFileMakingMoreRunsThanTheLimitIsRefused) {
  // Each mark closes a run and the line's last run follows: two lines of 2k
  // marks make 4k + 2 runs.
  for (std::size_t k : {maxDescriptionRuns / 4 - 1, maxDescriptionRuns / 4}) {
    const std::string line(2 * k, '~');
    writeDataFile("d.mdesc", "PUZZDESC\n0.01\nFred\n" + line + "\n" + line + "\n");
    PuzzleDescriptionText text;
    const std::string error = parseDescriptionFile("d.mdesc", text);
    if (4 * k + 2 <= maxDescriptionRuns) {
      EXPECT_EQ(error, "");
      EXPECT_EQ(text.lines.size(), 4 * k + 2);
    } else {
      EXPECT_EQ(error, "invalid desc file d.mdesc (more than 20000 runs of text)");
    }
  }
}

TEST_F(DescriptionFile, SpeakerIsMatchedWithoutCase) {
  std::string upper = speakerName();
  for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
  writeDataFile("d.mdesc", "PUZZDESC\n0.01\n" + upper + "\nHi");
  PuzzleDescriptionText text;
  ASSERT_EQ(parseDescriptionFile("d.mdesc", text), "");
  EXPECT_EQ(text.speaker, 3);
  ASSERT_EQ(text.lines.size(), 1u);
  EXPECT_EQ(text.lines[0].text, "Hi\n");
}

TEST_F(DescriptionFile, ErrorsLeaveTheTextAlone) {
  struct Case {
    std::string text, error;
  };
  const Case cases[] = {
      {"PUZZTEST\n0.01\n", "invalid desc file d.mdesc (magic string not found)"},
      {"PUZZDESC\nBUGGY\n", "invalid desc file d.mdesc (unknown version BUGGY)"},
      {"PUZZDESC\n0.01\nNobody\n", "invalid desc file d.mdesc (unknown character 'Nobody')"},
      {"PUZZDESC\n0.01\n" + speakerName() + "\na `b ~c~ d` e\n", "invalid desc line 'a `b ~c~ d` e' (` in ~)"},
      {"PUZZDESC\n0.01\n" + speakerName() + "\na ~b `c` d~ e\n", "invalid desc line 'a ~b `c` d~ e' (~ in `)"},
      {"PUZZDESC\n0.01\n" + speakerName() + "\nan `open span\n", "invalid desc line 'an `open span' (unterminated `)"},
      {"PUZZDESC\n0.01\n" + speakerName() + "\nan ~open span\n", "invalid desc line 'an ~open span' (unterminated ~)"},
  };
  for (const Case& c : cases) {
    writeDataFile("d.mdesc", c.text);
    PuzzleDescriptionText text;
    text.lines.push_back({"kept\n", 0});
    text.speaker = 5;
    EXPECT_EQ(parseDescriptionFile("d.mdesc", text), c.error);
    EXPECT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(text.speaker, 5);
  }
  PuzzleDescriptionText text;
  EXPECT_EQ(parseDescriptionFile("missing.mdesc", text), "");
  EXPECT_TRUE(text.lines.empty());
}

TEST_F(DescriptionFile, StartUpLoadingAndTheCreditsEntry) {
  writeDataFile("puzzle_descriptions/puzz-Credits.mdesc", "PUZZDESC\n0.01\n" + speakerName() + "\nThanks.\n");
  writeDataFile("puzzle_descriptions/puzz-Time.mdesc", "PUZZDESC\n0.01\n" + speakerName() + "\nWrite.\n");
  writeDataFile("puzzle_descriptions/puzz-Config.mdesc", "PUZZDESC\n0.01\n" + speakerName() + "\n");  // no lines
  ASSERT_EQ(loadAllPuzzleDescriptions(), "");
  EXPECT_EQ(descriptionCache.size(), 2u);
  ASSERT_EQ(descriptionCache.at(73).lines.size(), 1u);  // read once, not twice
  EXPECT_EQ(descriptionCache.at(2).lines.at(0).text, "Write.\n");
  EXPECT_EQ(descriptionCache.count(50), 0u);

  descriptionCache.clear();
  ASSERT_EQ(std::remove("puzzle_descriptions/puzz-Credits.mdesc"), 0);
  ASSERT_EQ(loadAllPuzzleDescriptions(), "");
  EXPECT_EQ(descriptionCache.count(73), 1u);  // the credits always have an entry
  EXPECT_TRUE(descriptionCache.at(73).lines.empty());

  writeDataFile("puzzle_descriptions/puzz-Time.mdesc", "PUZZDESC\n0.01\nNobody\n");
  EXPECT_EQ(loadAllPuzzleDescriptions(),
            "Error loading desc for puzzle Time: 'invalid desc file puzzle_descriptions/puzz-Time.mdesc (unknown "
            "character 'Nobody')'\n");
}

}  // namespace
