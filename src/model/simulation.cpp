#include "model/simulation.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

#include "model/clocked_logics.h"
#include "model/machine_revision.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "base/log.h"

Simulation::Simulation(ModuleList modules, bool delayMode, int clockPeriod, int testIndex, TestCase testCase)
    : testCase_(std::move(testCase)),
      memory_(testCase_.initial),
      modules_(std::move(modules)),
      delayMode_(delayMode),
      clockPeriod_(clockPeriod < 1 ? 1 : clockPeriod),
      testIndex_(testIndex) {
  reset();
}

TickContext Simulation::tickContext() {
  TickContext context;
  context.memory = &memory_;
  context.tick = tick_;
  context.delayMode = delayMode_;
  context.clockPeriod = clockPeriod_;
  return context;
}

ConstContext Simulation::constContext() const {
  return ConstContext{&memory_, tick_, delayMode_, clockPeriod_};
}

void Simulation::clearPortCaches() {
  // Steps back one after another clear every cache each time; nothing has
  // filled one since the first unless the thread's count moved.
  if (cachesClear_ && cacheFillsWhenCleared_ == Port::cacheFills()) {
    valuesCurrent_ = false;
    return;
  }
  if (planCurrent()) {
    for (Port* port : ports_) port->cachedValue.reset();
  } else {
    for (const auto& module : modules_) {
      for (const auto& port : module->ports) port->cachedValue.reset();
    }
  }
  cachesClear_ = true;
  cacheFillsWhenCleared_ = Port::cacheFills();
  valuesCurrent_ = false;
}

void Simulation::step() {
  const bool judged = judgedTick_ == tick_;
  if (delayMode_) {
    stepDelayed();
  } else {
    stepUndelayed();
  }
  if (judged && !memoryWrittenThisTick()) {
    judgedTick_ = tick_;
  } else {
    judgedTick_ = -1;
  }
}

bool Simulation::memoryWrittenThisTick() const {
  // Without history the groups hold this tick's alone.
  const std::size_t first = keepHistory_ && !tickGroups_.empty() ? tickGroups_.back() : 0;
  for (std::size_t g = first; g < groups_.size(); ++g) {
    if (groups_[g].module->logic->asWriter() != nullptr) return true;
  }
  return false;
}

void Simulation::stepUndelayed() {
  if (valuesCurrent_ && planCurrent()) {
    stepForward();
    return;
  }
  // The machine was edited since the values were worked out: none is kept.
  if (valuesCurrent_) clearPortCaches();
  stepInFull();
  if (!planCurrent()) buildPlan();
  if (!planUsable_) return;
  fillPortValues(constContext());
  valuesCurrent_ = true;
}

void Simulation::beginTick() {
  edge_.memory = &memory_;
  edge_.tick = tick_;
  edge_.delayMode = delayMode_;
  edge_.clockPeriod = clockPeriod_;
  edge_.writtenThisTick.clear();
  if (!keepHistory_) {
    clearDeltas();
    groups_.clear();
    delayRecords_.clear();
    keptRecords_ = 0;
  }
}

// Every module sees the Result values from before any state changed, whatever
// order the modules act in: the snapshot keeps them while the ports' values
// are dropped and worked out again.
void Simulation::stepInFull() {
  beginTick();
  const std::size_t firstGroup = groups_.size();
  clockEdges();
  clearPortCaches();
  if (keepHistory_) tickGroups_.push_back(static_cast<std::uint32_t>(firstGroup));
  ++tick_;
  if (keepHistory_) trimHistory();
}

