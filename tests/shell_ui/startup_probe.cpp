// Runs the game in a fresh working folder (the test fixture, or links to a
// game folder's read-only folders) without the splash floor, and prints the
// milliseconds from process start to the first frame of the first state (the
// 2000 ms splash minimum is a presentation rule, not work).
// A start that fails never reaches a first frame: the crash screen would wait
// for a key. The probe watches for the error report instead, prints it and
// ends with exit code 3 (4 when no frame comes within two minutes).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "app/game_main.h"
#include "base/log.h"
#include "app/startup.h"
#include "shell_ui/fixture_files.h"
#include "support/temp_dir.h"

namespace {

// Every folder the game reads and never writes.
constexpr const char* gameFolders[] = {"art", "fonts", "music", "initial", "tests", "puzzle_descriptions", "community"};
constexpr auto firstFrameLimit = std::chrono::minutes(2);

// The working folder, removed by hand: the probe leaves without destructors.
std::string workingFolder;

[[noreturn]] void leave(int code) {
  std::fflush(nullptr);
  std::error_code ec;
  std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
  std::filesystem::remove_all(workingFolder, ec);
  std::_Exit(code);
}

[[noreturn]] void reportFailedStart(int code, const std::string& why) {
  std::fprintf(stderr, "start-up failed: %s\n", why.c_str());
  leave(code);
}

// Runs beside start-up until the first frame: a fatal error writes its line
// to error.txt before the crash screen waits for a key.
void watchForAFailedStart(const std::string& errorFile) {
  std::thread([errorFile] {
    const auto started = std::chrono::steady_clock::now();
    for (;;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      std::ifstream in(errorFile);
      std::string line;
      if (in && std::getline(in, line)) reportFailedStart(3, line);
      if (std::chrono::steady_clock::now() - started > firstFrameLimit) {
        reportFailedStart(4, "no first frame within two minutes");
      }
    }
  }).detach();
}

}  // namespace

int main(int argc, char** argv) {
  std::string gameDir = argc > 1 ? argv[1] : "";
  if (!gameDir.empty()) gameDir = std::filesystem::absolute(gameDir).string();
  TempWorkingDir dir;
  workingFolder = dir.path();
  if (gameDir.empty()) {
    writeFixtureWorkingFolder();
  } else {
    // The game's folders, linked into a fresh folder so the run writes nothing there.
    for (const char* sub : gameFolders)
      if (std::filesystem::exists(gameDir + "/" + sub))
        std::filesystem::create_directory_symlink(gameDir + "/" + sub, sub);
  }
  watchForAFailedStart(dir.path() + "/" + errorFilePath);
  std::int64_t firstFrameMs = -1;
  GameOptions options;
  options.splashMinimumMs = 0;
  options.afterFrame = [&](GameLoop&) {
    firstFrameMs = msSinceStart();
    return false;
  };
  int code = runGame(options);
  if (code != 0 || firstFrameMs < 0) reportFailedStart(code ? code : 2, "the game ended before its first frame");
  std::printf("%lld\n", static_cast<long long>(firstFrameMs));
  // The window and tables are gone with the process; nothing else to wait for.
  leave(0);
}
