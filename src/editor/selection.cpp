#include "editor/selection.h"

#include "model/module.h"

bool Selection::anyAllowedIn(int puzzle) const {
  if (!wires.empty()) return true;
  for (const auto& module : modules) {
    if (module->isAllowedInPuzzle(puzzle)) return true;
  }
  return false;
}
