#include "puzzles/test_checks.h"

#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"

const char* const latchHoldsUnknownText = "Latch holds '?'";

TestCheck anyOutputEquals(int value, int moduleKind) {
  return [value, moduleKind](const ConstContext& context, const std::vector<std::shared_ptr<Module>>& machine) {
    for (const auto& module : machine) {
      if (moduleKind != 0 && module->kind() != moduleKind) continue;
      for (const auto& port : module->ports) {
        if (port->kind != kResultPort) continue;
        std::shared_ptr<Value> v = port->getValue(context, false);
        if (v && !v->isUnknown() && !v->isUnpowered() && v->int_value() == value) return true;
      }
    }
    return false;
  };
}

TestCheck latchHoldsUnknown() {
  return [](const ConstContext& context, const std::vector<std::shared_ptr<Module>>& machine) {
    for (const auto& module : machine) {
      if (module->kind() != kLatchKind) continue;
      for (const auto& port : module->ports) {
        if (port->kind != kResultPort) continue;
        std::shared_ptr<Value> v = port->getValue(context, false);
        if (v && v->isUnknown()) return true;
      }
    }
    return false;
  };
}
