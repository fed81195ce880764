#pragma once
// One test of a puzzle: the memory the machine starts with, the memory it must
// reach, the tick limit and optional extra checks.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/contexts.h"
#include "model/memory.h"

class Module;

// An extra condition evaluated against the running machine.
using TestCheck = std::function<bool(const ConstContext&, const std::vector<std::shared_ptr<Module>>&)>;

struct TestCase {
  Memory initial;
  Memory goal;
  int tickLimit = 0;
  TestCheck success;  // may be empty: then not evaluated
  TestCheck failure;  // may be empty
  std::string failureText;
  // Per address, the values it may hold while a correct machine runs (shown by
  // the memory sidebar). Empty unless set.
  ValueHistory valueSetsByAddress;
  // False: any memory that is neither the initial nor the goal fails the test.
  bool allowIntermediateMemory = true;

  TestCase() = default;
  TestCase(Memory initial, Memory goal, int tickLimit, TestCheck success = {}, TestCheck failure = {},
           std::string failureText = {});

  // Replaces valueSetsByAddress; an empty table takes every goal address with
  // its goal value instead.
  void setValueSets(ValueHistory table);
};
