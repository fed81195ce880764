#pragma once
// A count of the edits made to any machine: a connection, a rebuilt port
// list, a configuration, a delay, a cleared port value, a clock edge or undo
// done outside a simulation. A simulation keeps its evaluation order and its
// port values only while the count stays where it was; an edit anywhere makes
// every simulation work its values out afresh on its next step, which is
// always correct, only slower for that one step.
#include <atomic>
#include <cstdint>

inline std::atomic<std::uint64_t> machineRevisionCount{0};

inline std::uint64_t machineRevision() { return machineRevisionCount.load(std::memory_order_relaxed); }
inline void noteMachineEdited() { machineRevisionCount.fetch_add(1, std::memory_order_relaxed); }
