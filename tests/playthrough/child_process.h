#pragma once
// Programs the play-throughs start: the X server, the game and xdotool. Each
// runs with the harness's environment plus a few overrides, its output going
// to a file or nowhere.
#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

struct ChildOptions {
  std::string workingDir;                    // empty: the harness's own
  std::map<std::string, std::string> env;    // set on top of the inherited environment
  std::string outputFile;                    // stdout and stderr; empty: /dev/null
  int extraFd = -1;                          // handed to the child under the same number
};

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts argv[0] (looked up on PATH); false with error() set when it can't.
  bool start(const std::vector<std::string>& argv, const ChildOptions& options = {});
  bool running();
  // The exit code once it has ended (a signal reads as 128 + the signal).
  std::optional<int> exitCode();
  // Waits up to timeoutMs for the end; the exit code, or none when still running.
  std::optional<int> wait(int timeoutMs);
  // SIGTERM, then SIGKILL after graceMs; always reaps.
  void stop(int graceMs = 2000);
  pid_t pid() const { return pid_; }
  const std::string& error() const { return error_; }

 private:
  void reap(bool block);
  pid_t pid_ = -1;
  std::optional<int> status_;
  std::string error_;
};

// Runs a program to its end (at most timeoutMs) and returns its exit code;
// its output is collected into *output when given.
int runProgram(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
               int timeoutMs, std::string* output = nullptr);
