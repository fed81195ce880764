#include "saves/machine_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>

#include "model/module_geometry.h"
#include "model/clock_period.h"
#include "model/memory.h"
#include "model/module.h"
#include "model/module_config.h"
#include "model/module_defs.h"
#include "model/opcode_table.h"
#include "model/port.h"
#include "model/value.h"
#include "model/value_text.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/line_numbers.h"
#include "saves/line_reports.h"
#include "saves/profiles.h"
#include "base/utf8_text.h"
#include "base/log.h"
#include "base/strings.h"

namespace {

const SaveFormat machineFormat{"0451",
                               {"BUGGY", "0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08"}};

const std::string clockStart = "-CLOCK PERIOD START-";
const std::string clockEnd = "-CLOCK PERIOD END-";
const std::string configStart = "-CONFIG START-";
const std::string configEnd = "-CONFIG END-";
const std::string controlStart = "-CONTROL START-";
const std::string controlEnd = "-CONTROL END-";

// "-MODULE <digits> <tail>" as a whole line.
bool isModuleMarker(const std::string& line, const std::string& tail) {
  const std::string head = "-MODULE ";
  if (line.size() <= head.size() + tail.size() || line.compare(0, head.size(), head) != 0) return false;
  if (!line.ends_with(tail)) return false;
  for (size_t i = head.size(); i < line.size() - tail.size(); ++i) {
    if (!isAsciiDigit(line[i])) return false;
  }
  return true;
}
bool isModuleStart(const std::string& line) { return isModuleMarker(line, " START-"); }
bool isModuleEnd(const std::string& line) { return isModuleMarker(line, " END-"); }

// Far beyond any board a player can build on, and far enough from the int
// limits that the geometry's sums about a module never overflow.
bool inBoardRange(int v) { return v >= -(1 << 24) && v <= (1 << 24); }

// Any "-<name> START-" or "-<name> END-" line: where a section whose own end
// line is missing stops, so it never swallows the following modules.
bool isSectionMarker(const std::string& line) {
  return line.size() > 2 && line[0] == '-' && (line.ends_with(" START-") || line.ends_with(" END-"));
}

std::string kindName(int kind) {
  return kind >= 0 && kind < kModuleKindCount ? getModuleTypeName(kind) : "Unknown";
}

std::string describePort(const Port* port) {
  const Module* module = port->owner;
  const int earlier = module->portIndex(port, true);  // among the ports of its kind
  return "port type " + std::to_string(port->kind) + "-" + std::to_string(earlier) + " of " + module->name +
         " at " + formatOrigin(module->x, module->y);
}

// A configuration section is read until its first readable value; past this
// many unreadable lines the rest are passed over without trying them.
constexpr int kConfigLinesTried = 100;

// Hands each line of a section inside a module to `take` until `endMarker`;
// another section marker ends it early and is left for the caller. True when
// the section's own end line was read.
template <typename Take>
bool readInnerSection(LineReader& lines, const std::string& endMarker, Take take) {
  std::string line;
  while (lines.next(line)) {
    if (line == endMarker) return true;
    if (isSectionMarker(line)) {
      lines.back();
      return false;
    }
    take(line);
  }
  return false;
}

void readModuleSection(LineReader& lines, MachineModuleRecord& record, int n, int version, LineReports& reports) {
  std::string line;
  // A section cut short before its kind or origin line must not take the
  // next section's lines as its own.
  auto nextHeadLine = [&]() {
    if (!lines.next(line)) return false;
    if (isModuleStart(line)) {
      lines.back();
      return false;
    }
    return !isModuleEnd(line);
  };
  // The first problem found is the one reported.
  auto broken = [&](const std::string& text) {
    if (record.error.empty()) record.error = text;
  };
  if (!nextHeadLine()) {
    broken("Missing module body for module #" + std::to_string(n));
    return;
  }
  SignedNumbers kindNumbers = findUnsignedNumbers(line, 1);
  if (kindNumbers.values.empty() && !kindNumbers.overflow) {
    std::printf("Invalid module type string for module %d: %s\n", n, line.c_str());
    record.kind = 0;
  } else if (kindNumbers.overflow) {
    record.kindValid = false;
  } else {
    record.kind = kindNumbers.values[0];
    if (version == 1) record.kind = oldModuleKind(record.kind, n);
  }
  if (record.kind < 0 || record.kind >= kModuleKindCount) record.kindValid = false;
  const std::string shortContext = kindName(record.kind) + " #" + std::to_string(n);
  if (!record.kindValid) {
    record.error = "Unknown module kind in line '" + line + "' for module #" + std::to_string(n);
  }

  if (!nextHeadLine()) {
    broken("Missing origin for " + shortContext);
    return;
  }
  auto [x, y] = parseOrigin(line, shortContext);
  record.x = x;
  record.y = y;
  const std::string longContext = shortContext + "@(" + std::to_string(x) + "," + std::to_string(y) + ")";

  bool ended = false;
  while (lines.next(line)) {
    if (isModuleEnd(line)) {
      ended = true;
      break;
    }
    if (isModuleStart(line)) {
      lines.back();
      break;
    }
    if (line.empty()) continue;
    if (version < 5 && line == "CHEAP") continue;
    if (line.compare(0, 6, "NAME: ") == 0) {
      record.name = line.substr(6);
      record.hasName = true;
      continue;
    }
    if (line == configStart) {
      bool haveValue = false;
      int tried = 0;
      bool closed = readInnerSection(lines, configEnd, [&](const std::string& entry) {
        if (haveValue || ++tried > kConfigLinesTried) {
          reports.report("Extra config line " + entry + " for " + longContext + "!\n");
          return;
        }
        std::shared_ptr<Value> value = valueFromString(entry);
        if (value) {
          record.configuration = value;
          record.unreadableConfiguration.reset();
          haveValue = true;
        } else {
          reports.report("Invalid config line " + entry + " for " + longContext + "!\n");
          if (!record.unreadableConfiguration) record.unreadableConfiguration = entry;
        }
      });
      if (!closed) broken("Configuration section without end for " + longContext);
      continue;
    }
    if (line == controlStart) {
      record.controlPoints.clear();
      bool closed = readInnerSection(lines, controlEnd, [&](const std::string& entry) {
        SignedNumbers numbers = findSignedNumbers(entry, 3);
        if (numbers.values.size() < 3) {
          reports.report("Invalid control point line " + entry + " for " + longContext + "!\n");
          return;
        }
        record.controlPoints[numbers.values[0]].push_back({numbers.values[1], numbers.values[2]});
      });
      if (!closed) broken("Control point section without end for " + longContext);
      continue;
    }
    SignedNumbers numbers = findUnsignedNumbers(line, 4);
    if (numbers.overflow || numbers.values.size() != 3) {
      // Such a link would be passed over when wiring; it isn't kept.
      reports.report("Invalid link line for " + longContext + ": " + line + "!\n");
      continue;
    }
    record.links.push_back({numbers.values[0], numbers.values[1], numbers.values[2]});
  }
  if (!ended) broken("Module section without end for " + longContext);
  if (!record.kindValid) return;

  if (version <= 2 && record.kind == kEqualsKind && !record.configuration) {
    record.configuration = makeNumericValue(2);
  }
  if (version <= 5 && record.kind == kNumberKind && record.configuration) {
    record.configuration = makeNumericValue(std::min(record.configuration->int_value(), 16));
  }
  if (version <= 6 && record.kind == kOpSelectorKind && record.configuration) {
    int puzzle = record.configuration->int_value();
    if (puzzle < 0 || puzzle >= puzzleTableSize) {
      broken("Invalid puzzle id " + std::to_string(puzzle) + " in the configuration of " + longContext);
    } else {
      std::set<int> ops = getPuzzleOpcodes(puzzle);
      record.configuration = std::make_shared<OpVecValue>(std::vector<int>(ops.begin(), ops.end()));
    }
  }
}

// What loading changed so that a file's modules can be used: one log line
// per file, naming the first few.
class LoadRepairs {
 public:
  explicit LoadRepairs(std::string path) : path_(std::move(path)) {}
  LoadRepairs(const LoadRepairs&) = delete;
  LoadRepairs& operator=(const LoadRepairs&) = delete;
  ~LoadRepairs() {
    if (count_ == 0) return;
    std::string line = "Repaired " + path_ + " while loading: " + shown_;
    if (count_ > kShown) line += "; and " + std::to_string(count_ - kShown) + " more";
    logLine(line);
  }
  void add(const std::string& note) {
    if (count_ < kShown) shown_ += (count_ == 0 ? "" : "; ") + note;
    ++count_;
  }

