#include "puzzles/generators/dynamic_challenge_generator.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "puzzles/generators/generator_support.h"
#include "puzzles/rand_int.h"
#include "base/log.h"
#include "base/strings.h"

namespace {

enum Op {
  NOOP = 0, SETR = 1, ZMEM = 2, MSET = 3, ADDR = 4, ADDM = 5, LOAD = 6, SAVE = 7, JUMP = 8, BREQ = 9,
  MULT = 10, LDAC = 11, ADAC = 12, SVAC = 13, BAKP = 14, RSTR = 15, BMEM = 16, DIVI = 17, GRTR = 18,
  NO_OPCODE = 19
};

constexpr int kRegisterCount = 8;
constexpr int kProgramEnd = 49;  // programs live in slots 0..49
constexpr int kDataFirst = 50;
constexpr int kDataLast = 99;

bool contains(const std::set<int>& s, int x) { return s.count(x) != 0; }

}  // namespace

const std::set<int> chainingOpcodes{ADDR, ADDM, LOAD, SAVE, MULT, LDAC, ADAC, SVAC, BAKP, RSTR};

// ---------------------------------------------------------------------------
// Generator

DynamicChallengeGenerator::DynamicChallengeGenerator(std::set<int> opcodes, int instructionCount,
                                                     int ticksPerInstruction, int stages)
    : opcodes_(std::move(opcodes)),
      instructionCount_(instructionCount),
      ticksPerInstruction_(ticksPerInstruction),
      stages_(stages) {}

TestCase DynamicChallengeGenerator::generate(int testIndex) const {
  // The plain synthesis first, so every test it makes soundly stays as it is;
  // the rare test it would get wrong is made again, steered clear of the fault.
  try {
    DynamicChallenge challenge(opcodes_);
    return challenge.generate(testIndex, instructionCount_, ticksPerInstruction_, stages_);
  } catch (const DynamicChallenge::MendNeeded&) {
    DynamicChallenge challenge(opcodes_, true);
    return challenge.generate(testIndex, instructionCount_, ticksPerInstruction_, stages_);
  }
}

std::set<int> DynamicChallengeGenerator::opcodes() const { return opcodes_; }

std::string DynamicChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  const int t = ticksPerInstruction_;
  const int s = stages_;
  const bool branches = contains(opcodes_, JUMP) || contains(opcodes_, BREQ) || contains(opcodes_, BMEM);
  std::string clause;
  if (s >= 2 && branches) {
    clause = ", plus " + countPhrase("more " + unitWord, (s - 1) * t) + " for each Branch instruction";
    if (s > 2 && contains(opcodes_, JUMP)) {
      clause += " and " + countPhrase("more " + unitWord, (s - 2) * t) + " for each Jump instruction";
    }
  }
  std::string tail;
  if (s > 1) tail = ", plus " + countPhrase("more " + unitWord, (s - 1) * t);
  return std::to_string(t) + " " + plural(unitWord, t) + " per instruction" + clause + tail + ".";
}

// ---------------------------------------------------------------------------
// Costs and requirement types

int DynamicChallenge::_min_instrs_for(int type, int opcode, bool last) {
  if (type > 5) {
    fatalError("unknown opcode " + std::to_string(opcode) + " or req type " + std::to_string(type) +
               " in _min_instrs_for");
  }
  if (last && !contains(chainingOpcodes, opcode)) return kNone;
  switch (type) {
    case kRegister:
      switch (opcode) {
        case SETR: return 1;
        case LOAD: return 2;
        case ADDR: return 3;
        case MULT: return 3;
        default: return kNone;
      }
    case kMemory:
      switch (opcode) {
        case ZMEM: case MSET: case ADDM: case GRTR: return 1;
        case SVAC: case DIVI: return 2;
        case SAVE: return 3;
        default: return kNone;
      }
    case kAccumulator:
      switch (opcode) {
        case LDAC: return 1;
        case ADAC: return 2;
        case RSTR: return 3;
        default: return kNone;
      }
    case kBackup:
      return opcode == BAKP ? 2 : kNone;
    default:
      return kNone;
  }
}

int DynamicChallenge::_reqTypesCreated(int opcode) {
  switch (opcode) {
    case ADDR: case SAVE: case BREQ: case MULT: return kRegister;
    case ADDM: case LOAD: case LDAC: case BMEM: return kMemory;
    case ADAC: case SVAC: case BAKP: return kAccumulator;
    case RSTR: return kBackup;
    case NOOP: case SETR: case ZMEM: case MSET: case JUMP: case DIVI: case GRTR: case NO_OPCODE: return 0;
    default:
      fatalError("unknown opcode " + std::to_string(opcode) + " in _reqTypesCreated");
  }
}

