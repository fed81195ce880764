#include "model/port.h"

#include <algorithm>
#include <atomic>

#include "model/contexts.h"
#include "model/machine_revision.h"
#include "model/module.h"
#include "model/value.h"
#include "base/log.h"
#include "base/strings.h"

bool Port::connect(Port* newSource, const ConstContext& context) {
  if (newSource != nullptr && (kind == kResultPort || newSource->kind != kResultPort)) return false;
  source = newSource;
  if (context.delayMode) refreshValue(context);
  clearCache();
  return true;
}

void Port::clearCache() {
  cachedValue.reset();
  noteMachineEdited();
}

bool Port::canPairWith(const Port& other) const {
  bool thisResult = kind == kResultPort;
  bool otherResult = other.kind == kResultPort;
  if (thisResult != otherResult) return true;
  return (source != nullptr) != (other.source != nullptr);
}

std::string Port::name() const {
  std::string label = owner ? owner->portName(this) : "";
  if (!label.empty()) return label;
  switch (kind) {
    case kInputPort: return "Input";
    case kResultPort: return "Result";
    case kControlPort: return "Control";
  }
  return "Error";
}

std::string Port::describe() const {
  return possessive(owner ? owner->getName() : "") + " '" + name() + "'";
}

std::string Port::description() const { return owner ? owner->portDescription(this) : ""; }

constinit thread_local std::uint64_t Port::cacheFillCount_ = 0;

std::uint64_t Port::firstCacheFillOnThread() {
  static std::atomic<std::uint64_t> threadsCounting{0};
  return (threadsCounting.fetch_add(1) + 1) << 40;
}

const std::shared_ptr<Value>& Port::workOutValue(const ConstContext& context) {
  countCacheFill();
  bool computeIt;
  if (kind == kResultPort && owner != nullptr && owner->holdsOutput()) {
    computeIt = true;
  } else {
    computeIt = owner == nullptr || !owner->isStabilizing(context);
  }
  if (computeIt) {
    cachedValue = compute(context, false);
  } else {
    cachedValue = unknownValue();
  }
  if (context.cachedPorts != nullptr) context.cachedPorts->push_back(this);
  return cachedValue;
}

std::shared_ptr<Value> Port::compute(const ConstContext& context, bool raw) {
  // Read again while being computed: a loop of unclocked modules.
  if (evaluating) return unknownValue();
  evaluating = true;
  std::shared_ptr<Value> value;
  if (kind == kResultPort) {
    value = owner ? owner->valueAt(this, context, raw) : unpoweredValue();
  } else if (source != nullptr) {
    value = source->getValue(context, false);
  } else {
    value = unpoweredValue();
  }
  evaluating = false;
  return value;
}

int Port::settleTick() const {
  if (owner == nullptr) return -1;
  return owner->settleTick();
}

DelayRecord Port::updateDelayRecord(const ConstContext& context) {
  DelayRecord old;
  if (!updateDelayRecordInto(context, old)) return {};
  return old;
}

bool Port::updateDelayRecordInto(const ConstContext& context, DelayRecord& old) {
  bool flipped = false;
  return updateDelayRecordInto(context, old, flipped);
}

bool Port::updateDelayRecordInto(const ConstContext& context, DelayRecord& old, bool& ownerSettlingFlipped) {
  ownerSettlingFlipped = false;
  if (source == nullptr) return false;
  // Held by the source's cache, which nothing below clears.
  const std::shared_ptr<Value>& now = source->value(context);
  if (!delayRecord.value) fatalError("old value in update delay");
  // The same shared value is equal without asking it.
  if (now == delayRecord.value || now->equals(delayRecord.value)) return false;
  const bool wasSettling = owner != nullptr && owner->isStabilizing(context);
  old = std::move(delayRecord);
  delayRecord = DelayRecord{now, context.tick};
  if (owner != nullptr) {
    owner->forgetSettling();
    ownerSettlingFlipped = owner->isStabilizing(context) != wasSettling;
  }
  return true;
}

void Port::refreshValue(const ConstContext& context) {
  delayRecord = DelayRecord{compute(context, false), 0};
  if (owner != nullptr) owner->forgetSettling();
}

void Port::setDelayRecord(std::shared_ptr<Value> value, int changeTick) {
  delayRecord = DelayRecord{std::move(value), changeTick};
  if (owner != nullptr) owner->forgetSettling();
}

bool Port::equals(const Port& other) const {
  if (kind != other.kind) return false;
  if (source == nullptr) return other.source == nullptr;
  if (other.source == nullptr) return false;
  const Module* mine = source->owner;
  const Module* theirs = other.source->owner;
  if (mine == nullptr || theirs == nullptr) fatalError("nil parent for port in getIndex");
  if (mine->portIndex(source, false) != theirs->portIndex(other.source, false)) return false;
  if (mine->x != theirs->x || mine->y != theirs->y || mine->name != theirs->name) return false;
  if (!mine->logic->sameConfig(theirs->logic.get())) return false;
  return controlPoints == other.controlPoints;
}
