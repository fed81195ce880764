#include <gtest/gtest.h>

#include "base/strings.h"

TEST(Strings, PluralsAndCounts) {
  EXPECT_EQ(plural("module", 1), "module");
  EXPECT_EQ(plural("module", 0), "modules");
  EXPECT_EQ(plural("module", 2), "modules");
  EXPECT_EQ(plural("module", -1), "modules");
  EXPECT_EQ(countPhrase("tick", 1), "1 tick");
  EXPECT_EQ(countPhrase("tick", 7), "7 ticks");
}

TEST(Strings, CaseAndArticles) {
  EXPECT_EQ(capitalize(""), "");
  EXPECT_EQ(capitalize("adder"), "Adder");
  EXPECT_EQ(toUpperCase("ab1z\xC3\xA9"), "AB1Z\xC3\xA9");
  EXPECT_EQ(withArticle("Adder"), "an Adder");
  EXPECT_EQ(withArticle("latch"), "a latch");
  EXPECT_EQ(withArticle("Unicorn"), "an Unicorn");
  EXPECT_FALSE(startsWithVowel(""));
  EXPECT_EQ(possessive("Ruzuv"), "Ruzuv's");
  EXPECT_EQ(possessive("James"), "James's");
}

TEST(Strings, Split) {
  using V = std::vector<std::string>;
  EXPECT_EQ(splitString("a,b,", ','), (V{"a", "b"}));
  EXPECT_EQ(splitString(",a", ','), (V{"", "a"}));
  EXPECT_EQ(splitString("a,,b", ','), (V{"a", "", "b"}));
  EXPECT_EQ(splitString("", ','), V{});
  EXPECT_EQ(splitString("abc", ','), V{"abc"});
}

TEST(Strings, Padding) {
  EXPECT_EQ(zeroPad(7, 3), "007");
  EXPECT_EQ(zeroPad(1234, 3), "1234");
  EXPECT_EQ(spacePad2(5), " 5");
  EXPECT_EQ(padNumber(-5, 4, '0'), "00-5");
}

TEST(Strings, ReplaceAllRescansFromTheStart) {
  EXPECT_EQ(replaceAll("a-b-c", "-", "+"), "a+b+c");
  EXPECT_EQ(replaceAll("aab", "ab", "b"), "b");  // "aab" -> "ab" -> "b"
  EXPECT_EQ(replaceAll("none", "x", "y"), "none");
  EXPECT_EQ(replaceAll("abab", "ab", ""), "");
  EXPECT_EQ(replaceAll("aabb", "ab", ""), "");  // "aabb" -> "ab" -> ""
  EXPECT_EQ(replaceAll("xaabby", "ab", "c"), "xacby");
  EXPECT_EQ(replaceAll("%A%%A%", "%A%", "at the start"), "at the startat the start");
  EXPECT_EQ(replaceAll("a'b", "'", "''"), "a''b");  // a replacement holding the text: once each
}

// Against the rescan done the long way, on every short text over a small alphabet.
TEST(Strings, ReplaceAllMatchesReplacingTheFirstOccurrenceAgainAndAgain) {
  auto slow = [](std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from)) text.replace(at, from.size(), to);
    return text;
  };
  const std::pair<std::string, std::string> rules[] = {{"ab", "b"}, {"ab", ""}, {"aba", "b"}, {"ba", "aab"},
                                                       {"a", "bb"}, {"abc", "cab"}, {"bb", "a"}};
  for (int length = 0; length <= 7; ++length) {
    int combinations = 1;
    for (int i = 0; i < length; ++i) combinations *= 3;
    for (int n = 0; n < combinations; ++n) {
      std::string text;
      for (int i = 0, k = n; i < length; ++i, k /= 3) text += char('a' + k % 3);
      for (const auto& [from, to] : rules) EXPECT_EQ(replaceAll(text, from, to), slow(text, from, to)) << text;
    }
  }
}

TEST(Strings, Trim) {
  std::string s = " \t x y \t ";
  trimLeft(s);
  EXPECT_EQ(s, "x y \t ");
  trimRight(s);
  EXPECT_EQ(s, "x y");
  std::string blank = " \t  ";
  trimLeft(blank);
  EXPECT_EQ(blank, "");
  blank = "\t \t";
  trimRight(blank);
  EXPECT_EQ(blank, "");
  EXPECT_EQ(trimmed(" \t x y \t "), "x y");
  EXPECT_EQ(trimmed(" \t "), "");
}

TEST(Strings, ParseIntNeverThrows) {
  EXPECT_EQ(parseInt("42"), 42);
  EXPECT_EQ(parseInt("-17"), -17);
  EXPECT_EQ(parseInt("2147483647"), 2147483647);
  EXPECT_EQ(parseInt("2147483648"), std::nullopt);
  EXPECT_EQ(parseInt("99999999999999999999"), std::nullopt);
  EXPECT_EQ(parseInt(""), std::nullopt);
  EXPECT_EQ(parseInt("12x"), std::nullopt);
  EXPECT_EQ(parseInt("+3"), std::nullopt);
}
