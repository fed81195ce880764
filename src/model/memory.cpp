#include "model/memory.h"

#include <climits>
#include <cstdint>

#include "model/instruction.h"
#include "base/log.h"

namespace {

const Value& entryValue(const MemoryEntry& entry) { return entry.value ? *entry.value : *unpoweredValue(); }

}  // namespace

std::shared_ptr<Value> Memory::read(int address) const {
  if (corrupt) return unknownValue();
  return readRaw(address);
}

MemoryRead Memory::readWithSource(int address) const {
  if (corrupt) return MemoryRead{unknownValue(), corruptSource};
  return readRawWithSource(address);
}

std::shared_ptr<Value> Memory::readRaw(int address) const {
  auto it = slots.find(address);
  if (it == slots.end() || !it->second.value) return unpoweredValue();
  return it->second.value;
}

MemoryRead Memory::readRawWithSource(int address) const {
  auto it = slots.find(address);
  if (it == slots.end() || !it->second.value) return MemoryRead{unpoweredValue(), ""};
  return MemoryRead{it->second.value, it->second.source};
}

void Memory::write(int address, std::shared_ptr<Value> value, std::string source) {
  if (address == kCorruptSlotAddress) corruptSource = std::move(source);
  if (MemoryEntry* entry = restoreValueOf(address, std::move(value))) entry->source = std::move(source);
}

void Memory::restore(int address, std::shared_ptr<Value>&& value, const std::string& source) {
  if (address == kCorruptSlotAddress) corruptSource = source;
  if (MemoryEntry* entry = restoreValueOf(address, std::move(value))) entry->source = source;
}

MemoryEntry* Memory::restoreValueOf(int address, std::shared_ptr<Value>&& value) {
  const bool unpowered = value == nullptr || value->isUnpowered();
  if (address == kCorruptSlotAddress) {
    corrupt = !unpowered;
    return nullptr;
  }
  auto it = slots.lower_bound(address);
  const bool found = it != slots.end() && it->first == address;
  if (unpowered) {
    if (found) slots.erase(it);
    return nullptr;
  }
  if (!found) it = slots.emplace_hint(it, address, MemoryEntry{});
  it->second.value = std::move(value);
  return &it->second;
}

bool Memory::replaceKeepingText(int address, std::shared_ptr<Value>& value, const std::string& source,
                                std::shared_ptr<Value>& previous) {
  if (address == kCorruptSlotAddress || value == nullptr || value->isUnpowered()) return false;
  auto it = slots.find(address);
  if (it == slots.end() || !it->second.value || it->second.source != source) return false;
  previous = std::move(it->second.value);
  it->second.value = std::move(value);
  return true;
}

MemoryRead Memory::replace(int address, std::shared_ptr<Value> value, const std::string& source) {
  MemoryRead before;
  replaceInto(address, std::move(value), source, before.value, before.source);
  return before;
}

void Memory::replaceInto(int address, std::shared_ptr<Value> value, const std::string& source,
                         std::shared_ptr<Value>& previousValue, std::string& previousSource) {
  if (address == kCorruptSlotAddress) {
    MemoryRead before = readRawWithSource(address);
    write(address, std::move(value), source);
    previousValue = std::move(before.value);
    previousSource = std::move(before.source);
    return;
  }
  auto it = slots.lower_bound(address);
  const bool found = it != slots.end() && it->first == address;
  const bool held = found && it->second.value;
  const bool unpowered = value == nullptr || value->isUnpowered();
  if (!held) {
    previousValue = unpoweredValue();
    previousSource.clear();
  } else {
    previousValue = std::move(it->second.value);
    if (unpowered || it->second.source != source) {
      previousSource = std::move(it->second.source);
    } else {
      previousSource = source;
    }
  }
  if (unpowered) {
    if (found) slots.erase(it);
    return;
  }
  if (!found) it = slots.emplace_hint(it, address, MemoryEntry{});
  it->second.value = std::move(value);
  if (!held || it->second.source != source) it->second.source = source;
}

bool Memory::equals(const Memory& other) const {
  if (corrupt) return other.corrupt;
  if (other.corrupt) return false;
  // One ordered walk over both maps; an address only one side has reads as
  // Unpowered on the other.
  auto a = slots.begin();
  auto b = other.slots.begin();
  const auto aEnd = slots.end();
  const auto bEnd = other.slots.end();
  while (a != aEnd || b != bEnd) {
    if (b == bEnd || (a != aEnd && a->first < b->first)) {
      if (!entryValue(a->second).isUnpowered()) return false;
      ++a;
    } else if (a == aEnd || b->first < a->first) {
      if (!entryValue(b->second).isUnpowered()) return false;
      ++b;
    } else {
      if (!entryValue(a->second).equals(&entryValue(b->second))) return false;
      ++a;
      ++b;
    }
  }
  return true;
}

bool Memory::containsInstruction() const {
  if (corrupt) return false;
  for (const auto& [address, entry] : slots) {
    if (entry.value && entry.value->asInstruction() != nullptr) return true;
  }
  return false;
}

namespace {

void recordHistory(const Memory& memory, ValueHistory& history) {
  for (const auto& [address, entry] : memory.slots) {
    const std::shared_ptr<Value>& value = entry.value ? entry.value : unpoweredValue();
    auto found = history.find(address);
    if (found == history.end()) {
      // First written during the run: it started empty.
      history[address] = {unpoweredValue(), value};
      continue;
    }
    bool seen = false;
    for (const auto& held : found->second) {
      if (held->equals(value)) {
        seen = true;
        break;
      }
    }
    if (!seen) found->second.insert(value);
  }
}

}  // namespace

MemoryImageResult buildMemoryImage(Memory& out, const Memory& initial, ValueHistory* history, int stepLimit) {
  std::vector<std::shared_ptr<Value>> registers = makeInterpreterRegisters();
  int accumulator = 0;
  int backup = 0;
  out = initial;
  if (history != nullptr) {
    for (const auto& [address, entry] : out.slots) {
      (*history)[address] = {entry.value ? entry.value : unpoweredValue()};
    }
  }
  MemoryImageResult result;
  // 64 bits: a jump to INT_MIN or a fall-through past INT_MAX must not overflow.
  std::int64_t pc = 0;
  while (pc >= INT_MIN && pc <= INT_MAX) {
    // Held here, so the instruction outlives a write over its own slot.
    const std::shared_ptr<Value> slot = out.read(static_cast<int>(pc));
    const InstructionValue* instruction = slot->asInstruction();
    if (instruction == nullptr) break;
    if (result.steps >= stepLimit) {
      result.error = "The program did not stop within " + std::to_string(stepLimit) + " instructions.";
      return result;
    }
    ExecutionResult step = instruction->execute(registers, accumulator, backup, out);
    if (step.failed()) {
      result.error = "The instruction in slot " + std::to_string(pc) + " (" + instruction->text() +
                     ") failed its check " + step.error + ".";
      return result;
    }
    if (step.next != -1) pc = std::int64_t(step.next) - 1;
    ++result.steps;
    if (history != nullptr) recordHistory(out, *history);
    ++pc;
  }
  return result;
}

int buildMemoryImageOrFatal(Memory& out, const Memory& initial, ValueHistory* history) {
  MemoryImageResult result = buildMemoryImage(out, initial, history);
  if (!result.ok()) fatalError(result.error);
  return result.steps;
}
