#include "play_runner.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "game_folder.h"
#include "x_session.h"

namespace fs = std::filesystem;

namespace {
using Clock = std::chrono::steady_clock;

// "1234: message" -> "message".
std::string logMessage(const std::string& line) {
  size_t colon = line.find(": ");
  return colon == std::string::npos ? line : line.substr(colon + 2);
}

std::string tail(const std::string& text, size_t lines) {
  std::vector<std::string> all = splitLines(text);
  std::string out;
  for (size_t i = all.size() > lines ? all.size() - lines : 0; i < all.size(); ++i) out += "\n    " + all[i];
  return out;
}

std::string hex(std::uint32_t c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%06x", unsigned(c));
  return buffer;
}

bool close(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
    if (d > tolerance || -d > tolerance) return false;
  }
  return true;
}

std::string seconds(int ms) {
  std::ostringstream s;
  s << ms / 1000.0 << " s";
  return s.str();
}

// "a\nb" in a script's text stands for a line break.
std::string unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::vector<std::string> filesUnder(const fs::path& dir) {
  std::vector<std::string> out;
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return out;
  for (const auto& e : fs::recursive_directory_iterator(dir, ec))
    if (e.is_regular_file()) out.push_back(fs::relative(e.path(), dir).generic_string());
  std::sort(out.begin(), out.end());
  return out;
}

std::string joined(const std::vector<std::string>& words, const std::string& sep = " ") {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : sep) + w;
  return out;
}

class StepFailed : public std::exception {
 public:
  explicit StepFailed(std::string why) : why_(std::move(why)) {}
  const char* what() const noexcept override { return why_.c_str(); }

 private:
  std::string why_;
};

class Runner {
 public:
  Runner(const Script& script, const PlayOptions& options) : script_(script), options_(options) {}
  ~Runner() {
    game_.stop(2000);
    x_.stop();
  }

  PlayResult run();

 private:
  // Set-up and the checks every script ends with.
  void prepareFolder();
  void finalChecks();

  void execute(const Step& step);
  [[noreturn]] void fail(const std::string& why);
  // Polls until check() is true; on timeout fails with what describe() says.
  void waitFor(const std::function<bool()>& check, const std::function<std::string()>& describe,
               int timeoutMs = -1);

  // The game.
  void startGame();
  void waitExit();
  WindowInfo window();
  void checkAlive(const std::string& waitingFor);
  std::map<std::string, std::string> gameEnv() const;

  // Input through xdotool.
  void xdotool(std::vector<std::string> args);
  // The xdotool words that put the pointer at window point (x, y); none
  // when it is there already.
  std::vector<std::string> moveTo(int x, int y);
  std::optional<std::pair<int, int>> pointerAt_;  // where the moves built so far leave it

  // The log.
  void markLog();  // lines before this point cannot answer the next wait
  // Sends input; waitInputTaken then waits until the log holds `count` lines
  // starting with `prefix` since the step's input began, without moving the
  // read point of wait-log. Input is paced by these: a screen switch drops
  // the input queued behind the event that caused it, so the next event is
  // sent only once the game has taken the one before, as a hand's pace would
  // have it. A switch logged after the input was sent (a victory arriving
  // while the player still steps on) may have dropped it: that ends the wait.
  // Returns the lines counted, so a dropped press is not waited for again.
  void sendInput(const std::vector<std::string>& args);
  int waitInputTaken(const std::string& prefix, int count, const std::string& what);
  std::uintmax_t sentAt_ = 0;  // the log's size when the last input was sent
  // A button or key goes down, then up, each taken by the game before the next.
  void mouseClick(const std::string& button, std::vector<std::string> before);
  void keyStroke(const std::string& key);
  int pressesTaken_ = 0, releasesTaken_ = 0;  // counted by the waits above, per step
  // The whole lines after the read point, which moves past them (or only
  // up to the first containing text, when stopAtMatch).
  std::vector<std::string> newLogLines(bool stopAtMatch = false, const std::string& text = "");
  void waitLog(const std::string& text);
  void checkSwitches(const std::vector<std::string>& expected);

  void screenshot(const Step& step);
  fs::path work(const std::string& relative) const { return workDir_ / relative; }
  int arg(const Step& step, size_t i) const;

