// Machine files from anywhere: whatever loads writes and reloads to the same
// text and simulates forward and back; whatever doesn't gives an error text.
#include "fuzz_support.h"
#include "model/memory.h"
#include "saves/machine_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  writeFile("m.mgrlv", inputText(data, size));
  for (bool delay : {false, true}) {
    Memory memory;
    ModuleList modules;
    int clockPeriod = 1;
    const std::string error = readMachineFile(modules, clockPeriod, "m.mgrlv", ConstContext{&memory, 0, delay, 1});
    if (!error.empty()) continue;
    require(modules.size() <= size_t(kMaxMachineModules), "more modules loaded than a file may hold");
    requireStableMachine(modules, clockPeriod, delay);
    requireSimulatesForwardAndBack(modules, delay, clockPeriod);
  }
  return 0;
}
