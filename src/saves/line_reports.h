#pragma once
// Messages about the bad lines of one file. The first few go out as each
// format words them (printed, or written to the log); the rest are only
// counted, with one closing line, so a file of millions of bad lines costs
// no more than reading it.
#include <cstddef>
#include <string>

class LineReports {
 public:
  enum class Destination { standardOutput, log };
  static constexpr int kShown = 20;
  static constexpr std::size_t kLongestShown = 400;  // bytes of one message

  LineReports(Destination destination, std::string fileName);
  ~LineReports();  // "... and <n> more such lines in <file>" when any were held back
  LineReports(const LineReports&) = delete;
  LineReports& operator=(const LineReports&) = delete;

  // One message as the format words it (a printed one ends in "\n").
  void report(const std::string& message);
  // The same, with the message made only when it is shown (one that quotes
  // a long line for each of many items must not be built each time).
  template <typename MakeMessage>
  void reportLazily(MakeMessage&& makeMessage) {
    if (++count_ <= kShown) emit(makeMessage());
  }
  int count() const { return count_; }

 private:
  void emit(const std::string& message) const;

  Destination destination_;
  std::string fileName_;
  int count_ = 0;
};
