#pragma once
// One run of a machine against one test, stepped a tick at a time, forward
// and back, and judged passed or failed.
#include <memory>
#include <string>
#include <vector>

#include "model/contexts.h"
#include "model/memory.h"
#include "model/module.h"
#include "puzzles/test_case.h"

class Simulation {
 public:
  // A clock period below 1 runs as 1.
  Simulation(ModuleList modules, bool delayMode, int clockPeriod, int testIndex, TestCase testCase);

  TickContext tickContext();
  ConstContext constContext() const;
  void step();
  void stepBack();
  void reset();
  bool isSuccess() const;
  bool isFailed() const;
  std::string failureText() const;
  void clearPortCaches();
  // For runs that never step back (validating a solution): keep no step-back
  // history, so memory doesn't grow with the tick count. Stepping back such
  // a run is fatal.
  void keepNoStepBackHistory();
  bool keepsStepBackHistory() const { return keepHistory_; }

  int tick() const { return tick_; }
  const Memory& memory() const { return memory_; }
  const TestCase& testCase() const { return testCase_; }
  int testIndex() const { return testIndex_; }
  bool delayMode() const { return delayMode_; }
  int clockPeriod() const { return clockPeriod_; }
  const ModuleList& modules() const { return modules_; }

 private:
  struct ModuleDeltas {
    std::shared_ptr<Module> module;
    std::vector<StateDelta> deltas;
  };
  // Ports are held shared so a record outlives any edit of the machine.
  struct PortRecord {
    std::shared_ptr<Port> port;
    DelayRecord record;
  };

  void propagateDelays(const ConstContext& context, std::vector<PortRecord>& pass);
  bool updatePortDelay(const std::shared_ptr<Port>& port, const ConstContext& context,
                       std::vector<PortRecord>& pass);
  bool equalsInitial() const;

  int tick_ = 0;
  TestCase testCase_;
  Memory memory_;
  ModuleList modules_;
  std::vector<std::vector<ModuleDeltas>> history_;
  std::vector<std::vector<PortRecord>> delayHistory_;
  // Reused for each tick's edges, so a tick's record is allocated once at its size.
  std::vector<ModuleDeltas> scratch_;
  bool keepHistory_ = true;
  bool delayMode_;
  int clockPeriod_;
  int testIndex_;
};
