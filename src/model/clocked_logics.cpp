#include "model/clocked_logics.h"

#include "model/basic_logics.h"
#include "model/contexts.h"
#include "model/memory.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "base/log.h"

bool isClockEdge(const ConstContext& context) {
  // Every tick is an edge at period 1, the common case, without a division.
  if (context.clockPeriod <= 1) return true;
  const int period = context.clockPeriod;
  return period == context.tick % period + 1;
}

bool writerWritesThisTick(const PortList& ports, const ConstContext& context) {
  if (!isClockEdge(context)) return false;
  auto slot = readPort(ports, 1, context, false);
  if (slot->isUnpowered() || slot->int_value() < 0) return false;
  return !readPort(ports, 0, context, false)->isUnpowered();
}

// Latch

LatchModuleLogic::LatchModuleLogic() : ModuleLogic(kLatchKind) { reset(); }

std::unique_ptr<ModuleLogic> LatchModuleLogic::clone(int) const {
  return std::make_unique<LatchModuleLogic>();
}

void LatchModuleLogic::reset() { stored_ = sharedNumber(0); }

void LatchModuleLogic::clockEdgeInto(Module& module, TickContext& context, DeltaSink& deltas) {
  ConstContext view = context.constContext();
  if (!isClockEdge(view)) return;
  auto v = readPort(module.ports, 0, view, false);
  if (v->isUnpowered()) return;
  deltas.add(0, std::move(stored_));
  stored_ = std::move(v);
}

bool LatchModuleLogic::hasPendingChange(const ConstContext& context, const PortList& ports) const {
  auto v = readPort(ports, 0, context, false);
  return !v->isUnpowered() && !v->equals(stored_);
}

void LatchModuleLogic::revertDeltas(std::span<const StateDelta> deltas, DeltaExtras& extras, Memory&) {
  if (deltas.size() != 1) fatalError("multiple values for latch revert delta");
  stored_ = extras.take(deltas.front());
}

std::string LatchModuleLogic::portLabel(int port) const { return port == 0 ? "To Store" : "Stored"; }

std::string LatchModuleLogic::portDescription(int port) const {
  return port == 0 ? "What will be stored for the next tick?" : "What is currently stored?";
}

std::shared_ptr<Value> LatchModuleLogic::evaluate(const PortList&, const ConstContext&, int, bool) {
  return stored_;
}

std::uint32_t LatchModuleLogic::computePortColor(int, const ConstContext& context, const PortList& ports) {
  return arrivingColour(0, context, ports);
}

// Register

RegisterModuleLogic::RegisterModuleLogic(const std::shared_ptr<Value>& config)
    : ModuleLogic(kRegisterKind) {
  registers_.assign(static_cast<std::size_t>(clampedCount(kRegisterKind, config)), unpoweredValue());
}

std::unique_ptr<ModuleLogic> RegisterModuleLogic::clone(int) const {
  return std::make_unique<RegisterModuleLogic>(
      clampModuleConfig(kRegisterKind, makeNumericValue(static_cast<int>(registers_.size()))));
}

void RegisterModuleLogic::reset() {
  for (auto& r : registers_) r = unpoweredValue();
}

void RegisterModuleLogic::clockEdgeInto(Module& module, TickContext& context, DeltaSink& deltas) {
  ConstContext view = context.constContext();
  if (!isClockEdge(view)) return;
  for (int i = 0; i < static_cast<int>(registers_.size()); ++i) {
    auto v = readPort(module.ports, i, view, false);
    if (v->isUnpowered()) continue;
    deltas.add(i, std::move(registers_[i]));
    registers_[i] = std::move(v);
  }
}

bool RegisterModuleLogic::hasPendingChange(const ConstContext& context, const PortList& ports) const {
  for (int i = 0; i < static_cast<int>(registers_.size()); ++i) {
    auto v = readPort(ports, i, context, false);
    if (!v->isUnpowered() && !v->equals(registers_[i])) return true;
  }
  return false;
}

void RegisterModuleLogic::revertDeltas(std::span<const StateDelta> deltas, DeltaExtras& extras, Memory&) {
  for (const auto& delta : deltas) {
    if (delta.index >= 0 && delta.index < static_cast<int>(registers_.size())) {
      registers_[delta.index] = extras.take(delta);
    }
  }
}

std::shared_ptr<Value> RegisterModuleLogic::configValue() const {
  return makeNumericValue(static_cast<int>(registers_.size()));
}

bool RegisterModuleLogic::applyConfig(const std::shared_ptr<Value>& config) {
  registers_.assign(static_cast<std::size_t>(clampedCount(kRegisterKind, config)), unpoweredValue());
  return true;
}

std::string RegisterModuleLogic::descriptionSuffix() const {
  return registers_.size() == 1 ? "stores its input." : "stores its inputs.";
}

std::string RegisterModuleLogic::portLabel(int port) const {
  int n = static_cast<int>(registers_.size());
  if (port < n) return "Input " + std::to_string(port);
  return "Register " + std::to_string(port - n);
}

