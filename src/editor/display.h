#pragma once
// The machine view's rules that need no window. The drawing side of the view
// lives with the screens; this part answers where dropped modules connect.
#include <memory>
#include <set>

#include "editor/connection_changes.h"
#include "model/module.h"

class Display {
 public:
  // The connections that form where a port of a module in `moving` sits on
  // the info-box origin of a port of another module of `machine` (one Result
  // port and one input or control port). Fatal when a moving module is not
  // in the machine.
  static ConnectionChangeSet placeModules(const std::set<std::shared_ptr<Module>>& moving, const ModuleList& machine,
                                          int puzzle);
};
