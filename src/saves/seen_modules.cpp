#include "model/module_defs.h"
#include "saves/file_utils.h"
#include "saves/flag_file.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

std::array<bool, 14> seenModules{};

namespace {
const SaveFormat seenModulesFormat{"SEENMODULES", {"BUGGY", "0.01", "0.02"}};
}

bool& isModuleSeen(int kind) {
  if (kind < 0 || kind > 13) fatalError("invalid seen module " + std::to_string(kind));
  return seenModules[size_t(kind)];
}

void markModuleSeen(int kind) {
  bool& seen = isModuleSeen(kind);
  if (seen) return;
  seen = true;
  saveSeenModules();
}

std::string seenModulesFileName() { return "modules.mgrlm"; }

std::string saveSeenModules() {
  std::string text = seenModulesFormat.magic + "\n" + seenModulesFormat.currentVersion() + "\n";
  for (int kind = 0; kind < 14; ++kind) {
    if (seenModules[size_t(kind)]) text += std::to_string(kind) + " (" + getModuleTypeName(kind) + ")\n";
  }
  return writeProfileGlobalFile(seenModulesFileName(), text);
}

std::string loadSeenModules() {
  FlagFileRules rules{seenModulesFileName(), seenModulesFormat, 13, "Invalid seen module line: ",
                      "invalid module id in seen modules: ", 1};
  return loadFlagFile(rules, [](int n) { seenModules[size_t(n)] = true; });
}