 private:
  static constexpr int kShown = 8;
  std::string path_;
  std::string shown_;
  int count_ = 0;
};

// The nearest multiple of 16 (halves go up), the grid modules and wire bends
// sit on.
int nearestGridLine(int v) {
  const int shifted = v + 8;
  const int down = shifted >= 0 ? shifted / 16 : -((15 - shifted) / 16);
  return down * 16;
}

// The nearest point of the 16-pixel grid through `anchor` that stays on the
// board: a bend at the board's edge snaps inward, so the next load keeps it.
int nearestGridPointOnBoard(int v, int anchor) {
  int snapped = anchor + nearestGridLine(v - anchor);
  if (!inBoardRange(snapped)) snapped += snapped > 0 ? -16 : 16;
  return snapped;
}

// Brings a configuration into what its kind can take, as cloning does: a
// count outside the kind's range, or a value that is no number, becomes the
// nearest count; anything but an opcode list gives an Op Selector no opcodes.
// Only what can't be made safe is refused: an Op Selector list longer than
// the opcode table (one port per opcode), and a Number whose value can't be
// read (its constant is the machine's behaviour; a stand-in would be saved
// over it).
std::string repairConfiguration(MachineModuleRecord& record, const std::string& name, LoadRepairs& repairs) {
  std::shared_ptr<Value>& config = record.configuration;
  if (!config && record.unreadableConfiguration) {
    // Quoted up to a sensible length: the line may be megabytes long.
    const std::string text = cutUtf8(*record.unreadableConfiguration, 80);
    if (record.kind == kNumberKind) return "Unreadable configuration '" + text + "' for " + name;
    if (record.kind == kOpSelectorKind || getModuleConfig(record.kind)) {
      repairs.add(name + ": unreadable configuration '" + text + "', default used");
    }
    return "";
  }
  if (!config || record.kind == kNumberKind) return "";
  if (record.kind == kOpSelectorKind) {
    const OpVecValue* ops = config->asOpVec();
    if (ops == nullptr) {
      repairs.add(name + ": configuration " + config->serialize() + " is no opcode list, none used");
      config = std::make_shared<OpVecValue>(std::vector<int>{});
    } else if (ops->opcodes().size() > size_t(kOpcodeCount)) {
      return "Invalid configuration " + config->serialize() + " for " + name;
    }
    return "";
  }
  std::shared_ptr<ModuleConfig> range = getModuleConfig(record.kind);
  if (!range) return "";
  const int n = config->int_value();
  if (config->asNumeric() != nullptr && n >= range->minValue()->int_value() && n <= range->maxValue()->int_value()) {
    return "";
  }
  std::shared_ptr<Value> clamped = clampModuleConfig(record.kind, config);
  repairs.add(name + ": configuration " + config->serialize() + " brought to " + clamped->serialize());
  config = clamped;
  return "";
}

}  // namespace

