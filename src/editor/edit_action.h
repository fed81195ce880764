#pragma once
// One undoable change to a machine. Actions keep the very modules and ports
// they change, so an action undone and redone many times works on the same
// objects. apply returns false when the action would change nothing.
#include <string>

#include "model/module.h"

class EditAction {
 public:
  virtual ~EditAction() = default;
  virtual bool apply(ModuleList& machine, int& clockPeriod, int currentTest) = 0;
  virtual void revert(ModuleList& machine, int& clockPeriod, int currentTest) = 0;
  virtual std::string name() const = 0;
};
