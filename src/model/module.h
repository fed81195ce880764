#pragma once
// One placed module of a machine: position, ports, behaviour, name, delay.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/module_logic.h"
#include "model/port.h"

constexpr int maxModuleNameLength = 21;

// One wire touching a module, as a configuration change sees it.
struct WireRecord {
  Port* source = nullptr;
  Port* destination = nullptr;
  std::vector<WirePoint> points;
};

class Module {
 public:
  // A kind outside 0..13 makes a Buggy module; the name is kept whole.
  static std::shared_ptr<Module> create(int kind, int x, int y, std::shared_ptr<Value> config,
                                        std::string name);
  Module(std::unique_ptr<ModuleLogic> logic, int x, int y, std::string name);
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  int kind() const { return logic->kind(); }
  // logic->holdsOutput(), asked for every Result value worked out.
  bool holdsOutput() const { return holdsOutput_; }

  std::shared_ptr<Module> clone(int puzzle, std::string name) const;
  void populatePorts(const PortList& oldPorts);
  void rebuildPorts(const PortList& oldPorts, const std::vector<WireRecord>& wires,
                    const ConstContext& context);
  void updateDelay();

  bool sameAs(const Module* other) const;
  bool samePorts(const PortList& otherPorts) const;

  std::string getName() const { return name; }
  void setName(const std::string& text);

  int portIndex(const Port* port, bool sameKindOnly) const;
  std::string portName(const Port* port) const;
  std::string portDescription(const Port* port) const;
  std::uint32_t getPortColor(const Port* port, const ConstContext& context);
  std::shared_ptr<Value> valueAt(const Port* port, const ConstContext& context, bool raw);

  bool isAllowedInPuzzle(int puzzle) const;
  bool isConfigurable(int puzzle) const;
  bool isStabilizing(const ConstContext& context) const;
  // The latest tick at which a recorded change still keeps the module settling.
  int settleTick() const;
  // Whether any port holds a delay record.
  bool hasDelayRecord() const;
  // Called whenever one of the ports' delay records is written, so the
  // settling figures are worked out again on the next query.
  void forgetSettling() const { settlingKnown_ = false; }

  void moveBy(int dx, int dy, const std::set<const Module*>& movedModules);
  void moveWithWires(int dx, int dy, const std::set<std::shared_ptr<Module>>& movedModules);

  std::string tooltipText(int puzzle) const;
  std::string configLabel() const;
  std::string configMeaningText() const;
  std::string delayText() const;

  int countPorts(int portKind) const;

  int x = 0;
  int y = 0;
  PortList ports;
  std::unique_ptr<ModuleLogic> logic;  // set once, when the module is made
  std::string name;
  int delay = 0;

 private:
  void workOutSettling() const;

  bool holdsOutput_ = false;

  // Settling is asked about for every port value worked out in delay mode,
  // far more often than a record changes: the walk over the ports is kept
  // until a record, the port list or the delay changes.
  mutable bool settlingKnown_ = false;
  mutable bool recorded_ = false;
  mutable int settlingDelay_ = 0;
  mutable int settleTick_ = -1;
};

using ModuleList = std::vector<std::shared_ptr<Module>>;

std::string uniqueModuleName(const ModuleList& modules, const std::string& base, int first,
                             const std::set<std::string>& alsoTaken = {});
std::string defaultModuleName(int kind, const ModuleList& modules);
std::string delayTextFor(int delay);
std::set<const Module*> modulePointerSet(const std::set<std::shared_ptr<Module>>& modules);
// Every wire of the machine that starts or ends at one of the given modules,
// in machine order, with its bend points.
std::vector<WireRecord> collectAttachedWires(const ModuleList& machine, const std::set<const Module*>& modules);
