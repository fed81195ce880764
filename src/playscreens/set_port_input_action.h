#pragma once
// The one undoable edit of the wiring screen: a port takes a new source (or
// none, which deletes its wire).
#include <string>

#include "editor/edit_action.h"
#include "model/module_set.h"

class SetPortInputAction : public EditAction {
 public:
  // Fatal when newSource is the destination's present source.
  SetPortInputAction(Port* destination, Port* newSource, const ConstContext& context);
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Set Port Input"; }

  ConnectionChange change;
  ConstContext context;
};
