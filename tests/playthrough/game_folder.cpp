#include "game_folder.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "child_process.h"

namespace fs = std::filesystem;

namespace {
// What a player writes or the game leaves behind: never part of a fresh folder.
const std::set<std::string> userFiles = {"log.txt", "error.txt", "screenshot.bmp", "profiles", "settings",
                                         "sdlaudio.raw"};
// The large parts the game only reads are linked, the rest copied.
const std::set<std::string> linkedFiles = {"brasswick", "art", "fonts", "music"};
}  // namespace

std::string makeGameFolder(const fs::path& gameDir, const fs::path& workDir) {
  std::error_code ec;
  fs::create_directories(workDir, ec);
  if (!fs::exists(gameDir / "brasswick")) return "no game built in " + gameDir.string();
  for (const auto& entry : fs::directory_iterator(gameDir)) {
    const std::string name = entry.path().filename().string();
    if (userFiles.count(name)) continue;
    if (linkedFiles.count(name))
      fs::create_symlink(fs::absolute(entry.path()), workDir / name, ec);
    else
      fs::copy(entry.path(), workDir / name, fs::copy_options::recursive, ec);
    if (ec) return "cannot copy " + entry.path().string() + ": " + ec.message();
  }
  return "";
}

std::map<std::string, std::string> gameEnvironment(const std::string& display) {
  const char* audio = std::getenv("SDL_AUDIODRIVER");
  return {{"DISPLAY", display},
          {"SDL_VIDEODRIVER", "x11"},
          {"SDL_AUDIODRIVER", audio && *audio ? audio : "dummy"},
          {"BRASSWICK_STORE", "scripted"}};
}

void focusGameWindow(XSession& x, WindowInfo& window) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (runProgram({"xdotool", "windowfocus", std::to_string(window.id)}, {{"DISPLAY", x.display()}}, 5000) == 0)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (auto again = x.findWindow("Brasswick")) window = *again;
  }
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}
