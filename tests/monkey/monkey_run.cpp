#include "monkey_run.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "game_folder.h"
#include "monkey_actions.h"
#include "x_session.h"

namespace fs = std::filesystem;

namespace {
using Clock = std::chrono::steady_clock;

volatile sig_atomic_t interrupted = 0;
void onInterrupt(int) { interrupted = 1; }

std::string tail(const std::string& text, size_t count) {
  std::vector<std::string> lines = splitLines(text);
  std::string out;
  for (size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i) out += "\n    " + lines[i];
  return out;
}

// "1234: message" -> "message".
std::string logMessage(const std::string& line) {
  size_t colon = line.find(": ");
  return colon == std::string::npos ? line : line.substr(colon + 2);
}

// What ASan and UBSan print when they find something.
bool hasSanitizerReport(const std::string& text) {
  for (const char* mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                           "SUMMARY: UndefinedBehaviorSanitizer", "SUMMARY: AddressSanitizer"})
    if (text.find(mark) != std::string::npos) return true;
  return false;
}

// The X events an action makes: pointer moves, button and key presses and releases.
long eventsIn(const MonkeyAction& a) {
  switch (a.kind) {
    case MonkeyKind::Click:
    case MonkeyKind::RightClick:
    case MonkeyKind::Tap: return 3;
    case MonkeyKind::DoubleClick: return 5;
    case MonkeyKind::Drag:
    case MonkeyKind::RightDrag: return 3 + a.count;
    case MonkeyKind::Wheel: return 1 + 2 * std::abs(a.count);
    case MonkeyKind::Key:
    case MonkeyKind::Chord: return 2 * (long(std::count(a.text.begin(), a.text.end(), '+')) + 1);
    case MonkeyKind::Text: return 2 * long(a.text.size());
    case MonkeyKind::Close: return 1;
  }
  return 0;
}

class MonkeyFailed : public std::exception {
 public:
  explicit MonkeyFailed(std::string why) : why_(std::move(why)) {}
  const char* what() const noexcept override { return why_.c_str(); }

 private:
  std::string why_;
};

class Monkey {
 public:
  explicit Monkey(const MonkeyOptions& options) : options_(options), actions_(options.seed) {}
  ~Monkey() {
    game_.stop(2000);
    x_.stop();
  }
  MonkeyResult run();

 private:
  [[noreturn]] void fail(const std::string& why) { throw MonkeyFailed(why); }
  void prepare();
  void startGame();
  // A game that has ended: a clean quit has its saves checked and starts
  // again; anything else fails.
  void afterExit();
  void checkSaves();
  void checkOutput();  // error.txt and sanitizer reports, while it runs
  void checkTakingInput();
  void act(const WindowInfo& window);
  void closeAtEnd();
  std::string stacks();
  std::map<std::string, std::string> environment() const;
  void countScreens();
  std::uintmax_t logSize() const;

  MonkeyOptions options_;
  MonkeyActions actions_;
  MonkeyResult result_;
  XSession x_;
  ChildProcess game_;
  fs::path root_, work_, console_, actionLog_;
  std::ofstream actionsOut_;
  std::deque<std::string> recent_;  // the last actions, for the report
  Clock::time_point began_ = Clock::now();
  Clock::time_point lastLogGrowth_;
  std::uintmax_t lastLogSize_ = 0;
  std::uintmax_t consoleChecked_ = 0;
};

std::map<std::string, std::string> Monkey::environment() const {
  std::map<std::string, std::string> env = gameEnvironment(x_.display());
  // A sanitized game reports and stops at its first finding; leaks at exit
  // are not what the monkey looks for.
  if (!std::getenv("ASAN_OPTIONS")) env["ASAN_OPTIONS"] = "detect_leaks=0";
  if (!std::getenv("UBSAN_OPTIONS")) env["UBSAN_OPTIONS"] = "print_stacktrace=1:halt_on_error=1";
  return env;
}

std::uintmax_t Monkey::logSize() const {
  std::error_code ec;
  auto size = fs::file_size(work_ / "log.txt", ec);
  return ec ? 0 : size;
}

void Monkey::prepare() {
  char pattern[] = "/tmp/brasswick-monkey-XXXXXX";
  if (!mkdtemp(pattern)) fail("cannot make a temporary folder");
  root_ = pattern;
  work_ = root_ / "game";
  console_ = root_ / "console.txt";
  actionLog_ = root_ / "actions.txt";
  if (std::string error = makeGameFolder(options_.gameDir, work_); !error.empty()) fail(error);
  actionsOut_.open(actionLog_);
  if (!x_.start(1280, 1024)) fail("no X server: " + x_.error());
}

