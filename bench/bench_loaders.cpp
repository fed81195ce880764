// Loading one user file of 16 MB, shaped the worst ways found for each
// loader: wall time and peak memory, each load in a child process of its own
// (child_process.h); "peak_MB" is the most its resident size grew while
// loading. The target is well under a second and a small multiple of "file_MB".
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "child_process.h"
#include "model/memory.h"
#include "model/module.h"
#include "puzzles/community_puzzles.h"
#include "saves/description_file.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/palette_groups.h"
#include "saves/profiles.h"
#include "saves/puzzle_locations.h"
#include "saves/puzzle_test_file.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"

namespace {

constexpr std::size_t kFileSize = 16u << 20;

// Repeats a line until the text reaches 16 MB, between a head and a tail.
std::string filled(const std::string& head, const std::string& line, const std::string& tail = "") {
  std::string text = head;
  text.reserve(kFileSize + tail.size() + line.size());
  while (text.size() + line.size() + tail.size() <= kFileSize) text += line;
  return text + tail;
}
// As filled, with a line made by a function of its number.
std::string numbered(const std::string& head, const std::function<std::string(int)>& line, const std::string& tail = "") {
  std::string text = head;
  text.reserve(kFileSize + 64);
  for (int i = 0; text.size() + tail.size() < kFileSize - 64; ++i) text += line(i);
  return text + tail;
}

const std::string machineHead = "0451\n0.08\n-CLOCK PERIOD START-\n1\n-CLOCK PERIOD END-\n";

struct Shape {
  std::string name;
  std::string path;
  std::function<std::string()> text;
  std::function<void()> load;
};

void readMachine(const std::string& path) {
  ModuleList modules;
  int clock = 1;
  Memory memory;
  readMachineFile(modules, clock, path, ConstContext{&memory, 0, false, 1});
}

const std::string global = "profiles/profile0/global/";

std::vector<Shape> shapes() {
  return {
      {"machine_one_long_name", "m.mgrlv",
       [] { return filled(machineHead + "-MODULE 0 START-\n2\n0,0\nNAME: ", "x", "\n-MODULE 0 END-\n"); },
       [] { readMachine("m.mgrlv"); }},
      {"machine_empty_lines", "m.mgrlv", [] { return filled(machineHead, "\n"); }, [] { readMachine("m.mgrlv"); }},
      {"machine_most_modules_and_links", "m.mgrlv",
       [] {
         std::string text = machineHead;
         const std::size_t perModule = kFileSize / kMaxMachineModules;
         for (int i = 0; i < kMaxMachineModules; ++i) {
           std::string section = "-MODULE " + std::to_string(i) + " START-\n2\n0,0\nNAME: A\n";
           while (section.size() < perModule - 64) section += "port #0 <- module #0 port #2\n";
           text += section + "-MODULE " + std::to_string(i) + " END-\n";
         }
         return text;
       },
       [] { readMachine("m.mgrlv"); }},
      {"machine_wire_bends", "m.mgrlv",
       [] { return filled(machineHead + "-MODULE 0 START-\n2\n0,0\nNAME: A\n-CONTROL START-\n", "Port 0: 3,5\n",
                          "-CONTROL END-\n-MODULE 0 END-\n"); },
       [] { readMachine("m.mgrlv"); }},
      {"machine_bad_lines", "m.mgrlv",
       [] { return filled(machineHead + "-MODULE 0 START-\n2\n0,0\nNAME: A\n", "x\n", "-MODULE 0 END-\n"); },
       [] { readMachine("m.mgrlv"); }},
      {"palette_group_name_lines", "profiles/profile0/palette/group-0.mgrlv",
       [] { return filled(machineHead + "-MODULE 0 START-\n2\n0,0\nNAME: A\n-MODULE 0 END-\n", "GROUP NAME: g\n"); },
       [] { loadCustomGroups(); }},
      {"records_unknown_names", global + "records.mgrlr",
       [] { return numbered("RECORD\n0.05\n", [](int i) { return "gone" + std::to_string(i) + "::1::1\n"; }); },
       [] { loadRecordsFile(); }},
      {"records_one_long_line", global + "records.mgrlr", [] { return filled("RECORD\n0.02\n", ":"); },
       [] { loadRecordsFile(); }},
      {"tutorial_lines", global + "tutorial.mgrlt", [] { return filled("TUTORIAL\n0.01\n", "13 (entered)\n"); },
       [] { loadTutorialProgress(); }},
      {"last_puzzle_digits", global + "last_puzzle.mgrlr", [] { return filled("", "7"); }, [] { loadLastPuzzle(); }},
      {"profile_index_digits", "profiles/profile.txt", [] { return filled("", "3"); }, [] { readStoredProfileIndex(); }},
      {"locations_lines", "initial/main_menu.mpoxa", [] { return filled("PUZZLELOC\n0.04\n", "12 100 200\n"); },
       [] { loadPuzzleLocationsFrom("initial/main_menu.mpoxa"); }},
      {"tests_many_slots", "t.mtest",
       [] { return numbered("PUZZTEST\n0.01\nSTART\nLIMIT: 5\n", [](int i) { return std::to_string(i) + ": 1\n"; },
                            "END\n"); },
       [] {
         std::vector<TestCase> tests;
         loadTestFile("t.mtest", tests);
       }},
      {"tests_long_goal_list", "t.mtest",
       [] {
         std::string text = "PUZZTEST\n0.01\nSTART\nLIMIT: 5\nEXPECTED\n0: 0";
         for (int i = 1; text.size() < kFileSize - 64; ++i) text += ", " + std::to_string(i);
         return text + "\nEND\n";
       },
       [] {
         std::vector<TestCase> tests;
         loadTestFile("t.mtest", tests);
       }},
      {"description_quotes", "d.mdesc", [] { return filled("PUZZDESC\n0.01\nFred\n", "\xE2\x80\x99", "\n"); },
       [] {
         PuzzleDescriptionText text;
         parseDescriptionFile("d.mdesc", text);
       }},
      {"description_marks", "d.mdesc", [] { return filled("PUZZDESC\n0.01\nFred\n", "~a~`b`", "\n"); },
       [] {
         PuzzleDescriptionText text;
         parseDescriptionFile("d.mdesc", text);
       }},
      {"metadata_module_list", "community/big/metadata.mmeta",
       [] { return filled("METADATA\n0.01\nMODULES: Adder", ", nothing"); },
       [] { loadCustomPuzzleMetadata("community/big/metadata.mmeta"); }},
  };
}

void BM_LoadUserFile(benchmark::State& state, const Shape& shape) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "brasswick_bench_loaders";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  activeProfile = 0;
  double fileMb = 0;
  {
    // Written and let go before the children start, so their peak is the load's.
    const std::string text = shape.text();
    makeParentDirectories(shape.path);
    writeFileAtomically(shape.path, text);
    fileMb = double(text.size()) / (1 << 20);
  }
  ChildMeasurement measured;
  for (auto _ : state) {
    std::optional<ChildMeasurement> run = measureInChild(shape.load);
    if (!run) {
      state.SkipWithError("the load failed");
      return;
    }
    measured = *run;
    state.SetIterationTime(measured.ms / 1000.0);
  }
  state.counters["file_MB"] = fileMb;
  state.counters["peak_MB"] = measured.peakGrowthMb;
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
}

const int registered = [] {
  for (const Shape& shape : shapes()) {
    benchmark::RegisterBenchmark(("BM_LoadUserFile/" + shape.name).c_str(),
                                 [shape](benchmark::State& state) { BM_LoadUserFile(state, shape); })
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  }
  return 0;
}();

}  // namespace
