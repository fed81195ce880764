#pragma once
// The kinds with state or memory access: Latch, Register, Writer, Reader.
#include "model/module_defs.h"
#include "model/module_logic.h"

class LatchModuleLogic : public ModuleLogic {
 public:
  LatchModuleLogic();
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  void clockEdgeInto(Module& module, TickContext& context, DeltaSink& deltas) override;
  void reset() override;
  void revertDeltas(std::span<const StateDelta> deltas, DeltaExtras& extras, Memory& memory) override;
  bool holdsOutput() const override { return true; }
  std::span<const std::shared_ptr<Value>> heldOutputs() const override { return {&stored_, 1}; }
  bool hasPendingChange(const ConstContext& context, const PortList& ports) const override;
  bool isClocked() const override { return true; }
  std::string descriptionSuffix() const override { return "stores its input."; }
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
  std::uint32_t computePortColor(int port, const ConstContext& context,
                                 const PortList& ports) override;

  const std::shared_ptr<Value>& stored() const { return stored_; }

 private:
  std::shared_ptr<Value> stored_;
};

class RegisterModuleLogic : public ModuleLogic {
 public:
  explicit RegisterModuleLogic(const std::shared_ptr<Value>& config);
  int inputCount() const override { return static_cast<int>(registers_.size()); }
  int outputCount() const override { return static_cast<int>(registers_.size()); }
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  void clockEdgeInto(Module& module, TickContext& context, DeltaSink& deltas) override;
  void reset() override;
  void revertDeltas(std::span<const StateDelta> deltas, DeltaExtras& extras, Memory& memory) override;
  std::shared_ptr<Value> configValue() const override;
  bool applyConfig(const std::shared_ptr<Value>& config) override;
  bool holdsOutput() const override { return true; }
  std::span<const std::shared_ptr<Value>> heldOutputs() const override { return registers_; }
  bool hasPendingChange(const ConstContext& context, const PortList& ports) const override;
  bool isClocked() const override { return true; }
  std::string descriptionSuffix() const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
  std::uint32_t computePortColor(int port, const ConstContext& context,
                                 const PortList& ports) override;

  const std::vector<std::shared_ptr<Value>>& registers() const { return registers_; }

 private:
  std::vector<std::shared_ptr<Value>> registers_;
};

class WriterModuleLogic : public ModuleLogic {
 public:
  WriterModuleLogic() : ModuleLogic(kWriterKind) {}
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  void clockEdgeInto(Module& module, TickContext& context, DeltaSink& deltas) override;
  void revertDeltas(std::span<const StateDelta> deltas, DeltaExtras& extras, Memory& memory) override;
  WriterModuleLogic* asWriter() override { return this; }
  bool isClocked() const override { return true; }
  std::string descriptionSuffix() const override { return "writes its input to memory."; }
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
};

class ReaderModuleLogic : public ModuleLogic {
 public:
  ReaderModuleLogic() : ModuleLogic(kReaderKind) {}
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
};

// True when a clocked module acts on this context's tick.
bool isClockEdge(const ConstContext& context);
// Whether a Writer with these ports writes on this context's tick (the
// precondition of its clock edge, also read by the editor's write light).
bool writerWritesThisTick(const PortList& ports, const ConstContext& context);
