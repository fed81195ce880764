// Kill -9 during saves. A writer process rewrites a working machine, the
// records, a palette group, profiles/profile.txt and the tutorial flags in a
// loop, switching each between two known contents; the harness kills it with
// SIGKILL at random moments. After every kill each file must hold exactly one
// of its two contents and at most one temporary file may be left; the next
// writer starts by loading the profile, as the game does, which clears it.
// A run whose kills seldom land mid-save (a temporary file left) proves
// little, so a share of them must. How long a save takes, and how much of it
// the temporary file lives through, depends on the disk (a folder sync can
// outlast the file's own), so the kills' delays span a measured writer round
// and the harness kills on, up to ten times the asked number, until that
// share of mid-save kills is reached.
// Usage: save_kill_harness <kills> [seed]. Prints the figures; exit code 0
// when every check held.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "model/memory.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/palette_groups.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// The least share of the asked kills that must land mid-save, in percent,
// and how many times the asked kills the harness may spend reaching it.
constexpr int kMinMidSavePercent = 20;
constexpr int kMaxKillFactor = 10;

int savedPuzzle() {
  for (int id = 1; id < puzzleTableSize; ++id) {
    if (!getPuzzle(id).hasFlag(puzzleFlagHidden) && !getPuzzle(id).hasFlag(puzzleFlagFixedMachine)) return id;
  }
  return 2;
}

ModuleList machine(int variant) {
  Memory memory;
  ConstContext context{&memory, 0, false, 1};
  ModuleList m;
  m.push_back(Module::create(kNumberKind, 0, 0, makeNumericValue(variant == 0 ? 3 : 9), "Number"));
  m.push_back(Module::create(kAdderKind, 160, 32 * variant, nullptr, variant == 0 ? "Sum" : "Total"));
  m[1]->ports[0]->connect(m[0]->ports[0].get(), context);
  if (variant == 1) m.push_back(Module::create(kLatchKind, 320, 0, nullptr, "Keep"));
  return m;
}

// Writes every file in one of its two contents, as the game writes them.
void writeVariant(int variant) {
  activeProfile = 0;
  saveMachine(savedPuzzle(), saveLocationWorking, machine(variant), 1);
  puzzleRecords.clear();
  puzzleRecords[savedPuzzle()] = variant == 0 ? PuzzleRecord{5, 10} : PuzzleRecord{7, 20};
  saveRecords();
  CustomGroup group;
  group.set = ModuleSet(machine(1 - variant));
  group.name = variant == 0 ? "First" : "Second group";
  group.index = 0;
  group.save();
  activeProfile = variant == 0 ? 1 : 3;
  saveActiveProfileIndex();
  activeProfile = 0;
  tutorialFlags.fill(false);
  tutorialFlags[variant == 0 ? 4 : 13] = true;
  tutorialFlags[variant == 0 ? 20 : 29] = true;
  saveTutorialProgress();
}

std::vector<std::string> watchedFiles() {
  return {machineSaveDir(saveLocationWorking) + machineFileName(savedPuzzle()), profileGlobalPath("records.mgrlr"),
          customGroupPath(0), "profiles/profile.txt", profileGlobalPath("tutorial.mgrlt")};
}

std::vector<std::string> leftOver(const std::string& suffix) {
  std::vector<std::string> found;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator("profiles", ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const std::string path = it->path().generic_string();
    if (path.ends_with(suffix)) found.push_back(path);
  }
  return found;
}

// The writer: loads the profile as start-up does, tells the parent it is
// about to save (so the kill's delay counts from the saving, however slow the
// start of a sanitized build), then saves without end.
[[noreturn]] void writeForever(int readyFd) {
  selectStoredProfile();
  const char ready = 1;
  if (write(readyFd, &ready, 1) != 1) _exit(2);
  for (int round = 0;; ++round) writeVariant(round % 2);
}

}  // namespace

