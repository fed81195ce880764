#include "model/basic_logics.h"

#include <algorithm>

#include "model/module_config.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "base/log.h"

int clampedCount(int kind, const std::shared_ptr<Value>& config) {
  auto range = std::dynamic_pointer_cast<NumericConfig>(getModuleConfig(kind));
  if (!config) {
    auto fallback = defaultConfigFor(kind, kNoPuzzle);
    return fallback ? fallback->int_value() : (range ? range->min() : 0);
  }
  int n = config->int_value();
  if (range) n = std::clamp(n, range->min(), range->max());
  return n;
}

std::shared_ptr<Value> CountedModuleLogic::configValue() const { return makeNumericValue(count_); }

bool CountedModuleLogic::applyConfig(const std::shared_ptr<Value>& config) {
  count_ = clampedCount(kind(), config);
  return true;
}

// Buggy

std::unique_ptr<ModuleLogic> BuggyModuleLogic::clone(int) const {
  return std::make_unique<BuggyModuleLogic>();
}

std::shared_ptr<Value> BuggyModuleLogic::evaluate(const PortList&, const ConstContext&, int, bool) {
  return unknownValue();
}

// Number

ConstModuleLogic::ConstModuleLogic(std::shared_ptr<Value> constant)
    : ModuleLogic(kNumberKind), constant_(constant ? std::move(constant) : makeNumericValue(1)) {}

std::unique_ptr<ModuleLogic> ConstModuleLogic::clone(int) const {
  // Numbers are brought into the Number's range; letters and opcodes stay
  // what they are.
  if (constant_->asNumeric() != nullptr) {
    return std::make_unique<ConstModuleLogic>(clampModuleConfig(kNumberKind, constant_));
  }
  return std::make_unique<ConstModuleLogic>(constant_);
}

bool ConstModuleLogic::applyConfig(const std::shared_ptr<Value>& config) {
  if (config) constant_ = config;
  return false;
}

std::string ConstModuleLogic::portLabel(int) const { return "Value"; }
std::string ConstModuleLogic::portDescription(int) const { return "What this outputs."; }

std::shared_ptr<Value> ConstModuleLogic::evaluate(const PortList&, const ConstContext&, int, bool) {
  return constant_;
}

// Adder, Subtract, Multiplier

std::shared_ptr<Value> ArithmeticModuleLogic::evaluate(const PortList& ports, const ConstContext& context,
                                                       int, bool raw) {
  auto a = readPort(ports, 0, context, raw);
  auto b = readPort(ports, 1, context, raw);
  return combine(a, b);
}

std::unique_ptr<ModuleLogic> AdderModuleLogic::clone(int) const {
  return std::make_unique<AdderModuleLogic>();
}

std::shared_ptr<Value> AdderModuleLogic::combine(const std::shared_ptr<Value>& a,
                                                 const std::shared_ptr<Value>& b) const {
  return addValues(a, b);
}

std::string AdderModuleLogic::portLabel(int port) const {
  switch (port) {
    case 0: return "Augend";
    case 1: return "Addend";
    case 2: return "Sum";
  }
  fatalError("Unexpected port number (" + std::to_string(port) + ") for Adder module port label!");
}

std::string AdderModuleLogic::portDescription(int port) const {
  return port == 2 ? "The inputs added together." : "A number to be added to the other input.";
}

std::unique_ptr<ModuleLogic> SubtractModuleLogic::clone(int) const {
  return std::make_unique<SubtractModuleLogic>();
}

std::shared_ptr<Value> SubtractModuleLogic::combine(const std::shared_ptr<Value>& a,
                                                    const std::shared_ptr<Value>& b) const {
  return subtractValues(a, b);
}

std::string SubtractModuleLogic::portLabel(int port) const {
  switch (port) {
    case 0: return "Minuend";
    case 1: return "Subtrahend";
    case 2: return "Difference";
  }
  fatalError("Unexpected port number (" + std::to_string(port) + ") for Subtract module port label!");
}

std::string SubtractModuleLogic::portDescription(int port) const {
  switch (port) {
    case 0: return "The value to subtract from.";
    case 1: return "The value to subtract.";
    case 2: return "The result of the subtraction.";
  }
  fatalError("Unexpected port description number (" + std::to_string(port) +
             ") for Subtract  port description!");
}

std::unique_ptr<ModuleLogic> MultiplyModuleLogic::clone(int) const {
  return std::make_unique<MultiplyModuleLogic>();
}

std::shared_ptr<Value> MultiplyModuleLogic::combine(const std::shared_ptr<Value>& a,
                                                    const std::shared_ptr<Value>& b) const {
  return multiplyValues(a, b);
}

std::string MultiplyModuleLogic::portLabel(int port) const {
  return port == 2 ? "Product" : "Multiplier";
}

std::string MultiplyModuleLogic::portDescription(int port) const {
  return port == 2 ? "The result of multiplying the inputs." : "One of the values to multiply.";
}

// Equals

EqModuleLogic::EqModuleLogic(const std::shared_ptr<Value>& config)
    : CountedModuleLogic(kEqualsKind, config) {}

std::unique_ptr<ModuleLogic> EqModuleLogic::clone(int) const {
  return std::make_unique<EqModuleLogic>(makeNumericValue(count_));
}

std::string EqModuleLogic::portLabel(int port) const {
  if (port == count_) return "Output";
  if (count_ > 2 && port == 0) return "Base";
  return "Comparator";
}

std::string EqModuleLogic::portDescription(int port) const {
  if (count_ <= 2) {
    return port == count_ ? "1 if the inputs are equal, or 0 otherwise." : "A value to be checked for equality.";
  }
  if (port == 0) return "The base value, to which other inputs are compared.";
  if (port == count_) return "1 if any Comparator is equal to the Base; otherwise, 0.";
  return "A value to compare to the Base.";
}

std::shared_ptr<Value> EqModuleLogic::evaluate(const PortList& ports, const ConstContext& context, int,
                                               bool raw) {
  auto base = readPort(ports, 0, context, raw);
  if (base->isUnknown()) return base;
  // Read every comparator before comparing: an Unknown one wins even when an
  // earlier one matches.
  std::shared_ptr<Value> others[8];
  int n = std::min(count_, 8);
  for (int i = 1; i < n; ++i) {
    others[i] = readPort(ports, i, context, raw);
    if (others[i]->isUnknown()) return others[i];
  }
  if (n < 2) return sharedNumber(0);
  for (int i = 1; i < n; ++i) {
    const auto& v = others[i];
    bool match;
    if (base->isUnpowered() || v->isUnpowered() || base->asInstruction() || v->asInstruction()) {
      match = base->equals(v);
    } else {
      match = base->int_value() == v->int_value();
    }
    if (match) return sharedNumber(1);
  }
  return sharedNumber(0);
}
