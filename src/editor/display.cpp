#include "editor/display.h"

#include <vector>

#include "editor/module_geometry.h"
#include "model/port.h"
#include "shell/log.h"

namespace {
struct PortSpot {
  Port* port;
  GeoPoint origin;
};

std::vector<PortSpot> portSpots(const Module& module, bool showDelay) {
  ModuleGeometry geometry = ModuleGeometry::of(module, showDelay);
  std::vector<PortSpot> spots;
  for (size_t i = 0; i < module.ports.size(); ++i) {
    Port* port = module.ports[i].get();
    spots.push_back({port, infoboxOrigin(port->kind, geometry.portPosition(module, int(i)))});
  }
  return spots;
}
}  // namespace

ConnectionChangeSet Display::placeModules(const std::set<std::shared_ptr<Module>>& moving, const ModuleList& machine,
                                          int puzzle) {
  const bool showDelay = showsDelay(puzzle);
  ConnectionChangeSet changes;
  for (const auto& m : moving) {
    bool found = false;
    for (const auto& candidate : machine) found = found || candidate == m;
    if (!found) fatalError("No display module matching up to module " + m->name + " while placing");
    const std::vector<PortSpot> mine = portSpots(*m, showDelay);
    for (const auto& other : machine) {
      if (moving.count(other)) continue;
      const std::vector<PortSpot> theirs = portSpots(*other, showDelay);
      for (const PortSpot& p : mine) {
        for (const PortSpot& q : theirs) {
          if (p.origin != q.origin) continue;
          const bool pResult = p.port->kind == kResultPort;
          const bool qResult = q.port->kind == kResultPort;
          if (pResult == qResult) continue;
          if (pResult) {
            if (q.port->source != p.port) changes.insert(ConnectionChange(q.port, p.port, q.port->source));
          } else {
            if (p.port->source != q.port) changes.insert(ConnectionChange(p.port, q.port, p.port->source));
          }
        }
      }
    }
  }
  return changes;
}
