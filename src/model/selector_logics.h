#pragma once
// The routing kinds and the instruction decoder.
#include <set>

#include "model/basic_logics.h"
#include "model/module_defs.h"
#include "model/module_logic.h"

class MuxModuleLogic : public CountedModuleLogic {
 public:
  explicit MuxModuleLogic(const std::shared_ptr<Value>& config);
  int inputCount() const override { return count_; }
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  bool isPortSelected(int port, const ConstContext& context, const PortList& ports) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
  std::uint32_t computePortColor(int port, const ConstContext& context,
                                 const PortList& ports) override;
};

class DemuxModuleLogic : public CountedModuleLogic {
 public:
  explicit DemuxModuleLogic(const std::shared_ptr<Value>& config);
  int outputCount() const override { return count_; }
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  bool isPortSelected(int port, const ConstContext& context, const PortList& ports) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
  std::uint32_t computePortColor(int port, const ConstContext& context,
                                 const PortList& ports) override;
};

// Op Selector: input i belongs to opcode i of its list.
class IMuxModuleLogic : public ModuleLogic {
 public:
  // Anything but an opcode list gives an empty list.
  explicit IMuxModuleLogic(const std::shared_ptr<Value>& config);
  explicit IMuxModuleLogic(std::vector<int> opcodes);
  int inputCount() const override { return static_cast<int>(opcodes_.size()); }
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::shared_ptr<Value> configValue() const override;
  bool hasConfig() const override { return false; }
  IMuxModuleLogic* asIMux() override { return this; }
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  bool isPortSelected(int port, const ConstContext& context, const PortList& ports) const override;
  int configInt() const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
  std::uint32_t computePortColor(int port, const ConstContext& context,
                                 const PortList& ports) override;

  std::set<int> getOpcodeSet() const { return {opcodes_.begin(), opcodes_.end()}; }
  const std::vector<int>& opcodes() const { return opcodes_; }

 private:
  // The input chosen by the selector, -1 for none.
  int chosenInput(const std::shared_ptr<Value>& selector) const;
  std::vector<int> opcodes_;
};

class DecoderModuleLogic : public ModuleLogic {
 public:
  DecoderModuleLogic() : ModuleLogic(kDecoderKind) {}
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  std::uint32_t ownPortColor(int port) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
  std::uint32_t computePortColor(int port, const ConstContext& context,
                                 const PortList& ports) override;
};
