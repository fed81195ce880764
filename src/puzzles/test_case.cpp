#include "puzzles/test_case.h"

#include <utility>

TestCase::TestCase(Memory initial_, Memory goal_, int tickLimit_, TestCheck success_, TestCheck failure_,
                   std::string failureText_)
    : initial(std::move(initial_)),
      goal(std::move(goal_)),
      tickLimit(tickLimit_),
      success(std::move(success_)),
      failure(std::move(failure_)),
      failureText(std::move(failureText_)) {}

void TestCase::setValueSets(ValueHistory table) {
  if (!table.empty()) {
    valueSetsByAddress = std::move(table);
    return;
  }
  valueSetsByAddress.clear();
  for (const auto& [address, entry] : goal.slots) valueSetsByAddress[address] = {entry.value};
}
