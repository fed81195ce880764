#include "saves/line_reports.h"

#include <cstdio>

#include "base/utf8_text.h"
#include "base/log.h"

LineReports::LineReports(Destination destination, std::string fileName)
    : destination_(destination), fileName_(std::move(fileName)) {}

LineReports::~LineReports() {
  if (count_ <= kShown) return;
  const std::string closing = "... and " + std::to_string(count_ - kShown) + " more such lines in " + fileName_;
  emit(destination_ == Destination::standardOutput ? closing + "\n" : closing);
}

void LineReports::report(const std::string& message) {
  if (++count_ <= kShown) emit(message);
}

void LineReports::emit(const std::string& message) const {
  // A message quotes its line, which may be megabytes long: only its start.
  std::string shown = message;
  if (shown.size() > kLongestShown) {
    const bool lineEnd = shown.back() == '\n';
    shown = cutUtf8(shown, kLongestShown) + "..." + (lineEnd ? "\n" : "");
  }
  if (destination_ == Destination::log) {
    logLine(shown);
  } else {
    std::fputs(shown.c_str(), stdout);
  }
}
