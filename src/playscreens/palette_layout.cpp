#include "playscreens/palette_layout.h"

#include <algorithm>
#include <climits>

#include "editor/display_module.h"
#include "model/module_defs.h"
#include "playscreens/palette_contents.h"
#include "saves/palette_groups.h"
#include "saves/profiles.h"
#include "saves/tutorial_flags.h"
#include "base/utf8_text.h"
#include "services/music_manager.h"
#include "base/log.h"

namespace {
constexpr int slotKeyCount = int(std::size(kDrawerSlotScancodes));
}  // namespace

std::vector<int> PaletteLayout::shownGroups() const {
  std::vector<int> groups;
  for (int i = std::max(scroll - 1, 0); i < count && i - scroll < paletteGroupsPerPage; ++i) groups.push_back(i);
  return groups;
}

GeoPoint PaletteLayout::groupSlot(int group) const {
  return {button.x + (group - scroll + 1) * step + shift() - 2, button.y - 98};
}

GeoRect paletteSlotRect(GeoPoint c, int w, int h) {
  return {c.x - (w - 12) / 2, c.y - (h - 50) / 2, w - 12, h - 50};
}
GeoPoint paletteSlotArtAt(const GeoRect& slot) { return {slot.x - 6, slot.y - 25}; }
GeoPoint paletteSlotDeleteAt(const GeoRect& slot) { return {slot.x + slot.w - 6, slot.y - 6}; }

int paletteAddSlotHotkey() { return kDrawerSlotScancodes[0]; }

int paletteGroupHotkey(int group) {
  return group >= 0 && group + 1 < slotKeyCount ? kDrawerSlotScancodes[group + 1] : 0;
}

int paletteGroupForKey(int scancode, int count) {
  for (int i = 0; i < count; ++i) {
    if (paletteGroupHotkey(i) == scancode && scancode != 0) return i;
  }
  return -1;
}

std::vector<PalettePreviewBox> palettePreview(const ModuleSet& set, const GeoRect& slot, int puzzle) {
  std::vector<PalettePreviewBox> boxes;
  if (set.modules.empty()) return boxes;
  std::vector<GeoRect> rects;
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  for (const auto& m : set.modules) {
    const GeoRect r = DisplayModule::forModule(m).rect();
    rects.push_back(r);
    minX = std::min(minX, r.x);
    minY = std::min(minY, r.y);
    maxX = std::max(maxX, r.x + r.w);
    maxY = std::max(maxY, r.y + r.h);
  }
  const double bw = std::max(maxX - minX, 1);
  const double bh = std::max(maxY - minY, 1);
  const double s = std::min((slot.h - 10) / bh, (slot.w - 10) / bw);
  const double bcx = minX + bw / 2;
  const double bcy = minY + bh / 2;
  const int icx = slot.x + 5 + (slot.w - 10) / 2;
  const int icy = slot.y + 5 + (slot.h - 10) / 2;
  auto scaled = [s](int size) {
    const int v = int(size * s);
    return v < 3 ? 2 : v;
  };
  for (size_t i = 0; i < rects.size(); ++i) {
    const GeoRect& r = rects[i];
    const int w = scaled(r.w);
    const int h = scaled(r.h);
    const int cx = icx + int((r.x + r.w / 2.0 - bcx) * s);
    const int cy = icy + int((r.y + r.h / 2.0 - bcy) * s);
    boxes.push_back({{cx - w / 2, cy - h / 2, w, h}, paletteKindAllowed(set.modules[i]->kind(), puzzle)});
  }
  return boxes;
}

int paletteScrollAfterAdd(int count) { return std::max(count - paletteGroupsPerPage, 0); }

int clampPaletteScroll(int scroll, int count) {
  return std::max(std::min(scroll, count - paletteGroupsPerPage), 0);
}

int paletteScrollAfterDelete(int scroll, int count) { return clampPaletteScroll(scroll, count); }

int addSelectionAsGroup(const std::set<std::shared_ptr<Module>>& selected) {
  if (selected.empty()) return -1;
  musicManager().playSound(ClickButton, 1.0f);
  addCustomGroup(ModuleSet(selected));
  markTutorialSeen(flagAddedToPalette);
  const int count = int(customGroups.size());
  paletteScroll = paletteScrollAfterAdd(count);
  return count - 1;
}

void deletePaletteGroup(int index) {
  removeCustomGroup(index);
  paletteScroll = paletteScrollAfterDelete(paletteScroll, int(customGroups.size()));
  musicManager().playSound(ClickButton, 1.0f);
}

void PaletteRename::start(int group) {
  index = group;
  text = customGroups.at(size_t(group)).displayName();
}

void PaletteRename::type(const std::string& typed) { text = cutUtf8(text + typed, maxGroupNameLength); }

void PaletteRename::erase() {
  if (!text.empty()) text = cutUtf8(text, text.size() - 1);
}

void PaletteRename::finish() {
  if (index < 0) fatalError("Trying to set group name while not editing text!");
  if (index >= int(customGroups.size())) fatalError("trying to set group name for out-of-range group!");
  customGroups[size_t(index)].rename(text);
  index = -1;
}
