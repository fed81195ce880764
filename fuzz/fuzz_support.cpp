#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "model/memory.h"
#include "model/port.h"
#include "model/simulation.h"
#include "model/value.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/description_file.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/palette_groups.h"
#include "saves/profiles.h"
#include "saves/puzzle_locations.h"
#include "saves/puzzle_test_file.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

namespace fs = std::filesystem;

void setUpFuzzing() {
  static bool done = false;
  if (done) return;
  done = true;
  static std::string dir = (fs::temp_directory_path() / "brasswick-fuzz-XXXXXX").string();
  if (!mkdtemp(dir.data())) std::abort();
  fs::current_path(dir);
  // Gone when the run ends; a crash leaves it for a look.
  std::atexit([] {
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(dir, ec);
  });
  setFlushSavesToDisk(false);
  setFatalHandler([](const std::string& message) {
    std::fprintf(stderr, "fatal error from a loader: %s\n", message.c_str());
    std::abort();
  });
}

void startInput() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(".", ec)) fs::remove_all(entry.path(), ec);
  activeProfile = 0;
  puzzleRecords.clear();
  retainedRecordLines.clear();
  tutorialFlags.fill(false);
  seenModules.fill(false);
  customGroups.clear();
  puzzleLocations.clear();
  if (!customPuzzles.empty()) {
    customPuzzles.clear();
    customPuzzleDirs.clear();
    communityPages.clear();
  }
}

std::string inputText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

void writeFile(const std::string& path, const std::string& text) {
  const fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool exists(const std::string& path) { return fs::exists(path); }

void propertyFailed(const std::string& what) {
  std::fprintf(stderr, "property failed: %s\n", what.c_str());
  std::abort();
}

void requireStableMachine(const ModuleList& modules, int clockPeriod, bool delayMode) {
  const std::string first = machineFileText(modules, clockPeriod);
  writeFile("again.mgrlv", first);
  Memory memory;
  ModuleList again;
  int period = clockPeriod;
  const std::string error = readMachineFile(again, period, "again.mgrlv", ConstContext{&memory, 0, delayMode, 1});
  require(error.empty(), "a machine that loaded does not load once written: " + error);
  require(machineFileText(again, period) == first, "a machine does not write the same text after a reload");
}

namespace {
std::string fingerprint(const Simulation& simulation) {
  std::string text = std::to_string(simulation.tick()) + (simulation.memory().corrupt ? "C" : "") + "|";
  for (const auto& [address, entry] : simulation.memory().slots) {
    text += std::to_string(address) + "=" + (entry.value ? entry.value->serialize() : "-") + ";";
  }
  const ConstContext context = simulation.constContext();
  for (const auto& module : simulation.modules()) {
    for (const auto& port : module->ports) {
      if (port->kind != kResultPort) continue;
      std::shared_ptr<Value> value = port->getValue(context, false);
      text += (value ? value->serialize() : "null") + ",";
    }
  }
  return text;
}
}  // namespace

void requireSimulatesForwardAndBack(const ModuleList& modules, bool delayMode, int clockPeriod, int ticks) {
  TestCase test(Memory{}, Memory{}, ticks + 1);
  Simulation simulation(modules, delayMode, clockPeriod, 1, test);
  std::vector<std::string> seen{fingerprint(simulation)};
  for (int i = 0; i < ticks; ++i) {
    simulation.step();
    seen.push_back(fingerprint(simulation));
  }
  for (int i = ticks; i > 0; --i) {
    simulation.stepBack();
    require(fingerprint(simulation) == seen[size_t(i - 1)],
            "stepping back to tick " + std::to_string(i - 1) + " does not give what stepping forward saw");
  }
  simulation.reset();
}

void requireMovedAside(const std::string& path, const std::string& original) {
  require(!exists(path), "an unreadable file stayed where it was: " + path);
  require(exists(path + ".bad"), "an unreadable file was not moved aside: " + path);
  require(readFile(path + ".bad") == original, "a file moved aside is not the original byte for byte: " + path);
}
