#include "menus/profile_entries.h"

#include "saves/profiles.h"

std::vector<ProfileEntry> buildProfileEntries(const GeoRect& box) {
  std::vector<ProfileEntry> entries;
  const int hh = (box.h - 190) / 5;
  for (int i = 0; i < profileCount; ++i) {
    ProfileEntry e;
    e.index = i;
    e.rect = {box.x + 25, box.y + 90 + i * (hh + 12), box.w - 50, hh};
    e.active = activeProfile == i;
    ProfileProgress progress = countProfileProgress(i);
    e.beaten = progress.beaten;
    e.perfect = progress.perfect;
    e.allBeaten = progress.allBeaten;
    entries.push_back(e);
  }
  return entries;
}

GeoPoint profileResetButtonPosition(const GeoRect& r) { return {r.x + r.w - 56, r.y + r.h / 2 - 22}; }

std::string profileEntryTitle(const ProfileEntry& e) { return "Profile " + std::to_string(e.index + 1); }

std::string profileEntryProgress(const ProfileEntry& e) {
  if (e.beaten <= 0) return "";
  std::string text = "Beaten: " + std::to_string(e.beaten);
  if (e.perfect >= 1) text += "    Perfect: " + std::to_string(e.perfect);
  return text;
}

EntryColour profileEntryColour(bool hovered, bool active, bool allBeaten) {
  if (hovered) return allBeaten ? EntryColour{255, 255, 255} : EntryColour{255, 236, 136};
  if (active) return allBeaten ? EntryColour{240, 240, 240} : EntryColour{244, 228, 149};
  return allBeaten ? EntryColour{208, 208, 208} : EntryColour{208, 199, 153};
}
