// monkey_save_check FOLDER: loads every save in the game folder's profiles;
// prints "checked N saves", and each one that fails; exits 1 on any failure.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "save_check.h"
#include "saves/file_utils.h"
#include "base/log.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s GAME_FOLDER\n", argv[0]);
    return 2;
  }
  setFatalHandler([](const std::string& message) {
    std::printf("fatal error while loading: %s\n", message.c_str());
    std::fflush(stdout);
    std::_Exit(1);
  });
  SaveCheckResult r = checkProfileSaves(argv[1]);
  std::printf("checked %d saves\n", r.loaded + int(r.failures.size()));
  for (const std::string& failure : r.failures) std::printf("does not load: %s\n", failure.c_str());
  return r.failures.empty() ? 0 : 1;
}