// ---------------------------------------------------------------------------
// Synthesis

DynamicChallenge::DynamicChallenge(std::set<int> ops, bool mended) : ops_(std::move(ops)), mended_(mended) {
  for (int op : ops_) {
    if (op >= 0 && op < 32) opsMask_ |= std::uint32_t(1) << op;
  }
  if (cheapestCost(kMemory, opsMask_, false) == kNone) {
    fatalError("no memory setting instruction for dynamic challenge!");
  }
}

int DynamicChallenge::draw(int lo, int hi) { return rand_int(lo, hi)(rng_); }

int DynamicChallenge::cheapestCost(int type, std::uint32_t among, bool last) {
  int best = kNone;
  for (int op = 0; op < 32; ++op) {
    if (among & (std::uint32_t(1) << op)) best = std::min(best, _min_instrs_for(type, op, last));
  }
  return best;
}

int DynamicChallenge::reservedBudget() const {
  int reserved = 0;
  for (const Requirement& req : open_) {
    if (req.type == kRegister || req.type == kAccumulator) reserved += 1;
    if (req.type == kBackup) reserved += 2;
  }
  return reserved;
}

bool DynamicChallenge::isOpen(int type) const {
  return std::any_of(open_.begin(), open_.end(), [type](const Requirement& r) { return r.type == type; });
}

std::vector<int> DynamicChallenge::register_values() const {
  std::vector<int> values(kRegisterCount, kNone);
  for (const Requirement& req : open_) {
    if (req.type == kRegister && req.location >= 0 && req.location < kRegisterCount) values[req.location] = req.value;
  }
  return values;
}

int DynamicChallenge::takenRegisters() const {
  int taken = 0;
  for (const Requirement& req : open_) taken += req.type == kRegister ? 1 : 0;
  return taken;
}

int DynamicChallenge::freeRegistersNeeded(int op) const {
  switch (op) {
    case ADDR: case MULT: case SAVE: return 2;
    case LOAD: return 1;
    default: return 0;
  }
}

TestCase DynamicChallenge::generate(int testIndex, int count, int ticksPerInstruction, int stages) {
  rng_ = std::mt19937(testIndex);
  if (count > kProgramEnd) fatalError("setting so many instructions that we'll overlap with memory targets");
  set_memory_targets(count);

  const bool hasBREQ = contains(ops_, BREQ);
  const bool hasBMEM = contains(ops_, BMEM);
  const bool hasJUMP = contains(ops_, JUMP);
  const int odds = ((hasBREQ || hasBMEM) && hasJUMP) ? 8 : 5;

  std::vector<Instr> list;  // last-executed first
  auto budget = [&] { return count - int(list.size()) - reservedBudget(); };

  while (!open_.empty()) {
    int e = budget();
    if (!list.empty()) {
      if (hasBREQ && e > 3 && takenRegisters() <= 5) {
        const int roll = draw(1, odds);
        if (roll == 1) {
          list.push_back(breq_instr());
          e = budget();
        }
      }
      if (e > 1 && hasBMEM) {
        const int roll = draw(1, odds);
        if (roll == 1) {
          list.push_back(bmem_instr());
          e = budget();
        }
      }
      if (e > 1 && hasJUMP) {
        const int roll = draw(1, odds);
        if (roll == 1) {
          Instr jump;
          jump.opcode = JUMP;
          list.push_back(jump);
          e = budget();
        }
      }
    }
    const int chosen = choose_requirement(e);
    if (chosen == -1) break;
    const Requirement req = open_[chosen];
    open_.erase(open_.begin() + chosen);
    const bool last = open_.empty() && e > 1;
    if (e < cheapestCost(req.type, opsMask_, last)) {
      fatalError("number of instructions to fill requirements greater than # of instrs remaining");
    }
    const int op = choose_op(req, e);
    list.push_back(op_instr(op, req));
  }

  // Whatever is still open and cannot come from the initial memory gets the
  // cheapest instruction that sets it.
  const std::vector<Requirement> leftover = open_;
  for (const Requirement& req : leftover) {
    if (req.type != kRegister && req.type != kAccumulator) continue;
    auto it = std::find_if(open_.begin(), open_.end(), [&](const Requirement& r) {
      return r.type == req.type && r.location == req.location && r.value == req.value;
    });
    open_.erase(it);
    list.push_back(op_instr(req.type == kRegister ? SETR : LDAC, req));
  }
  auto backup = std::find_if(open_.begin(), open_.end(), [](const Requirement& r) { return r.type == kBackup; });
  if (backup != open_.end()) {
    const Requirement req = *backup;
    open_.erase(backup);
    list.push_back(op_instr(BAKP, req));
    if (open_.empty() || open_.back().type != kAccumulator) fatalError("cleanup BAKP instruction didn't make an acc req!");
    const Requirement acc = open_.back();
    open_.pop_back();
    list.push_back(op_instr(LDAC, acc));
  }

  const int n = int(list.size());
  if (n > count) fatalError("more instructions than max");
  if (n < count - 2) fatalError("many fewer instructions than max");

  const Memory program = place_instructions(list);
  const Memory initial = initial_memory(program);
  Memory goal;
  ValueHistory history;
  buildMemoryImageOrFatal(goal, initial, &history);

  int branches = 0;
  int jumps = 0;
  for (const Instr& instr : list) {
    if (instr.opcode == BREQ || instr.opcode == BMEM) branches += 1;
    if (instr.opcode == JUMP) jumps += 1;
  }
  const int tickLimit = ticksPerInstruction * ((stages - 1) + n + branches * std::max(stages - 1, 0) +
                                               jumps * std::max(stages - 2, 0));
  TestCase test = gen::plainTest(initial, goal, tickLimit);
  test.setValueSets(history);
  return test;
}

