#include "playscreens/chooser_layout.h"

#include "model/module_defs.h"
#include "base/log.h"

std::vector<ChooserSlot> buildChooserSlots(int category, const std::set<int>& allowed, GeoPoint loc, int step,
                                           int puzzle) {
  std::vector<ChooserSlot> slots;
  if (category < 0 || category >= int(moduleCategories.size())) return slots;
  for (int kind : moduleCategories[size_t(category)].kinds) {
    if (!allowed.count(kind)) continue;
    slots.push_back({kind, loc.x + step * int(slots.size()) - 2, loc.y - 82, puzzle});
  }
  return slots;
}

GeoRect chooserSlotRect(const ChooserSlot& slot, int w, int h) {
  if (w < 1) fatalError("nil texture width for chooser for " + std::to_string(slot.kind) + " (probably not loaded)");
  return {slot.x - (w - 4) / 2, slot.y - (h - 4) / 2, w - 4, h - 4};
}

GeoRect DrawerTabGeometry::titleRect() const {
  return {x + ((slotCount - 1) * middleWidth) / 2 - titleWidth / 2 - 2, y - titleHeight - 23, titleWidth, titleHeight};
}

GeoRect DrawerTabGeometry::layoutRect() const {
  return {x - 55, top(), (slotCount - 1) * middleWidth + rightWidth + leftWidth, middleHeight - 19};
}

std::string describeUnavailableModules(const ModuleList& wanted, const std::set<std::shared_ptr<Module>>& placed) {
  if (wanted.size() == placed.size()) return "";
  std::set<int> placedKinds;
  for (const auto& m : placed) placedKinds.insert(m->kind());
  std::set<int> missing;
  for (const auto& m : wanted)
    if (!placedKinds.count(m->kind())) missing.insert(m->kind());
  if (missing.empty()) return "";
  std::string names;
  size_t i = 0;
  for (int kind : missing) {
    if (i > 0) names += i + 1 == missing.size() ? " and " : ", ";
    names += getModuleTypeName(kind);
    ++i;
  }
  return names + " modules are not available to place in this puzzle.";
}
