#include "model/state_delta.h"

#include "model/value.h"

void DeltaExtras::dropBefore(std::uint32_t place) {
  std::uint32_t textsEnd = texts_.begin();
  extras_.dropBefore(place, [&textsEnd](Extra& extra) {
    if (extra.text != kNoText) textsEnd = extra.text + 1;
    extra.value.reset();
    extra.text = kNoText;
  });
  texts_.dropBefore(textsEnd, clearText);
}

std::size_t DeltaExtras::bytes() const {
  std::size_t bytes = extras_.size() * sizeof(Extra) + texts_.size() * sizeof(std::string);
  const std::size_t inPlace = std::string().capacity();
  for (std::uint32_t place = texts_.begin(); place != texts_.end(); ++place) {
    const std::string& text = texts_.at(place);
    if (text.capacity() > inPlace) bytes += text.capacity() + 1;
  }
  return bytes;
}

void DeltaSink::add(int index, std::shared_ptr<Value>&& previous, std::string&& previousSource) {
  Kept kept = addKept(index);
  kept.extra.value = std::move(previous);
  kept.text = std::move(previousSource);
  kept.record.previous = kept.extra.value.get();
}

DeltaSink::Kept DeltaSink::addKept(int index) {
  StateDelta& delta = records_.emplace_back();
  delta.index = index;
  delta.kept = extras_.push();
  std::string& text = extras_.addText(delta.kept);
  return Kept{delta, extras_.at(delta.kept), text};
}

std::shared_ptr<Value> DeltaLog::previousValue(std::size_t i) {
  const StateDelta& delta = records.at(i);
  if (delta.kept == StateDelta::kNothingKept) return lastingPointer(delta.previous);
  return extras.at(delta.kept).value;
}