void DynamicChallenge::set_memory_targets(int count) {
  std::set<int> plain = ops_;
  plain.erase(JUMP);
  plain.erase(BREQ);
  plain.erase(BMEM);
  const bool srOnly = plain.size() == 2 && contains(plain, SETR) && contains(plain, SAVE);
  const bool chains = std::any_of(ops_.begin(), ops_.end(), [](int op) { return contains(chainingOpcodes, op); });
  int targets = 1;
  if (!chains) {
    targets = count;
  } else if (srOnly) {
    targets = count / 3;
  } else if (contains(ops_, BAKP)) {
    targets = 2;
  }
  for (int i = 0; i < targets; ++i) {
    int value = 0;
    if (!contains(ops_, ZMEM)) value = draw(1, 32);
    const int slot = free_memory_slot();
    open_.push_back({value, slot, kMemory});
  }
}

int DynamicChallenge::choose_requirement(int budget) {
  const int regsTaken = takenRegisters();
  const bool last = open_.size() == 1 && budget > 1;
  const bool backupWeight = open_.size() >= 2 && isOpen(kBackup);
  int chosen = -1;
  int k = 0;
  for (int i = 0; i < int(open_.size()); ++i) {
    const Requirement& req = open_[i];
    if (regsTaken == kRegisterCount && req.type != kRegister) continue;
    if (budget < cheapestCost(req.type, usableMask(req, true), last)) continue;
    k += 1;
    if (draw(1, k) == 1) chosen = i;
    if (backupWeight && req.type != kBackup) {
      k += 1;
      if (draw(1, k) == 1) chosen = i;
    }
  }
  if (chosen == -1) {
    for (const Requirement& req : open_) {
      if (budget >= cheapestCost(req.type, opsMask_, last)) {
        fatalError("DynamicChallenge::choose_requirement() crash");
      }
    }
  }
  return chosen;
}

std::uint32_t DynamicChallenge::usableMask(const Requirement& req, bool stillOpen) const {
  std::uint32_t usable = 0;
  const bool accOpen = isOpen(kAccumulator);
  const bool backupOpen = isOpen(kBackup);
  // Mended: only instructions whose register operands can all get a free
  // register. The requirement's own register is given up when it is met.
  const int freeRegisters =
      kRegisterCount - takenRegisters() + ((stillOpen && req.type == kRegister) ? 1 : 0);
  for (int op : ops_) {
    const int created = _reqTypesCreated(op);
    if (req.type != kAccumulator && accOpen && created == kAccumulator) continue;
    if (req.type != kBackup && backupOpen && created == kBackup) continue;
    if (mended_ && freeRegistersNeeded(op) > freeRegisters) continue;
    usable |= std::uint32_t(1) << op;
  }
  return usable;
}

std::set<int> DynamicChallenge::usable_ops(const Requirement& req, bool stillOpen) const {
  const std::uint32_t mask = usableMask(req, stillOpen);
  std::set<int> usable;
  for (int op : ops_) {
    if (mask & (std::uint32_t(1) << op)) usable.insert(op);
  }
  return usable;
}

