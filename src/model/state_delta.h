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

// Entries at places that count on past the ring's size, wrapping at 2^32,
// which the ring's power-of-two size divides. Pushed at the newest end,
// dropped from either; the entries keep their room, so once grown the ring
// allocates nothing more.
template <class T>
class PlaceRing {
 public:
  // Appends an entry (empty, as `drop` leaves them) and returns its place.
  std::uint32_t push() {
    if (size_ == ring_.size()) grow();
    return head_ + size_++;
  }
  T& at(std::uint32_t place) { return ring_[place & (ring_.size() - 1)]; }
  const T& at(std::uint32_t place) const { return ring_[place & (ring_.size() - 1)]; }
  std::uint32_t begin() const { return head_; }
  std::uint32_t end() const { return head_ + size_; }
  std::size_t size() const { return size_; }
  // Drops the entries from `place` on, the newest, emptying each with `drop`.
  template <class Drop>
  void truncate(std::uint32_t place, Drop drop) {
    const std::uint32_t keep = place - head_;
    if (keep >= size_) return;
    for (std::uint32_t k = keep; k < size_; ++k) drop(at(head_ + k));
    size_ = keep;
  }
  // Drops the entries before `place`, the oldest.
  template <class Drop>
  void dropBefore(std::uint32_t place, Drop drop) {
    std::uint32_t count = place - head_;
    if (count > size_) count = size_;
    for (std::uint32_t k = 0; k < count; ++k) drop(at(head_ + k));
    head_ += count;
    size_ -= count;
  }

 private:
  void grow() {
    // Doubles, each entry moving to its place in the larger ring.
    std::vector<T> larger(ring_.empty() ? 64 : ring_.size() * 2);
    for (std::uint32_t k = 0; k < size_; ++k) {
      const std::uint32_t place = head_ + k;
      larger[place & (larger.size() - 1)] = std::move(at(place));
    }
    ring_.swap(larger);
  }

  std::vector<T> ring_;
  std::uint32_t head_ = 0;  // the oldest entry's place
  std::uint32_t size_ = 0;
};

// The side list: kept in record order, taken from the newest end when
// stepping back and dropped from the oldest when the history is trimmed.
// Slot texts are few (a Writer rewriting a slot it wrote last keeps none),
// so they sit in a ring of their own, in the same order.
class DeltaExtras {
 public:
  static constexpr std::uint32_t kNoText = 0xffffffffu;
  struct Extra {
    std::shared_ptr<Value> value;
    // A slot's text to put back, by its place among the texts; without one
    // the slot keeps its text.
    std::uint32_t text = kNoText;
  };

  // Appends an empty entry and returns its place.
  std::uint32_t push() { return extras_.push(); }
  Extra& at(std::uint32_t place) { return extras_.at(place); }
  // Gives the entry at `place` an empty text and returns it.
  std::string& addText(std::uint32_t place) {
    const std::uint32_t text = texts_.push();
    extras_.at(place).text = text;
    return texts_.at(text);
  }
  std::string& text(const Extra& extra) { return texts_.at(extra.text); }
  // The place the next push takes.
  std::uint32_t end() const { return extras_.end(); }
  std::size_t size() const { return extras_.size(); }
  // Drops the entries from `place` on, the newest, and their texts. Inline,
  // as every step back drops a few.
  void truncate(std::uint32_t place) {
    std::uint32_t firstText = kNoText;
    extras_.truncate(place, [&firstText](Extra& extra) {
      if (extra.text != kNoText && firstText == kNoText) firstText = extra.text;
      extra.value.reset();
      extra.text = kNoText;
    });
    if (firstText != kNoText) texts_.truncate(firstText, clearText);
  }
  // Drops the entries before `place`, the oldest, and their texts.
  void dropBefore(std::uint32_t place);
  void clear() { truncate(extras_.begin()); }
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
  static void clearText(std::string& text) { text.clear(); }  // keeps its room

  PlaceRing<Extra> extras_;
  PlaceRing<std::string> texts_;
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
    std::string& text;
  };
  Kept addKept(int index);

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
