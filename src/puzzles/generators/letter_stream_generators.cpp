#include "puzzles/generators/letter_stream_generators.h"

#include <vector>

#include "puzzles/generators/generator_support.h"

using gen::draw;

const std::shared_ptr<Value> spaceLetter = std::make_shared<LetterValue>(' ');

int nextLetter(int character) {
  if (character == ' ') return ' ';
  return (character - 64) % 26 + 65;
}

namespace {

std::shared_ptr<Value> letter(int character) { return std::make_shared<LetterValue>(character); }

// One in five is a space; the letter is drawn only otherwise.
int randomCharacter(std::mt19937& rng) {
  const int spaceRoll = draw(rng, 1, 5);
  if (spaceRoll == 1) return ' ';
  return draw(rng, 65, 90);
}

int lineLength(std::mt19937& rng) {
  const int first = draw(rng, 1, 6);
  const int second = draw(rng, 1, 6);
  return first + second + 4;
}

}  // namespace

TestCase SimpleTrailerChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int length = lineLength(rng);
  Memory initial;
  Memory goal;
  for (int i = 0; i < length; ++i) {
    const int x = randomCharacter(rng);
    gen::put(initial, i, letter(x));
    gen::put(goal, i, letter(nextLetter(x)));
  }
  return gen::plainTest(initial, goal, 2 * length);
}

std::string SimpleTrailerChallengeGenerator::timeLimitText(const std::string&) const {
  return "Two ticks per character.";
}

TestCase ReverseChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int length = lineLength(rng);
  Memory initial;
  Memory goal;
  for (int i = 0; i < length; ++i) {
    const int x = randomCharacter(rng);
    gen::put(initial, i, letter(x));
    gen::put(goal, length - 1 - i, letter(x));
  }
  return gen::plainTest(initial, goal, 3 * length);
}

std::string ReverseChallengeGenerator::timeLimitText(const std::string&) const {
  return "Three ticks per character.";
}

TestCase TrailerChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int words = draw(rng, 3, 5);
  const int maxLength = 9 - words;
  int offset = 0;
  Memory initial;
  Memory goal;
  for (int w = 0; w < words; ++w) {
    const int length = draw(rng, 1, maxLength);
    std::vector<int> letters(length);
    for (int j = 0; j < length; ++j) {
      letters[j] = draw(rng, 65, 90);
      gen::put(initial, offset + j, letter(letters[j]));
    }
    // Shift every letter and move it one place right, the last wrapping to the front.
    for (int j = 0; j < length; ++j) {
      gen::put(goal, offset + (j + 1) % length, letter(nextLetter(letters[j])));
    }
    offset += length;
    if (w != words - 1) {
      gen::put(initial, offset, spaceLetter);
      gen::put(goal, offset, spaceLetter);
      offset += 1;
    }
  }
  // The line fills addresses 0 .. offset - 1 without gaps.
  return gen::plainTest(initial, goal, 4 * offset);
}

std::string TrailerChallengeGenerator::timeLimitText(const std::string&) const {
  return "Four ticks per character.";
}