std::set<int> DynamicChallenge::ops_for_req(int value, int type) const {
  switch (type) {
    case kRegister:
      if (takenRegisters() < kRegisterCount) return {LOAD, ADDR, MULT, SETR};
      return {SETR};
    case kMemory:
      if (value == 0) return {SAVE, MSET, ADDM, SVAC, ZMEM};
      return {SAVE, MSET, ADDM, SVAC};
    case kAccumulator:
      return {LDAC, ADAC, RSTR};
    case kBackup:
      return {BAKP};
    default:
      fatalError("Unknown req type " + std::to_string(type) + " in ops_for_req!");
  }
}

int DynamicChallenge::choose_op(const Requirement& req, int budget) {
  const bool last = open_.empty() && budget > 1;
  const std::uint32_t usable = usableMask(req, false);
  int chosen = -1;
  int k = 0;
  for (int op : ops_for_req(req.value, req.type)) {  // ascending
    if ((usable & (std::uint32_t(1) << op)) == 0) continue;
    const int cost = _min_instrs_for(req.type, op, last);
    if (cost == kNone || budget < cost) continue;
    if (!contains(chainingOpcodes, op) && open_.empty() && budget != cost) continue;
    k += 1;
    if (draw(1, k) == 1) chosen = op;
  }
  if (chosen == -1) fatalError("couldn't choose op for req");
  return chosen;
}

DynamicChallenge::Instr DynamicChallenge::op_instr(int op, const Requirement& req) {
  if (op > NO_OPCODE) fatalError("unknown opcode " + std::to_string(op) + " for DynamicChallenge::op_instr()");
  const int v = req.value;
  const int loc = req.location;
  Instr in;
  in.opcode = op;
  switch (op) {
    case SETR:
      in.source = v;
      in.destination = loc;
      break;
    case ZMEM:
      in.destination = loc;
      break;
    case MSET:
      in.source = v;
      in.sourceExpect = gen::number(v);
      in.destination = loc;
      break;
    case ADDR:
    case ADDM: {
      const int a = split_sum(v);
      int first = 0;
      int second = 0;
      if (op == ADDR) {
        first = register_for(a);
        second = register_for(v - a);
      } else {
        first = memory_slot_for(a);
        second = memory_slot_for(v - a);
      }
      in.source = first;
      in.sourceExpect = gen::number(a);
      in.target = second;
      in.targetExpect = gen::number(v - a);
      in.destination = loc;
      in.destinationExpect = gen::number(v);
      break;
    }
    case LOAD: {
      const int s = memory_slot_for(v);
      const int r = register_for(s);
      in.target = r;
      in.targetExpect = gen::number(s);
      in.destination = loc;
      in.destinationExpect = gen::number(v);
      break;
    }
    case SAVE: {
      const int r1 = register_for(v);
      const int r2 = register_for(loc);
      in.source = r1;
      in.sourceExpect = gen::number(v);
      in.target = r2;
      in.targetExpect = gen::number(loc);
      break;
    }
    case MULT: {
      const int m = split_product(v);
      if (m == 0) fatalError("multiplicand 1 is 0");
      if (m * (v / m) != v) fatalError("product doesn't equal value");
      const int r1 = register_for(m);
      const int r2 = register_for(v / m);
      in.source = r1;
      in.sourceExpect = gen::number(m);
      in.target = r2;
      in.targetExpect = gen::number(v / m);
      in.destination = loc;
      in.destinationExpect = gen::number(v);
      break;
    }
    case LDAC: {
      const int s = memory_slot_for(v);
      in.target = s;
      in.targetExpect = gen::number(v);
      break;
    }
    case ADAC: {
      const int a = split_sum(v);
      open_.push_back({v - a, -1, kAccumulator});
      in.source = a;
      in.sourceExpect = gen::number(v);
      break;
    }
    case SVAC:
      open_.push_back({v, -1, kAccumulator});
      in.destination = loc;
      in.destinationExpect = gen::number(v);
      break;
    case BAKP:
      open_.push_back({v, -1, kAccumulator});
      in.sourceExpect = gen::number(v);
      break;
    case RSTR:
      open_.push_back({v, -1, kBackup});
      in.sourceExpect = gen::number(v);
      break;
    default:
      break;
  }
  return in;
}

