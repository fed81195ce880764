#pragma once
// The 5 player profiles: which one is active, where its folder is, and the
// loading of every per-profile table when a profile is selected.
#include <string>

constexpr int profileCount = 5;

extern int activeProfile;   // 0..4, -1 before one is selected
extern int paletteScroll;   // palette screen scroll; 0 after every profile load

// "profiles/profile<N>/", for the active profile when index is -1.
std::string getProfileDir(int index);
int getActiveProfile();  // fatal "-1 active profile" before a selection

std::string storedProfilePath();  // "profiles/profile.txt"
int readStoredProfileIndex();     // 0 when unreadable; clamped into 0..4
void saveActiveProfileIndex();

void selectStoredProfile();        // start-up: the stored index, then loadRecords
void setActiveProfile(int index);  // remembers the index, then loadRecords
// Deletes the profile's folder all-or-nothing (renamed aside first, links
// never followed), then reloads the active profile. 0 or the error code.
int resetProfile(int index);
// Reloads records, tutorial flags, seen modules and palette groups.
void loadRecords();

// Progress of any profile for the profile screen, read without switching the
// active profile or writing anything; a broken profile counts as empty.
struct ProfileProgress {
  int beaten = 0;
  int perfect = 0;
  bool allBeaten = true;
};
ProfileProgress countProfileProgress(int index);
