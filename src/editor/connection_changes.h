#pragma once
// Wire changes as the edit actions keep them: ordered by destination, new
// source, old source, and applied and undone in that order.
#include <set>
#include <tuple>

#include "model/module_set.h"

struct ConnectionChangeLess {
  bool operator()(const ConnectionChange& a, const ConnectionChange& b) const {
    return std::tie(a.destination, a.newSource, a.oldSource) < std::tie(b.destination, b.newSource, b.oldSource);
  }
};

using ConnectionChangeSet = std::set<ConnectionChange, ConnectionChangeLess>;

void applyAll(ConnectionChangeSet& changes, const ConstContext& context);
void undoAll(ConnectionChangeSet& changes, const ConstContext& context);