DynamicChallenge::Instr DynamicChallenge::branch_instr(int opcode) {
  const bool registers = opcode == BREQ;
  const int a = draw(0, 32);
  const int first = registers ? register_for(a) : memory_slot_for(a);
  const bool fresh = draw(1, 3) == 1;
  int b = a;
  if (fresh) {
    // A branch meant to fall through must compare unequal values, or it would
    // be taken and the rest of the program would run from a random slot.
    b = draw(0, 32);
    if (b == a && !mended_) throw MendNeeded{};
    while (b == a) b = draw(0, 32);
  }
  const int second = registers ? register_for(b) : memory_slot_for(b);
  Instr in;
  in.opcode = opcode;
  in.source = first;
  in.sourceExpect = gen::number(a);
  in.target = second;
  in.targetExpect = gen::number(b);
  in.destination = fresh ? 0 : 1;  // 1: meant to be taken; placement sets the real slot
  return in;
}

DynamicChallenge::Instr DynamicChallenge::breq_instr() { return branch_instr(BREQ); }
DynamicChallenge::Instr DynamicChallenge::bmem_instr() { return branch_instr(BMEM); }

int DynamicChallenge::free_register() {
  const std::vector<int> values = register_values();
  int chosen = -1;
  int k = 0;
  for (int r = 0; r < kRegisterCount; ++r) {
    if (values[r] != kNone) continue;
    k += 1;
    if (draw(1, k) == 1) chosen = r;
  }
  return chosen;
}

int DynamicChallenge::register_for(int value) {
  const int r = free_register();
  if (r < 0) {
    if (!mended_) throw MendNeeded{};
    // The mended choice of instructions leaves a free register for every operand.
    fatalError("no free register for dynamic challenge");
  }
  open_.push_back({value, r, kRegister});
  return r;
}

int DynamicChallenge::free_memory_slot() {
  while (true) {
    const int slot = draw(kDataFirst, kDataLast);
    const bool used = std::any_of(open_.begin(), open_.end(), [slot](const Requirement& r) {
      return r.type == kMemory && r.location == slot;
    });
    if (!used) return slot;
  }
}

int DynamicChallenge::memory_slot_for(int value) {
  const int slot = free_memory_slot();
  open_.push_back({value, slot, kMemory});
  return slot;
}

int DynamicChallenge::split_sum(int v) {
  if (v >= 1) return draw(1, v);
  if (v < 0) return draw(v, -1);
  return draw(-15, 16);
}

int DynamicChallenge::split_product(int v) {
  if (v == 0) {
    // Any non-zero factor times 0 gives 0; a factor of 0 could not be divided out.
    int m = draw(-15, 16);
    if (m == 0 && !mended_) throw MendNeeded{};
    while (m == 0) m = draw(-15, 16);
    return m;
  }
  const long long magnitude = std::llabs((long long)v);
  for (long long d = (long long)std::sqrt((double)magnitude); d >= 1; --d) {
    if (magnitude % d == 0) return int(d);
  }
  return 1;
}

Memory DynamicChallenge::place_instructions(const std::vector<Instr>& list) {
  Memory program;
  const int n = int(list.size());
  int pos = 0;
  int back = -1;
  for (int e = n - 1; e >= 0; --e) {
    Instr in = list[e];
    const bool isBranch = in.opcode == BREQ || in.opcode == BMEM;
    const bool isJump = in.opcode == JUMP || (isBranch && in.destination != 0);
    if (!isJump) {
      if (isBranch) in.destination = draw(0, 99);
      gen::put(program, pos, gen::instruction(in.opcode, in.source, in.sourceExpect, in.target, in.targetExpect,
                                              in.destination, in.destinationExpect));
      pos += 1;
    } else if (back == -1) {
      const int t = draw(pos + e + 1, kProgramEnd - e);
      in.destination = t;
      gen::put(program, pos, gen::instruction(in.opcode, in.source, in.sourceExpect, in.target, in.targetExpect,
                                              in.destination, in.destinationExpect));
      back = pos + 1;
      pos = t;
    } else {
      in.destination = back;
      gen::put(program, pos, gen::instruction(in.opcode, in.source, in.sourceExpect, in.target, in.targetExpect,
                                              in.destination, in.destinationExpect));
      const int nextBack = pos + 1;
      pos = back;
      back = nextBack;
    }
  }
  return program;
}

Memory DynamicChallenge::initial_memory(const Memory& program) const {
  Memory initial = program;
  for (const Requirement& req : open_) {
    if (req.type != kMemory) continue;
    if (req.location < kDataFirst || req.location > kDataLast) {
      fatalError("Invalid req loc " + std::to_string(req.location));
    }
    if (!gen::isEmpty(initial, req.location)) {
      fatalError("Trying to set line " + std::to_string(req.location) + "that's already set");
    }
    gen::putNumber(initial, req.location, req.value);
  }
  return initial;
}
