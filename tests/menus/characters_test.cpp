// The story's characters: names, tags, board-dependent descriptions and the
// attribution that ends a spoken text.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "menus/characters.h"
#include "base/log.h"

namespace {

TEST(Characters, TableRowsAndShownNames) {
  const char* names[] = {"You", "Dizedu", "Fred", "Laszlo", "Ruzuv", "Jack", "Shadow Jack"};
  for (int id = 0; id < characterCount; ++id) {
    EXPECT_EQ(characterDefinition(id).name, names[id]);
    EXPECT_EQ(characterName(id), names[id]);
  }
  EXPECT_EQ(characterDefinition(6).tagName, "???");
  EXPECT_EQ(characterShownName(6), "???");
  EXPECT_EQ(characterShownName(3), "Laszlo");
  EXPECT_THROW(characterDefinition(7), FatalErrorException);
  EXPECT_THROW(characterDefinition(-1), FatalErrorException);
  try {
    characterDefinition(9);
  } catch (const FatalErrorException& e) {
    EXPECT_STREQ(e.what(), "Invalid character ID when fetching definition: 9");
  }
}

TEST(Characters, SpeakerTagsLeaveOutThePlayerAndTheHiddenOne) {
  EXPECT_EQ(speakerTag(0), "");
  EXPECT_EQ(speakerTag(6), "");
  EXPECT_EQ(speakerTag(1), " -- Dizedu");
  EXPECT_EQ(speakerTag(5), " -- Jack");
}

TEST(Characters, LookupByNameIgnoresCaseButNotTags) {
  EXPECT_EQ(characterIdByName("dIzEdU"), 1);
  EXPECT_EQ(characterIdByName("SHADOW JACK"), 6);
  EXPECT_EQ(characterIdByName("???"), noSpeaker);
  EXPECT_EQ(characterIdByName(""), noSpeaker);
}

TEST(Characters, DescriptionsFollowTheBoard) {
  auto say = [](int id, blackboard_id board) { return characterDefinition(id).description(board); };
  // Laszlo: one line on the first board, another everywhere else.
  EXPECT_NE(say(3, 0), say(3, 1));
  for (blackboard_id b : {1, 2, 3, 4, 5, 100, 103, -1}) EXPECT_EQ(say(3, b), say(3, 1)) << b;
  // Ruzuv: boards 1, 2 and 4 each have their own; the rest share a fourth.
  std::set<std::string> ruzuv{say(4, 1), say(4, 2), say(4, 4), say(4, 0)};
  EXPECT_EQ(ruzuv.size(), 4u);
  for (blackboard_id b : {3, 5, 100, 117, -1}) EXPECT_EQ(say(4, b), say(4, 0)) << b;
  // Eleven lines in all, none empty, each a few words.
  std::set<std::string> all;
  for (int id = 0; id < characterCount; ++id)
    for (blackboard_id b : {-1, 0, 1, 2, 3, 4, 5, 100}) all.insert(say(id, b));
  EXPECT_EQ(all.size(), 11u);
  for (const std::string& line : all) {
    EXPECT_FALSE(line.empty());
    EXPECT_LT(line.size(), 70u) << line;
  }
  EXPECT_EQ(characterTooltipText(6, 0), "???: " + say(6, 0));
  EXPECT_EQ(characterTooltipText(4, 2), "Ruzuv: " + say(4, 2));
}

TEST(Characters, DescriptionsNameTheCompanyAsTheStoryDoes) {
  std::ifstream in(std::string(BRASSWICK_SOURCE_DIR) + "/data/story/characters.txt");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Quorvex"), std::string::npos);
}

struct TextLinesCase {
  std::vector<DescriptionLine> runs;
  int speaker;
  std::vector<DescriptionLine> expected;
};

TEST(Characters, DialogueTextLinesAppendTheAttribution) {
  const std::uint32_t blue = descriptionTildeColour;
  const TextLinesCase cases[] = {
      // A plain last run loses its line break and ends with the tag.
      {{{"Count the sheep.\n", 0}}, 1, {{"Count the sheep. -- Dizedu", 0}}},
      // Whatever follows the first line break goes too.
      {{{"Hello ", descriptionPlainColour}, {"there\nand more\n", 0}}, 4,
       {{"Hello ", descriptionPlainColour}, {"there -- Ruzuv", 0}}},
      // A coloured last run keeps its text; the tag comes as a run of its own.
      {{{"slot 3", blue}}, 2, {{"slot 3", blue}, {" -- Fred", 0}}},
      // No runs at all: just the tag.
      {{}, 3, {{" -- Laszlo", 0}}},
      // The player and the hidden one carry no attribution, but the line
      // break still goes.
      {{{"Mine.\n", 0}}, 0, {{"Mine.", 0}}},
      {{{"still counting.\n", 0}}, 6, {{"still counting.", 0}}},
      // No speaker: unchanged.
      {{{"As it was.\n", 0}}, noSpeaker, {{"As it was.\n", 0}}},
  };
  for (const TextLinesCase& c : cases) {
    DialogueLine line{c.runs, c.speaker};
    std::vector<DescriptionLine> got = dialogueTextLines(line);
    ASSERT_EQ(got.size(), c.expected.size()) << c.speaker;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].text, c.expected[i].text) << c.speaker;
      EXPECT_EQ(got[i].colour, c.expected[i].colour) << c.speaker;
    }
  }
}

}  // namespace
