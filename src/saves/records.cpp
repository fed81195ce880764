#include "saves/records.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include <unordered_map>

#include "saves/file_utils.h"
#include "saves/line_reports.h"
#include "saves/profiles.h"
#include "base/log.h"
#include "base/strings.h"

std::map<int, PuzzleRecord> puzzleRecords;
std::vector<RetainedRecordLine> retainedRecordLines;

namespace {

const SaveFormat recordsFormat{"RECORD", {"BUGGY", "0.01", "0.02", "0.03", "0.04", "0.05"}};

// One record line split as name "::" ticks "::" modules. Newer files allow
// "::" inside the name (the first place where the two numbers follow ends
// it); older ones take the first colon-free name so followed, anywhere in the
// line, and ignore anything after the modules. Scanned by hand: a backtracking
// pattern over a very long line would run out of stack.
struct RecordLineMatch {
  std::string name;
  std::string ticks;
  std::string modules;
};

std::optional<RecordLineMatch> matchRecordLine(const std::string& line, bool oldStyle) {
  const size_t n = line.size();
  // The end of the digit run starting at i (i when none). Each run is
  // scanned only from the "::" just before it, so a line costs its length.
  auto digitEnd = [&](size_t i) {
    while (i < n && isAsciiDigit(line[i])) ++i;
    return i;
  };
  auto isPair = [&](size_t k) { return k + 1 < n && line[k] == ':' && line[k + 1] == ':'; };
  // "::digits::digits" at k; fills the two runs.
  auto tailAt = [&](size_t k, RecordLineMatch& m) {
    if (!isPair(k)) return false;
    const size_t t0 = k + 2, t1 = digitEnd(t0);
    if (t1 == t0 || !isPair(t1)) return false;
    const size_t m0 = t1 + 2, m1 = digitEnd(m0);
    if (m1 == m0) return false;
    m.ticks = line.substr(t0, t1 - t0);
    m.modules = line.substr(m0, m1 - m0);
    return true;
  };
  RecordLineMatch m;
  if (!oldStyle) {
    for (size_t k = 1; k < n; ++k) {
      if (tailAt(k, m)) {
        m.name = line.substr(0, k);
        return m;
      }
    }
    return std::nullopt;
  }
  size_t s = 0;
  while (s < n) {
    if (line[s] == ':') {
      ++s;
      continue;
    }
    size_t k = line.find(':', s);
    if (k == std::string::npos) return std::nullopt;
    if (tailAt(k, m)) {
      m.name = line.substr(s, k - s);
      return m;
    }
    s = k + 1;
  }
  return std::nullopt;
}

struct ParsedRecords {
  std::map<int, PuzzleRecord> records;
  std::vector<RetainedRecordLine> retained;
  std::string error;  // a whole-file failure (header)
};

// Reads the body of a records file; quiet skips the log lines (used when
// counting another profile's progress).
ParsedRecords parseRecords(std::istream& in, const std::string& name, bool quiet) {
  ParsedRecords result;
  VersionCheck check = readHeader(in, recordsFormat, "invalid save file", name);
  if (!check.error.empty()) {
    result.error = check.error;
    return result;
  }
  const int version = check.version;
  LineReports reports(LineReports::Destination::log, name);
  auto skip = [&](const std::string& why) {
    if (!quiet) reports.report(why + " in " + name);
  };
  LineReports nuked(LineReports::Destination::standardOutput, name);
  LineReports dropped(LineReports::Destination::log, name);
  std::unordered_map<std::string, size_t> retainedIndex;
  std::string line;
  LineReader lines(in);
  while (lines.next(line)) {
    if (line.empty()) continue;
    std::optional<RecordLineMatch> m = matchRecordLine(line, version < 3);
    if (!m) {
      skip("Unparseable puzzle record line (no name): " + line);
      continue;
    }
    auto ticks = parseInt(m->ticks);
    auto modules = parseInt(m->modules);
    if (!ticks) {
      skip("Unparseable puzzle record line (no time): " + line);
      continue;
    }
    if (!modules) {
      skip("Unparseable puzzle record line (no modules): " + line);
      continue;
    }
    const std::string puzzleName = m->name;
    int id = puzzleIdByName(puzzleName);
    if (id == 0) {
      if (!quiet) reports.report("Couldn't parse puzzle name '" + puzzleName + "' from line '" + line + "' in " + name);
      PuzzleRecord record{*modules, *ticks};
      if (auto same = retainedIndex.find(puzzleName); same != retainedIndex.end()) {
        result.retained[same->second].record = record;
      } else if (result.retained.size() < maxRetainedRecordNames) {
        retainedIndex.emplace(puzzleName, result.retained.size());
        result.retained.push_back({puzzleName, record});
      } else if (!quiet) {
        dropped.reportLazily([&] { return "Not keeping the record of unknown puzzle '" + puzzleName + "' in " + name; });
      }
      continue;
    }
    if (version < 4 && (id == 15 || id == 37 || id == 59 || id == 66 || id == 79)) {
      if (!quiet) nuked.report("Nuking " + puzzleName + "\n");
      result.records[id] = PuzzleRecord{};
      continue;
    }
    PuzzleRecord record{*modules, *ticks};
    if (version < 5) {
      if (id == 74) record.bestModules = std::max(record.bestModules, 12);
      if (id == 77) record.bestModules = std::max(record.bestModules, 16);
    }
    result.records[id] = record;
  }
  return result;
}

}  // namespace