// Delay mode. Between clock edges most ticks change nothing: when no clock
// edge changed a stored value or memory and no module starts or stops
// settling on this tick, settling would read every port as it was and find
// every record as it is, so it is left out. Otherwise it runs in full, pass
// after pass in machine order, exactly as it always has.
void Simulation::stepDelayed() {
  const bool settledBefore = settled_ && settledRevision_ == machineRevision();
  if (!planCurrent()) buildPlan();
  // Values kept since the last step are those the settling left, and
  // recomputing any would give it again; without a loop-free plan they are
  // dropped as always.
  const bool keepValues = settledBefore && planUsable_;
  if (!keepValues) clearPortCaches();
  beginTick();
  const std::size_t firstGroup = groups_.size();
  // Only a clock edge reads port values before settling, leaving them cached.
  const bool edge = isClockEdge(edge_.constContext());
  clockEdges();
  if (keepHistory_) tickGroups_.push_back(static_cast<std::uint32_t>(firstGroup));
  ++tick_;

  const std::size_t firstRecord = delayRecords_.size();
  const bool skipped = settledBefore && tick_ < nextSettleChange_ && edgesKeptState(firstGroup);
  if (skipped) {
    if (!keepValues && edge) clearPortCaches();
  } else {
    settled_ = false;
    if (keepValues || edge) clearPortCaches();
    propagateDelays(constContext());
    settled_ = true;
    settledRevision_ = machineRevision();
    nextSettleChange_ = nextSettleChange();
  }
  if (keepHistory_) {
    tickDelayRecords_.push_back(static_cast<std::uint32_t>(firstRecord));
    tickSettleSkipped_.push_back(skipped ? 1 : 0);
    trimHistory();
  }
}

// Every module acts on the values from before any state changed, kept in a
// snapshot. Off the clock edge no module acts, and the values the snapshot
// would have worked out are those any later read works out, so it is left out.
void Simulation::clockEdges() {
  const ConstContext view = edge_.constContext();
  if (!isClockEdge(view)) return;
  for (const auto& module : modules_) module->logic->snapshotOutputs(module->ports, view);
  for (const auto& module : modules_) clockEdge(*module);
  for (const auto& module : modules_) module->logic->clearSnapshot();
}

bool Simulation::edgesKeptState(std::size_t firstGroup) const {
  for (std::size_t g = firstGroup; g < groups_.size(); ++g) {
    const DeltaGroup& group = groups_[g];
    const ModuleLogic* logic = group.module->logic.get();
    for (std::uint32_t d = group.first; d < group.first + group.count; ++d) {
      const StateDelta& delta = segments_[group.segment][d];
      switch (logic->kind()) {
        case kLatchKind:
          if (!static_cast<const LatchModuleLogic*>(logic)->stored()->equals(delta.previous)) return false;
          break;
        case kRegisterKind: {
          const auto& registers = static_cast<const RegisterModuleLogic*>(logic)->registers();
          if (delta.index < 0 || delta.index >= static_cast<int>(registers.size()) ||
              !registers[static_cast<std::size_t>(delta.index)]->equals(delta.previous)) {
            return false;
          }
          break;
        }
        case kWriterKind:
          if (delta.index == kCorruptSlotAddress || !memory_.readRaw(delta.index)->equals(delta.previous)) {
            return false;
          }
          break;
        default: return false;
      }
    }
  }
  return true;
}

// The first tick after this one at which some module stops settling (no
// module starts settling without a record changing).
int Simulation::nextSettleChange() const {
  long long next = LLONG_MAX;
  for (const auto& module : modules_) {
    if (!module->hasDelayRecord()) continue;
    const int settle = module->settleTick();
    if (settle > tick_) next = std::min<long long>(next, settle);
  }
  return static_cast<int>(std::min<long long>(next, INT_MAX));
}

// Every port holds the value from before the edge, so the clocked modules
// read those while they act; only then are the changed values pushed on.
void Simulation::stepForward() {
  beginTick();
  const std::size_t firstGroup = groups_.size();
  bool memoryWritten = false;
  for (std::size_t k = 0; k < clocked_.size(); ++k) {
    Module* module = clocked_[k];
    if (!clockEdge(*module)) continue;
    if (clockedIndex_[k] != kNotEvaluated) dirty_[clockedIndex_[k]] = 1;
    if (module->logic->asWriter() != nullptr) memoryWritten = true;
  }
  if (keepHistory_) tickGroups_.push_back(static_cast<std::uint32_t>(firstGroup));
  ++tick_;
  if (memoryWritten) {
    for (std::uint32_t reader : readers_) dirty_[reader] = 1;
  }
  pushChangedValues(constContext());
  if (keepHistory_) trimHistory();
}

