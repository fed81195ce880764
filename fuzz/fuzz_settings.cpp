// settings/resolution.txt: whatever it holds gives sizes within the stored
// range, or the defaults.
#include "fuzz_support.h"
#include "shell/video_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  writeFile(resolutionFilePath(), inputText(data, size));
  const ResolutionFile f = loadVideoSettings();
  for (int v : {f.fullscreenWidth, f.fullscreenHeight, f.windowedWidth, f.windowedHeight}) {
    require(v >= 0 && v <= maxStoredSize, "a stored size out of range");
  }
  return 0;
}
