#include "platform/filesystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {

std::vector<DirEntry> listDirectory(const std::string& dir) {
  std::vector<DirEntry> entries;
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? "." : dir, ec), end;
  if (ec) return entries;
  for (; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    DirEntry entry;
    entry.name = name;
    std::error_code sec;
    entry.isSymlink = it->is_symlink(sec);
    // A link to a folder lists as a folder, as the system's own listing
    // shows it; only deletion refuses to follow links.
    entry.isDirectory = it->is_directory(sec);
    entries.push_back(entry);
  }
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return entries;
}

bool pathExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec)) && !ec;
}

bool pathIsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec) && !ec;
}

PathKind pathKind(const std::string& path) {
  struct stat info {};
  if (::stat(path.empty() ? "." : path.c_str(), &info) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? PathKind::missing : PathKind::other;
  }
  if (S_ISREG(info.st_mode)) return PathKind::regular;
  if (S_ISDIR(info.st_mode)) return PathKind::directory;
  return PathKind::other;
}

int createDirectory(const std::string& path) {
  std::error_code ec;
  if (fs::create_directory(path, ec)) return 0;
  if (!ec && pathIsDirectory(path)) return 0;
  if (ec && pathIsDirectory(path)) return 0;
  return ec ? ec.value() : int(std::errc::file_exists);
}

int removeTree(const std::string& given) {
  // "link/" would resolve through the link: look at the entry itself.
  std::string path = given;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  std::error_code ec;
  auto status = fs::symlink_status(path, ec);
  if (ec || !fs::exists(status)) return 0;
  if (fs::is_directory(status)) {
    // Every entry goes, dot-files included, or the folder itself could not.
    fs::directory_iterator it(path, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      int r = removeTree(it->path().string());
      if (r != 0) return r;
    }
  }
  fs::remove(path, ec);  // removes a link itself, never its target
  return ec ? ec.value() : 0;
}

int renamePath(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return ec ? ec.value() : 0;
}

int writeFileDurably(const std::string& path, const std::string& data, bool* opened, bool flush) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (opened) *opened = fd >= 0;
  if (fd < 0) return errno;
  int error = 0;
  for (std::size_t done = 0; done < data.size() && error == 0;) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno != EINTR) error = errno;
    } else {
      done += std::size_t(n);
    }
  }
  if (error == 0 && flush && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

int syncDirectory(const std::string& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = ::fsync(fd) != 0 ? errno : 0;
  ::close(fd);
  return error;
}

}  // namespace platform