void Simulation::pushChangedValues(const ConstContext& context) {
  Port::countCacheFill();
  for (std::size_t i = 0; i < evaluated_.size(); ++i) {
    if (dirty_[i] == 0) continue;
    dirty_[i] = 0;
    const Evaluated& entry = evaluated_[i];
    Module& module = *entry.module;
    const std::span<const std::shared_ptr<Value>> held = module.logic->heldOutputs();
    for (std::uint32_t r = entry.firstResult; r < entry.firstResult + entry.resultCount; ++r) {
      const ResultLink& link = results_[r];
      const auto index = static_cast<std::size_t>(link.port->kindIndex);
      std::shared_ptr<Value> value = index < held.size() ? held[index]
                                                         : module.logic->evaluate(module.ports, context,
                                                                                  link.port->kindIndex, false);
      if (value == link.port->cachedValue) continue;
      for (std::uint32_t c = link.firstConsumer; c < link.firstConsumer + link.consumerCount; ++c) {
        const Consumer& consumer = consumers_[c];
        consumer.port->cachedValue = value;
        if (consumer.evaluatedIndex != kNotEvaluated) dirty_[consumer.evaluatedIndex] = 1;
      }
      link.port->cachedValue = std::move(value);
    }
  }
}

bool Simulation::planCurrent() const { return planBuilt_ && planRevision_ == machineRevision(); }

void Simulation::buildPlan() {
  planBuilt_ = true;
  planRevision_ = machineRevision();
  planUsable_ = false;
  evaluated_.clear();
  results_.clear();
  consumers_.clear();
  clocked_.clear();
  clockedIndex_.clear();
  readers_.clear();
  dirty_.clear();

  ports_.clear();
  sourcedPorts_.clear();
  for (const auto& module : modules_) {
    if (!module) continue;
    for (const auto& port : module->ports) {
      if (port) ports_.push_back(port.get());
      if (port && port->source != nullptr) sourcedPorts_.push_back(SourcedPort{port.get(), &port});
    }
  }

  const std::size_t n = modules_.size();
  std::unordered_map<const Module*, std::uint32_t> place;
  for (std::size_t i = 0; i < n; ++i) {
    if (!modules_[i] || !place.emplace(modules_[i].get(), static_cast<std::uint32_t>(i)).second) return;
  }
  std::unordered_map<const Port*, std::vector<Port*>> fed;
  std::vector<bool> hasResults(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    const Module& module = *modules_[i];
    for (const auto& port : module.ports) {
      if (!port || port->owner != &module) return;
      if (port->kind == kResultPort) hasResults[i] = true;
      Port* source = port->source;
      if (source == nullptr) continue;
      if (source->kind != kResultPort || source->owner == nullptr || place.count(source->owner) == 0) return;
      fed[source].push_back(port.get());
    }
  }

  // Kahn's order over the modules with Result ports. A module whose Results
  // come from stored state reads nothing to make them, so no edge enters it.
  std::vector<std::vector<std::uint32_t>> readBy(n);
  std::vector<std::uint32_t> waiting(n, 0);
  std::size_t nodes = 0;
  for (std::size_t v = 0; v < n; ++v) {
    if (!hasResults[v]) continue;
    ++nodes;
    const Module& module = *modules_[v];
    if (module.logic->holdsOutput()) continue;
    for (const auto& port : module.ports) {
      if (port->kind == kResultPort || port->source == nullptr) continue;
      std::uint32_t u = place.at(port->source->owner);
      readBy[u].push_back(static_cast<std::uint32_t>(v));
      ++waiting[v];
    }
  }
  std::vector<std::uint32_t> order;
  order.reserve(nodes);
  for (std::size_t v = 0; v < n; ++v) {
    if (hasResults[v] && waiting[v] == 0) order.push_back(static_cast<std::uint32_t>(v));
  }
  for (std::size_t at = 0; at < order.size(); ++at) {
    for (std::uint32_t v : readBy[order[at]]) {
      if (--waiting[v] == 0) order.push_back(v);
    }
  }
  if (order.size() != nodes) return;  // unclocked modules reading each other in a loop

  std::unordered_map<const Module*, std::uint32_t> evaluatedIndexOf;
  for (std::uint32_t v : order) {
    evaluatedIndexOf.emplace(modules_[v].get(), static_cast<std::uint32_t>(evaluated_.size()));
    evaluated_.push_back(Evaluated{modules_[v].get(), 0, 0});
  }
  for (Evaluated& entry : evaluated_) {
    entry.firstResult = static_cast<std::uint32_t>(results_.size());
    for (const auto& port : entry.module->ports) {
      if (port->kind != kResultPort) continue;
      ResultLink link{port.get(), static_cast<std::uint32_t>(consumers_.size()), 0};
      if (auto found = fed.find(port.get()); found != fed.end()) {
        for (Port* consumer : found->second) {
          std::uint32_t index = kNotEvaluated;
          const Module* owner = consumer->owner;
          if (!owner->logic->holdsOutput()) {
            if (auto at = evaluatedIndexOf.find(owner); at != evaluatedIndexOf.end()) index = at->second;
          }
          consumers_.push_back(Consumer{consumer, index});
        }
      }
      link.consumerCount = static_cast<std::uint32_t>(consumers_.size()) - link.firstConsumer;
      results_.push_back(link);
    }
    entry.resultCount = static_cast<std::uint32_t>(results_.size()) - entry.firstResult;
    if (entry.module->kind() == kReaderKind) {
      readers_.push_back(static_cast<std::uint32_t>(&entry - evaluated_.data()));
    }
  }
  for (const auto& module : modules_) {
    if (!module->logic->isClocked()) continue;
    clocked_.push_back(module.get());
    auto at = evaluatedIndexOf.find(module.get());
    clockedIndex_.push_back(at == evaluatedIndexOf.end() ? kNotEvaluated : at->second);
  }
  dirty_.assign(evaluated_.size(), 0);
  planUsable_ = true;
}

