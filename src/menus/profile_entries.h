#pragma once
// The five profile boxes of the profile screen: where they sit in the info
// box, what each says, and how it is coloured.
#include <string>
#include <vector>

#include "menus/menu_geometry.h"

struct ProfileEntry {
  int index = 0;  // 0..4
  GeoRect rect;
  bool active = false;
  int beaten = 0;
  int perfect = 0;
  bool allBeaten = true;  // every counted puzzle beaten
};

// Reads every profile's progress from its saved records without switching the
// active profile or writing anything; a broken profile counts as empty.
std::vector<ProfileEntry> buildProfileEntries(const GeoRect& infoBox);

// The entry's reset button, centred on its height at the right.
GeoPoint profileResetButtonPosition(const GeoRect& entry);

std::string profileEntryTitle(const ProfileEntry& entry);     // "Profile N"
std::string profileEntryProgress(const ProfileEntry& entry);  // "" with nothing beaten

struct EntryColour {
  int r = 0;
  int g = 0;
  int b = 0;
  bool operator==(const EntryColour&) const = default;
};
// Warm tones while puzzles remain, greys once every one is beaten; lighter
// for the active profile, lightest under the mouse.
EntryColour profileEntryColour(bool hovered, bool active, bool allBeaten);
