#pragma once
// What the player has selected in the editor: modules, and wires named by
// their (source, destination) ports.
#include <memory>
#include <set>
#include <utility>

class Module;
class Port;

using WireEnds = std::pair<Port*, Port*>;  // source, destination

struct Selection {
  std::set<std::shared_ptr<Module>> modules;
  std::set<WireEnds> wires;

  bool empty() const { return modules.empty() && wires.empty(); }
  // Any wire, or any module whose kind the puzzle allows.
  bool anyAllowedIn(int puzzle) const;
};