void Simulation::fillPortValues(const ConstContext& context) {
  for (const auto& module : modules_) {
    for (const auto& port : module->ports) port->getValue(context, false);
  }
}

bool Simulation::clockEdge(Module& module) {
  // Each module's records go in one segment, so a group stays contiguous;
  // segments keep their room, so the history stops allocating once grown.
  if (segments_.empty()) {
    segments_.emplace_back().reserve(kSegmentSize);
    segment_ = 0;
  }
  if (segments_[segment_].capacity() - segments_[segment_].size() < kSegmentRoom) {
    if (segments_[segment_].empty()) {
      segments_[segment_].reserve(kSegmentSize);
    } else {
      ++segment_;
      if (segment_ == segments_.size()) segments_.emplace_back();
      segments_[segment_].reserve(kSegmentSize);
    }
  }
  std::vector<StateDelta>& deltas = segments_[segment_];
  const std::size_t before = deltas.size();
  // A long history's room was last used long ago: ask for the lines a few
  // edges on, so writing them doesn't wait on memory.
  for (std::size_t d = before + 8 * kRecordsPerLine; d < before + 12 * kRecordsPerLine && d < deltas.capacity();
       d += kRecordsPerLine) {
    __builtin_prefetch(deltas.data() + d, 1);
  }
  const std::uint32_t firstExtra = extras_.end();
  DeltaSink sink(deltas, extras_);
  module.logic->clockEdgeInto(module, edge_, sink);
  if (deltas.size() == before) return false;
  groups_.push_back(DeltaGroup{&module, static_cast<std::uint32_t>(segment_), static_cast<std::uint32_t>(before),
                               static_cast<std::uint32_t>(deltas.size() - before), firstExtra});
  keptRecords_ += deltas.size() - before;
  return true;
}

void Simulation::clearDeltas() {
  for (auto& segment : segments_) segment.clear();
  segment_ = 0;
  extras_.clear();
}

void Simulation::keepNoStepBackHistory() {
  keepHistory_ = false;
  keptRecords_ = 0;
  segments_.clear();
  segments_.shrink_to_fit();
  segment_ = 0;
  extras_ = DeltaExtras();
  groups_.clear();
  groups_.shrink_to_fit();
  tickGroups_.clear();
  tickGroups_.shrink_to_fit();
  delayRecords_.clear();
  delayRecords_.shrink_to_fit();
  tickDelayRecords_.clear();
  tickDelayRecords_.shrink_to_fit();
  tickSettleSkipped_.clear();
  tickSettleSkipped_.shrink_to_fit();
}

