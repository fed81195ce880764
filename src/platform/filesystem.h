#pragma once
// Our own small file-system layer (directory listing, status, removal) over
// std::filesystem. Never throws; errors come back as error codes.
#include <string>
#include <vector>

namespace platform {

struct DirEntry {
  std::string name;
  bool isDirectory = false;
  bool isSymlink = false;
};

// Entries of dir sorted by name; names beginning with '.' are skipped. A link
// to a folder counts as a folder (isSymlink says it is a link).
// A missing or unreadable directory gives an empty list.
std::vector<DirEntry> listDirectory(const std::string& dir);

bool pathExists(const std::string& path);
bool pathIsDirectory(const std::string& path);

// What a path names once links are followed. A dangling link is missing; a
// link loop or an entry that can't be looked at is other.
enum class PathKind { missing, regular, directory, other };
PathKind pathKind(const std::string& path);

// Creates one directory; 0 on success (or when it already exists as a
// directory), else the system error number.
int createDirectory(const std::string& path);

// Deletes a file, a link (never what it points to) or a whole tree.
// 0 on success or when nothing is there, else the first error number.
int removeTree(const std::string& path);

// Renames from over to (replacing to); 0 on success, else the error number.
int renamePath(const std::string& from, const std::string& to);

// Writes data to path (created or truncated) and flushes it to the disk
// before returning, so a rename that follows never publishes an empty file
// after a power cut. 0 on success, else the error number; opened tells
// whether the file could be opened at all.
int writeFileDurably(const std::string& path, const std::string& data, bool* opened = nullptr, bool flush = true);
// Flushes a folder's entries (a rename in it) to the disk; 0 or the error number.
int syncDirectory(const std::string& dir);

}  // namespace platform
