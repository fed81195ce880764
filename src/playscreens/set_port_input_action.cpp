#include "playscreens/set_port_input_action.h"

#include "services/music_manager.h"

SetPortInputAction::SetPortInputAction(Port* destination, Port* newSource, const ConstContext& contextIn)
    : change(destination, newSource, destination->source), context(contextIn) {}

bool SetPortInputAction::apply(ModuleList&, int&, int) {
  if (change.newSource == change.oldSource) return false;
  musicManager().playSound(WireConnect, 1.0f);
  change.apply(context);
  return true;
}

void SetPortInputAction::revert(ModuleList&, int&, int) {
  musicManager().playSound(WireDelete, 1.0f);
  change.undo(context);
}