int main(int argc, char** argv) {
  const int kills = argc > 1 ? std::atoi(argv[1]) : 40;
  const unsigned seed = argc > 2 ? unsigned(std::atoi(argv[2])) : unsigned(std::random_device{}());
  TempWorkingDir dir;

  // The two contents of every file, written once each.
  std::map<std::string, std::vector<std::string>> contents;
  for (int variant : {0, 1}) {
    writeVariant(variant);
    for (const std::string& file : watchedFiles()) contents[file].push_back(readWholeFile(file));
  }
  for (const auto& [file, both] : contents) {
    if (both[0] == both[1] || both[0].empty()) {
      std::printf("FAILED: the two contents of %s are not distinct\n", file.c_str());
      return 1;
    }
  }

  // One writer round on this disk, so the kills fall anywhere in the first two.
  const auto measureStart = std::chrono::steady_clock::now();
  constexpr int kMeasuredRounds = 4;
  for (int round = 0; round < kMeasuredRounds; ++round) writeVariant(round % 2);
  const long roundMicros = std::max<long>(
      1000, long(std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - measureStart)
                     .count() /
                 kMeasuredRounds));

  std::mt19937 random(seed);
  const int wantedMidSave = (kills * kMinMidSavePercent + 99) / 100;
  int failures = 0, tempFilesLeft = 0, killedMidSave = 0, done = 0;
  std::map<std::string, int> seenSecond;
  for (int round = 0; round < kills || (killedMidSave < wantedMidSave && round < kills * kMaxKillFactor);
       ++round) {
    ++done;
    int ready[2];
    if (pipe(ready) != 0) {
      std::printf("FAILED: no pipe for the writer\n");
      return 1;
    }
    const pid_t writer = fork();
    if (writer == 0) writeForever(ready[1]);
    char byte = 0;
    const bool started = read(ready[0], &byte, 1) == 1;
    close(ready[0]);
    close(ready[1]);
    if (!started) {
      std::printf("FAILED: writer %d never started saving\n", round + 1);
      ++failures;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % (2 * roundMicros)));
    kill(writer, SIGKILL);
    int status = 0;
    waitpid(writer, &status, 0);
    for (const auto& [file, both] : contents) {
      const std::string now = fs::exists(file) ? readWholeFile(file) : std::string("<missing>");
      if (now != both[0] && now != both[1]) {
        std::printf("FAILED after kill %d: %s holds %zu bytes that are neither content\n", round + 1, file.c_str(),
                    now.size());
        ++failures;
      }
      seenSecond[file] += now == both[1];
    }
    const std::vector<std::string> temps = leftOver(tempFileSuffix);
    if (temps.size() > 1) {
      std::printf("FAILED after kill %d: %zu temporary files left\n", round + 1, temps.size());
      ++failures;
    }
    tempFilesLeft += int(temps.size());
    killedMidSave += temps.empty() ? 0 : 1;
    if (!leftOver(".bad").empty()) {
      std::printf("FAILED after kill %d: a file was moved aside as unreadable\n", round + 1);
      ++failures;
    }
  }
  // The next load of the profile clears what the last kill left.
  selectStoredProfile();
  const size_t tempsAfterLoad = leftOver(tempFileSuffix).size();
  if (tempsAfterLoad != 0) ++failures;

  std::printf("kills: %d of %d asked (seed %u; one writer round %ld us)\n", done, kills, seed, roundMicros);
  std::printf("kills that landed mid-save, leaving a temporary file: %d (%d%%; never more than one file)\n",
              killedMidSave, done > 0 ? killedMidSave * 100 / done : 0);
  std::printf("temporary files left after the final profile load: %zu\n", tempsAfterLoad);
  for (const auto& [file, second] : seenSecond) {
    std::printf("%s: first content %d times, second %d times\n", file.c_str(), done - second, second);
  }
  std::printf("damaged files: %d\n", failures);
  if (killedMidSave < wantedMidSave) {
    std::printf("FAILED: only %d of %d kills landed mid-save (%d must): the kills missed the saves\n", killedMidSave,
                done, wantedMidSave);
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
