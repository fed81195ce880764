#pragma once
// Choosing the active profile at start-up.

// Sets the active profile from profiles/profile.txt and loads its records,
// tutorial flags, seen modules and palette groups. Needs no window.
void selectStoredProfile();