void Monkey::startGame() {
  ChildOptions o;
  o.workingDir = work_.string();
  o.env = environment();
  o.outputFile = console_.string();
  if (!game_.start({(work_ / "brasswick").string()}, o)) fail("cannot start the game: " + game_.error());
  ++result_.starts;
  actionsOut_ << "# start " << result_.starts << "\n";
  // Start-up loads every picture and sound before the first window.
  auto until = Clock::now() + std::chrono::seconds(30 * options_.timeScale);
  std::optional<WindowInfo> w;
  while (!(w = x_.findWindow("Brasswick"))) {
    if (!game_.running()) return;  // the loop judges the exit
    if (Clock::now() > until) fail("no game window " + std::to_string(30 * options_.timeScale) +
                                   " s after start " + std::to_string(result_.starts) + stacks());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  focusGameWindow(x_, *w);
  lastLogGrowth_ = Clock::now();
  lastLogSize_ = logSize();
}

void Monkey::checkOutput() {
  if (fs::exists(work_ / "error.txt")) fail("the game wrote error.txt:" + tail(readFile(work_ / "error.txt"), 10));
  // Only what the game printed since the last look.
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(console_, ec);
  if (ec || size <= consoleChecked_) return;
  std::ifstream in(console_, std::ios::binary);
  // A report may be half written: look again from a little before.
  const std::uintmax_t from = consoleChecked_ > 200 ? consoleChecked_ - 200 : 0;
  in.seekg(std::streamoff(from));
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  consoleChecked_ = size;
  if (hasSanitizerReport(text)) fail("a sanitizer report (in the console output below)");
}

void Monkey::checkSaves() {
  std::string output;
  int code = runProgram({options_.saveChecker, work_.string()}, {}, 120000 * options_.timeScale, &output);
  // "checked N saves"
  for (const std::string& line : splitLines(output))
    if (line.rfind("checked ", 0) == 0) result_.savesChecked += std::atoi(line.c_str() + 8);
  if (code != 0) fail("a save no longer loads (the checker exited with " + std::to_string(code) + "):" +
                      tail(output, 20));
}

void Monkey::afterExit() {
  const int code = game_.exitCode().value_or(-1);
  actionsOut_ << "# exit " << code << "\n";
  if (code != 0) fail("the game ended with exit code " + std::to_string(code));
  checkOutput();
  ++result_.cleanExits;
  checkSaves();
}

std::string Monkey::stacks() {
  if (!game_.running()) return "";
  std::string text, frames;
  runProgram({"gdb", "-p", std::to_string(game_.pid()), "-batch", "-ex", "thread apply all bt 16"}, {}, 30000, &text);
  for (const std::string& line : splitLines(text))
    if (line.rfind("#", 0) == 0 || line.rfind("Thread ", 0) == 0) frames += "\n    " + line;
  return frames.empty() ? "" : "; the game's threads:" + frames;
}

void Monkey::checkTakingInput() {
  // Every button and key the game takes is logged: a log that stands still
  // while input goes in is a game that has stopped.
  const std::uintmax_t size = logSize();
  if (size != lastLogSize_) {
    lastLogSize_ = size;
    lastLogGrowth_ = Clock::now();
    return;
  }
  const auto limit = std::chrono::seconds(15 * options_.timeScale);
  if (Clock::now() - lastLogGrowth_ > limit)
    fail("the game took no input for " + std::to_string(15 * options_.timeScale) + " s" + stacks());
}

void Monkey::act(const WindowInfo& window) {
  MonkeyAction a = actions_.next();
  ++result_.actions;
  result_.events += eventsIn(a);
  ++result_.actionsByKind[monkeyKindName(a.kind)];
  char when[32];
  std::snprintf(when, sizeof when, " (%.1f s)", std::chrono::duration<double>(Clock::now() - began_).count());
  const std::string line = std::to_string(result_.actions) + when + ": " + describe(a);
  actionsOut_ << line << "\n";
  actionsOut_.flush();
  recent_.push_back(line);
  if (recent_.size() > 20) recent_.pop_front();
  if (options_.verbose) std::printf("%s\n", line.c_str());
  if (a.kind == MonkeyKind::Close) {
    x_.requestClose(window);
    game_.wait(5000 * options_.timeScale);  // the loop judges the exit, or the next actions go on
  } else {
    std::vector<std::string> words = xdotoolWords(a, window.id, window.width, window.height);
    words.insert(words.begin(), "xdotool");
    // A window that went away meanwhile makes xdotool fail: the loop sees why.
    runProgram(words, {{"DISPLAY", x_.display()}}, 20000);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(a.pauseMs));
}

void Monkey::closeAtEnd() {
  if (!game_.running()) return;
  if (auto w = x_.findWindow("Brasswick")) x_.requestClose(*w);
  if (!game_.wait(30000 * options_.timeScale)) {
    std::string where = stacks();
    fail("the game did not end within " + std::to_string(30 * options_.timeScale) + " s of the close request" +
         where);
  }
  afterExit();
}

void Monkey::countScreens() {
  for (const std::string& line : splitLines(readFile(work_ / "log.txt"))) {
    std::string m = logMessage(line);
    if (m.rfind("switching to ", 0) == 0) ++result_.screens[m.substr(13)];
  }
}

MonkeyResult Monkey::run() {
  const auto began = began_;
  const auto end = began + std::chrono::seconds(options_.seconds);
  signal(SIGINT, onInterrupt);
  signal(SIGTERM, onInterrupt);
  try {
    prepare();
    startGame();
    auto windowMissingSince = Clock::now();
    bool windowMissing = false;
    while (Clock::now() < end && !interrupted && (options_.maxActions < 0 || result_.actions < options_.maxActions)) {
      if (!game_.running()) {
        afterExit();
        startGame();
        continue;
      }
      checkOutput();
      std::optional<WindowInfo> w = x_.findWindow("Brasswick");
      if (!w) {
        // SDL replaces its window when the display mode changes.
        if (!windowMissing) windowMissingSince = Clock::now();
        windowMissing = true;
        if (Clock::now() - windowMissingSince > std::chrono::seconds(30 * options_.timeScale))
          fail("the game's window has been gone for " + std::to_string(30 * options_.timeScale) + " s" + stacks());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        continue;
      }
      if (windowMissing) lastLogGrowth_ = Clock::now();
      windowMissing = false;
      checkTakingInput();
      act(*w);
    }
    closeAtEnd();
    result_.passed = true;
  } catch (const MonkeyFailed& e) {
    std::ostringstream msg;
    msg << "seed " << options_.seed << ", start " << result_.starts << ", after action " << result_.actions << " ("
        << std::chrono::duration<double>(Clock::now() - began).count() << " s): " << e.what();
    if (!recent_.empty()) {
      msg << "\n  the last actions:";
      for (const std::string& line : recent_) msg << "\n    " << line;
    }
    std::string console = readFile(console_);
    if (!console.empty()) msg << "\n  the game's console output, last lines:" << tail(console, 60);
    if (!work_.empty()) msg << "\n  log.txt, last lines:" << tail(readFile(work_ / "log.txt"), 15);
    result_.failure = msg.str();
  }
  game_.stop(2000);
  x_.stop();
  if (!work_.empty()) countScreens();
  actionsOut_.close();
  if (!root_.empty()) {
    if (result_.passed && !options_.keepFolder) {
      std::error_code ec;
      fs::remove_all(root_, ec);
    } else {
      result_.folder = root_.string();
    }
  }
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  result_.seconds = std::chrono::duration<double>(Clock::now() - began).count();
  return result_;
}
}  // namespace

MonkeyResult runMonkey(const MonkeyOptions& options) { return Monkey(options).run(); }

std::string monkeyReport(const MonkeyOptions& options, const MonkeyResult& r) {
  std::ostringstream out;
  out << "monkey: seed " << options.seed << ", " << r.seconds << " s: " << (r.passed ? "passed" : "FAILED") << "\n";
  out << "  actions sent: " << r.actions << " (" << r.events << " X events):";
  for (const auto& [kind, count] : r.actionsByKind) out << " " << kind << " " << count;
  out << "\n  starts: " << r.starts << ", clean exits: " << r.cleanExits << ", saves loaded by the checker: "
      << r.savesChecked << "\n  screens reached (switches):";
  for (const auto& [screen, count] : r.screens) out << " " << screen << " " << count;
  out << "\n";
  if (!r.passed) out << "  failure: " << r.failure << "\n";
  if (!r.folder.empty()) out << "  working folder and actions.txt kept in " << r.folder << "\n";
  return out.str();
}
