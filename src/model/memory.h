#pragma once
// The external memory of a machine: numbered slots holding a value and the
// text of who wrote it, plus a corrupt flag. Writing a powered value to the
// '?' slot corrupts the memory: every slot then reads Unknown until an
// Unpowered write there cleans it again.
#include <climits>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "model/value.h"

// The '?' slot a Writer with an Unknown address writes to.
inline constexpr int kCorruptSlotAddress = INT_MIN;

struct MemoryEntry {
  std::shared_ptr<Value> value;  // never null
  std::string source;

  void moveAssign(MemoryEntry&& other) { *this = std::move(other); }
};

struct MemoryRead {
  std::shared_ptr<Value> value;
  std::string source;
};

class Memory {
 public:
  // Ascending address order is the order of every walk. The test-file reader
  // fills this directly, so an entry may hold Unpowered; it reads and compares
  // like an empty slot.
  std::map<int, MemoryEntry> slots;
  bool corrupt = false;
  std::string corruptSource;

  // Unknown (with corruptSource) while corrupt; Unpowered with "" for an
  // empty slot; else the entry itself.
  std::shared_ptr<Value> read(int address) const;
  MemoryRead readWithSource(int address) const;

  // The slot's own content, ignoring corruption: what undo records and write
  // conflicts must see, so stepping back restores the real contents.
  std::shared_ptr<Value> readRaw(int address) const;
  MemoryRead readRawWithSource(int address) const;

  // The '?' slot sets corrupt for a powered value and clears it for Unpowered.
  // Elsewhere an Unpowered value empties the slot; anything else is stored.
  void write(int address, std::shared_ptr<Value> value, std::string source);
  // The same for any slot but the '?' one, in one look-up, returning what
  // readRawWithSource gave before the write.
  MemoryRead replace(int address, std::shared_ptr<Value> value, const std::string& source);
  // The same, leaving what readRawWithSource gave in the two out-parameters.
  // A Writer rewriting its own slot finds its own name there, which then
  // stays in place instead of being copied out and back.
  void replaceInto(int address, std::shared_ptr<Value> value, const std::string& source,
                   std::shared_ptr<Value>& previousValue, std::string& previousSource);
  // Writes `value` only where the slot holds a value whose text is `source`
  // and `value` is powered, so the text stays: moves the old value into
  // `previous` and returns true. Otherwise changes nothing, `value` included.
  bool replaceKeepingText(int address, std::shared_ptr<Value>& value, const std::string& source,
                          std::shared_ptr<Value>& previous);
  // What write does, undoing a write: every step back puts slots back, so
  // the value is moved in and the text copied into room the slot has.
  void restore(int address, std::shared_ptr<Value>&& value, const std::string& source);
  // The same, leaving the slot's text as it is.
  void restoreValue(int address, std::shared_ptr<Value>&& value) { restoreValueOf(address, std::move(value)); }

  // Judges a run against a goal: two corrupt memories are equal; corrupt and
  // clean never are; clean memories compare every address present in either.
  // Sources take no part. Allocates nothing.
  bool equals(const Memory& other) const;

  // Not corrupt and some slot holds an instruction.
  bool containsInstruction() const;

  void assign(const Memory& other) { *this = other; }

 private:
  // Puts the value in as write does, returning the slot it now fills (null
  // for the '?' slot or an emptied one).
  MemoryEntry* restoreValueOf(int address, std::shared_ptr<Value>&& value);
};

// Per address, the distinct values (under Value::equals) it held in a run.
using ValueHistory = std::map<int, std::set<std::shared_ptr<Value>>>;

// Programs that never stop are cut off after this many instructions.
inline constexpr int kMemoryImageStepLimit = 100000;

struct MemoryImageResult {
  int steps = 0;      // instructions executed
  std::string error;  // empty when the program ran to its end
  bool ok() const { return error.empty(); }
};

// Runs the program stored in initial (slot 0 onwards, until a slot without an
// instruction) with the reference interpreter and leaves the memory it
// produces in out; history, when given, collects what each address held.
// A failed instruction check or a run longer than stepLimit is returned as an
// error (out then holds the memory as far as the run got).
MemoryImageResult buildMemoryImage(Memory& out, const Memory& initial, ValueHistory* history,
                                   int stepLimit = kMemoryImageStepLimit);

// For callers whose programs are built by the game itself, where a failure is
// an internal error: as buildMemoryImage, fatal on error; returns the steps.
int buildMemoryImageOrFatal(Memory& out, const Memory& initial, ValueHistory* history);
