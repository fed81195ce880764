#pragma once
// Process-wide logging and the fatal-error path shared by every subsystem.
// The core only records the error; how it is shown (the crash screen) is up to
// the hook the shell installs. Tests install a hook that throws.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

extern const std::string versionString;  // "1.0.0"
extern const std::string logFilePath;    // "log.txt", relative to the working folder
extern const std::string errorFilePath;  // "error.txt"

// Milliseconds since the process started, from a steady clock.
std::int64_t msSinceStart();

// Appends "<ms>: <message>\n" to log.txt; never fails visibly. The file
// stays open and lines are held until flushLog (once a frame, before a fatal
// error, at exit, or when many pile up).
void logLine(const std::string& message);
// Writes the held lines. Should log.txt have been removed, or the working
// folder changed, since the last write, the lines go to the log.txt now there.
void flushLog();

// The text of one error.txt line (without the line end).
std::string errorLineText(std::int64_t ms, const std::string& message);

// What a fatal error does once error.txt has its line. The default handler
// prints the message to stderr and exits with -1.
using FatalHandler = std::function<void(const std::string& message)>;
void setFatalHandler(FatalHandler handler);

// The thrown form of a fatal error: used by test hooks and by worker threads,
// which must not show the crash screen themselves.
struct FatalErrorException : std::runtime_error {
  explicit FatalErrorException(const std::string& message) : std::runtime_error(message) {}
};

// Appends the error.txt line, then hands the message to the handler. On a
// thread running inside captureFatalErrors, throws FatalErrorException
// instead so the owner can hand it to the main thread.
[[noreturn]] void fatalError(const std::string& message);
void ensure(bool ok, const std::string& message);

// Ends the process after a fatal error (exit code -1) without running static
// destructors: the validation worker may still be stepping a machine that
// reads the global tables, which must not be destroyed under it. Standard
// output and error are flushed first.
[[noreturn]] void leaveAfterFatalError();

// Runs work on the calling (worker) thread; a fatal error inside it is caught
// and returned instead of ending the process from the wrong thread.
std::optional<std::string> captureFatalErrors(const std::function<void()>& work);
