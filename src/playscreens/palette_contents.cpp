#include "playscreens/palette_contents.h"

#include <map>
#include <set>

#include "model/module_defs.h"
#include "puzzles/puzzle_services.h"
#include "saves/palette_groups.h"
#include "base/log.h"
#include "base/strings.h"

std::string joinWithAnd(const std::vector<std::string>& parts) {
  std::string text;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
}

namespace {
std::string kindName(int kind) {
  std::string name = getModuleTypeName(kind);
  if (name.empty()) fatalError("empty module name for type " + std::to_string(kind));
  return name;
}

std::string kindCount(int kind, int n) {
  const std::string name = kindName(kind);
  if (n == 1) return withArticle(name);
  return std::to_string(n) + " " + name + (name.back() == 's' ? "" : "s");
}
}  // namespace

std::string paletteContentsText(const ModuleSet& set) {
  std::map<int, int> counts;
  for (const auto& m : set.modules) ++counts[m->kind()];
  std::vector<std::string> parts;
  for (const auto& [kind, n] : counts) parts.push_back(kindCount(kind, n));
  return joinWithAnd(parts);
}

bool paletteKindAllowed(int kind, int puzzle) {
  return puzzle == kNoPuzzle || getPuzzleAllowedModules(puzzle).count(kind) != 0;
}

std::string paletteUnavailableText(const ModuleSet& set, int puzzle) {
  std::set<int> missing;
  for (const auto& m : set.modules) {
    if (!paletteKindAllowed(m->kind(), puzzle)) missing.insert(m->kind());
  }
  if (missing.empty()) return "";
  std::vector<std::string> names;
  for (int kind : missing) names.push_back(kindName(kind));
  return "\n \n" + joinWithAnd(names) + " modules cannot be placed in this puzzle.";
}

std::string paletteAddSlotTooltip(bool anyModuleSelected) {
  std::string text = "Add selected modules to a new palette group.";
  if (!anyModuleSelected) {
    text += " (No modules are currently selected. To add a group, drag-select modules in the main editing pane "
            "before re-opening this palette display.)";
  }
  return text;
}

std::string palettePlaceTooltip(const CustomGroup& group, int puzzle) {
  return "Click to place '" + group.displayName() + "', consisting of " + paletteContentsText(group.set) + "." +
         paletteUnavailableText(group.set, puzzle);
}

std::string paletteRenameTooltip(const CustomGroup& group) {
  return "Click to rename '" + group.displayName() + "'.";
}