std::size_t Simulation::historyBytes() const {
  std::size_t deltas = 0;
  for (const auto& segment : segments_) deltas += segment.size();
  return deltas * sizeof(StateDelta) + extras_.bytes() + groups_.size() * sizeof(DeltaGroup) +
         tickGroups_.size() * sizeof(std::uint32_t) + delayRecords_.size() * sizeof(PortRecord) +
         tickDelayRecords_.size() * sizeof(std::uint32_t) + tickSettleSkipped_.size();
}

// Every cache is clear when it starts, and each pass lists the ports it
// caches, so clearing after a pass touches only those. Only ports with a
// source keep a record that can change.
//
// A port's value depends on the records only through whether modules are
// settling. So when a pass changed records but started or stopped no
// module's settling, every value it worked out is what the next pass would
// work out afresh, that pass would change no record, and it is left out.
void Simulation::propagateDelays(const ConstContext& base) {
  ConstContext context = base;
  cachedPorts_.clear();
  context.cachedPorts = &cachedPorts_;
  DelayRecord old;
  bool again = true;
  while (again) {
    bool changed = false;
    bool flipped = false;
    for (const SourcedPort& sourced : sourcedPorts_) {
      bool flippedHere = false;
      if (!sourced.port->updateDelayRecordInto(context, old, flippedHere)) continue;
      changed = true;
      flipped = flipped || flippedHere;
      // Without history the records would be dropped at the next tick.
      if (!keepHistory_) continue;
      delayRecords_.push_back(PortRecord{*sourced.shared, std::move(old)});
      ++keptRecords_;
    }
    again = changed && flipped;
    // The last pass changed nothing a further pass would see, so its values
    // are the settled ones; with no loop among the modules they are what any
    // later read works out.
    if (again || !planUsable_ || !planCurrent()) {
      for (Port* port : cachedPorts_) port->cachedValue.reset();
      valuesCurrent_ = false;
    }
    cachedPorts_.clear();
  }
}

void Simulation::stepBack() {
  if (tick_ == 0) return;
  if (!keepHistory_) fatalError("stepping back a run that keeps no history");
  if (tick_ <= historyStart_) {
    stepBackTo(tick_ - 1);
    return;
  }
  if (historyStart_ + static_cast<int>(tickGroups_.size()) != tick_) fatalError("sim regress delta size discrepancy");
  --tick_;
  const std::size_t firstGroup = tickGroups_.back();
  tickGroups_.pop_back();
  const std::size_t groupCount = groups_.size();
  if (firstGroup < groupCount) {
    for (std::size_t g = groupCount; g > firstGroup; --g) {
      // The records of a long history lie far out of cache: ask for a later
      // group's while this one is undone.
      constexpr std::size_t kAhead = 4;
      if (g > firstGroup + kAhead) {
        const DeltaGroup& ahead = groups_[g - 1 - kAhead];
        const StateDelta* records = segments_[ahead.segment].data() + ahead.first;
        for (std::uint32_t d = 0; d < ahead.count; d += kRecordsPerLine) __builtin_prefetch(records + d);
      }
      const DeltaGroup& group = groups_[g - 1];
      group.module->logic->revertDeltas(
          std::span<const StateDelta>(segments_[group.segment].data() + group.first, group.count), extras_,
          memory_);
      keptRecords_ -= group.count;
    }
    const DeltaGroup& first = groups_[firstGroup];
    extras_.truncate(first.firstExtra);
    // Segments after segment_ are empty already.
    segments_[first.segment].resize(first.first);
    for (std::size_t k = first.segment + 1; k <= segment_; ++k) segments_[k].clear();
    segment_ = first.segment;
    groups_.resize(firstGroup);
  }
  // Delay mode: a tick whose step left settling out holds the values of the
  // tick before it, so they stay, cached or not, and so does what the
  // settling knew.
  const bool keepValues = delayMode_ && !tickSettleSkipped_.empty() && tickSettleSkipped_.back() != 0 &&
                          planUsable_ && planCurrent();
  if (!tickSettleSkipped_.empty()) tickSettleSkipped_.pop_back();
  if (delayMode_ && !tickDelayRecords_.empty()) {
    const std::size_t firstRecord = tickDelayRecords_.back();
    tickDelayRecords_.pop_back();
    for (std::size_t r = delayRecords_.size(); r > firstRecord; --r) {
      const PortRecord& record = delayRecords_[r - 1];
      record.port->setDelayRecord(record.record.value, record.record.changeTick);
    }
    keptRecords_ -= delayRecords_.size() - firstRecord;
    delayRecords_.resize(firstRecord);
  }
  if (keepValues) return;
  // Values are worked out afresh on the next step: stepping back is rare
  // next to stepping on, and is often followed by another step back.
  settled_ = false;
  clearPortCaches();
}

