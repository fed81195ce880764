#include "model/module_config.h"

#include <cstdint>

#include "model/value.h"

std::shared_ptr<Value> NumericConfig::minValue() const { return makeNumericValue(min_); }
std::shared_ptr<Value> NumericConfig::maxValue() const { return makeNumericValue(max_); }

std::shared_ptr<Value> NumericConfig::increment(const std::shared_ptr<Value>& value) const {
  std::int64_t next = std::int64_t{intOf(value)} + 1;
  return makeNumericValue(next < max_ ? static_cast<int>(next) : max_);
}

std::shared_ptr<Value> NumericConfig::decrement(const std::shared_ptr<Value>& value) const {
  std::int64_t next = std::int64_t{intOf(value)} - 1;
  return makeNumericValue(next > min_ ? static_cast<int>(next) : min_);
}

std::shared_ptr<Value> NumericConfig::fromFraction(float fraction) const {
  float span = static_cast<float>(max_ - min_) * fraction;
  return makeNumericValue(min_ + static_cast<int>(span));
}

float NumericConfig::toFraction(const std::shared_ptr<Value>& value) const {
  return static_cast<float>(std::int64_t{intOf(value)} - min_) / static_cast<float>(max_ - min_);
}
