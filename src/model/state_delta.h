#pragma once
// The records a clock edge leaves to undo it. The step-back history holds
// millions of them, and stepping back reads them from far out of cache, so a
// record is 16 bytes: the overwritten value's address and where it sat. A
// lasting value (one never freed) needs nothing more; any other value's
// owner, and a Writer's slot text, go in a side list beside the records.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/value.h"

struct StateDelta {
  static constexpr std::uint32_t kNothingKept = 0xffffffffu;
  Value* previous = nullptr;  // the overwritten value (null for none)
  std::int32_t index = 0;     // register index, 0 for a Latch, the memory address for a Writer
  std::uint32_t kept = kNothingKept;  // its place in the side list, if it has one
};

// The side list: kept in record order, taken from the newest end when
// stepping back and dropped from the oldest when the history is trimmed. It
// is a ring whose entries keep their text's room once grown, so a run that
// has grown it allocates nothing more. Places count on past the ring's size,
// wrapping at 2^32, which the ring's power-of-two size divides.
class DeltaExtras {
 public:
  struct Extra {
    std::shared_ptr<Value> value;
    std::string source;
    bool hasSource = false;  // a slot's text to put back; without it the slot keeps its text
  };

  // Appends an empty entry and returns its place.
  std::uint32_t push();
  Extra& at(std::uint32_t place) { return ring_[place & (ring_.size() - 1)]; }
  // The place the next push takes.
  std::uint32_t end() const { return head_ + size_; }
  std::size_t size() const { return size_; }
  // Drops the entries from `place` on, the newest. Inline, as every step
  // back drops a few.
  void truncate(std::uint32_t place) {
    const std::uint32_t keep = place - head_;
    if (keep >= size_) return;
    for (std::uint32_t k = keep; k < size_; ++k) {
      Extra& extra = at(head_ + k);
      extra.value.reset();
      extra.source.clear();  // keeps its room
      extra.hasSource = false;
    }
    size_ = keep;
  }
  // Drops the entries before `place`, the oldest.
  void dropBefore(std::uint32_t place);
  void clear() { truncate(head_); }
  // The value a record overwrote, as a pointer that owns it where it needs
  // an owner. Moves it out of the side list. Inline, as a step back takes
  // every record's.
  std::shared_ptr<Value> take(const StateDelta& delta) {
    if (delta.kept == StateDelta::kNothingKept) return lastingPointer(delta.previous);
    return std::move(at(delta.kept).value);
  }
  // The bytes the entries in use hold.
  std::size_t bytes() const;

 private:
  std::vector<Extra> ring_;
  std::uint32_t head_ = 0;  // the oldest entry's place
  std::uint32_t size_ = 0;
};

// Where a clock edge appends its records.
class DeltaSink {
 public:
  DeltaSink(std::vector<StateDelta>& records, DeltaExtras& extras) : records_(records), extras_(extras) {}

  // `previous` was overwritten at `index`.
  void add(int index, std::shared_ptr<Value>&& previous) {
    StateDelta& delta = records_.emplace_back();
    delta.previous = previous.get();
    delta.index = index;
    // A lasting value, or none, holds no count.
    if (previous.use_count() != 0) {
      delta.kept = extras_.push();
      extras_.at(delta.kept).value = std::move(previous);
    }
  }
  // The same for a memory slot, with the text of what wrote it. A slot's
  // record without a text leaves the slot's text as it is on undo: a Writer
  // rewriting a slot it wrote last changes only the value.
  void add(int index, std::shared_ptr<Value>&& previous, std::string&& previousSource);
  // A memory slot's record with a text, which the caller fills through the
  // entry: the value and text land in room the side list already has.
  struct Kept {
    StateDelta& record;
    DeltaExtras::Extra& extra;
  };
  Kept addKept(int index);
  std::size_t size() const { return records_.size(); }

 private:
  std::vector<StateDelta>& records_;
  DeltaExtras& extras_;
};

// The records of clock edges made outside a simulation, with their side list.
struct DeltaLog {
  std::vector<StateDelta> records;
  DeltaExtras extras;

  DeltaSink sink() { return DeltaSink(records, extras); }
  std::size_t size() const { return records.size(); }
  bool empty() const { return records.empty(); }
  const StateDelta& operator[](std::size_t i) const { return records[i]; }
  // Record i's overwritten value, still owned by the log.
  std::shared_ptr<Value> previousValue(std::size_t i);
};