void Simulation::stepBackTo(int tick) {
  tick = std::max(tick, 0);
  if (tick >= tick_) return;
  if (!keepHistory_) fatalError("stepping back a run that keeps no history");
  if (tick < historyStart_) {
    replayTo(tick);
    return;
  }
  while (tick_ > tick) stepBack();
}

// Runs the test again from tick 0, keeping history only for the last ticks
// before `tick` that fit within the limits at the rate the history kept so
// far: then the step backs that follow a seek, commonly one tick at a time,
// replay as seldom as they can, and the replay trims nothing.
void Simulation::replayTo(int tick) {
  const std::size_t keptTicks = tickGroups_.size();
  std::size_t perTick = recordsPerTrimmedTick_;
  if (keptTicks > 0) perTick = std::max(perTick, (keptRecords_ + keptTicks - 1) / keptTicks);
  std::size_t fits = historyTickLimit_;
  if (perTick > 0) fits = std::min(fits, historyRecordLimit_ / perTick);
  // A margin, as ticks vary in what they record.
  fits -= fits / 4;
  const int firstKept = tick - static_cast<int>(std::min<std::size_t>(fits, static_cast<std::size_t>(tick)));
  reset();
  if (firstKept > 0) {
    keepHistory_ = false;
    while (tick_ < firstKept) step();
    keepHistory_ = true;
    clearDeltas();
    groups_.clear();
    delayRecords_.clear();
    keptRecords_ = 0;
    historyStart_ = tick_;
  }
  while (tick_ < tick) step();
}

void Simulation::limitStepBackHistory(std::size_t ticks, std::size_t records) {
  historyTickLimit_ = std::max<std::size_t>(ticks, 1);
  historyRecordLimit_ = records;
  if (keepHistory_) trimHistory();
}

// Past either limit, the oldest ticks go until half of each is left (the
// latest tick always stays), so trimming is rare and costs little per tick.
void Simulation::trimHistory() {
  const std::size_t kept = tickGroups_.size();
  if (kept <= historyTickLimit_ && keptRecords_ <= historyRecordLimit_) return;
  recordsPerTrimmedTick_ = (keptRecords_ + kept - 1) / kept;
  std::size_t drop = 0;
  std::size_t records = keptRecords_;
  while (drop + 1 < kept && (kept - drop > historyTickLimit_ / 2 || records > historyRecordLimit_ / 2)) {
    for (std::uint32_t g = tickGroups_[drop]; g < tickGroups_[drop + 1]; ++g) records -= groups_[g].count;
    if (!tickDelayRecords_.empty()) records -= tickDelayRecords_[drop + 1] - tickDelayRecords_[drop];
    ++drop;
  }
  dropOldestTicks(drop);
}

