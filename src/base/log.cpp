#include "base/log.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>

const std::string versionString = "1.0.0";
const std::string logFilePath = "log.txt";
const std::string errorFilePath = "error.txt";

namespace {
const auto processStart = std::chrono::steady_clock::now();

std::mutex& handlerMutex() {
  static std::mutex m;
  return m;
}
FatalHandler& handlerSlot() {
  static FatalHandler handler;
  return handler;
}
thread_local int captureDepth = 0;

void appendLine(const std::string& path, const std::string& line) {
  std::ofstream out(path, std::ios::out | std::ios::app | std::ios::binary);
  if (!out) return;
  out << line << '\n';
}

// log.txt, kept open: opening and closing it for every line cost more than
// the drawing of a frame once a frame logged a few hundred lines.
class LogFile {
 public:
  static constexpr std::size_t flushAt = 16 * 1024;

  void add(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ += line;
    held_ += '\n';
    if (closing_ || held_.size() >= flushAt) write();
  }
  void flush() {
    std::lock_guard<std::mutex> lock(mutex_);
    write();
  }
  // From exit on, lines are written as they come: nothing flushes later.
  void closing() {
    std::lock_guard<std::mutex> lock(mutex_);
    write();
    closing_ = true;
  }

 private:
  // The open file must still be the one the path names: a test, or the
  // player, may delete log.txt, and the working folder may change.
  bool current() const {
    if (fd_ < 0) return false;
    struct stat named {}, held {};
    if (::stat(logFilePath.c_str(), &named) != 0 || ::fstat(fd_, &held) != 0) return false;
    return named.st_dev == held.st_dev && named.st_ino == held.st_ino;
  }
  void write() {
    if (held_.empty()) return;
    if (!current()) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = ::open(logFilePath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    }
    if (fd_ >= 0) {
      const char* p = held_.data();
      std::size_t left = held_.size();
      while (left > 0) {
        ssize_t n = ::write(fd_, p, left);
        if (n <= 0) break;
        p += n;
        left -= std::size_t(n);
      }
    }
    held_.clear();
  }

  std::mutex mutex_;
  std::string held_;
  int fd_ = -1;
  bool closing_ = false;
};

// Never destroyed, so static destructors that log still find it.
LogFile& logFile() {
  static LogFile* file = [] {
    auto* f = new LogFile;
    std::atexit([] { logFile().closing(); });
    // A forked child must not inherit the held lines and write them twice.
    pthread_atfork([] { logFile().flush(); }, nullptr, nullptr);
    return f;
  }();
  return *file;
}
}  // namespace

std::int64_t msSinceStart() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               processStart)
      .count();
}

void logLine(const std::string& message) {
  // Both threads may log; the file's lock keeps lines whole.
  logFile().add(std::to_string(msSinceStart()) + ": " + message);
}

void flushLog() { logFile().flush(); }

std::string errorLineText(std::int64_t ms, const std::string& message) {
  return std::to_string(ms) + ": VERSION: " + versionString + " ERROR: " + message;
}

void setFatalHandler(FatalHandler handler) {
  std::lock_guard<std::mutex> lock(handlerMutex());
  handlerSlot() = std::move(handler);
}

void fatalError(const std::string& message) {
  if (captureDepth > 0) throw FatalErrorException(message);
  flushLog();
  appendLine(errorFilePath, errorLineText(msSinceStart(), message));
  FatalHandler handler;
  {
    std::lock_guard<std::mutex> lock(handlerMutex());
    handler = handlerSlot();
  }
  if (handler) handler(message);
  // A handler that returns (none installed, or one that cannot show anything)
  // still ends the run.
  std::cerr << "Fatal error: " << message << std::endl;
  leaveAfterFatalError();
}

void leaveAfterFatalError() {
  flushLog();
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(-1);
}

void ensure(bool ok, const std::string& message) {
  if (!ok) fatalError(message);
}

std::optional<std::string> captureFatalErrors(const std::function<void()>& work) {
  struct Depth {
    Depth() { ++captureDepth; }
    ~Depth() { --captureDepth; }
  } depth;
  try {
    work();
  } catch (const FatalErrorException& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}