int oldModuleKind(int oldId, int moduleIndex) {
  if (oldId >= 1 && oldId <= 8) return oldId;
  switch (oldId) {
    case 9: case 10: case 11: case 12: case 13: return 0;
    case 14: return 9;
    case 15: return 10;
    case 16: return 11;
    case 17: case 18: return 0;
    case 19: return 3;
    case 20: return 4;
    case 21: case 22: return 12;
    case 23: return 13;
    default:
      std::printf("Unknown old module ID for module %d: %d\n", moduleIndex, oldId);
      return 0;
  }
}

std::string machineFileName(int puzzle) { return "puzz-" + getPuzzleName(puzzle) + ".mgrlv"; }

std::string machineSaveDir(int location) {
  switch (location) {
    case saveLocationInitial: return "initial/";
    case saveLocationWorking: return getProfileDir(-1) + "saves/";
    case saveLocationSuccessful: return getProfileDir(-1) + "successful/";
    default: fatalError("invalid puzzle_save_location " + std::to_string(location));
  }
}

std::string machineFilePath(int puzzle, int location) {
  if (puzzle >= firstCommunityPuzzle && location == saveLocationInitial) {
    return customInitialMachinePath(puzzle);
  }
  return machineSaveDir(location) + machineFileName(puzzle);
}

std::string machineFileText(const ModuleList& modules, int clockPeriod, const MachineLinkSource& linkOf) {
  std::string out = machineFormat.magic + "\n" + machineFormat.currentVersion() + "\n";
  out += clockStart + "\n" + std::to_string(clockPeriod) + "\n" + clockEnd + "\n";
  for (size_t i = 0; i < modules.size(); ++i) {
    const Module& module = *modules[i];
    const std::string section = "MODULE " + std::to_string(i);
    out += "-" + section + " START-\n";
    out += std::to_string(module.kind()) + " (" + kindName(module.kind()) + ")\n";
    out += formatOrigin(module.x, module.y) + "\n";
    out += "NAME: " + module.name + "\n";
    for (size_t p = 0; p < module.ports.size(); ++p) {
      std::optional<std::pair<int, int>> link = linkOf(int(i), int(p));
      if (!link) continue;
      out += "port #" + std::to_string(p) + " <- module #" + std::to_string(link->first) + " port #" +
             std::to_string(link->second) + "\n";
    }
    std::string control;
    for (size_t p = 0; p < module.ports.size(); ++p) {
      for (const WirePoint& point : module.ports[p]->controlPoints) {
        control += "Port " + std::to_string(p) + ": " + formatOrigin(point.x, point.y) + "\n";
      }
    }
    if (!control.empty()) out += controlStart + "\n" + control + controlEnd + "\n";
    if (std::shared_ptr<Value> config = module.logic->configValue()) {
      out += configStart + "\n" + config->serialize() + "\n" + configEnd + "\n";
    }
    out += "-" + section + " END-\n";
  }
  return out;
}