void Simulation::dropOldestTicks(std::size_t ticks) {
  if (ticks == 0 || ticks > tickGroups_.size()) return;
  const std::size_t firstKeptGroup = ticks < tickGroups_.size() ? tickGroups_[ticks] : groups_.size();
  for (std::size_t g = 0; g < firstKeptGroup; ++g) keptRecords_ -= groups_[g].count;
  if (firstKeptGroup == groups_.size()) {
    clearDeltas();
  } else {
    extras_.dropBefore(groups_[firstKeptGroup].firstExtra);
    // Segments wholly before the first kept group are emptied and reused
    // at the end, their room kept.
    const std::uint32_t dropped = groups_[firstKeptGroup].segment;
    for (std::uint32_t k = 0; k < dropped; ++k) segments_[k].clear();
    std::rotate(segments_.begin(), segments_.begin() + dropped, segments_.end());
    segment_ -= dropped;
    for (std::size_t g = firstKeptGroup; g < groups_.size(); ++g) groups_[g].segment -= dropped;
  }
  groups_.erase(groups_.begin(), groups_.begin() + static_cast<std::ptrdiff_t>(firstKeptGroup));
  tickGroups_.erase(tickGroups_.begin(), tickGroups_.begin() + static_cast<std::ptrdiff_t>(ticks));
  for (std::uint32_t& first : tickGroups_) first -= static_cast<std::uint32_t>(firstKeptGroup);
  if (!tickDelayRecords_.empty()) {
    const std::size_t firstKeptRecord =
        ticks < tickDelayRecords_.size() ? tickDelayRecords_[ticks] : delayRecords_.size();
    keptRecords_ -= firstKeptRecord;
    delayRecords_.erase(delayRecords_.begin(), delayRecords_.begin() + static_cast<std::ptrdiff_t>(firstKeptRecord));
    tickDelayRecords_.erase(tickDelayRecords_.begin(),
                            tickDelayRecords_.begin() + static_cast<std::ptrdiff_t>(ticks));
    for (std::uint32_t& first : tickDelayRecords_) first -= static_cast<std::uint32_t>(firstKeptRecord);
    tickSettleSkipped_.erase(tickSettleSkipped_.begin(),
                             tickSettleSkipped_.begin() + static_cast<std::ptrdiff_t>(ticks));
  }
  historyStart_ += static_cast<int>(ticks);
}

void Simulation::reset() {
  tick_ = 0;
  historyStart_ = 0;
  keptRecords_ = 0;
  settled_ = false;
  for (const auto& module : modules_) module->logic->reset();
  memory_ = testCase_.initial;
  clearDeltas();
  groups_.clear();
  tickGroups_.clear();
  clearPortCaches();
  if (delayMode_) {
    // Every port first gets a record changed at tick 0, so every delayed
    // module settles from tick 0 whatever the module order and whatever an
    // earlier run left behind; only then are the real values read.
    ConstContext context = constContext();
    for (const auto& module : modules_) {
      for (const auto& port : module->ports) port->setDelayRecord(unpoweredValue(), 0);
    }
    for (const auto& module : modules_) {
      for (const auto& port : module->ports) port->refreshValue(context);
    }
    clearPortCaches();
  }
  delayRecords_.clear();
  tickDelayRecords_.clear();
  tickSettleSkipped_.clear();
}

bool Simulation::isSuccess() const {
  if (tick_ > testCase_.tickLimit) return false;
  if (testCase_.success && !testCase_.success(constContext(), modules_)) return false;
  return memoryMatchesGoal();
}

void Simulation::judgeThisTick() const {
  if (judgedTick_ == tick_) return;
  judgedTick_ = tick_;
  matchesGoal_ = -1;
  matchesInitial_ = -1;
}

bool Simulation::memoryMatchesGoal() const {
  judgeThisTick();
  if (matchesGoal_ < 0) matchesGoal_ = memory_.equals(testCase_.goal) ? 1 : 0;
  return matchesGoal_ != 0;
}

bool Simulation::equalsInitial() const {
  judgeThisTick();
  if (matchesInitial_ < 0) matchesInitial_ = memory_.equals(testCase_.initial) ? 1 : 0;
  return matchesInitial_ != 0;
}

bool Simulation::isFailed() const {
  if (tick_ >= testCase_.tickLimit) return true;
  if (memory_.corrupt && !testCase_.goal.corrupt) return true;
  if (!testCase_.allowIntermediateMemory && !equalsInitial() && !isSuccess()) return true;
  return testCase_.failure && testCase_.failure(constContext(), modules_);
}

std::string Simulation::failureText() const {
  if (tick_ >= testCase_.tickLimit) return "Out of time!";
  if (memory_.corrupt && !testCase_.goal.corrupt) return "Memory corrupted!";
  if (testCase_.allowIntermediateMemory || equalsInitial() || isSuccess()) return testCase_.failureText;
  return "Bad value in memory!";
}
