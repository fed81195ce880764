#include "model/module.h"

#include <algorithm>
#include <climits>

#include "model/contexts.h"
#include "model/machine_revision.h"
#include "model/module_defs.h"
#include "model/selector_logics.h"
#include "model/value.h"
#include "puzzles/tick_unit.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "base/utf8_text.h"
#include "base/log.h"
#include "base/strings.h"

std::shared_ptr<Module> Module::create(int kind, int x, int y, std::shared_ptr<Value> config, std::string name) {
  if (kind < 0 || kind >= kModuleKindCount) kind = kBuggyKind;
  auto module = std::make_shared<Module>(getModuleDef(kind).makeLogic(config), x, y, std::move(name));
  return module;
}

Module::Module(std::unique_ptr<ModuleLogic> logicIn, int xIn, int yIn, std::string nameIn)
    : x(xIn), y(yIn), logic(std::move(logicIn)), name(std::move(nameIn)), holdsOutput_(logic->holdsOutput()) {
  // The delay follows the logic's own (clamped) configuration.
  updateDelay();
  populatePorts({});
}

std::shared_ptr<Module> Module::clone(int puzzle, std::string newName) const {
  auto copy = std::make_shared<Module>(logic->clone(puzzle), x, y, std::move(newName));
  copy->delay = delay;
  std::size_t n = std::min(copy->ports.size(), ports.size());
  for (std::size_t i = 0; i < n; ++i) copy->ports[i]->controlPoints = ports[i]->controlPoints;
  return copy;
}

void Module::populatePorts(const PortList& oldPorts) {
  noteMachineEdited();
  forgetSettling();
  const ModuleDef& def = getModuleDef(kind());
  int inputs = logic->inputCount() == -1 ? def.inputCount : logic->inputCount();
  int outputs = logic->outputCount() == -1 ? def.outputCount : logic->outputCount();
  int controls = def.controlCount;

  PortList oldInputs, oldControls, oldResults;
  for (const auto& port : oldPorts) {
    switch (port->kind) {
      case kInputPort: oldInputs.push_back(port); break;
      case kControlPort: oldControls.push_back(port); break;
      case kResultPort: oldResults.push_back(port); break;
      default: fatalError("unknown port type when populating: " + std::to_string(port->kind));
    }
  }
  ports.clear();
  auto append = [this](const PortList& old, int count, int portKind) {
    for (int i = 0; i < count; ++i) {
      if (i < static_cast<int>(old.size())) {
        ports.push_back(old[static_cast<std::size_t>(i)]);
      } else {
        ports.push_back(std::make_shared<Port>(portKind));
      }
    }
  };
  append(oldInputs, std::max(inputs, 0), kInputPort);
  append(oldControls, std::max(controls, 0), kControlPort);
  append(oldResults, std::max(outputs, 0), kResultPort);
  int counts[4] = {0, 0, 0, 0};
  for (auto& port : ports) {
    port->owner = this;
    port->kindIndex = counts[port->kind]++;
  }
}

void Module::rebuildPorts(const PortList& oldPorts, const std::vector<WireRecord>& wires,
                          const ConstContext& context) {
  for (const auto& wire : wires) {
    if (wire.destination) wire.destination->connect(nullptr, context);
  }
  ports.clear();
  populatePorts(oldPorts);
  std::set<const Port*> kept;
  for (const auto& port : oldPorts) {
    if (std::find(ports.begin(), ports.end(), port) != ports.end()) kept.insert(port.get());
  }
  for (const auto& wire : wires) {
    if (!wire.source || !wire.destination) continue;
    bool sourceHere = wire.source->owner == this;
    bool destinationHere = wire.destination->owner == this;
    bool sourceKept = kept.count(wire.source) != 0;
    bool destinationKept = kept.count(wire.destination) != 0;
    bool reconnect = (sourceHere && destinationHere) ? (sourceKept && destinationKept)
                                                     : (sourceKept || destinationKept);
    if (reconnect) wire.destination->connect(wire.source, context);
  }
}

void Module::updateDelay() {
  noteMachineEdited();
  delay = moduleDelayForConfig(kind(), logic->configValue());
}

bool Module::sameAs(const Module* other) const {
  return other != nullptr && other->x == x && other->y == y && other->name == name &&
         logic->sameConfig(other->logic.get());
}

bool Module::samePorts(const PortList& otherPorts) const {
  if (otherPorts.size() != ports.size()) return false;
  for (std::size_t i = 0; i < ports.size(); ++i) {
    if (!ports[i]->equals(*otherPorts[i])) return false;
  }
  return true;
}

// Names are UTF-8 (typed or loaded from files): a cut never splits a character.
void Module::setName(const std::string& text) { name = cutUtf8(text, maxModuleNameLength); }

int Module::portIndex(const Port* port, bool sameKindOnly) const {
  if (port == nullptr) return -1;
  int index = 0;
  for (const auto& p : ports) {
    if (p.get() == port) return index;
    if (!sameKindOnly || p->kind == port->kind) ++index;
  }
  return -1;
}

std::string Module::portName(const Port* port) const { return logic->portLabel(portIndex(port, false)); }

std::string Module::portDescription(const Port* port) const {
  return logic->portDescription(portIndex(port, false));
}

std::uint32_t Module::getPortColor(const Port* port, const ConstContext& context) {
  return logic->portColor(portIndex(port, false), context, ports);
}

std::shared_ptr<Value> Module::valueAt(const Port* port, const ConstContext& context, bool raw) {
  if (port == nullptr || port->owner != this || port->kind != kResultPort) return unpoweredValue();
  return logic->valueFromSnapshot(ports, context, port->kindIndex, raw);
}

