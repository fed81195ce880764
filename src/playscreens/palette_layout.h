#pragma once
// The palette drawer without drawing: its slots above the bar's palette
// button, the pages (the first one starts with the slot that adds the
// selection as a new group), the hotkeys, the miniature of a group, and the
// palette's edits (add, delete, rename) on the profile's saved groups.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/module_geometry.h"
#include "model/module.h"
#include "model/module_set.h"

constexpr int paletteGroupsPerPage = 4;
constexpr size_t maxGroupNameLength = 11;

struct PaletteLayout {
  GeoPoint button;  // the bar location of the palette button
  int count = 0;    // groups saved
  int scroll = 0;   // index of the first group shown (paletteScroll)
  int step = 0;     // slot art width + 4

  int shift() const { return count > paletteGroupsPerPage ? 45 : 0; }
  int tabSlotCount() const { return count < 5 ? count + 1 : 6; }
  bool showsAddSlot() const { return scroll == 0; }
  GeoPoint addSlot() const { return {button.x + shift() - 2, button.y - 98}; }
  // The groups on this page, in order.
  std::vector<int> shownGroups() const;
  GeoPoint groupSlot(int group) const;
  bool showsScrollButtons() const { return count > paletteGroupsPerPage; }
  GeoPoint previousButton() const { return {button.x - 25, button.y - 83}; }
  GeoPoint nextButton() const { return {button.x + 420, button.y - 83}; }
  bool canScrollBack() const { return scroll > 0; }
  bool canScrollOn() const { return scroll < count - paletteGroupsPerPage; }
};

// A slot's rectangle for slot art of w x h around its centre; the art goes at
// slotArtAt, the delete button at slotDeleteAt.
GeoRect paletteSlotRect(GeoPoint centre, int artWidth, int artHeight);
GeoPoint paletteSlotArtAt(const GeoRect& slot);
GeoPoint paletteSlotDeleteAt(const GeoRect& slot);

// Scancodes: the add slot has the first drawer key, group i the key after
// it; groups from 9 on have none (0).
int paletteAddSlotHotkey();
int paletteGroupHotkey(int group);
// The group a key places, -1 for none; groups out of view count too.
int paletteGroupForKey(int scancode, int count);

// One module of a group's miniature: red when the puzzle won't take it.
struct PalettePreviewBox {
  GeoRect rect;
  bool allowed = true;
};
std::vector<PalettePreviewBox> palettePreview(const ModuleSet& set, const GeoRect& slot, int puzzle);

// The palette's scroll after adding a group (the new one in view) and after
// deleting one (the last page kept full).
int paletteScrollAfterAdd(int count);
int paletteScrollAfterDelete(int scroll, int count);
// A page scroll held to the pages there are: the add slot's first page to
// the last full one.
int clampPaletteScroll(int scroll, int count);

// Saves the selected modules with their wires as a new group and scrolls to
// it: the new group's index, or -1 (nothing) without a module selected.
int addSelectionAsGroup(const std::set<std::shared_ptr<Module>>& selected);
void deletePaletteGroup(int index);

// A group's name being typed in place.
struct PaletteRename {
  int index = -1;
  std::string text;

  bool active() const { return index >= 0; }
  void start(int group);  // types over the group's shown name
  void type(const std::string& typed);
  void erase();
  void cancel() { index = -1; }
  // Renames the group (an empty name gives its default one) and saves it.
  void finish();
};
