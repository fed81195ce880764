// Feeds a fuzz target every input file named on the command line (folders
// are read in name order; ".gz" files are unpacked first), once each, as
// libFuzzer does when given files. A fault ends the run as it would there;
// a folder with no inputs fails, since a moved folder would pass unseen.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool readInput(const fs::path& path, std::string& out) {
  if (path.extension() != ".gz") {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    out = text.str();
    return bool(in);
  }
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  out.clear();
  char buffer[1 << 16];
  int got = 0;
  while ((got = gzread(file, buffer, sizeof buffer)) > 0) out.append(buffer, std::size_t(got));
  const bool ok = got == 0;
  gzclose(file);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  // Every path is read before the first input runs: the targets move into a
  // working folder of their own.
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = fs::absolute(argv[i]);
    if (!fs::is_directory(arg)) {
      files.push_back(arg);
      continue;
    }
    std::vector<fs::path> inFolder;
    for (const auto& entry : fs::directory_iterator(arg)) {
      if (entry.is_regular_file()) inFolder.push_back(entry.path());
    }
    if (inFolder.empty()) {
      std::fprintf(stderr, "no inputs in %s\n", arg.c_str());
      return 1;
    }
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  std::vector<std::pair<fs::path, std::string>> inputs;
  for (const fs::path& file : files) {
    std::string data;
    if (!readInput(file, data)) {
      std::fprintf(stderr, "could not read %s\n", file.c_str());
      return 1;
    }
    inputs.emplace_back(file, std::move(data));
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "no inputs given\n");
    return 1;
  }
  for (const auto& [file, data] : inputs) {
    std::printf("%s (%zu bytes)\n", file.filename().c_str(), data.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