std::string machineFileText(const ModuleList& modules, int clockPeriod) {
  std::map<const Module*, int> numbers;
  for (size_t i = 0; i < modules.size(); ++i) numbers[modules[i].get()] = int(i);
  return machineFileText(modules, clockPeriod, [&](int m, int p) -> std::optional<std::pair<int, int>> {
    const Port* port = modules[size_t(m)]->ports[size_t(p)].get();
    const Port* source = port->source;
    if (!source) return std::nullopt;
    auto it = numbers.find(source->owner);
    if (it == numbers.end()) {
      std::printf("Unable to marshall link for %s to %s\n", describePort(port).c_str(), describePort(source).c_str());
      fatalError("unable to marshall link");
    }
    return std::make_pair(it->second, source->owner->portIndex(source, false));
  });
}

std::string writeMachineFile(const std::string& path, const ModuleList& modules, int clockPeriod) {
  return writeFileAtomically(path, machineFileText(modules, clockPeriod));
}

std::string saveMachine(int puzzle, int location, const ModuleList& modules, int clockPeriod) {
  getPuzzle(puzzle);
  return writeMachineFile(machineSaveDir(location) + machineFileName(puzzle), modules, clockPeriod);
}

std::string readMachineFile(ModuleList& modules, int& clockPeriod, const std::string& path,
                            const ConstContext& context) {
  if (!fileExists(path)) return "invalid save file " + path + " (file does not exist)";
  std::string refusal;
  std::ifstream in = openForReading(path, &refusal);
  if (!refusal.empty()) return "invalid save file " + path + " (" + refusal + ")";
  VersionCheck check = readHeader(in, machineFormat, "invalid save file", path);
  if (!check.error.empty()) return check.error;
  const int version = check.version;
  LineReader lines(in);
  std::string line;
  LineReports reports(LineReports::Destination::standardOutput, path);

  if (context.delayMode) {
    if (!lines.next(line) || line != clockStart) {
      return "invalid save file " + path + " (delay doesn't start with clock period start)";
    }
    if (!lines.next(line)) line.clear();
    SignedNumbers period = findSignedNumbers(line, 1);
    if (period.values.empty() || period.values[0] < 1) {
      std::printf("Invalid clock period: %s\n", line.c_str());
      return "invalid save file " + path + " (invalid clock period: " + line + ")";
    }
    const int readPeriod = period.values[0];
    if (!lines.next(line) || line != clockEnd) {
      return "invalid save file " + path + " (delay doesn't end with clock period end)";
    }
    clockPeriod = readPeriod;
  }

  std::vector<MachineModuleRecord> records;
  while (lines.next(line)) {
    if (!isModuleStart(line)) continue;
    if (records.size() == size_t(kMaxMachineModules)) {
      return "invalid save file " + path + " (more than " + std::to_string(kMaxMachineModules) + " modules)";
    }
    records.emplace_back();
    readModuleSection(lines, records.back(), int(records.size()) - 1, version, reports);
  }
  if (lines.failed()) return "invalid save file " + path + " (could not be read)";

  modules.clear();
  LoadRepairs repairs(path);
  for (MachineModuleRecord& record : records) {
    if (!record.error.empty()) return record.error;
    std::string name;
    if (version < 4) {
      if (record.hasName) return "Old version has unexpected module name '" + record.name + "'!";
      name = defaultModuleName(record.kind, modules);
    } else {
      if (!record.hasName) {
        return "No name for '" + getModuleTypeName(record.kind) + "' at " + std::to_string(record.x) + ", " +
               std::to_string(record.y) + "!";
      }
      name = record.name;
    }
    name = cutUtf8(name, maxModuleNameLength);
    if (!inBoardRange(record.x) || !inBoardRange(record.y)) {
      return "Position out of range " + formatOrigin(record.x, record.y) + " for " + name;
    }
    // Modules sit on the 16-pixel grid; one off it is moved to the nearest
    // grid point, so the machine loads and keeps its shape.
    if (record.x % 16 != 0 || record.y % 16 != 0) {
      const int x = nearestGridLine(record.x), y = nearestGridLine(record.y);
      repairs.add(name + " moved from " + formatOrigin(record.x, record.y) + " to " + formatOrigin(x, y));
      record.x = x;
      record.y = y;
    }
    std::string configError = repairConfiguration(record, name, repairs);
    if (!configError.empty()) return configError;
    std::shared_ptr<Module> module = Module::create(record.kind, record.x, record.y, record.configuration, name);
    for (const auto& [port, points] : record.controlPoints) {
      if (port < 0 || port >= int(module->ports.size())) {
        return "Invalid port " + std::to_string(port) + " for " + module->name;
      }
      std::vector<WirePoint>& target = module->ports[size_t(port)]->controlPoints;
      target.clear();
      // Wire legs run on the 16-pixel grid from the port's box; a bend off
      // that grid could never be routed, so it moves to the nearest point
      // that can. One beyond the board is dropped.
      const Port& owner = *module->ports[size_t(port)];
      const GeoPoint anchor =
          infoboxOrigin(owner.kind, ModuleGeometry::of(*module, context.delayMode).portPosition(*module, port));
      for (const auto& [px, py] : points) {
        const std::string where = " of port " + std::to_string(port) + " of " + module->name;
        if (!inBoardRange(px) || !inBoardRange(py)) {
          repairs.add("wire bend " + formatOrigin(px, py) + where + " dropped");
          continue;
        }
        const int x = nearestGridPointOnBoard(px, anchor.x), y = nearestGridPointOnBoard(py, anchor.y);
        if (x != px || y != py) {
          repairs.add("wire bend" + where + " moved from " + formatOrigin(px, py) + " to " + formatOrigin(x, y));
        }
        target.push_back({x, y});
      }
    }
    modules.push_back(module);
  }

  for (size_t i = 0; i < records.size(); ++i) {
    Module& module = *modules[i];
    for (const MachineLink& link : records[i].links) {
      if (link.sourceModule == -1) continue;
      const int portCount = int(module.ports.size());
      if (link.destinationPort < 0 || link.destinationPort >= portCount) {
        return "Invalid destination port index " + std::to_string(link.destinationPort) + " for " + module.name +
               " (" + std::to_string(portCount) + " ports)";
      }
      if (link.sourceModule < 0 || link.sourceModule >= int(modules.size())) {
        return "Invalid source module index " + std::to_string(link.sourceModule) + " for " + module.name + " (" +
               std::to_string(modules.size()) + " modules)";
      }
      Module& source = *modules[size_t(link.sourceModule)];
      if (link.sourcePort < 0 || link.sourcePort >= int(source.ports.size())) {
        return "Invalid source port index " + std::to_string(link.sourcePort) + " for " + module.name + " (" +
               std::to_string(source.ports.size()) + " ports in " + source.name + ")";
      }
      module.ports[size_t(link.destinationPort)]->connect(source.ports[size_t(link.sourcePort)].get(), context);
    }
  }
  return "";
}