  const Script& script_;
  PlayOptions options_;
  XSession x_;
  ChildProcess game_;
  fs::path tempRoot_, workDir_, consoleFile_;
  const Step* current_ = nullptr;
  size_t stepIndex_ = 0;
  int timeoutMs_ = 10000;
  std::uintmax_t logOffset_ = 0;
  std::vector<std::string> seenSinceMark_;  // log lines read during the current wait
  int runs_ = 0;
  bool runChecked_ = true;
  int shots_ = 0;
  std::map<std::string, std::string> kept_;
  std::set<std::string> heldKeys_;  // by key-down, until key-up
};

[[noreturn]] void Runner::fail(const std::string& why) { throw StepFailed(why); }

PlayResult Runner::run() {
  PlayResult result;
  auto began = Clock::now();
  timeoutMs_ = options_.timeoutMs * options_.timeScale;
  try {
    if (!script_.error.empty()) throw StepFailed("the script cannot be read: " + script_.error);
    prepareFolder();
    if (!x_.start(options_.screenWidth, options_.screenHeight)) throw StepFailed("no X server: " + x_.error());
    for (stepIndex_ = 0; stepIndex_ < script_.steps.size(); ++stepIndex_) {
      current_ = &script_.steps[stepIndex_];
      execute(*current_);
    }
    current_ = nullptr;
    finalChecks();
    result.passed = true;
  } catch (const StepFailed& e) {
    std::ostringstream msg;
    msg << script_.name << ".play";
    if (current_)
      msg << " line " << current_->line << " (step " << stepIndex_ + 1 << " of " << script_.steps.size() << ": "
          << current_->text << ")";
    else
      msg << " at its end";
    msg << ": " << e.what();
    if (game_.running()) {
      if (auto w = x_.findWindow("Brasswick")) {
        fs::path shot = fs::path(options_.screenshotDir) / "failure.png";
        if (savePng(x_.capture(*w), shot.string())) msg << "\n  the screen at the failure: " << shot.string();
      }
    }
    std::string console = readFile(consoleFile_);
    if (!console.empty()) msg << "\n  the game's console output, last lines:" << tail(console, 8);
    if (!workDir_.empty() && options_.keepFailedFolder) msg << "\n  working folder kept: " << workDir_.string();
    result.failure = msg.str();
  }
  game_.stop(2000);
  x_.stop();
  if ((result.passed || !options_.keepFailedFolder) && !tempRoot_.empty()) fs::remove_all(tempRoot_);
  result.seconds = std::chrono::duration<double>(Clock::now() - began).count();
  result.screenshots = shots_;
  return result;
}

void Runner::prepareFolder() {
  std::error_code ec;
  fs::remove_all(options_.screenshotDir, ec);
  fs::create_directories(options_.screenshotDir);
  char pattern[] = "/tmp/brasswick-play-XXXXXX";
  if (!mkdtemp(pattern)) fail("cannot make a temporary folder");
  tempRoot_ = pattern;
  workDir_ = tempRoot_ / "game";
  consoleFile_ = tempRoot_ / "console.txt";
  if (std::string error = makeGameFolder(options_.gameDir, workDir_); !error.empty()) fail(error);
}

void Runner::finalChecks() {
  if (game_.running()) {
    game_.stop(2000);
    fail("the script ends with the game still running (end it with close or a Quit click, then wait-exit)");
  }
  if (!runChecked_) fail("run " + std::to_string(runs_) + " ended without a \"switches\" check");
  if (!heldKeys_.empty()) fail("the script ends with " + joined({heldKeys_.begin(), heldKeys_.end()}) + " held down");
  if (fs::exists(work("error.txt"))) fail("the game wrote error.txt:" + tail(readFile(work("error.txt")), 10));
}

