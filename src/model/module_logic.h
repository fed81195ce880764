#pragma once
// The behaviour of one module kind: what it puts on its Result ports, what it
// stores on a clock edge (with the records to undo it), its port counts,
// labels, wire colours and configuration.
#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "model/port.h"
#include "model/state_delta.h"
#include "model/value.h"

class Value;
class Module;
class Port;
class Memory;
struct ConstContext;
struct TickContext;
class IMuxModuleLogic;
class WriterModuleLogic;

using PortList = std::vector<std::shared_ptr<Port>>;

class ModuleLogic {
 public:
  explicit ModuleLogic(int kind) : kind_(kind) {}
  virtual ~ModuleLogic() = default;
  ModuleLogic(const ModuleLogic&) = delete;
  ModuleLogic& operator=(const ModuleLogic&) = delete;

  int kind() const { return kind_; }

  // -1: the module-kind table's count applies.
  virtual int inputCount() const { return -1; }
  virtual int outputCount() const { return -1; }
  // A new logic of the same kind and configuration, in its reset state.
  virtual std::unique_ptr<ModuleLogic> clone(int puzzle) const = 0;
  // The clock edge: stores what the module stores and returns the records to
  // undo it. Changes the machine's state outside a simulation's knowledge, so
  // a simulation stepping this machine works its values out afresh.
  DeltaLog clockEdge(Module& module, TickContext& context);
  // The same for a simulation: appends the undo records to `deltas`.
  virtual void clockEdgeInto(Module& module, TickContext& context, DeltaSink& deltas);
  virtual void reset() {}
  void revert(DeltaLog deltas, Memory& memory);
  // Undoes one clock edge's records, taking what they kept from `extras`.
  virtual void revertDeltas(std::span<const StateDelta> deltas, DeltaExtras& extras, Memory& memory);
  virtual std::shared_ptr<Value> configValue() const { return nullptr; }
  virtual bool hasConfig() const { return configValue() != nullptr; }
  // Applies a configuration; true when the module's ports must be rebuilt.
  bool setConfig(const std::shared_ptr<Value>& config);
  virtual IMuxModuleLogic* asIMux() { return nullptr; }
  virtual WriterModuleLogic* asWriter() { return nullptr; }
  // The Result values come from stored state, so they stay readable while
  // the module's inputs settle in delay mode.
  virtual bool holdsOutput() const { return false; }
  // What a module that holds its outputs shows on Result port i (for i
  // within the list), read where it lies: evaluate gives the same. A step
  // reads them all, so it takes the list once per module. Empty for others.
  virtual std::span<const std::shared_ptr<Value>> heldOutputs() const { return {}; }
  virtual bool hasPendingChange(const ConstContext& context, const PortList& ports) const;
  virtual bool isClocked() const { return false; }
  virtual std::string descriptionSuffix() const { return ""; }
  virtual std::string portLabel(int port) const;
  virtual std::string portDescription(int port) const;
  virtual std::uint32_t ownPortColor(int port) const;
  virtual bool isPortSelected(int port, const ConstContext& context, const PortList& ports) const;
  virtual int configInt() const;
  virtual std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                          int outputIndex, bool raw) = 0;
  virtual std::uint32_t computePortColor(int port, const ConstContext& context,
                                         const PortList& ports);

  // The colour of the wire leaving a port; a colour that follows wires back
  // to a port already being coloured ends at the kind colour.
  std::uint32_t portColor(int port, const ConstContext& context, const PortList& ports);

  // Clock-edge snapshot: every module sees the Result values from before any
  // state changed, whatever order the modules act in.
  void snapshotOutputs(const PortList& ports, const ConstContext& context);
  void clearSnapshot();
  bool hasSnapshot() const { return snapshotFilled_; }
  std::shared_ptr<Value> valueFromSnapshot(const PortList& ports, const ConstContext& context,
                                           int outputIndex, bool raw);

  bool sameConfig(const ModuleLogic* other) const;
  std::string configDescription() const;

 protected:
  virtual bool applyConfig(const std::shared_ptr<Value>& config);
  std::uint32_t kindColour() const;
  // The colour of the wire arriving at input port `input` (the kind colour
  // when it is unconnected).
  std::uint32_t arrivingColour(int input, const ConstContext& context, const PortList& ports) const;

 private:
  int kind_;
  std::vector<std::shared_ptr<Value>> snapshot_;
  bool snapshotFilled_ = false;
  std::set<int> coloursInProgress_;
};

// Reads input port `index` of a module's port list (Unpowered when absent).
// Inline: every module reads its inputs through it on every step.
inline std::shared_ptr<Value> readPort(const PortList& ports, int index, const ConstContext& context, bool raw) {
  if (index < 0 || index >= static_cast<int>(ports.size())) return unpoweredValue();
  return ports[static_cast<std::size_t>(index)]->getValue(context, raw);
}
