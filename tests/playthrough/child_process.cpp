#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

int decodeStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Runs in the forked child only: no allocation-heavy work after fork beyond
// what exec needs.
[[noreturn]] void execChild(const std::vector<std::string>& argv, const ChildOptions& options) {
  if (!options.workingDir.empty() && chdir(options.workingDir.c_str()) != 0) _exit(126);
  int out = options.outputFile.empty() ? open("/dev/null", O_WRONLY)
                                       : open(options.outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (out >= 0) {
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    if (out > STDERR_FILENO) close(out);
  }
  int in = open("/dev/null", O_RDONLY);
  if (in >= 0) {
    dup2(in, STDIN_FILENO);
    if (in > STDERR_FILENO) close(in);
  }
  if (options.extraFd >= 0) {
    int flags = fcntl(options.extraFd, F_GETFD);
    fcntl(options.extraFd, F_SETFD, flags & ~FD_CLOEXEC);
  }
  for (const auto& [name, value] : options.env) setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}
}  // namespace

ChildProcess::~ChildProcess() { stop(500); }

bool ChildProcess::start(const std::vector<std::string>& argv, const ChildOptions& options) {
  stop(500);
  status_.reset();
  error_.clear();
  if (argv.empty()) {
    error_ = "nothing to start";
    return false;
  }
  pid_t pid = fork();
  if (pid < 0) {
    error_ = std::string("fork failed: ") + std::strerror(errno);
    return false;
  }
  if (pid == 0) execChild(argv, options);
  pid_ = pid;
  return true;
}

void ChildProcess::reap(bool block) {
  if (pid_ <= 0 || status_) return;
  int status = 0;
  pid_t r = waitpid(pid_, &status, block ? 0 : WNOHANG);
  if (r == pid_) status_ = decodeStatus(status);
}

bool ChildProcess::running() {
  reap(false);
  return pid_ > 0 && !status_;
}

std::optional<int> ChildProcess::exitCode() {
  reap(false);
  return status_;
}

std::optional<int> ChildProcess::wait(int timeoutMs) {
  auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (running() && Clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return exitCode();
}

void ChildProcess::stop(int graceMs) {
  if (!running()) return;
  kill(pid_, SIGTERM);
  if (!wait(graceMs)) {
    kill(pid_, SIGKILL);
    reap(true);
  }
}

int runProgram(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
               int timeoutMs, std::string* output) {
  char path[] = "/tmp/brasswick-play-output-XXXXXX";
  int fd = mkstemp(path);
  if (fd >= 0) close(fd);
  ChildOptions options;
  options.env = env;
  options.outputFile = fd >= 0 ? path : "";
  ChildProcess child;
  int code = -1;
  if (child.start(argv, options)) {
    auto result = child.wait(timeoutMs);
    if (!result) child.stop(200);
    code = result.value_or(-1);
  }
  if (output && fd >= 0) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    *output = text.str();
  }
  if (fd >= 0) unlink(path);
  return code;
}
