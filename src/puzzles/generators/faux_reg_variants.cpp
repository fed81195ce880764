#include "puzzles/generators/faux_reg_variants.h"

#include <iterator>

#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "puzzles/generators/generator_support.h"
#include "puzzles/puzzle.h"
#include "puzzles/story_texts.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

using gen::draw;

namespace {

constexpr int kAllVariants = 4;

bool flagSet(int flag) {
  checkTutorialIndex(flag);
  return tutorialFlags[std::size_t(flag)];
}

// Conditions 0 and 1 also look at what drives each connected Register input.
bool registerWiringHolds(int i, const FauxRegMachine& machine) {
  for (const auto& module : machine) {
    if (module->kind() != kRegisterKind) continue;
    for (const auto& port : module->ports) {
      if (port->kind == kResultPort || port->source == nullptr || port->source->owner == nullptr) continue;
      const int driver = port->source->owner->kind();
      const bool fromSelector = driver == kInputSelectorKind || driver == kOutputSelectorKind;
      if (i == 0 && !fromSelector) return false;
      if (i == 1 && fromSelector) return false;
    }
  }
  return true;
}

}  // namespace

const std::vector<FauxRegCondition>& fauxRegConditions() {
  static const std::vector<FauxRegCondition> conditions{
      {flagBeatFauxRegIntended, {{kLatchKind, 1}}, 10, "At most 1 Latch, all Register inputs connected to Selectors"},
      {flagBeatFauxRegRegisterTrain, {{kLatchKind, 1}}, 10, "At most 1 Latch, no Register inputs connected to Selectors"},
      {flagBeatFauxRegLatchTrain, {{kRegisterKind, 0}}, 13, "No Registers"},
      {flagBeatFauxRegAlternators, {{kRegisterKind, 0}, {kInputSelectorKind, 0}, {kWriterKind, 1}}, 0,
       "No Registers or Input Selectors, at most 1 Writer"},
  };
  return conditions;
}

const FauxRegCondition& fauxRegCondition(int i) {
  if (i < 0 || i >= kAllVariants) fatalError("invalid faux-reg condition " + std::to_string(i));
  return fauxRegConditions()[std::size_t(i)];
}

bool fauxRegConditionHolds(int i, const FauxRegMachine& machine) {
  const FauxRegCondition& condition = fauxRegCondition(i);
  if (condition.maxModules != 0 && int(machine.size()) > condition.maxModules) return false;
  // One running count for the whole row; for the table's rows this is the
  // same as counting each kind on its own.
  int count = 0;
  for (const auto& module : machine) {
    for (const FauxRegKindLimit& limit : condition.kindLimits) {
      if (module->kind() != limit.moduleKind) continue;
      count += 1;
      if (count > limit.maximum) return false;
    }
  }
  if (i == 0 || i == 1) return registerWiringHolds(i, machine);
  return true;
}

std::set<int> fauxRegSatisfiedConditions(const FauxRegMachine& machine) {
  std::set<int> satisfied;
  for (int i = 0; i < kAllVariants; ++i) {
    if (fauxRegConditionHolds(i, machine)) satisfied.insert(i);
  }
  return satisfied;
}

std::set<int> fauxRegDoneConditions() {
  std::set<int> done;
  for (int i = 0; i < kAllVariants; ++i) {
    if (flagSet(fauxRegCondition(i).tutorialFlag)) done.insert(i);
  }
  return done;
}

void markFauxRegConditionsDone(const FauxRegMachine& machine) {
  for (int i : fauxRegSatisfiedConditions(machine)) markTutorialSeen(fauxRegCondition(i).tutorialFlag);
}

std::set<int> fauxRegShownConditions() {
  if (puzzleRecords.count(fauxRegPuzzle) == 0) return {};
  std::set<int> shown{0, 1, 2};
  if (flagSet(fauxRegCondition(3).tutorialFlag)) shown.insert(3);
  return shown;
}

std::string fauxRegConditionText(int i) {
  const FauxRegCondition& condition = fauxRegCondition(i);
  const std::string modules = condition.maxModules != 0
                                  ? "at most " + std::to_string(condition.maxModules) + " modules total"
                                  : "any number of modules";
  return condition.text + ", and " + modules;
}

FauxRegHintSegment fauxRegConditionMark(int i, const FauxRegMachine& machine) {
  if (flagSet(fauxRegCondition(i).tutorialFlag)) return {" (done)", 77, 115, 0, 255};
  if (fauxRegConditionHolds(i, machine)) return {" (currently valid)", 36, 108, 178, 255};
  return {"", 0, 0, 0, 0};
}

std::vector<FauxRegHintSegment> fauxRegVariantHint(const FauxRegMachine& machine) {
  const std::set<int> shown = fauxRegShownConditions();
  std::vector<FauxRegHintSegment> segments;
  if (shown.empty()) return segments;
  segments.push_back({"\n \nIt seems like these variants should work:"});
  int number = 1;
  for (int i : shown) {
    segments.push_back({"\n \n" + std::to_string(number) + " - " + fauxRegConditionText(i)});
    FauxRegHintSegment mark = fauxRegConditionMark(i, machine);
    if (!mark.text.empty()) segments.push_back(mark);
    number += 1;
  }
  return segments;
}

std::string fauxRegVariantDialogueText() {
  const std::set<int> done = fauxRegDoneConditions();
  if (done.size() == std::size_t(kAllVariants)) {
    return fauxRegAllFoundText();
  }
  if (done.size() == fauxRegShownConditions().size()) {
    return fauxRegAllListedFoundText();
  }
  return fauxRegMoreToFindText();
}

Description fauxRegVariantDialogue() { return {fauxRegVariantDialogueText(), 0}; }

TestCase FauxRegChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  Memory initial;
  for (int slot = 0; slot < 4; ++slot) {
    const int v = draw(rng, 1, 64);
    gen::putNumber(initial, slot, v);
  }
  std::set<int> pool;
  for (int a = 8; a <= 63; ++a) pool.insert(a);
  for (int slot = 4; slot < 8; ++slot) {
    const int j = draw(rng, 0, int(pool.size()) - 1);
    auto it = std::next(pool.begin(), j);
    gen::putNumber(initial, slot, *it);
    pool.erase(it);
  }
  Memory goal = initial;
  for (int o = 0; o < 4; ++o) {
    const std::shared_ptr<Value> a = initial.read(o);
    const std::shared_ptr<Value> b = initial.read(o + 4);
    if (a->isUnpowered()) fatalError("fauxreg crash 1");
    if (b->isUnpowered()) fatalError("fauxreg crash 2");
    if (!gen::isEmpty(goal, b->int_value())) fatalError("fauxreg crash 3");
    gen::put(goal, b->int_value(), a);
  }
  return gen::plainTest(initial, goal, 15);
}

std::string FauxRegChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "Three " + unitWord + "s for each value to store, plus another three. (Total, 15.)";
}
