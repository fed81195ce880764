#pragma once
// One run of a machine against one test, stepped a tick at a time, forward
// and back, and judged passed or failed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
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
  // Steps back to an earlier tick, however far: below the history kept it
  // runs the test again from tick 0, which reaches the same state.
  void stepBackTo(int tick);
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
  // What the step-back history holds, in bytes (its records and the text
  // they keep), for measuring its cost per tick.
  std::size_t historyBytes() const;
  // Step back reaches every tick, but the history keeps only about the last
  // `ticks` ticks, fewer when they hold more than `records` undo records: a
  // step back below them runs the test again from tick 0 (the run is
  // deterministic), so a long jump keeps bounded memory.
  void limitStepBackHistory(std::size_t ticks, std::size_t records);
  // The earliest tick a step back reaches without running the test again.
  int oldestKeptTick() const { return historyStart_; }

  int tick() const { return tick_; }
  const Memory& memory() const { return memory_; }
  const TestCase& testCase() const { return testCase_; }
  int testIndex() const { return testIndex_; }
  bool delayMode() const { return delayMode_; }
  int clockPeriod() const { return clockPeriod_; }
  const ModuleList& modules() const { return modules_; }

 private:
  // One module's undo records of one tick: segments_[segment][first, first + count).
  struct DeltaGroup {
    Module* module;  // held by modules_
    std::uint32_t segment;
    std::uint32_t first;
    std::uint32_t count;
    std::uint32_t firstExtra;  // the place in extras_ the group's kept parts start at
  };
  static constexpr std::size_t kSegmentSize = 2048;
  static constexpr std::size_t kSegmentRoom = 64;  // more than any module records in one edge
  static constexpr std::size_t kRecordsPerLine = 64 / sizeof(StateDelta);  // in a cache line
  // Ports are held shared so a record outlives any edit of the machine.
  struct PortRecord {
    std::shared_ptr<Port> port;
    DelayRecord record;
  };
  // Where one Result port's value goes.
  struct ResultLink {
    Port* port;
    std::uint32_t firstConsumer;  // into consumers_
    std::uint32_t consumerCount;
  };
  // A module that computes Result values, in evaluation order.
  struct Evaluated {
    Module* module;
    std::uint32_t firstResult;  // into results_
    std::uint32_t resultCount;
  };
  struct Consumer {
    Port* port;
    // The consumer's place in evaluated_ when its Result values follow its
    // inputs, else kNotEvaluated.
    std::uint32_t evaluatedIndex;
  };
  static constexpr std::uint32_t kNotEvaluated = 0xffffffffu;

  void stepUndelayed();
  void beginTick();
  void stepInFull();
  void stepForward();
  void stepDelayed();
  bool clockEdge(Module& module);
  void clockEdges();
  void clearDeltas();
  void replayTo(int tick);
  void trimHistory();
  void dropOldestTicks(std::size_t ticks);
  bool edgesKeptState(std::size_t firstGroup) const;
  int nextSettleChange() const;
  void pushChangedValues(const ConstContext& context);
  void buildPlan();
  bool planCurrent() const;
  void fillPortValues(const ConstContext& context);
  void propagateDelays(const ConstContext& context);
  bool equalsInitial() const;
  bool memoryMatchesGoal() const;
  // Drops the kept answers when they were for another tick.
  void judgeThisTick() const;
  bool memoryWrittenThisTick() const;

  int tick_ = 0;
  TestCase testCase_;
  Memory memory_;
  ModuleList modules_;

  // Step-back history, flat so a tick allocates nothing once the lists have
  // grown: the undo records of every tick in order (in segments, so growing
  // never moves them), grouped by module, and
  // per tick its first group. Without history the lists hold one tick.
  std::vector<std::vector<StateDelta>> segments_;
  std::size_t segment_ = 0;
  DeltaExtras extras_;  // what the records keep beside them
  std::vector<DeltaGroup> groups_;
  std::vector<std::uint32_t> tickGroups_;
  // Delay mode: the delay records each tick changed (their old contents), and
  // per tick its first record.
  std::vector<PortRecord> delayRecords_;
  std::vector<std::uint32_t> tickDelayRecords_;
  std::vector<unsigned char> tickSettleSkipped_;  // per tick: its step left settling out
  TickContext edge_;  // reused, so its written-address list keeps its room

  // Without delay mode, every port holds its current value between steps and
  // a step recomputes only the modules whose inputs or state changed, in an
  // order where each module follows the modules it reads. The order is worked
  // out again after any edit of a machine; a machine whose unclocked modules
  // read each other in a loop is stepped in full every tick.
  std::vector<Port*> ports_;  // every port, in machine order, held by modules_
  struct SourcedPort {
    Port* port;
    const std::shared_ptr<Port>* shared;  // the same port, as its module holds it
  };
  std::vector<SourcedPort> sourcedPorts_;  // delay mode: the ports with a source, in machine order
  std::vector<Port*> cachedPorts_;  // delay mode: the ports one settling pass cached
  std::vector<Evaluated> evaluated_;
  std::vector<ResultLink> results_;
  std::vector<Consumer> consumers_;
  std::vector<Module*> clocked_;                // in machine order
  std::vector<std::uint32_t> clockedIndex_;     // per clocked_, its place in evaluated_ or kNotEvaluated
  std::vector<std::uint32_t> readers_;          // places in evaluated_ of modules that read memory
  std::vector<unsigned char> dirty_;            // per evaluated_
  std::uint64_t planRevision_ = 0;
  bool planBuilt_ = false;
  bool planUsable_ = false;  // no loop of unclocked modules, every source in the machine
  bool valuesCurrent_ = false;
  // Every port's cache was cleared when the thread's fill count read this.
  bool cachesClear_ = false;
  std::uint64_t cacheFillsWhenCleared_ = 0;
  // Delay mode: the records are settled for the current tick and state (no
  // edit since), and the first later tick at which a module stops settling.
  bool settled_ = false;
  std::uint64_t settledRevision_ = 0;
  int nextSettleChange_ = 0;

  // Success and failure are asked after every step, and each asks memory
  // equals the goal or the initial memory: the answers are kept for the tick
  // judgedTick_. Only a Writer's clock edge changes memory while stepping
  // on, so a step without one keeps them; any other way to a tick (reset,
  // stepping back) finds judgedTick_ elsewhere.
  mutable int judgedTick_ = -1;
  mutable signed char matchesGoal_ = -1;  // -1: not asked yet
  mutable signed char matchesInitial_ = -1;

  bool keepHistory_ = true;
  // The kept history covers ticks historyStart_ to tick_; it holds
  // keptRecords_ undo and delay records.
  int historyStart_ = 0;
  std::size_t keptRecords_ = 0;
  // Records per tick in the history when it was last trimmed, for sizing a replay.
  std::size_t recordsPerTrimmedTick_ = 0;
  std::size_t historyTickLimit_ = std::size_t{1} << 16;
  std::size_t historyRecordLimit_ = std::size_t{1} << 20;
  bool delayMode_;
  int clockPeriod_;
  int testIndex_;
};
