#include "saves/flag_file.h"

#include "saves/line_reports.h"
#include "saves/profiles.h"
#include "base/log.h"
#include "base/strings.h"

std::string loadFlagFile(const FlagFileRules& rules, const std::function<void(int)>& set) {
  std::string refusal;
  std::ifstream in = openProfileGlobalFile(rules.fileName, &refusal);
  if (!refusal.empty()) return "invalid save file " + rules.fileName + " (" + refusal + ")";
  VersionCheck check = readHeader(in, rules.format, "invalid save file", rules.fileName);
  if (!check.error.empty()) {
    in.close();
    // Nothing was read before a profile is selected, so nothing to move.
    if (activeProfile != -1) moveAsideBadProfileFile(profileGlobalPath(rules.fileName), check.error);
    return check.error;
  }
  if (check.version <= rules.ignoredUpToVersion) return "";
  std::string firstError;
  LineReports reports(LineReports::Destination::log, rules.fileName);
  auto reject = [&](const std::string& text) {
    // One bad line costs only itself; the flags after it still load.
    reports.report(text + " (skipped in " + rules.fileName + ")");
    if (firstError.empty()) firstError = text;
  };
  std::string line;
  LineReader lines(in);
  while (lines.next(line)) {
    size_t start = 0;
    while (start < line.size() && !isAsciiDigit(line[start])) ++start;
    size_t end = start;
    while (end < line.size() && isAsciiDigit(line[end])) ++end;
    if (start == end) {
      reject(rules.badLineText + line);
      continue;
    }
    std::string digits = line.substr(start, end - start);
    auto number = parseInt(digits);
    if (!number || *number > rules.maxFlag) {
      reject(rules.outOfRangeText + (number ? std::to_string(*number) : digits));
      continue;
    }
    set(*number);
  }
  return firstError;
}
