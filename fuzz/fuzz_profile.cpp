// profiles/profile.txt and the whole profile load at start-up: any stored
// index selects a profile 0..4, which saves and reads back the same.
#include "fuzz_support.h"
#include "saves/profiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  writeFile("profiles/profile.txt", inputText(data, size));
  activeProfile = -1;
  selectStoredProfile();
  require(activeProfile >= 0 && activeProfile < profileCount, "the stored profile is out of range");
  const int selected = activeProfile;
  saveActiveProfileIndex();
  require(readStoredProfileIndex() == selected, "a saved profile index reads back as another");
  return 0;
}
