#pragma once
// The machine the player builds in one puzzle, with its clock period, the
// test whose memories are shown, the undo and redo stacks, the clipboard, the
// initial and last successful machines, and the bits of screen state that
// must survive every switch between editor screens. Every change to the
// machine goes through performAction, undo or redo, which rewrite the
// working save each time.
#include <climits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/edit_action.h"
#include "model/module_geometry.h"
#include "model/contexts.h"
#include "model/delay_paths.h"
#include "model/memory.h"
#include "model/module_set.h"

struct MachineSnapshot {
  ModuleList modules;
  int clockPeriod = 1;
};

// Machine equality: same clock period, same count, and module by module the
// same kind, position, name, configuration and ports.
struct MachineComparison {
  const ModuleList& modules;
  int clockPeriod;
  bool equals(const ModuleList& other, int otherPeriod) const;
};

struct MachineStats {
  int modules = 0;
  int ticks = 0;
};

class Editor {
 public:
  explicit Editor(int puzzle);

  void selectTest(int test);
  void saveTo(int location);  // fatal on a write error, naming the file
  void loadWorkingSave();
  std::string loadSnapshot(int location);
  bool performAction(const std::shared_ptr<EditAction>& action);
  void undo();
  void redo();
  void autoClockPeriod();
  void recordSuccess(int ticks);
  MachineStats machineStats(int ticks) const { return {moduleCount(), ticks}; }
  int moduleCount() const;
  int runToCompletion();
  ValueHistory testGoalValues() const;
  bool matchesSnapshot(int location) const;
  std::set<GeoPoint> occupiedCells() const;
  void dropCachedWireTextures();
  ConstContext constContext() const;
  void addClickMeModule();

  int puzzle;
  bool infoSheetOpen = true;
  bool memoryPanelOpen = true;
  int memoryViewKind = 0;
  int memoryScroll = 0;
  ModuleList machine;
  int clockPeriod = 1;
  ModuleSet clipboard;
  bool stillSolved = false;
  std::vector<std::shared_ptr<EditAction>> undoStack;
  std::vector<std::shared_ptr<EditAction>> redoStack;
  Memory startMemory;
  Memory goalMemory;
  int currentTest = -1;
  int longestDelay = -1;
  std::map<const Module*, std::vector<DelayPath>> delayPaths;
  MachineSnapshot initialSnapshot;
  MachineSnapshot successfulSnapshot;
  // Whether the last successful machine could be read: "Load Successful" is
  // offered only then.
  bool successfulLoaded = false;
};
