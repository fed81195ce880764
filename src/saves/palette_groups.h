#pragma once
// The profile's palette: saved groups of modules with their wires, each a
// machine file in the profile's palette/ folder with a "GROUP NAME: " line.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/contexts.h"
#include "model/module_set.h"

struct CustomGroup {
  ModuleSet set;
  std::string name;
  int index = 0;

  std::string displayName() const;  // "(Empty)" without modules
  std::set<std::shared_ptr<Module>> paste(int puzzle, const ConstContext& context, const ModuleList& target, int x,
                                          int y) const;
  void rename(const std::string& newName);  // "" gives the default name
  void save() const;                        // failures are printed
};

extern std::vector<CustomGroup> customGroups;

std::string customGroupPath(int index);  // <profile>/palette/group-<i>.mgrlv
std::string defaultGroupName(int index);  // "Group <i + 1>"
// The group file's bytes: the machine file (clock period 1) and the name line.
std::string customGroupFileText(const CustomGroup& group);

CustomGroup loadCustomGroup(int index);
void loadCustomGroups();
void addCustomGroup(const ModuleSet& set);
void removeCustomGroup(int i);
