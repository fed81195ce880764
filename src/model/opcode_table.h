#pragma once
// The instruction set of the CPU puzzles: opcodes 0..18 with their texts and
// which operands each one uses. Constant tables, safe to read from any thread.
#include <array>
#include <string>
#include <string_view>

inline constexpr int kOpcodeCount = 19;

// Opcode numbers as stored in values, save files and test files.
enum Opcode : int {
  OP_NOOP = 0,
  OP_SETR = 1,
  OP_0MEM = 2,
  OP_MSET = 3,
  OP_ADDR = 4,
  OP_ADDM = 5,
  OP_LOAD = 6,
  OP_SAVE = 7,
  OP_JUMP = 8,
  OP_BREQ = 9,
  OP_MULT = 10,
  OP_LDAC = 11,
  OP_ADAC = 12,
  OP_SVAC = 13,
  OP_BAKP = 14,
  OP_RSTR = 15,
  OP_BMEM = 16,
  OP_DIVI = 17,
  OP_GRTR = 18,
};

struct OpcodeInfo {
  std::string_view mnemonic;
  std::string_view name;
  std::string_view description;
};

inline constexpr std::array<OpcodeInfo, kOpcodeCount> opcodeTable = {{
    {"NOOP", "No Operation", "Take no action."},
    {"SETR", "Set Register", "Store the source value into the destination register."},
    {"0MEM", "Zero Memory", "Set the destination memory slot's value to '0'."},
    {"MSET", "Memory Set", "Store the source value into the destination memory slot."},
    {"ADDR", "Add Register",
     "Sum the values from the source & target registers, and store them in the destination register."},
    {"ADDM", "Add Memory",
     "Sum the values from the source & target memory slots , and store them in the destination memory "
     "slot."},
    {"LOAD", "Load", "Store the value from the target memory slot into the destination register."},
    {"SAVE", "Save", "Store the value from the source register into the target memory slot."},
    {"JUMP", "Jump", "Go to the destination slot and continue executing instructions from there."},
    {"BREQ", "Branch if Registers Equal",
     "If the source & target registers' values are equal, go to the destination slot & continue "
     "execution."},
    {"MULT", "Multiply",
     "Multiply the values from the source & target registers, and store them in the destination "
     "register."},
    {"LDAC", "Load Accumulator", "Store the value from the target memory slot into the accumulator."},
    {"ADAC", "Add Accumulator",
     "Sum the source value with the accumulator, and store it back into the accumulator."},
    {"SVAC", "Save Accumulator", "Save the accumulator's value into the destination memory slot."},
    {"BAKP", "Backup", "Save the accumulator's value into the backup register."},
    {"RSTR", "Restore", "Store the value from the backup register into the accumulator."},
    {"BMEM", "Branch if Memory Equal",
     "If the contents of the source & target memory slots are equal, go to the destination slot & "
     "continue execution."},
    {"DIVI", "Divide",
     "Divide the source by the target; store the quotient in the destination slot, and the remainder "
     "in the next slot. If the target is 0, instead store 0 in the destination slot and the source in "
     "the remainder."},
    {"GRTR", "Greater Than",
     "If the source is greater than the target, store 1 in the destination. Otherwise, store 0."},
}};

// Which of source, target and destination an opcode's instructions use.
struct OperandUsage {
  bool source;
  bool target;
  bool destination;
};

inline constexpr std::array<OperandUsage, kOpcodeCount> opcodeOperandUsage = {{
    {false, false, false},  // NOOP
    {true, false, true},    // SETR
    {false, false, true},   // 0MEM
    {true, false, true},    // MSET
    {true, true, true},     // ADDR
    {true, true, true},     // ADDM
    {false, true, true},    // LOAD
    {true, true, false},    // SAVE
    {false, false, true},   // JUMP
    {true, true, true},     // BREQ
    {true, true, true},     // MULT
    {false, true, false},   // LDAC
    {true, false, false},   // ADAC
    {false, false, true},   // SVAC
    {false, false, false},  // BAKP
    {false, false, false},  // RSTR
    {true, true, true},     // BMEM
    {true, true, true},     // DIVI
    {true, true, true},     // GRTR
}};

constexpr bool isValidOpcode(int opcode) { return opcode >= 0 && opcode < kOpcodeCount; }

// Number of operands the opcode uses; 0 for an opcode outside the table.
int usedOperandCount(int opcode);

// Texts of an opcode's row. An opcode outside 0..18 has no row: it reads as
// "????", "Unknown Operation" and "This is a bug; report it!".
std::string opcodeMnemonic(int opcode);
std::string opcodeName(int opcode);
std::string opcodeDescription(int opcode);
