#include "model/simulation.h"

#include <iterator>

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
  for (const auto& module : modules_) {
    for (const auto& port : module->ports) port->clearCache();
  }
}

void Simulation::step() {
  TickContext context = tickContext();
  ConstContext view = context.constContext();
  for (const auto& module : modules_) module->logic->snapshotOutputs(module->ports, view);

  scratch_.clear();
  for (const auto& module : modules_) {
    std::vector<StateDelta> deltas = module->logic->clockEdge(*module, context);
    if (!deltas.empty()) scratch_.push_back(ModuleDeltas{module, std::move(deltas)});
  }
  for (const auto& module : modules_) module->logic->clearSnapshot();
  clearPortCaches();
  if (keepHistory_) {
    history_.emplace_back(std::make_move_iterator(scratch_.begin()), std::make_move_iterator(scratch_.end()));
  }
  ++tick_;

  if (delayMode_) {
    std::vector<PortRecord> pass;
    propagateDelays(constContext(), pass);
    if (keepHistory_) delayHistory_.push_back(std::move(pass));
  }
}

void Simulation::keepNoStepBackHistory() {
  keepHistory_ = false;
  history_.clear();
  history_.shrink_to_fit();
  delayHistory_.clear();
  delayHistory_.shrink_to_fit();
}

void Simulation::propagateDelays(const ConstContext& context, std::vector<PortRecord>& pass) {
  bool changed = true;
  while (changed) {
    changed = false;
    for (const auto& module : modules_) {
      for (const auto& port : module->ports) {
        if (updatePortDelay(port, context, pass)) changed = true;
      }
    }
    clearPortCaches();
  }
}

bool Simulation::updatePortDelay(const std::shared_ptr<Port>& port, const ConstContext& context,
                                 std::vector<PortRecord>& pass) {
  DelayRecord old = port->updateDelayRecord(context);
  if (!old.value) return false;
  pass.push_back(PortRecord{port, std::move(old)});
  return true;
}

void Simulation::stepBack() {
  if (tick_ == 0) return;
  if (!keepHistory_) fatalError("stepping back a run that keeps no history");
  if (static_cast<int>(history_.size()) != tick_) fatalError("sim regress delta size discrepancy");
  --tick_;
  std::vector<ModuleDeltas> record = std::move(history_.back());
  history_.pop_back();
  for (auto it = record.rbegin(); it != record.rend(); ++it) {
    it->module->logic->revert(it->deltas, memory_);
  }
  if (delayMode_ && !delayHistory_.empty()) {
    std::vector<PortRecord> pass = std::move(delayHistory_.back());
    delayHistory_.pop_back();
    for (auto it = pass.rbegin(); it != pass.rend(); ++it) {
      it->port->setDelayRecord(it->record.value, it->record.changeTick);
    }
  }
  clearPortCaches();
}

void Simulation::reset() {
  tick_ = 0;
  for (const auto& module : modules_) module->logic->reset();
  memory_ = testCase_.initial;
  history_.clear();
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
  delayHistory_.clear();
}

bool Simulation::isSuccess() const {
  if (tick_ > testCase_.tickLimit) return false;
  if (testCase_.success && !testCase_.success(constContext(), modules_)) return false;
  return memory_.equals(testCase_.goal);
}

bool Simulation::equalsInitial() const { return memory_.equals(testCase_.initial); }

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
