#include "saves/file_utils.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "platform/filesystem.h"
#include "saves/profiles.h"
#include "base/log.h"
#include "base/strings.h"

const std::string baseDirectory = "";
const std::string profilesDirectory = baseDirectory + "profiles/";
const std::string settingsDirectory = baseDirectory + "settings/";
const std::string communityDirectory = baseDirectory + "community/";
const std::string tempFileSuffix = ".tmp";

namespace {
std::atomic<bool> simulateWriteFailure{false};
std::atomic<bool> flushSavesToDisk{true};

// Whole-file rewrites and move-asides go one at a time: the validation
// worker may rewrite or move a working save while the main thread saves it,
// and both would otherwise share "<path>.tmp".
std::mutex& fileReplaceMutex() {
  static std::mutex mutex;
  return mutex;
}
}  // namespace

void setSimulateWriteFailure(bool fail) { simulateWriteFailure = fail; }
void setFlushSavesToDisk(bool flush) { flushSavesToDisk = flush; }

std::istream& readLine(std::istream& in, std::string& line) {
  line.clear();
  std::istream::sentry guard(in, true);
  if (!guard) return in;
  std::streambuf* buf = in.rdbuf();
  bool readAny = false;
  // The buffer is read directly, outside the stream's own guard: a read
  // error (a folder opened as a file, a failing disk) throws from it, and
  // must end the line as a failed read instead.
  try {
    for (;;) {
      int c = buf->sbumpc();
      if (c == std::char_traits<char>::eof()) {
        if (!readAny) in.setstate(std::ios::eofbit | std::ios::failbit);
        // A last line without a line end: return it with the stream still good.
        return in;
      }
      readAny = true;
      if (c == '\n') return in;
      if (c == '\r') {
        if (buf->sgetc() == '\n') buf->sbumpc();
        return in;
      }
      line.push_back(char(c));
    }
  } catch (...) {
    line.clear();
    in.setstate(std::ios::badbit | std::ios::failbit);
  }
  return in;
}

bool checkMagicLine(std::istream& in, const std::string& magic) {
  std::string line;
  if (!readLine(in, line)) return false;
  return line == magic;
}

bool LineReader::fill() {
  if (ended_) return false;
  buffer_.erase(0, pos_);
  pos_ = 0;
  if (!in_) {
    ended_ = true;
    return false;
  }
  try {
    char chunk[1 << 16];
    const std::streamsize n = in_.rdbuf()->sgetn(chunk, sizeof chunk);
    if (n <= 0) {
      ended_ = true;
      return false;
    }
    buffer_.append(chunk, size_t(n));
  } catch (...) {
    in_.setstate(std::ios::badbit);
    failed_ = true;
    ended_ = true;
    return false;
  }
  return true;
}

bool LineReader::next(std::string& line) {
  if (replay_) {
    replay_ = false;
    line = last_;
    return true;
  }
  size_t searched = pos_;
  for (;;) {
    const size_t end = buffer_.find_first_of("\r\n", searched);
    if (end != std::string::npos) {
      // A CR at the end of what is read so far may be the first half of CR LF.
      if (buffer_[end] == '\r' && end + 1 == buffer_.size() && !ended_) {
        const size_t offset = end - pos_;
        if (fill()) {
          searched = pos_ + offset;
          continue;
        }
        searched = pos_ + offset;
        continue;
      }
      last_.assign(buffer_, pos_, end - pos_);
      pos_ = end + 1;
      if (buffer_[end] == '\r' && pos_ < buffer_.size() && buffer_[pos_] == '\n') ++pos_;
      line = last_;
      return true;
    }
    const size_t offset = buffer_.size() - pos_;
    if (!fill()) {
      if (pos_ >= buffer_.size()) return false;
      // A last line without a line end.
      last_.assign(buffer_, pos_, std::string::npos);
      pos_ = buffer_.size();
      line = last_;
      return true;
    }
    searched = pos_ + offset;
  }
}

int indexOfString(const std::vector<std::string>& list, const std::string& text) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) return int(i);
  }
  return -1;
}

VersionCheck readHeader(std::istream& in, const SaveFormat& format, const std::string& kind,
                        const std::string& path) {
  VersionCheck result;
  if (!checkMagicLine(in, format.magic)) {
    result.error = kind + " " + path + " (magic string not found)";
    return result;
  }
  std::string line;
  readLine(in, line);
  int index = indexOfString(format.versions, line);
  if (index <= 0) {
    result.error = kind + " " + path + " (unknown version " + line + ")";
    return result;
  }
  result.version = index;
  return result;
}

bool fileExists(const std::string& path) { return platform::pathExists(path); }
bool isDirectory(const std::string& path) { return platform::pathIsDirectory(path); }

std::ifstream openForReading(const std::string& path, std::string* refusal) {
  std::string why;
  switch (platform::pathKind(path)) {
    case platform::PathKind::regular:
    case platform::PathKind::missing:
      break;
    case platform::PathKind::directory:
      why = "a folder, not a file";
      break;
    case platform::PathKind::other:
      why = "not a regular file";
      break;
  }
  if (refusal) *refusal = why;
  if (!why.empty()) {
    logLine("Not reading " + path + ": " + why);
    return std::ifstream();
  }
  return std::ifstream(path, std::ios::in | std::ios::binary);
}

void makeDirectory(const std::string& path) {
  int err = platform::createDirectory(path);
  if (err != 0) {
    std::printf("Error while making directory %s: %d\n", path.c_str(), err);
    ensure(false, "Error while making directory " + path + ": " + std::to_string(err));
  }
}