bool Module::isAllowedInPuzzle(int puzzle) const {
  // Outside a puzzle every kind may be placed, as when pasting.
  if (puzzle == creditsPuzzle || puzzle == kNoPuzzle) return true;
  return getPuzzleAllowedModules(puzzle).count(kind()) != 0;
}

bool Module::isConfigurable(int puzzle) const {
  if (!logic->hasConfig()) return false;
  return puzzle == kNoPuzzle || (getPuzzle(puzzle).flags & 32) == 0;
}

void Module::workOutSettling() const {
  bool recorded = false;
  long long best = -1;
  for (const auto& port : ports) {
    recorded = recorded || port->delayRecord.value != nullptr;
    best = std::max(best, static_cast<long long>(port->delayRecord.changeTick) + delay);
  }
  recorded_ = recorded;
  settleTick_ = static_cast<int>(std::min<long long>(best, INT_MAX));
  settlingDelay_ = delay;
  settlingKnown_ = true;
}

int Module::settleTick() const {
  if (!settlingKnown_ || settlingDelay_ != delay) workOutSettling();
  return settleTick_;
}

bool Module::hasDelayRecord() const {
  if (!settlingKnown_ || settlingDelay_ != delay) workOutSettling();
  return recorded_;
}

bool Module::isStabilizing(const ConstContext& context) const {
  if (!context.delayMode) return false;
  if (!settlingKnown_ || settlingDelay_ != delay) workOutSettling();
  return recorded_ && context.tick < settleTick_;
}

void Module::moveBy(int dx, int dy, const std::set<const Module*>& movedModules) {
  x += dx;
  y += dy;
  for (const auto& port : ports) {
    if (port->source == nullptr || movedModules.count(port->source->owner) == 0) continue;
    for (auto& point : port->controlPoints) {
      point.x += dx;
      point.y += dy;
    }
  }
}

void Module::moveWithWires(int dx, int dy, const std::set<std::shared_ptr<Module>>& movedModules) {
  moveBy(dx, dy, modulePointerSet(movedModules));
}

std::set<const Module*> modulePointerSet(const std::set<std::shared_ptr<Module>>& modules) {
  std::set<const Module*> pointers;
  for (const auto& m : modules) pointers.insert(m.get());
  return pointers;
}

std::vector<WireRecord> collectAttachedWires(const ModuleList& machine, const std::set<const Module*>& modules) {
  std::vector<WireRecord> wires;
  for (const auto& module : machine) {
    for (const auto& port : module->ports) {
      Port* source = port->source;
      if (source == nullptr) continue;
      if (modules.count(module.get()) != 0 || modules.count(source->owner) != 0) {
        wires.push_back(WireRecord{source, port.get(), port->controlPoints});
      }
    }
  }
  return wires;
}

std::string Module::tooltipText(int puzzle) const {
  const ModuleDef& def = getModuleDef(kind());
  std::string head;
  if (!def.configFormat.empty()) {
    head = name + ": " + def.configFormat;
  } else if (kind() == kOpSelectorKind) {
    head = opSelectorText(logic->asIMux()->getOpcodeSet());
  } else {
    head = kindDescriptionText(kind(), puzzle);
  }
  auto config = logic->configValue();
  if (config) {
    auto at = head.find("%s");
    if (at != std::string::npos) head.replace(at, 2, config->shortText());
  }
  bool delayPuzzle = puzzle != kNoPuzzle && (getPuzzle(puzzle).flags & 2) != 0;
  std::string delayNote;
  if ((kind() == kInputSelectorKind || kind() == kOutputSelectorKind) && delayPuzzle) {
    delayNote = " Larger " + def.name + "s have longer delays.";
  }
  std::string restriction;
  if (puzzle != kNoPuzzle) {
    auto allowed = getPuzzleAllowedModules(puzzle);
    if (!allowed.empty() && allowed.count(kind()) == 0) {
      restriction = "\n \n" + def.name + " modules cannot be placed or deleted in this puzzle.";
    }
  }
  std::string hint;
  if (puzzle != kNoPuzzle && isModuleEditUnlocked(puzzle)) {
    hint = "\n \n" + capitalize("right-click") + " to interact with modules.";
  }
  return head + delayNote + restriction + hint;
}

std::string Module::configLabel() const { return getModuleDef(kind()).configLabel; }

std::string Module::configMeaningText() const {
  const ModuleDef& def = getModuleDef(kind());
  return def.configMeaning + " " + name + " " + def.configVerb + ".";
}

std::string Module::delayText() const { return delayTextFor(delay); }

std::string delayTextFor(int delay) {
  return "Whenever this module's inputs change, it takes " + countPhrase(tickUnitWord(true), delay) +
         " to stabilize. Its inputs are unknown (?) values while it stabilizes.";
}

int Module::countPorts(int portKind) const {
  int n = 0;
  for (const auto& port : ports) n += port->kind == portKind ? 1 : 0;
  return n;
}

std::string uniqueModuleName(const ModuleList& modules, const std::string& base, int first,
                             const std::set<std::string>& alsoTaken) {
  for (long long n = first;; ++n) {
    std::string number = " " + std::to_string(n);
    // Shorten the base so the whole name fits, then test the name as it will be.
    std::size_t room = number.size() < static_cast<std::size_t>(maxModuleNameLength)
                           ? maxModuleNameLength - number.size()
                           : 0;
    std::string candidate = cutUtf8(cutUtf8(base, room) + number, maxModuleNameLength);
    bool taken = alsoTaken.count(candidate) != 0;
    for (const auto& m : modules) {
      if (taken) break;
      if (m && m->name == candidate) taken = true;
    }
    if (!taken) return candidate;
  }
}

std::string defaultModuleName(int kind, const ModuleList& modules) {
  return uniqueModuleName(modules, getModuleTypeName(kind), 1);
}
