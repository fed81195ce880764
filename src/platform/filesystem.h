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

// Creates one directory; 0 on success (or when it already exists as a
// directory), else the system error number.
int createDirectory(const std::string& path);

// Deletes a file, a link (never what it points to) or a whole tree.
// 0 on success or when nothing is there, else the first error number.
int removeTree(const std::string& path);

// Renames from over to (replacing to); 0 on success, else the error number.
int renamePath(const std::string& from, const std::string& to);

}  // namespace platform
