#include "editor/connection_changes.h"

// Set elements are const, but a change's ordering keys never change when it
// is applied or undone (only the ports it points at do).
void applyAll(ConnectionChangeSet& changes, const ConstContext& context) {
  for (const ConnectionChange& change : changes) const_cast<ConnectionChange&>(change).apply(context);
}

void undoAll(ConnectionChangeSet& changes, const ConstContext& context) {
  for (const ConnectionChange& change : changes) const_cast<ConnectionChange&>(change).undo(context);
}
