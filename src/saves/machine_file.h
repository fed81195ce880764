#pragma once
// The machine file: the modules of one puzzle with their positions, names,
// configurations, wires and wire bends, and the clock period. The same format
// holds the initial machines, the working saves, the last successful machines
// and the palette groups.
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "model/contexts.h"

class Module;
class Value;
using ModuleList = std::vector<std::shared_ptr<Module>>;

// Where a puzzle's machine is kept.
enum puzzle_save_location : int {
  saveLocationInitial = 0,     // initial/, read-only game data
  saveLocationWorking = 1,     // profile saves/
  saveLocationSuccessful = 2,  // profile successful/
};

std::string machineFileName(int puzzle);  // "puzz-<name>.mgrlv"
std::string machineSaveDir(int location);  // fatal "invalid puzzle_save_location N"
// The file a load of this puzzle and location reads (community initial
// machines live in the puzzle's folder).
std::string machineFilePath(int puzzle, int location);

// The whole file as written, byte for byte.
std::string machineFileText(const ModuleList& modules, int clockPeriod);
// The same with the wires given by a function: (module index, port index) ->
// {source module index, source port index} or nothing.
using MachineLinkSource = std::function<std::optional<std::pair<int, int>>(int, int)>;
std::string machineFileText(const ModuleList& modules, int clockPeriod, const MachineLinkSource& linkOf);
// "" or "Failed to open file <path>!" / "Failed to write file <path>!"; the
// old file stays whole when the write fails.
std::string writeMachineFile(const std::string& path, const ModuleList& modules, int clockPeriod);
std::string saveMachine(int puzzle, int location, const ModuleList& modules, int clockPeriod);

// The most modules a machine file may hold: far above what any puzzle needs
// (the largest solutions have a few hundred), and low enough that the work
// done on a file from elsewhere stays small. A file with more is refused.
constexpr int kMaxMachineModules = 10000;

// Reads a machine file of any accepted version. The context's delay flag says
// whether the clock period is read. "" or an error text; on an error the
// modules made so far stay in modules. Never ends the program.
std::string readMachineFile(ModuleList& modules, int& clockPeriod, const std::string& path,
                            const ConstContext& context);
// Loads a puzzle's machine for a test; a working save or successful machine
// under profiles/ that fails to load is moved aside to "<file>.bad".
std::string loadMachine(ModuleList& modules, int& clockPeriod, int testIndex, int location, int puzzle);

// Kind of a module id of the first file version (prints unknown ids, gives 0).
int oldModuleKind(int oldId, int moduleIndex);

// One module section as read, before the module is made.
struct MachineLink {
  int destinationPort = -1;
  int sourceModule = -1;
  int sourcePort = -1;
};
struct MachineModuleRecord {
  int kind = 0;
  bool kindValid = true;
  int x = 0;
  int y = 0;
  std::shared_ptr<Value> configuration;
  // The first configuration line that held no value, when none did.
  std::optional<std::string> unreadableConfiguration;
  std::string name;
  bool hasName = false;
  std::vector<MachineLink> links;
  std::map<int, std::vector<std::pair<int, int>>> controlPoints;
  std::string error;  // a broken section (missing end line and the like)
};
