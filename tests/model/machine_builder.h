#pragma once
// Builds small machines for the model tests.
#include <memory>
#include <string>

#include "model/contexts.h"
#include "model/instruction.h"
#include "model/memory.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/value.h"

inline std::shared_ptr<Value> num(int n) { return makeNumericValue(n); }
inline std::shared_ptr<Value> letter(char c) { return std::make_shared<LetterValue>(c); }
inline std::shared_ptr<Value> opcode(int op) { return std::make_shared<OpcodeValue>(op); }
inline std::shared_ptr<Value> opList(std::vector<int> ops) { return std::make_shared<OpVecValue>(std::move(ops)); }
inline std::shared_ptr<Value> instruction(int op, int s, int t, int d) {
  return std::make_shared<InstructionValue>(op, InstructionOperand(s), InstructionOperand(t), InstructionOperand(d));
}

struct MachineBuilder {
  ModuleList modules;
  ConstContext wiring{};

  std::shared_ptr<Module> add(int kind, std::shared_ptr<Value> config = nullptr, std::string name = "") {
    if (!config) config = defaultConfigFor(kind, kNoPuzzle);
    if (name.empty()) name = defaultModuleName(kind, modules);
    auto module = Module::create(kind, 0, 16 * static_cast<int>(modules.size()) * 10, config, name);
    modules.push_back(module);
    return module;
  }
  std::shared_ptr<Module> number(int n) { return add(kNumberKind, num(n)); }
  std::shared_ptr<Module> constant(std::shared_ptr<Value> v) { return add(kNumberKind, std::move(v)); }

  // Wires port `from` (index among all ports) of one module to port `to` of another.
  static void wire(const std::shared_ptr<Module>& source, int from, const std::shared_ptr<Module>& destination,
                   int to, const ConstContext& context = {}) {
    bool ok = destination->ports.at(static_cast<std::size_t>(to))
                  ->connect(source->ports.at(static_cast<std::size_t>(from)).get(), context);
    if (!ok) throw std::runtime_error("refused wire");
  }
  // Wires a module's first Result port.
  static void feed(const std::shared_ptr<Module>& source, const std::shared_ptr<Module>& destination, int to) {
    for (std::size_t i = 0; i < source->ports.size(); ++i) {
      if (source->ports[i]->kind == kResultPort) {
        wire(source, static_cast<int>(i), destination, to);
        return;
      }
    }
    throw std::runtime_error("no result port");
  }
};

// The value on a module's output `index` (among its Result ports).
inline std::shared_ptr<Value> outputOf(const std::shared_ptr<Module>& module, int index, const ConstContext& context) {
  int seen = 0;
  for (const auto& port : module->ports) {
    if (port->kind != kResultPort) continue;
    if (seen++ == index) return port->getValue(context, false);
  }
  return nullptr;
}

inline void clearCaches(const ModuleList& modules) {
  for (const auto& m : modules)
    for (const auto& p : m->ports) p->clearCache();
}
