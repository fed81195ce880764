#pragma once
// The Faux-Reg puzzle: its tests, and four optional ways of solving it (the
// variants), each a restriction on the machine. Variants a winning machine
// satisfies are kept for good in the profile's tutorial flags.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "puzzles/challenge_generator.h"
#include "puzzles/description.h"

class Module;

struct FauxRegKindLimit {
  int moduleKind;
  int maximum;
};

struct FauxRegCondition {
  int tutorialFlag;
  std::vector<FauxRegKindLimit> kindLimits;
  int maxModules;  // 0 = any number
  std::string text;
};

// One run of the variant hint with its colour (red, green, blue, alpha); the
// screens turn it into coloured text. Alpha 0 means the default colour.
struct FauxRegHintSegment {
  std::string text;
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 0;
  bool operator==(const FauxRegHintSegment&) const = default;
};

using FauxRegMachine = std::vector<std::shared_ptr<Module>>;

const std::vector<FauxRegCondition>& fauxRegConditions();
// Fatal "invalid faux-reg condition i" outside 0..3.
const FauxRegCondition& fauxRegCondition(int i);
bool fauxRegConditionHolds(int i, const FauxRegMachine& machine);
std::set<int> fauxRegSatisfiedConditions(const FauxRegMachine& machine);
// Conditions whose flag is set in the active profile.
std::set<int> fauxRegDoneConditions();
// Sets the flag of every condition the machine satisfies (when it beats the puzzle).
void markFauxRegConditionsDone(const FauxRegMachine& machine);
// Empty until the puzzle is beaten; then 0..2, and 3 once it has been found.
std::set<int> fauxRegShownConditions();
std::string fauxRegConditionText(int i);
FauxRegHintSegment fauxRegConditionMark(int i, const FauxRegMachine& machine);
std::vector<FauxRegHintSegment> fauxRegVariantHint(const FauxRegMachine& machine);
std::string fauxRegVariantDialogueText();
Description fauxRegVariantDialogue();

class FauxRegChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};
