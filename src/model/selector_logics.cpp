#include "model/selector_logics.h"

#include "model/basic_logics.h"
#include "model/instruction.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "base/log.h"

namespace {
// The selector's choice, or -1 when an Unknown or Unpowered selector chooses
// nothing (-1 never matches a port).
bool chosen(const std::shared_ptr<Value>& selector, int& k) {
  if (selector->isUnknown() || selector->isUnpowered()) return false;
  k = selector->int_value();
  return true;
}
}  // namespace

// Input Selector

MuxModuleLogic::MuxModuleLogic(const std::shared_ptr<Value>& config)
    : CountedModuleLogic(kInputSelectorKind, config) {}

std::unique_ptr<ModuleLogic> MuxModuleLogic::clone(int) const {
  return std::make_unique<MuxModuleLogic>(clampModuleConfig(kInputSelectorKind, makeNumericValue(count_)));
}

std::string MuxModuleLogic::portLabel(int port) const {
  if (port < count_) return "Input #" + std::to_string(port);
  if (port == count_) return "Input Select";
  return "Output";
}

std::string MuxModuleLogic::portDescription(int port) const {
  if (port < count_) return "";
  if (port == count_) return "What input # should be routed to the output?";
  return "The value from the chosen input.";
}

bool MuxModuleLogic::isPortSelected(int port, const ConstContext& context, const PortList& ports) const {
  if (port == count_) return false;
  int k = 0;
  if (!chosen(readPort(ports, count_, context, false), k)) return false;
  if (port == count_ + 1) return k >= 0 && k < count_;
  return port == k;
}

std::shared_ptr<Value> MuxModuleLogic::evaluate(const PortList& ports, const ConstContext& context, int,
                                                bool raw) {
  auto s = readPort(ports, count_, context, raw);
  int k = 0;
  if (!chosen(s, k)) return s;
  if (k >= 0 && k < count_) return readPort(ports, k, context, raw);
  return unpoweredValue();
}

std::uint32_t MuxModuleLogic::computePortColor(int port, const ConstContext& context, const PortList& ports) {
  int last = static_cast<int>(ports.size()) - 1;
  int k = 0;
  if (port == last && chosen(readPort(ports, count_, context, false), k) && k >= 0 && k < count_) {
    return arrivingColour(k, context, ports);
  }
  return kindColour();
}

// Output Selector

DemuxModuleLogic::DemuxModuleLogic(const std::shared_ptr<Value>& config)
    : CountedModuleLogic(kOutputSelectorKind, config) {}

std::unique_ptr<ModuleLogic> DemuxModuleLogic::clone(int) const {
  return std::make_unique<DemuxModuleLogic>(clampModuleConfig(kOutputSelectorKind, makeNumericValue(count_)));
}

std::string DemuxModuleLogic::portLabel(int port) const {
  if (port == 0) return "Input";
  if (port == 1) return "Out Select";
  return "Output #" + std::to_string(port - 2);
}

std::string DemuxModuleLogic::portDescription(int port) const {
  if (port == 0) return "The value to be routed to one of the outputs.";
  if (port == 1) return "What output # should the input be routed to?";
  return "";
}

bool DemuxModuleLogic::isPortSelected(int port, const ConstContext& context, const PortList& ports) const {
  if (port == 1) return false;
  int k = 0;
  if (!chosen(readPort(ports, 1, context, false), k)) return false;
  if (port == 0) return k >= 0 && k < count_;
  return static_cast<long long>(port) == static_cast<long long>(k) + 2;
}

std::shared_ptr<Value> DemuxModuleLogic::evaluate(const PortList& ports, const ConstContext& context,
                                                  int outputIndex, bool raw) {
  auto s = readPort(ports, 1, context, raw);
  int k = 0;
  if (!chosen(s, k)) return s;
  if (outputIndex == k) return readPort(ports, 0, context, raw);
  return unpoweredValue();
}

std::uint32_t DemuxModuleLogic::computePortColor(int port, const ConstContext& context,
                                                 const PortList& ports) {
  int k = 0;
  if (port >= 2 && chosen(readPort(ports, 1, context, false), k) &&
      static_cast<long long>(port) == static_cast<long long>(k) + 2) {
    return arrivingColour(0, context, ports);
  }
  return kindColour();
}

// Op Selector

IMuxModuleLogic::IMuxModuleLogic(const std::shared_ptr<Value>& config) : ModuleLogic(kOpSelectorKind) {
  if (config && config->asOpVec() != nullptr) {
    opcodes_ = config->asOpVec()->opcodes();
  } else {
    // A file may hold anything here; an empty list keeps the machine loadable.
    logLine("Bad config for imux: type " + std::to_string(config ? config->kind() : 0));
  }
}

IMuxModuleLogic::IMuxModuleLogic(std::vector<int> opcodes)
    : ModuleLogic(kOpSelectorKind), opcodes_(std::move(opcodes)) {}

