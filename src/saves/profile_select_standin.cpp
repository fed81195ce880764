// Least stand-in until the profile files land: the in-memory tables start
// empty, so there is nothing to load.
#include "saves/profile_select.h"

void selectStoredProfile() {}
