#pragma once
// One connection point of a module. A wire is the `source` link of its
// destination port together with the bend points stored on that port.
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Value;
class Module;
struct ConstContext;

enum PortKind : int { kInputPort = 1, kResultPort = 2, kControlPort = 3 };

struct WirePoint {
  int x = 0;
  int y = 0;
  bool operator==(const WirePoint&) const = default;
};

// Delay mode: the last value seen from the source and the tick it last changed.
struct DelayRecord {
  std::shared_ptr<Value> value;
  int changeTick = INT_MIN;
};

class Port {
 public:
  explicit Port(int kind) : kind(kind) {}
  Port(const Port&) = delete;
  Port& operator=(const Port&) = delete;

  // Refused (false) when newSource is set and this is a Result port or the
  // source is not one. Null disconnects.
  bool connect(Port* newSource, const ConstContext& context);
  bool canPairWith(const Port& other) const;
  std::string describe() const;
  std::string name() const;
  std::string description() const;

  // Inline, with value(), as every module reads its inputs through them on
  // every step; only a value not yet cached is worked out out of line.
  std::shared_ptr<Value> getValue(const ConstContext& context, bool raw) {
    if (raw) return compute(context, true);
    return value(context);
  }
  // The same as getValue(context, false), held in the port's cache until the
  // cache is cleared.
  const std::shared_ptr<Value>& value(const ConstContext& context) {
    if (cachedValue) return cachedValue;
    return workOutValue(context);
  }
  std::shared_ptr<Value> compute(const ConstContext& context, bool raw);
  int settleTick() const;
  // Delay mode: takes the source's value into the record when it changed,
  // returning the old record (a null value when nothing changed).
  DelayRecord updateDelayRecord(const ConstContext& context);
  // The same, moving the old record into `old` and returning true on a change.
  bool updateDelayRecordInto(const ConstContext& context, DelayRecord& old);
  // The same again, also telling whether the change started or stopped the
  // owner's settling.
  bool updateDelayRecordInto(const ConstContext& context, DelayRecord& old, bool& ownerSettlingFlipped);
  void refreshValue(const ConstContext& context);
  void setDelayRecord(std::shared_ptr<Value> value, int changeTick);
  // A count of the times this thread has filled caches: a simulation that
  // cleared its ports' caches and finds the count unchanged knows they are
  // still clear. Working a value out counts; code that fills caches itself
  // (a simulation pushing values on) counts once for all it fills.
  static std::uint64_t cacheFills() { return cacheFillCount_; }
  static void countCacheFill() {
    if (++cacheFillCount_ == 1) cacheFillCount_ = firstCacheFillOnThread();
  }
  // Drops the cached value; a simulation stepping this machine then works
  // every value out afresh.
  void clearCache();
  bool equals(const Port& other) const;

  // What a step reads and writes comes first, so it shares a cache line.
  int kind;
  // Position among the owner's ports of this kind; set when the owner lays
  // out its ports.
  int kindIndex = 0;
  Module* owner = nullptr;
  Port* source = nullptr;
  std::shared_ptr<Value> cachedValue;
  bool evaluating = false;
  // Written only through the calls above, which tell the owner.
  DelayRecord delayRecord;
  std::vector<WirePoint> controlPoints;

 private:
  const std::shared_ptr<Value>& workOutValue(const ConstContext& context);
  // Counts from 0 until the thread's first fill, then from a base of its
  // own, so counts read on two threads match only where neither has filled
  // a cache (and so every cache either cleared is still clear).
  static constinit thread_local std::uint64_t cacheFillCount_;
  static std::uint64_t firstCacheFillOnThread();
};
