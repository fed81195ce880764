#pragma once
// The range of a module kind's one numeric parameter, with the stepping and
// slider arithmetic of the module editor.
#include <memory>

class Value;

class ModuleConfig {
 public:
  virtual ~ModuleConfig() = default;
  virtual std::shared_ptr<Value> minValue() const = 0;
  virtual std::shared_ptr<Value> maxValue() const = 0;
  virtual std::shared_ptr<Value> increment(const std::shared_ptr<Value>& value) const = 0;
  virtual std::shared_ptr<Value> decrement(const std::shared_ptr<Value>& value) const = 0;
  virtual std::shared_ptr<Value> fromFraction(float fraction) const = 0;
  virtual float toFraction(const std::shared_ptr<Value>& value) const = 0;
};

class NumericConfig : public ModuleConfig {
 public:
  NumericConfig(int min, int max) : min_(min), max_(max) {}
  std::shared_ptr<Value> minValue() const override;
  std::shared_ptr<Value> maxValue() const override;
  std::shared_ptr<Value> increment(const std::shared_ptr<Value>& value) const override;
  std::shared_ptr<Value> decrement(const std::shared_ptr<Value>& value) const override;
  std::shared_ptr<Value> fromFraction(float fraction) const override;
  float toFraction(const std::shared_ptr<Value>& value) const override;

  int min() const { return min_; }
  int max() const { return max_; }

 private:
  int min_;
  int max_;
};
