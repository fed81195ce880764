#pragma once
// The module kinds that hold no state between ticks.
#include "model/module_defs.h"
#include "model/module_logic.h"

// A count configuration clamped to the kind's range; a missing one gives the
// kind's default count.
int clampedCount(int kind, const std::shared_ptr<Value>& config);

// The kinds configured by a count (of inputs, outputs), kept clamped to the
// kind's range.
class CountedModuleLogic : public ModuleLogic {
 public:
  CountedModuleLogic(int kind, const std::shared_ptr<Value>& config)
      : ModuleLogic(kind), count_(clampedCount(kind, config)) {}
  std::shared_ptr<Value> configValue() const override;

 protected:
  bool applyConfig(const std::shared_ptr<Value>& config) override;
  int count_;
};

class BuggyModuleLogic : public ModuleLogic {
 public:
  BuggyModuleLogic() : ModuleLogic(kBuggyKind) {}
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
};

// Number: outputs its constant, kept exactly as configured (any kind of value).
class ConstModuleLogic : public ModuleLogic {
 public:
  explicit ConstModuleLogic(std::shared_ptr<Value> constant);
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::shared_ptr<Value> configValue() const override { return constant_; }
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;

 protected:
  bool applyConfig(const std::shared_ptr<Value>& config) override;

 private:
  std::shared_ptr<Value> constant_;
};

// Adder and Subtract share the letter rule; Multiplier has none.
class ArithmeticModuleLogic : public ModuleLogic {
 public:
  using ModuleLogic::ModuleLogic;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;

 protected:
  virtual std::shared_ptr<Value> combine(const std::shared_ptr<Value>& a,
                                         const std::shared_ptr<Value>& b) const = 0;
};

class AdderModuleLogic : public ArithmeticModuleLogic {
 public:
  AdderModuleLogic() : ArithmeticModuleLogic(kAdderKind) {}
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;

 protected:
  std::shared_ptr<Value> combine(const std::shared_ptr<Value>& a,
                                 const std::shared_ptr<Value>& b) const override;
};

class SubtractModuleLogic : public ArithmeticModuleLogic {
 public:
  SubtractModuleLogic() : ArithmeticModuleLogic(kSubtractKind) {}
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;

 protected:
  std::shared_ptr<Value> combine(const std::shared_ptr<Value>& a,
                                 const std::shared_ptr<Value>& b) const override;
};

class MultiplyModuleLogic : public ArithmeticModuleLogic {
 public:
  MultiplyModuleLogic() : ArithmeticModuleLogic(kMultiplierKind) {}
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;

 protected:
  std::shared_ptr<Value> combine(const std::shared_ptr<Value>& a,
                                 const std::shared_ptr<Value>& b) const override;
};

// Equals: 1 when input 0 equals any of the other inputs.
class EqModuleLogic : public CountedModuleLogic {
 public:
  explicit EqModuleLogic(const std::shared_ptr<Value>& config);
  int inputCount() const override { return count_; }
  std::unique_ptr<ModuleLogic> clone(int puzzle) const override;
  std::string portLabel(int port) const override;
  std::string portDescription(int port) const override;
  std::shared_ptr<Value> evaluate(const PortList& ports, const ConstContext& context,
                                  int outputIndex, bool raw) override;
};