std::unique_ptr<ModuleLogic> IMuxModuleLogic::clone(int puzzle) const {
  if (puzzle == kNoPuzzle) return std::make_unique<IMuxModuleLogic>(opcodes_);
  std::set<int> ops = getPuzzleOpcodes(puzzle);
  return std::make_unique<IMuxModuleLogic>(std::vector<int>(ops.begin(), ops.end()));
}

std::shared_ptr<Value> IMuxModuleLogic::configValue() const { return std::make_shared<OpVecValue>(opcodes_); }

std::string IMuxModuleLogic::portLabel(int port) const {
  int n = static_cast<int>(opcodes_.size());
  ensure(port >= 0 && port <= n + 1, "invalid port index " + std::to_string(port) + " for imux");
  if (port < n) return OpcodeValue(opcodes_[port]).text();
  if (port == n) return "Input Select";
  return "Output";
}

std::string IMuxModuleLogic::portDescription(int port) const {
  int n = static_cast<int>(opcodes_.size());
  if (port >= 0 && port < n) {
    return "The value to be output when the input selector is " + portLabel(port) + ".";
  }
  if (port == n) return "What input should be routed to the output?";
  return "The value from the chosen input.";
}

int IMuxModuleLogic::chosenInput(const std::shared_ptr<Value>& selector) const {
  int k = 0;
  if (!chosen(selector, k)) return -1;
  for (int i = 0; i < static_cast<int>(opcodes_.size()); ++i) {
    if (opcodes_[i] == k) return i;
  }
  return -1;
}

bool IMuxModuleLogic::isPortSelected(int port, const ConstContext& context, const PortList& ports) const {
  int n = static_cast<int>(opcodes_.size());
  if (port == n) return false;
  int i = chosenInput(readPort(ports, n, context, false));
  if (i < 0) return false;
  return port == n + 1 || port == i;
}

int IMuxModuleLogic::configInt() const {
  unsigned mask = 0;
  for (int op : opcodes_) mask |= 1u << (static_cast<unsigned>(op) & 31u);
  return static_cast<int>(mask);
}

std::shared_ptr<Value> IMuxModuleLogic::evaluate(const PortList& ports, const ConstContext& context, int,
                                                 bool raw) {
  int n = static_cast<int>(opcodes_.size());
  auto s = readPort(ports, n, context, raw);
  if (s->isUnknown() || s->isUnpowered()) return s;
  int i = chosenInput(s);
  if (i < 0) return unpoweredValue();
  return readPort(ports, i, context, raw);
}

std::uint32_t IMuxModuleLogic::computePortColor(int port, const ConstContext& context, const PortList& ports) {
  int n = static_cast<int>(opcodes_.size());
  if (port == n + 1) {
    int i = chosenInput(readPort(ports, n, context, false));
    if (i >= 0) return arrivingColour(i, context, ports);
  }
  return kindColour();
}

// Instruction Decoder

std::unique_ptr<ModuleLogic> DecoderModuleLogic::clone(int) const {
  return std::make_unique<DecoderModuleLogic>();
}

std::string DecoderModuleLogic::portLabel(int port) const {
  static const char* const labels[] = {"Instruction", "Opcode", "Source", "Target", "Destination"};
  if (port < 0 || port > 4) {
    fatalError("Unexpected port_index " + std::to_string(port) + " for decoder infobox label");
  }
  return labels[port];
}

std::string DecoderModuleLogic::portDescription(int port) const {
  if (port < 0 || port > 4) {
    fatalError("Unexpected port_index " + std::to_string(port) + " for decoder infobox desc");
  }
  if (port == 0) return "The instruction to be decoded.";
  return std::string(instructionFieldTooltips[port - 1]);
}

std::uint32_t DecoderModuleLogic::ownPortColor(int port) const {
  static const std::uint32_t colours[] = {0, 0xff3451fa, 0xffba3dd8, 0xff51218f, 0xff0c0094};
  if (port < 0 || port > 4) {
    fatalError("Unexpected port_index " + std::to_string(port) + " for decoder infobox color");
  }
  return colours[port];
}

std::shared_ptr<Value> DecoderModuleLogic::evaluate(const PortList& ports, const ConstContext& context,
                                                    int outputIndex, bool raw) {
  auto v = readPort(ports, 0, context, raw);
  if (v->isUnpowered() || v->isUnknown()) return v;
  const InstructionValue* instruction = v->asInstruction();
  if (instruction == nullptr) return unknownValue();
  switch (outputIndex) {
    case 0: return instruction->opcodeValue();
    case 1: return instruction->sourceValue();
    case 2: return instruction->targetValue();
    default: return instruction->destinationValue();
  }
}

std::uint32_t DecoderModuleLogic::computePortColor(int port, const ConstContext&, const PortList&) {
  return ownPortColor(port);
}
