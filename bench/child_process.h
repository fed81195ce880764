#pragma once
// Measures one piece of work in a child process of its own, so its time and
// its memory are its alone: the child's freed heap is handed back and its
// peak reset before the work, standard output goes to /dev/null, and a child
// that runs away is stopped after two minutes.
#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

struct ChildMeasurement {
  double ms = 0;
  double peakGrowthMb = 0;  // the most the resident size grew above its start
};

namespace child_process_detail {
inline double statusMb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(field.size())) / 1024.0;
  }
  return 0;
}
}  // namespace child_process_detail

inline std::optional<ChildMeasurement> measureInChild(const std::function<void()>& work) {
  int fds[2];
  if (pipe(fds) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    const int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    alarm(120);
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts from here
    const double before = child_process_detail::statusMb("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    work();
    const double values[2] = {
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
        child_process_detail::statusMb("VmHWM:") - before};
    if (write(fds[1], values, sizeof values) != sizeof values) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  double values[2] = {0, 0};
  const bool read = ::read(fds[0], values, sizeof values) == sizeof values;
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return ChildMeasurement{values[0], values[1]};
}
