#include "saves/palette_groups.h"

#include <cstdio>
#include <fstream>
#include <map>

#include "model/memory.h"
#include "model/module.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/profiles.h"
#include "base/log.h"

std::vector<CustomGroup> customGroups;

namespace {

const std::string groupNamePrefix = "GROUP NAME: ";

// Where a group list ends on disk: the file left behind by a removal holds a
// single line end and nothing else.
bool isEndMarker(const std::string& path) {
  std::string text;
  {
    std::ifstream in = openForReading(path);
    if (!in) return false;
    char buffer[4];
    in.read(buffer, sizeof buffer);
    text.assign(buffer, size_t(in.gcount()));
  }
  return text.empty() || text == "\n" || text == "\r\n" || text == "\r";
}

bool isModuleStartLine(const std::string& line) {
  return line.rfind("-MODULE ", 0) == 0 && line.size() > 15 &&
         line.compare(line.size() - 7, 7, " START-") == 0;
}
bool isModuleEndLine(const std::string& line) {
  return line.rfind("-MODULE ", 0) == 0 && line.size() > 13 && line.compare(line.size() - 5, 5, " END-") == 0;
}

// The name comes only from a name line outside every module section, so a
// module named "GROUP NAME: x" can't rename its group.
std::string readGroupName(const std::string& path, const std::string& fallback) {
  std::ifstream in = openForReading(path);
  std::string line;
  bool inModule = false;
  LineReader lines(in);
  while (lines.next(line)) {
    if (isModuleStartLine(line)) {
      inModule = true;
    } else if (isModuleEndLine(line)) {
      inModule = false;
    } else if (!inModule && line.rfind(groupNamePrefix, 0) == 0) {
      return line.substr(groupNamePrefix.size());
    }
  }
  return fallback;
}

}  // namespace

std::string customGroupPath(int index) {
  return getProfileDir(-1) + "palette/group-" + std::to_string(index) + ".mgrlv";
}

std::string defaultGroupName(int index) { return "Group " + std::to_string(index + 1); }

std::string CustomGroup::displayName() const { return set.modules.empty() ? "(Empty)" : name; }

std::set<std::shared_ptr<Module>> CustomGroup::paste(int puzzle, const ConstContext& context, const ModuleList& target,
                                                     int x, int y) const {
  return set.paste(puzzle, context, target, x, y);
}

void CustomGroup::rename(const std::string& newName) {
  name = newName.empty() ? defaultGroupName(index) : newName;
  save();
}

std::string customGroupFileText(const CustomGroup& group) {
  // Written straight from the stored set: pasting it first would rename and
  // re-clamp the modules on their way to disk.
  std::map<std::pair<int, int>, std::pair<int, int>> links;
  for (const ModuleSetWire& wire : group.set.wires) {
    links[{wire.destinationModule, wire.destinationPort}] = {wire.sourceModule, wire.sourcePort};
  }
  std::string text = machineFileText(group.set.modules, 1, [&](int m, int p) -> std::optional<std::pair<int, int>> {
    auto it = links.find({m, p});
    if (it == links.end()) return std::nullopt;
    return it->second;
  });
  return text + groupNamePrefix + group.name + "\n";
}

void CustomGroup::save() const {
  const std::string path = customGroupPath(index);
  std::string error = writeFileAtomically(path, customGroupFileText(*this));
  if (!error.empty()) std::printf("Error saving custom group %d: '%s'\n", index, error.c_str());
}

CustomGroup loadCustomGroup(int index) {
  CustomGroup group;
  group.index = index;
  group.name = defaultGroupName(index);
  const std::string path = customGroupPath(index);
  if (!fileExists(path)) return group;
  ModuleList modules;
  int clockPeriod = 1;
  Memory memory;
  ConstContext context{&memory, 0, false, 1};
  std::string error = readMachineFile(modules, clockPeriod, path, context);
  if (!error.empty()) {
    if (!isEndMarker(path)) {
      std::printf("Loading error for group %d: '%s'\n", index, error.c_str());
      moveAsideBadProfileFile(path, error);
    }
    return group;
  }
  group.name = readGroupName(path, group.name);
  // The loaded modules are the group's own; a copy would bring numbers into
  // range and lose what the file holds.
  group.set.wires = ModuleSet(modules).wires;
  group.set.modules = std::move(modules);
  return group;
}

void loadCustomGroups() {
  customGroups.clear();
  for (int index = 0;; ++index) {
    CustomGroup group = loadCustomGroup(index);
    if (group.set.modules.empty()) {
      // A bad file was moved aside; the groups after it move up one place
      // on disk too, or the next additions would overwrite them.
      if (!fileExists(customGroupPath(index)) && fileExists(customGroupPath(index + 1))) {
        int next = index + 1;
        bool moved = false;
        for (;; ++next) {
          CustomGroup later = loadCustomGroup(next);
          if (later.set.modules.empty()) break;
          later.index = int(customGroups.size());
          later.save();
          customGroups.push_back(later);
          moved = true;
        }
        if (moved) {
          std::string error = writeFileAtomically(customGroupPath(int(customGroups.size())), "\n");
          if (!error.empty()) std::printf("Error saving custom group %d: '%s'\n", int(customGroups.size()), error.c_str());
        }
      }
      return;
    }
    customGroups.push_back(group);
  }
}

void addCustomGroup(const ModuleSet& set) {
  CustomGroup group;
  group.set = set;
  group.index = int(customGroups.size());
  group.name = defaultGroupName(group.index);
  customGroups.push_back(group);
  customGroups.back().save();
}

void removeCustomGroup(int i) {
  if (i < 0 || i >= int(customGroups.size())) return;
  customGroups.erase(customGroups.begin() + i);
  for (size_t k = size_t(i); k < customGroups.size(); ++k) {
    customGroups[k].index -= 1;
    customGroups[k].save();
  }
  const std::string path = customGroupPath(int(customGroups.size()));
  std::string error = writeFileAtomically(path, "\n");
  if (!error.empty()) std::printf("Error saving custom group %d: '%s'\n", int(customGroups.size()), error.c_str());
}