void makeParentDirectories(const std::string& path) {
  std::vector<std::string> parts = splitString(path, '/');
  ensure(!parts.empty(), "empty split path when opening " + path + " to write");
  std::string prefix;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    if (i > 0) prefix += "/";
    prefix += parts[i];
    if (!isDirectory(prefix)) makeDirectory(prefix);
  }
}

std::ofstream openFileForWrite(const std::string& path, std::ios::openmode mode) {
  makeParentDirectories(path);
  return std::ofstream(path, mode | std::ios::binary);
}

std::string AtomicFileWriter::commit(const std::string& shownName) {
  const std::string& name = shownName.empty() ? path_ : shownName;
  std::lock_guard<std::mutex> lock(fileReplaceMutex());
  makeParentDirectories(path_);
  const std::string tmp = path_ + tempFileSuffix;
  // The text reaches the disk before the rename publishes it, and the
  // folder's entry after: a power cut leaves the old file or the new one,
  // never an empty one.
  bool opened = false;
  const int written = platform::writeFileDurably(tmp, simulateWriteFailure ? std::string() : buffer_.str(), &opened,
                                                 flushSavesToDisk);
  if (!opened) return "Failed to open file " + name + "!";
  if (written != 0 || simulateWriteFailure) {
    std::remove(tmp.c_str());
    return "Failed to write file " + name + "!";
  }
  if (platform::renamePath(tmp, path_) != 0) {
    std::remove(tmp.c_str());
    return "Failed to write file " + name + "!";
  }
  const size_t slash = path_.rfind('/');
  if (flushSavesToDisk) platform::syncDirectory(slash == std::string::npos ? "." : path_.substr(0, slash));
  return "";
}

std::string writeFileAtomically(const std::string& path, const std::string& text,
                                const std::string& shownName) {
  AtomicFileWriter writer(path);
  writer.stream() << text;
  return writer.commit(shownName);
}

std::vector<std::string> listSubdirectories(const std::string& dir) {
  std::vector<std::string> result;
  for (const platform::DirEntry& entry : platform::listDirectory(dir)) {
    if (entry.isDirectory) result.push_back(dir + entry.name);
  }
  return result;
}

int removeDirectoryTree(const std::string& dir) { return platform::removeTree(dir); }

std::string formatOrigin(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

std::pair<int, int> parseOrigin(const std::string& text, const std::string& context) {
  std::vector<int> numbers;
  bool ok = true;
  size_t i = 0;
  while (i < text.size() && numbers.size() < 2) {
    size_t start = i;
    if (text[i] == '-' && i + 1 < text.size() && isAsciiDigit(text[i + 1])) ++i;
    if (i < text.size() && isAsciiDigit(text[i])) {
      while (i < text.size() && isAsciiDigit(text[i])) ++i;
      auto value = parseInt(std::string_view(text).substr(start, i - start));
      if (!value) {
        ok = false;
        break;
      }
      numbers.push_back(*value);
    } else {
      i = start + 1;
    }
  }
  if (!ok || numbers.size() < 2) {
    std::printf("Invalid origin string for %s: %s\n", context.c_str(), text.c_str());
    return {0, 0};
  }
  return {numbers[0], numbers[1]};
}

std::string profileGlobalPath(const std::string& name) { return getProfileDir(-1) + "global/" + name; }

// Before a profile is selected there is no folder to read or write: reads
// find nothing and writes fail with their usual text (the tables stay in
// memory), rather than ending the program.
std::ifstream openProfileGlobalFile(const std::string& name, std::string* refusal) {
  if (refusal) refusal->clear();
  if (activeProfile == -1) return std::ifstream();
  return openForReading(profileGlobalPath(name), refusal);
}

std::string writeProfileGlobalFile(const std::string& name, const std::string& text) {
  if (activeProfile == -1) return "Failed to open file " + name + "!";
  return writeFileAtomically(profileGlobalPath(name), text, name);
}

bool moveAsideBadProfileFile(const std::string& path, const std::string& reason) {
  if (path.compare(0, profilesDirectory.size(), profilesDirectory) != 0) return false;
  if (path.find("..") != std::string::npos) return false;
  std::lock_guard<std::mutex> lock(fileReplaceMutex());
  // Only a file is moved; a folder or anything else where a file belongs is
  // left as it stands.
  if (platform::pathKind(path) != platform::PathKind::regular) return false;
  const std::string aside = path + ".bad";
  if (platform::renamePath(path, aside) != 0) {
    logLine("Could not move unreadable file " + path + " aside (" + reason + ")");
    return false;
  }
  logLine("Moved unreadable file " + path + " to " + aside + " (" + reason + ")");
  return true;
}

int removeStaleTempFiles(const std::string& dir) {
  std::lock_guard<std::mutex> lock(fileReplaceMutex());
  int removed = 0;
  std::vector<std::string> pending{dir};
  while (!pending.empty()) {
    const std::string folder = pending.back();
    pending.pop_back();
    for (const platform::DirEntry& entry : platform::listDirectory(folder)) {
      const std::string path = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + entry.name;
      if (entry.isSymlink) continue;
      if (entry.isDirectory) {
        pending.push_back(path);
      } else if (entry.name.ends_with(tempFileSuffix) && platform::pathKind(path) == platform::PathKind::regular &&
                 std::remove(path.c_str()) == 0) {
        logLine("Removed the temporary file " + path + " an interrupted save left");
        ++removed;
      }
    }
  }
  return removed;
}
