#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/log.h"

namespace fs = std::filesystem;

// log.txt holds its lines until a flush; tests read it at any moment, and
// each test's lines belong in its own folder.
TempWorkingDir::TempWorkingDir() {
  flushLog();
  previous_ = fs::current_path().string();
  std::string pattern = (fs::temp_directory_path() / "brasswick-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  fs::current_path(path_);
}

TempWorkingDir::~TempWorkingDir() {
  flushLog();
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::remove_all(path_, ec);
}

std::string readWholeFile(const std::string& path) {
  flushLog();
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeWholeFile(const std::string& path, const std::string& text) {
  fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::vector<std::string> logMessages() {
  std::vector<std::string> lines;
  std::istringstream in(readWholeFile("log.txt"));
  std::string line;
  while (std::getline(in, line)) {
    auto colon = line.find(": ");
    lines.push_back(colon == std::string::npos ? line : line.substr(colon + 2));
  }
  return lines;
}
