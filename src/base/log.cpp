#include "base/log.h"

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
}  // namespace

std::int64_t msSinceStart() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               processStart)
      .count();
}

void logLine(const std::string& message) {
  // Both threads may log; the lock keeps lines whole.
  static std::mutex logMutex;
  std::lock_guard<std::mutex> lock(logMutex);
  appendLine(logFilePath, std::to_string(msSinceStart()) + ": " + message);
}

std::string errorLineText(std::int64_t ms, const std::string& message) {
  return std::to_string(ms) + ": VERSION: " + versionString + " ERROR: " + message;
}

void setFatalHandler(FatalHandler handler) {
  std::lock_guard<std::mutex> lock(handlerMutex());
  handlerSlot() = std::move(handler);
}

void fatalError(const std::string& message) {
  if (captureDepth > 0) throw FatalErrorException(message);
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
