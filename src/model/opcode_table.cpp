#include "model/opcode_table.h"

int usedOperandCount(int opcode) {
  if (!isValidOpcode(opcode)) return 0;
  const OperandUsage& u = opcodeOperandUsage[opcode];
  return int(u.source) + int(u.target) + int(u.destination);
}

std::string opcodeMnemonic(int opcode) {
  return isValidOpcode(opcode) ? std::string(opcodeTable[opcode].mnemonic) : "????";
}

std::string opcodeName(int opcode) {
  return isValidOpcode(opcode) ? std::string(opcodeTable[opcode].name) : "Unknown Operation";
}

std::string opcodeDescription(int opcode) {
  return isValidOpcode(opcode) ? std::string(opcodeTable[opcode].description) : "This is a bug; report it!";
}