std::string recordsFileName() { return "records.mgrlr"; }
std::string lastPuzzleFileName() { return "last_puzzle.mgrlr"; }

std::string loadRecordsFile() {
  retainedRecordLines.clear();
  std::string refusal;
  std::ifstream in = openProfileGlobalFile(recordsFileName(), &refusal);
  if (!refusal.empty()) return "invalid save file " + recordsFileName() + " (" + refusal + ")";
  // A profile that hasn't beaten anything yet has no records file: no records, no error.
  if (!in.is_open()) return "";
  ParsedRecords parsed = parseRecords(in, recordsFileName(), false);
  in.close();
  if (!parsed.error.empty()) {
    // Nothing was read before a profile is selected, so nothing to move.
    if (activeProfile != -1) moveAsideBadProfileFile(profileGlobalPath(recordsFileName()), parsed.error);
    return parsed.error;
  }
  for (auto& [id, record] : parsed.records) puzzleRecords[id] = record;
  retainedRecordLines = std::move(parsed.retained);
  return "";
}

void adoptRetainedRecords() {
  std::vector<RetainedRecordLine> still;
  for (const RetainedRecordLine& line : retainedRecordLines) {
    int id = puzzleIdByName(line.name);
    if (id == 0) {
      still.push_back(line);
      continue;
    }
    auto [it, inserted] = puzzleRecords.try_emplace(id, line.record);
    if (!inserted) {
      it->second.bestModules = std::min(it->second.bestModules, line.record.bestModules);
      it->second.bestTicks = std::min(it->second.bestTicks, line.record.bestTicks);
    }
  }
  retainedRecordLines = std::move(still);
}

std::string saveRecords() {
  adoptRetainedRecords();
  std::string text = recordsFormat.magic + "\n" + recordsFormat.currentVersion() + "\n";
  auto lineOf = [](const std::string& name, const PuzzleRecord& r) {
    return name + "::" + std::to_string(r.bestTicks) + "::" + std::to_string(r.bestModules) + "\n";
  };
  for (const auto& [id, record] : puzzleRecords) text += lineOf(getPuzzleName(id), record);
  for (const RetainedRecordLine& line : retainedRecordLines) text += lineOf(line.name, line.record);
  return writeProfileGlobalFile(recordsFileName(), text);
}

std::map<int, PuzzleRecord> readProfileRecords(int profileIndex) {
  std::ifstream in = openForReading(getProfileDir(profileIndex) + "global/" + recordsFileName());
  if (!in) return {};
  ParsedRecords parsed = parseRecords(in, recordsFileName(), true);
  return parsed.error.empty() ? parsed.records : std::map<int, PuzzleRecord>{};
}

int loadLastPuzzle() {
  std::ifstream in = openProfileGlobalFile(lastPuzzleFileName());
  if (!in) return noPuzzle;
  std::string line;
  readLine(in, line);
  size_t start = 0;
  while (start < line.size() && !isAsciiDigit(line[start])) ++start;
  size_t end = start;
  while (end < line.size() && isAsciiDigit(line[end])) ++end;
  if (start == end) return noPuzzle;
  auto id = parseInt(std::string_view(line).substr(start, end - start));
  if (!id) return noPuzzle;
  // An unlisted row, a row past the table or a community puzzle whose folder
  // is gone would reach a fatal lookup later.
  return resolveLastPuzzle(*id);
}

void saveLastPuzzle(int puzzle) {
  std::string error = writeProfileGlobalFile(lastPuzzleFileName(), std::to_string(puzzle));
  if (!error.empty()) std::printf("Failed to open file %s!\n", lastPuzzleFileName().c_str());
}