std::string loadMachine(ModuleList& modules, int& clockPeriod, int testIndex, int location, int puzzle) {
  const Puzzle& info = getPuzzle(puzzle);
  if (info.hasFlag(puzzleFlagFixedMachine)) location = saveLocationInitial;
  if (location == saveLocationWorking && !fileExists(machineFilePath(puzzle, saveLocationWorking))) {
    location = saveLocationInitial;
  }
  const std::string path = machineFilePath(puzzle, location);
  Memory memory = getTestInitialMemory(puzzle, testIndex);
  ConstContext context{&memory, 0, info.hasFlag(puzzleFlagDelay), 1};
  std::string error = readMachineFile(modules, clockPeriod, path, context);
  if (!error.empty()) moveAsideBadProfileFile(path, error);
  // A period the clock editor can't set (a file from elsewhere) would have
  // every clock draw and step through it; where the player sets the clock it
  // is held to the editor's range. Elsewhere the Editor sets the period.
  if (context.delayMode && info.hasFlag(puzzleFlagTimed) && !info.hasFlag(puzzleFlagAutoClock) &&
      (clockPeriod < minClockPeriod || clockPeriod > maxClockPeriod)) {
    const int held = std::clamp(clockPeriod, minClockPeriod, maxClockPeriod);
    logLine("Clock period " + std::to_string(clockPeriod) + " of " + path + " is outside " +
            std::to_string(minClockPeriod) + ".." + std::to_string(maxClockPeriod) + "; " + std::to_string(held) +
            " used");
    clockPeriod = held;
  }
  return error;
}