std::string RegisterModuleLogic::portDescription(int port) const {
  int n = static_cast<int>(registers_.size());
  if (port < n) return "What will be stored for the next tick in register " + std::to_string(port) + "?";
  return "What is currently stored in register " + std::to_string(port - n) + "?";
}

std::shared_ptr<Value> RegisterModuleLogic::evaluate(const PortList&, const ConstContext&, int outputIndex,
                                                     bool) {
  if (outputIndex < 0 || outputIndex >= static_cast<int>(registers_.size())) return unpoweredValue();
  return registers_[outputIndex];
}

std::uint32_t RegisterModuleLogic::computePortColor(int port, const ConstContext& context,
                                                    const PortList& ports) {
  int n = static_cast<int>(registers_.size());
  if (port < n) return kindColour();
  return arrivingColour(port - n, context, ports);
}

// Writer

std::unique_ptr<ModuleLogic> WriterModuleLogic::clone(int) const {
  return std::make_unique<WriterModuleLogic>();
}

void WriterModuleLogic::clockEdgeInto(Module& module, TickContext& context, DeltaSink& deltas) {
  ConstContext view = context.constContext();
  // The test of writerWritesThisTick, on values read once.
  if (!isClockEdge(view)) return;
  auto slot = readPort(module.ports, 1, view, false);
  if (slot->isUnpowered() || slot->int_value() < 0) return;
  auto value = readPort(module.ports, 0, view, false);
  if (value->isUnpowered()) return;
  const std::string& name = module.name;
  Memory& memory = *context.memory;

  if (slot->isUnknown()) {
    if (memory.corrupt) return;
    memory.write(kCorruptSlotAddress, value, name);
    deltas.add(kCorruptSlotAddress, std::shared_ptr<Value>(unpoweredValue()), std::string());
    return;
  }

  int address = slot->int_value();
  if (context.writtenThisTick.insertNew(address)) {
    // The slot's own content, not the corrupt view: undo must restore it.
    // Mostly the Writer rewrites a slot it wrote last, whose text stays.
    std::shared_ptr<Value> previous;
    if (memory.replaceKeepingText(address, value, name, previous)) {
      deltas.add(address, std::move(previous));
      return;
    }
    DeltaSink::Kept kept = deltas.addKept(address);
    memory.replaceInto(address, std::move(value), name, kept.extra.value, kept.text);
    kept.record.previous = kept.extra.value.get();
    return;
  }
  // A second write to the slot on this tick.
  MemoryRead before = memory.readRawWithSource(address);
  std::shared_ptr<Value> toWrite = value;
  std::string source = name;
  if (context.writtenThisTick.count(address) != 0 && !before.value->equals(value)) {
    source = before.source + " and " + name + " tried to write different values ('" + before.value->text() +
             "' and '" + value->text() + "') on the same tick, " + std::to_string(view.tick);
    toWrite = unknownValue();
  } else {
    context.writtenThisTick.insert(address);
  }
  memory.write(address, std::move(toWrite), std::move(source));
  deltas.add(address, std::move(before.value), std::move(before.source));
}

void WriterModuleLogic::revertDeltas(std::span<const StateDelta> deltas, DeltaExtras& extras, Memory& memory) {
  if (deltas.size() != 1) fatalError("multiple deltas for writer revert");
  const StateDelta& delta = deltas.front();
  if (delta.kept == StateDelta::kNothingKept) {
    memory.restoreValue(delta.index, lastingPointer(delta.previous));
    return;
  }
  DeltaExtras::Extra& extra = extras.at(delta.kept);
  if (extra.text != DeltaExtras::kNoText) {
    memory.restore(delta.index, std::move(extra.value), extras.text(extra));
  } else {
    memory.restoreValue(delta.index, std::move(extra.value));
  }
}

std::string WriterModuleLogic::portLabel(int port) const { return port == 0 ? "To Write" : "Mem. Slot"; }

std::string WriterModuleLogic::portDescription(int port) const {
  return port == 0 ? "What should be written to memory?" : "What memory slot should be changed?";
}

std::shared_ptr<Value> WriterModuleLogic::evaluate(const PortList&, const ConstContext&, int, bool) {
  return unknownValue();
}

// Reader

std::unique_ptr<ModuleLogic> ReaderModuleLogic::clone(int) const {
  return std::make_unique<ReaderModuleLogic>();
}

std::string ReaderModuleLogic::portLabel(int port) const { return port == 0 ? "Mem. Slot" : "Mem. Value"; }

std::string ReaderModuleLogic::portDescription(int port) const {
  return port == 0 ? "What memory slot should be read from?" : "What is in the specified memory slot?";
}

std::shared_ptr<Value> ReaderModuleLogic::evaluate(const PortList& ports, const ConstContext& context, int,
                                                   bool raw) {
  auto slot = readPort(ports, 0, context, raw);
  if (slot->isUnknown() || slot->isUnpowered()) return slot;
  if (context.memory == nullptr) return unpoweredValue();
  return context.memory->read(slot->int_value());
}
