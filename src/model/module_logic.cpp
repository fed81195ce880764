#include "model/module_logic.h"

#include "model/contexts.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "model/machine_revision.h"

DeltaLog ModuleLogic::clockEdge(Module& module, TickContext& context) {
  noteMachineEdited();
  DeltaLog deltas;
  DeltaSink sink = deltas.sink();
  clockEdgeInto(module, context, sink);
  return deltas;
}

void ModuleLogic::clockEdgeInto(Module&, TickContext&, DeltaSink&) {}

void ModuleLogic::revert(DeltaLog deltas, Memory& memory) {
  noteMachineEdited();
  revertDeltas(deltas.records, deltas.extras, memory);
}

void ModuleLogic::revertDeltas(std::span<const StateDelta>, DeltaExtras&, Memory&) {}

bool ModuleLogic::setConfig(const std::shared_ptr<Value>& config) {
  noteMachineEdited();
  return applyConfig(config);
}

bool ModuleLogic::applyConfig(const std::shared_ptr<Value>&) { return false; }

bool ModuleLogic::hasPendingChange(const ConstContext&, const PortList&) const { return false; }

std::string ModuleLogic::portLabel(int) const { return ""; }

std::string ModuleLogic::portDescription(int) const { return ""; }

std::uint32_t ModuleLogic::ownPortColor(int) const { return 0; }

bool ModuleLogic::isPortSelected(int, const ConstContext&, const PortList&) const { return false; }

int ModuleLogic::configInt() const {
  auto config = configValue();
  return config ? config->int_value() : 0;
}

std::uint32_t ModuleLogic::computePortColor(int, const ConstContext&, const PortList&) {
  return kindColour();
}

std::uint32_t ModuleLogic::kindColour() const { return getModuleDef(kind_).colour; }

std::uint32_t ModuleLogic::arrivingColour(int input, const ConstContext& context,
                                          const PortList& ports) const {
  if (input < 0 || input >= static_cast<int>(ports.size())) return kindColour();
  Port* source = ports[input]->source;
  if (source == nullptr || source->owner == nullptr) return kindColour();
  return source->owner->getPortColor(source, context);
}

std::uint32_t ModuleLogic::portColor(int port, const ConstContext& context, const PortList& ports) {
  if (coloursInProgress_.count(port) != 0) return kindColour();
  coloursInProgress_.insert(port);
  std::uint32_t colour = computePortColor(port, context, ports);
  coloursInProgress_.erase(port);
  return colour;
}

void ModuleLogic::snapshotOutputs(const PortList& ports, const ConstContext& context) {
  for (const auto& port : ports) {
    if (port->kind == kResultPort) snapshot_.push_back(port->getValue(context, false));
  }
  snapshotFilled_ = true;
}

void ModuleLogic::clearSnapshot() {
  snapshot_.clear();
  snapshotFilled_ = false;
}

std::shared_ptr<Value> ModuleLogic::valueFromSnapshot(const PortList& ports, const ConstContext& context,
                                                      int outputIndex, bool raw) {
  if (snapshotFilled_ && outputIndex >= 0 && outputIndex < static_cast<int>(snapshot_.size())) {
    return snapshot_[outputIndex];
  }
  return evaluate(ports, context, outputIndex, raw);
}

bool ModuleLogic::sameConfig(const ModuleLogic* other) const {
  if (other == nullptr || other->kind_ != kind_) return false;
  auto mine = configValue();
  auto theirs = other->configValue();
  if (mine) return mine->equals(theirs);
  return theirs == nullptr;
}

std::string ModuleLogic::configDescription() const {
  auto config = configValue();
  return config ? config->serialize() + "\n" : "";
}
