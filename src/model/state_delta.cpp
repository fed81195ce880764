#include "model/state_delta.h"

#include "model/value.h"

std::uint32_t DeltaExtras::push() {
  if (size_ == ring_.size()) {
    // Doubles, each entry moving to its place in the larger ring.
    std::vector<Extra> larger(ring_.empty() ? 64 : ring_.size() * 2);
    for (std::uint32_t k = 0; k < size_; ++k) {
      const std::uint32_t place = head_ + k;
      larger[place & (larger.size() - 1)] = std::move(at(place));
    }
    ring_.swap(larger);
  }
  return head_ + size_++;
}

void DeltaExtras::dropBefore(std::uint32_t place) {
  std::uint32_t drop = place - head_;
  if (drop > size_) drop = size_;
  for (std::uint32_t k = 0; k < drop; ++k) {
    Extra& extra = at(head_ + k);
    extra.value.reset();
    extra.source.clear();
    extra.hasSource = false;
  }
  head_ += drop;
  size_ -= drop;
}

std::size_t DeltaExtras::bytes() const {
  std::size_t bytes = size_ * sizeof(Extra);
  const std::size_t inPlace = std::string().capacity();
  for (std::uint32_t k = 0; k < size_; ++k) {
    const Extra& extra = ring_[(head_ + k) & (ring_.size() - 1)];
    if (extra.source.capacity() > inPlace) bytes += extra.source.capacity() + 1;
  }
  return bytes;
}

void DeltaSink::add(int index, std::shared_ptr<Value>&& previous, std::string&& previousSource) {
  Kept kept = addKept(index);
  kept.extra.value = std::move(previous);
  kept.extra.source = std::move(previousSource);
  kept.record.previous = kept.extra.value.get();
}

DeltaSink::Kept DeltaSink::addKept(int index) {
  StateDelta& delta = records_.emplace_back();
  delta.index = index;
  delta.kept = extras_.push();
  DeltaExtras::Extra& extra = extras_.at(delta.kept);
  extra.hasSource = true;
  return Kept{delta, extra};
}

std::shared_ptr<Value> DeltaLog::previousValue(std::size_t i) {
  const StateDelta& delta = records.at(i);
  if (delta.kept == StateDelta::kNothingKept) return lastingPointer(delta.previous);
  return extras.at(delta.kept).value;
}
