#pragma once
// Line-based save-format conventions and the file helpers every loader and
// saver uses. Paths are relative, '/'-separated, under the working folder.
#include <fstream>
#include <istream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// The working-folder directories.
extern const std::string baseDirectory;       // ""
extern const std::string profilesDirectory;   // "profiles/"
extern const std::string settingsDirectory;   // "settings/"
extern const std::string communityDirectory;  // "community/"
// Whole-file rewrites go through "<path>" + this; such a file is never data.
extern const std::string tempFileSuffix;      // ".tmp"

// One line-based format: the magic first line and its version list. Index 0
// is always "BUGGY" (never accepted); the last entry is the version written.
struct SaveFormat {
  std::string magic;
  std::vector<std::string> versions;
  const std::string& currentVersion() const { return versions.back(); }
  int currentVersionIndex() const { return int(versions.size()) - 1; }
};

// Reads one line ending in LF, CR LF or a lone CR (never stored). A last line
// without a line end is returned with the stream still good; reading at the
// very end sets eof and leaves line empty.
std::istream& readLine(std::istream& in, std::string& line);
bool checkMagicLine(std::istream& in, const std::string& magic);

// The lines left in a stream, read as readLine reads them but a block at a
// time (a file of millions of lines loads in its reading time). It reads
// ahead of the line it returns, so the stream is the reader's alone from then
// on. One line can be handed back to be read again. Never throws: a stream
// that fails to read ends the lines, and failed() tells.
class LineReader {
 public:
  explicit LineReader(std::istream& in) : in_(in) {}
  bool next(std::string& line);
  // The line last returned by next is returned again by the next call.
  void back() { replay_ = true; }
  bool failed() const { return failed_; }

 private:
  bool fill();
  std::istream& in_;
  std::string buffer_;
  size_t pos_ = 0;
  bool ended_ = false;
  bool failed_ = false;
  bool replay_ = false;
  std::string last_;
};
int indexOfString(const std::vector<std::string>& list, const std::string& text);

// Reads the magic and version lines. Returns the version index (>= 1) or an
// error text as the loaders word it: "<kind> <path> (magic string not found)"
// or "<kind> <path> (unknown version <line>)", where kind is e.g. "invalid save file".
struct VersionCheck {
  int version = 0;
  std::string error;
};
VersionCheck readHeader(std::istream& in, const SaveFormat& format, const std::string& kind,
                        const std::string& path);

bool fileExists(const std::string& path);
bool isDirectory(const std::string& path);
// Opens path for reading. Only a regular file (or a link to one) is opened:
// a folder, a device, a pipe or a link loop where a file belongs would throw,
// block or never end. Such a path gives a failed stream, one log line, and
// the reason in refusal ("a folder, not a file", "not a regular file"); a
// missing file gives a failed stream and an empty reason.
std::ifstream openForReading(const std::string& path, std::string* refusal = nullptr);
// Creates one directory; fatal ("Error while making directory ...") on failure.
// A directory that already exists is not an error.
void makeDirectory(const std::string& path);
// Creates every missing directory before the file name of path.
void makeParentDirectories(const std::string& path);
// Opens path for writing (out truncates; out|app appends) after creating its
// directories. Used for the append-only files; whole-file rewrites go through
// AtomicFileWriter.
std::ofstream openFileForWrite(const std::string& path, std::ios::openmode mode);

// Writes a whole file so that it either fully replaces the old one or leaves
// it untouched: the text goes to "<path>.tmp" in the same folder, is flushed
// to the disk, renamed over path, and the folder is flushed after the rename.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string path) : path_(std::move(path)) {}
  std::ostream& stream() { return buffer_; }
  const std::string& path() const { return path_; }
  // "" on success; "Failed to open file <shownName>!" when the temporary
  // file can't be made, "Failed to write file <shownName>!" when writing or
  // renaming fails. shownName defaults to the path.
  std::string commit(const std::string& shownName = "");

 private:
  std::string path_;
  std::ostringstream buffer_;
};

// Convenience: writes text to path atomically, as AtomicFileWriter::commit.
std::string writeFileAtomically(const std::string& path, const std::string& text,
                                const std::string& shownName = "");

// Every subdirectory of dir (which ends in '/') as dir + name, sorted by name,
// dot-entries skipped; a missing directory gives an empty list.
std::vector<std::string> listSubdirectories(const std::string& dir);
// Deletes dir and everything in it without following links; 0 on success or
// when dir is missing, else the first error code.
int removeDirectoryTree(const std::string& dir);

std::string formatOrigin(int x, int y);
// The first two integers (-?\d+) anywhere in text; (0, 0) and a printed line
// "Invalid origin string for <context>: <text>" when there are fewer, or when
// one does not fit an int.
std::pair<int, int> parseOrigin(const std::string& text, const std::string& context);

// The active profile's global files (records, last puzzle, tutorial and
// seen-module flags): getProfileDir() + "global/" + name.
std::string profileGlobalPath(const std::string& name);
// Opens one for reading (as openForReading); a missing file, or no selected
// profile, gives a failed stream.
std::ifstream openProfileGlobalFile(const std::string& name, std::string* refusal = nullptr);
// Rewrites one atomically; errors name the file alone ("Failed to open file
// records.mgrlr!"), also when no profile is selected yet.
std::string writeProfileGlobalFile(const std::string& name, const std::string& text);

// A player's file under profiles/ that exists but could not be loaded is
// renamed to "<path>.bad" (replacing an older one) with one log line, so a
// later save never erases the only copy. Game data outside profiles/ is
// read-only and never moved. True when the file was moved.
bool moveAsideBadProfileFile(const std::string& path, const std::string& reason);

// Deletes every "<name>.tmp" file under dir (links not followed) that an
// interrupted save left behind, with a log line each; the number removed.
// Called when a profile loads, before anything else can be writing.
int removeStaleTempFiles(const std::string& dir);

// Fuzzing seam: when cleared, whole-file saves skip flushing to the disk (a
// fuzz target saves thousands of times a second and no power is cut).
void setFlushSavesToDisk(bool flush);

// Test seam: when set, AtomicFileWriter::commit fails as if the disk were full.
void setSimulateWriteFailure(bool fail);
