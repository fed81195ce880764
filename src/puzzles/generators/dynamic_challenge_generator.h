#pragma once
// Random programs for the instruction and CPU puzzles. A program is built
// backwards from the memory it must leave behind: each value that must be in
// place before an instruction runs is a requirement, and meeting one with an
// instruction may open more (the operands that instruction reads).
#include <climits>
#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "model/memory.h"
#include "model/value.h"
#include "puzzles/challenge_generator.h"

class DynamicChallengeGenerator : public ChallengeGenerator {
 public:
  DynamicChallengeGenerator(std::set<int> opcodes, int instructionCount, int ticksPerInstruction, int stages);
  TestCase generate(int testIndex) const override;
  std::set<int> opcodes() const override;
  std::string timeLimitText(const std::string& unitWord) const override;

  int instructionCount() const { return instructionCount_; }
  int ticksPerInstruction() const { return ticksPerInstruction_; }
  int stages() const { return stages_; }

 private:
  std::set<int> opcodes_;
  int instructionCount_;
  int ticksPerInstruction_;
  int stages_;
};

// Opcodes whose instructions open further requirements.
extern const std::set<int> chainingOpcodes;

// The working state of one synthesis; made fresh for every test.
class DynamicChallenge {
 public:
  struct Requirement {
    int value;
    int location;
    int type;  // 1 register, 2 memory slot, 3 accumulator, 4 backup register
  };
  static constexpr int kRegister = 1;
  static constexpr int kMemory = 2;
  static constexpr int kAccumulator = 3;
  static constexpr int kBackup = 4;
  static constexpr int kNone = INT_MAX;  // free register, absent operand, impossible cost

  // Mended: the synthesis steers clear of the few draws that would make an
  // invalid program (an operand without a free register, a branch meant to
  // fall through that compares equal values, a product split by 0). Without
  // it, such a draw stops the synthesis with MendNeeded.
  explicit DynamicChallenge(std::set<int> ops, bool mended = false);
  TestCase generate(int testIndex, int count, int ticksPerInstruction, int stages);

  struct MendNeeded {};

  // One instruction before placement, when a branch's destination may still change.
  struct Instr {
    int opcode = 0;
    int source = kNone;
    std::shared_ptr<Value> sourceExpect;
    int target = kNone;
    std::shared_ptr<Value> targetExpect;
    int destination = kNone;
    std::shared_ptr<Value> destinationExpect;
  };

  static int _min_instrs_for(int type, int opcode, bool last);
  static int _reqTypesCreated(int opcode);

 private:

  void set_memory_targets(int count);
  int choose_requirement(int budget);
  int choose_op(const Requirement& req, int budget);
  std::set<int> ops_for_req(int value, int type) const;
  std::set<int> usable_ops(const Requirement& req, bool stillOpen) const;
  Instr op_instr(int op, const Requirement& req);
  Instr branch_instr(int opcode);
  Instr breq_instr();
  Instr bmem_instr();
  std::vector<int> register_values() const;
  int takenRegisters() const;
  int free_register();
  int register_for(int value);
  int free_memory_slot();
  int memory_slot_for(int value);
  int split_sum(int v);
  int split_product(int v);
  Memory place_instructions(const std::vector<Instr>& list);
  Memory initial_memory(const Memory& program) const;

  // Opcode sets as bit masks (bit op), for the inner loops.
  std::uint32_t usableMask(const Requirement& req, bool stillOpen) const;
  static int cheapestCost(int type, std::uint32_t among, bool last);
  int reservedBudget() const;
  bool isOpen(int type) const;
  int freeRegistersNeeded(int op) const;
  int draw(int lo, int hi);

  std::set<int> ops_;
  std::uint32_t opsMask_ = 0;
  bool mended_;
  std::mt19937 rng_;
  std::vector<Requirement> open_;
};