void Runner::waitFor(const std::function<bool()>& check, const std::function<std::string()>& describe,
                     int timeoutMs) {
  if (timeoutMs < 0) timeoutMs = timeoutMs_;
  auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (check()) return;
    if (Clock::now() >= until) fail(describe());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

int Runner::arg(const Step& step, size_t i) const {
  try {
    size_t used = 0;
    int v = std::stoi(step.args.at(i), &used);
    if (used == step.args[i].size()) return v;
  } catch (...) {
  }
  throw StepFailed("argument " + std::to_string(i + 1) + " must be a whole number");
}

std::map<std::string, std::string> Runner::gameEnv() const { return gameEnvironment(x_.display()); }

void Runner::startGame() {
  if (game_.running()) fail("the game is already running");
  if (!runChecked_) fail("run " + std::to_string(runs_) + " ended without a \"switches\" check");
  markLog();
  ChildOptions o;
  o.workingDir = workDir_.string();
  o.env = gameEnv();
  o.outputFile = consoleFile_.string();
  if (!game_.start({(workDir_ / "brasswick").string()}, o)) fail("cannot start the game: " + game_.error());
  ++runs_;
  runChecked_ = false;
  // Start-up loads every picture and sound before the first screen: allow
  // it three waits' worth. SDL may replace its first window while it sets up
  // the renderer, so the focus goes to the one that stays.
  std::optional<WindowInfo> w;
  waitFor([&] {
    checkAlive("its window");
    return (w = x_.findWindow("Brasswick")).has_value();
  }, [&] {
    // Where a start-up that never opens its window is stuck, and whether the
    // window manager that should map it is still there.
    auto stacksOf = [](pid_t pid) {
      std::string stacks, frames;
      runProgram({"gdb", "-p", std::to_string(pid), "-batch", "-ex", "thread apply all bt 12"}, {}, 20000, &stacks);
      for (const std::string& line : splitLines(stacks))
        if (line.rfind("#", 0) == 0 || line.rfind("Thread ", 0) == 0) frames += "\n    " + line;
      return frames;
    };
    std::string frames = stacksOf(game_.pid());
    ChildProcess& wm = x_.windowManager();
    std::string wmState = wm.running() ? "; the window manager's threads:" + stacksOf(wm.pid())
                                       : "; the window manager has ended (" +
                                             std::to_string(wm.exitCode().value_or(-1)) + ")";
    return "no game window within " + seconds(3 * timeoutMs_) +
           (frames.empty() ? std::string() : "; the game's threads:" + frames) + wmState;
  }, 3 * timeoutMs_);
  focusGameWindow(x_, *w);
}

void Runner::checkAlive(const std::string& waitingFor) {
  if (game_.running()) return;
  std::string why = "the game ended (exit code " + std::to_string(game_.exitCode().value_or(-1)) +
                    ") while waiting for " + waitingFor;
  if (fs::exists(work("error.txt"))) why += "; error.txt:" + tail(readFile(work("error.txt")), 5);
  std::vector<std::string> lines = newLogLines();
  seenSinceMark_.insert(seenSinceMark_.end(), lines.begin(), lines.end());
  if (!seenSinceMark_.empty()) why += "; its last log lines:" + tail(joined(seenSinceMark_, "\n"), 8);
  fail(why);
}

void Runner::waitExit() {
  auto code = game_.wait(timeoutMs_);
  if (!code) fail("the game was still running after " + seconds(timeoutMs_));
  if (*code != 0) {
    std::string why = "the game ended with exit code " + std::to_string(*code) + " (0 expected)";
    if (fs::exists(work("error.txt"))) why += "; error.txt:" + tail(readFile(work("error.txt")), 5);
    fail(why);
  }
  // A clean exit may still leave an error behind (a failed check the game
  // survives): the run that wrote it fails here, at its own step.
  if (fs::exists(work("error.txt"))) fail("the game exited but wrote error.txt:" + tail(readFile(work("error.txt")), 10));
}

WindowInfo Runner::window() {
  checkAlive("its window");
  std::optional<WindowInfo> w;
  waitFor([&] { return (w = x_.findWindow("Brasswick")).has_value(); },
          [] { return std::string("the game's window is not on the screen"); });
  return *w;
}

void Runner::xdotool(std::vector<std::string> args) {
  pointerAt_.reset();
  if (args.empty()) return;
  args.insert(args.begin(), "xdotool");
  std::string output;
  int code = runProgram(args, {{"DISPLAY", x_.display()}}, 10000, &output);
  if (code != 0) fail("\"" + joined(args) + "\" failed with exit code " + std::to_string(code) + ": " + output);
}

std::vector<std::string> Runner::moveTo(int x, int y) {
  // xdotool's --sync waits for the pointer to move, so a move to where it
  // already is would never return.
  WindowInfo w = window();
  std::pair<int, int> target{w.x + x, w.y + y};
  if (!pointerAt_) pointerAt_ = x_.pointer();
  if (pointerAt_ == target) return {};
  pointerAt_ = target;
  return {"mousemove", "--window", std::to_string(w.id), "--sync", std::to_string(x), std::to_string(y)};
}

void Runner::markLog() {
  std::error_code ec;
  auto size = fs::file_size(work("log.txt"), ec);
  logOffset_ = ec ? 0 : size;
  seenSinceMark_.clear();
  pressesTaken_ = releasesTaken_ = 0;
}

void Runner::sendInput(const std::vector<std::string>& args) {
  std::error_code ec;
  auto size = fs::file_size(work("log.txt"), ec);
  sentAt_ = ec ? 0 : size;
  xdotool(args);
}

int Runner::waitInputTaken(const std::string& prefix, int count, const std::string& what) {
  int seen = 0;
  waitFor([&] {
    // The game may have gone (a Quit acts on the press): wait-exit judges that.
    if (!game_.running()) {
      seen = count;
      return true;
    }
    std::string text = readFile(work("log.txt"));
    seen = 0;
    for (const std::string& line : splitLines(text.size() > logOffset_ ? text.substr(logOffset_) : ""))
      if (logMessage(line).rfind(prefix, 0) == 0) ++seen;
    if (seen >= count) return true;
    for (const std::string& line : splitLines(text.size() > sentAt_ ? text.substr(sentAt_) : ""))
      if (logMessage(line).rfind("switching to ", 0) == 0) return true;
    return false;
  }, [&] {
    return "the game did not take " + what + " within " + seconds(timeoutMs_) + " (" + std::to_string(seen) +
           " of " + std::to_string(count) + " \"" + prefix + "\" lines in the log)";
  });
  return std::min(seen, count);
}

void Runner::mouseClick(const std::string& button, std::vector<std::string> before) {
  before.insert(before.end(), {"mousedown", button});
  sendInput(before);
  pressesTaken_ = waitInputTaken("mouse-pressing " + button, pressesTaken_ + 1, "the press of button " + button);
  sendInput({"sleep", "0.05", "mouseup", button});
  releasesTaken_ =
      waitInputTaken("mouse-releasing " + button, releasesTaken_ + 1, "the release of button " + button);
}

void Runner::keyStroke(const std::string& key) {
  // "ctrl+z" holds ctrl and z together: two presses, two releases.
  const int keys = int(std::count(key.begin(), key.end(), '+')) + 1;
  sendInput({"keydown", key});
  pressesTaken_ = waitInputTaken("pressing ", pressesTaken_ + keys, "the key press " + key);
  sendInput({"keyup", key});
  releasesTaken_ = waitInputTaken("releasing ", releasesTaken_ + keys, "the key release " + key);
}

std::vector<std::string> Runner::newLogLines(bool stopAtMatch, const std::string& text) {
  std::vector<std::string> lines;
  std::ifstream in(work("log.txt"), std::ios::binary);
  if (!in) return lines;
  in.seekg(std::streamoff(logOffset_));
  std::string chunk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Only whole lines (the game may be half way through writing the last);
  // after a match the rest stays for the next wait.
  size_t at = 0;
  for (size_t nl; (nl = chunk.find('\n', at)) != std::string::npos; at = nl + 1) {
    std::string line = chunk.substr(at, nl - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    logOffset_ += nl + 1 - at;
    if (stopAtMatch && logMessage(line).find(text) != std::string::npos) break;
  }
  return lines;
}

void Runner::waitLog(const std::string& text) {
  bool found = false;
  waitFor([&] {
    for (const std::string& line : newLogLines(true, text)) {
      seenSinceMark_.push_back(line);
      if (logMessage(line).find(text) != std::string::npos) found = true;
    }
    if (!found) checkAlive("the log line \"" + text + "\"");
    return found;
  }, [&] {
    std::string why = "waited " + seconds(timeoutMs_) + " for a log line containing \"" + text + "\"; none came";
    why += seenSinceMark_.empty() ? " (no log lines at all since the step before)"
                                  : "; log lines since the step before:" + tail(joined(seenSinceMark_, "\n"), 12);
    return why;
  });
  seenSinceMark_.clear();
}

void Runner::checkSwitches(const std::vector<std::string>& expected) {
  std::vector<std::string> lines = splitLines(readFile(work("log.txt")));
  std::vector<std::string> seen;
  for (const std::string& line : lines) {
    std::string m = logMessage(line);
    if (m.rfind("STARTUP: ", 0) == 0) seen.clear();
    if (m.rfind("switching to ", 0) == 0) seen.push_back(m.substr(13));
  }
  if (seen != expected)
    fail("this run switched to [" + joined(seen) + "], the script expects [" + joined(expected) + "]");
  runChecked_ = true;
}

void Runner::screenshot(const Step& step) {
  ++shots_;
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02d-", shots_);
  fs::path file = fs::path(options_.screenshotDir) / (prefix + step.args[0] + ".png");
  Capture last;
  std::string mismatch;
  auto probesHold = [&] {
    last = x_.capture(window());
    mismatch.clear();
    for (const PixelProbe& p : step.probes) {
      if (!last.contains(p.x, p.y)) {
        mismatch += "\n    line " + std::to_string(p.line) + ": (" + std::to_string(p.x) + ", " +
                    std::to_string(p.y) + ") is outside the " + std::to_string(last.width) + "x" +
                    std::to_string(last.height) + " window";
        continue;
      }
      std::uint32_t got = last.at(p.x, p.y);
      if (close(got, p.colour, p.tolerance) != p.negate) continue;
      mismatch += "\n    line " + std::to_string(p.line) + ": (" + std::to_string(p.x) + ", " + std::to_string(p.y) +
                  ") is " + hex(got) + ", expected " + (p.negate ? "anything but " : "") + hex(p.colour) +
                  " within " + std::to_string(p.tolerance);
    }
    return mismatch.empty();
  };
  // The screen may still be fading: look again until the probes hold.
  waitFor(probesHold, [&] {
    fs::path failed = fs::path(options_.screenshotDir) / (prefix + step.args[0] + "-mismatch.png");
    savePng(last, failed.string());
    return "the screen did not show what the probes expect within " + seconds(timeoutMs_) + ":" + mismatch +
           "\n  last capture: " + failed.string();
  });
  if (!savePng(last, file.string())) fail("cannot write " + file.string());
}

void Runner::execute(const Step& step) {
  const std::string& v = step.verb;
  const auto& a = step.args;
  auto textFrom = [&](size_t i) { return unescape(joined(std::vector<std::string>(a.begin() + long(i), a.end()))); };
  if (v == "start") {
    startGame();
  } else if (v == "close") {
    markLog();
    if (!x_.requestClose(window())) fail("cannot send the close request");
  } else if (v == "wait-exit") {
    waitExit();
  } else if (v == "timeout") {
    timeoutMs_ = arg(step, 0) * 1000 * options_.timeScale;
  } else if (v == "wait-log") {
    waitLog(step.rest);
  } else if (v == "click" || v == "right-click" || v == "double-click") {
    markLog();
    const std::string button = v == "right-click" ? "3" : "1";
    mouseClick(button, moveTo(arg(step, 0), arg(step, 1)));
    if (v == "double-click") mouseClick(button, {});
  } else if (v == "move") {
    markLog();
    xdotool(moveTo(arg(step, 0), arg(step, 1)));
  } else if (v == "press" || v == "release") {
    markLog();
    // A button held when the game went away is let go where it is.
    std::vector<std::string> cmd;
    if (v == "press" || game_.running()) cmd = moveTo(arg(step, 0), arg(step, 1));
    cmd.insert(cmd.end(), {v == "press" ? "mousedown" : "mouseup", "1"});
    sendInput(cmd);
    if (v == "press") waitInputTaken("mouse-pressing 1", 1, "the press of button 1");
    else waitInputTaken("mouse-releasing 1", 1, "the release of button 1");
  } else if (v == "drag" || v == "right-drag") {
    markLog();
    // Pressed, moved in small steps at a hand's pace, released. The first
    // step may switch the screen (a drag starting), so the rest follows a
    // moment later.
    const std::string button = v == "drag" ? "1" : "3";
    int x0 = arg(step, 0), y0 = arg(step, 1), x1 = arg(step, 2), y1 = arg(step, 3);
    std::vector<std::string> cmd = moveTo(x0, y0);
    cmd.insert(cmd.end(), {"mousedown", button});
    sendInput(cmd);
    waitInputTaken("mouse-pressing " + button, 1, "the press of button " + button);
    cmd = {"sleep", "0.1"};
    const int parts = 8;
    for (int i = 1; i <= parts; ++i) {
      std::vector<std::string> m = moveTo(x0 + (x1 - x0) * i / parts, y0 + (y1 - y0) * i / parts);
      cmd.insert(cmd.end(), m.begin(), m.end());
      cmd.insert(cmd.end(), {"sleep", i == 1 ? "0.15" : "0.03"});
    }
    cmd.insert(cmd.end(), {"sleep", "0.1", "mouseup", button});
    sendInput(cmd);
    waitInputTaken("mouse-releasing " + button, 1, "the release of button " + button);
  } else if (v == "wheel") {
    markLog();
    if (a[0] != "up" && a[0] != "down") fail("wheel takes up or down");
    std::vector<std::string> cmd = moveTo(arg(step, 1), arg(step, 2));
    cmd.insert(cmd.end(), {"click", a[0] == "up" ? "4" : "5"});
    xdotool(cmd);
  } else if (v == "key") {
    markLog();
    window();
    for (const std::string& key : a) keyStroke(key);
  } else if (v == "key-down" || v == "key-up") {
    // A modifier held over the steps between, as for a Ctrl-drag.
    markLog();
    window();
    sendInput({v == "key-down" ? "keydown" : "keyup", a[0]});
    if (v == "key-down") {
      waitInputTaken("pressing ", 1, "the key press " + a[0]);
      heldKeys_.insert(a[0]);
    } else {
      waitInputTaken("releasing ", 1, "the key release " + a[0]);
      heldKeys_.erase(a[0]);
    }
  } else if (v == "type") {
    markLog();
    window();
    xdotool({"type", "--delay", "40", step.rest});
  } else if (v == "resize") {
    markLog();
    xdotool({"windowsize", std::to_string(window().id), a[0], a[1]});
  } else if (v == "expect-window") {
    int w = arg(step, 0), h = arg(step, 1);
    WindowInfo last;
    waitFor([&] {
      last = window();
      return last.width == w && last.height == h;
    }, [&] {
      return "the window is " + std::to_string(last.width) + "x" + std::to_string(last.height) + ", not " + a[0] +
             "x" + a[1];
    });
  } else if (v == "screenshot") {
    screenshot(step);
  } else if (v == "switches") {
    checkSwitches(a);
  } else if (v == "expect-file") {
    waitFor([&] { return fs::is_regular_file(work(a[0])); }, [&] { return a[0] + " is not there"; });
  } else if (v == "expect-no-file") {
    if (fs::exists(work(a[0]))) fail(a[0] + " is there and should not be");
  } else if (v == "expect-line" || v == "expect-no-line") {
    if (a.size() < 2) fail(v + " takes a file and a line");
    std::string want = textFrom(1);
    auto has = [&] {
      std::vector<std::string> lines = splitLines(readFile(work(a[0])));
      return std::find(lines.begin(), lines.end(), want) != lines.end();
    };
    if (v == "expect-no-line") {
      if (has()) fail(a[0] + " has the line \"" + want + "\"");
    } else {
      waitFor(has, [&] {
        std::string content = readFile(work(a[0]));
        return a[0] + (fs::exists(work(a[0])) ? " has no line \"" + want + "\"; it holds:" + tail(content, 12)
                                             : std::string(" is not there"));
      });
    }
  } else if (v == "expect-files") {
    std::vector<std::string> want(a.begin() + 1, a.end());
    std::sort(want.begin(), want.end());
    std::vector<std::string> got;
    waitFor([&] { return (got = filesUnder(work(a[0]))) == want; },
            [&] { return a[0] + " holds [" + joined(got, ", ") + "], expected [" + joined(want, ", ") + "]"; });
  } else if (v == "copy") {
    fs::path from = fs::path(options_.sourceDir) / a[0];
    std::error_code ec;
    fs::create_directories(work(a[1]).parent_path(), ec);
    fs::copy(from, work(a[1]), fs::copy_options::overwrite_existing | fs::copy_options::recursive, ec);
    if (ec) fail("cannot copy " + from.string() + ": " + ec.message());
  } else if (v == "write") {
    if (a.size() < 2) fail("write takes a file and its text");
    std::error_code ec;
    fs::create_directories(work(a[0]).parent_path(), ec);
    std::ofstream out(work(a[0]), std::ios::binary | std::ios::trunc);
    out << textFrom(1);
    if (!out) fail("cannot write " + a[0]);
  } else if (v == "remove") {
    std::error_code ec;
    fs::remove_all(work(a[0]), ec);
  } else if (v == "keep") {
    if (!fs::is_regular_file(work(a[0]))) fail(a[0] + " is not there to keep");
    kept_[a[1]] = readFile(work(a[0]));
  } else if (v == "expect-same") {
    auto it = kept_.find(a[1]);
    if (it == kept_.end()) fail("nothing was kept as \"" + a[1] + "\"");
    std::string now;
    waitFor([&] { return (now = readFile(work(a[0]))) == it->second; }, [&] {
      return a[0] + " differs from what was kept as \"" + a[1] + "\"; now:" + tail(now, 12) + "\n  kept:" +
             tail(it->second, 12);
    });
  } else {
    fail("no such step");
  }
}
}  // namespace

PlayResult runScript(const Script& script, const PlayOptions& options) { return Runner(script, options).run(); }
