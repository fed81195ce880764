#include "playscreens/module_edit_rules.h"

#include <algorithm>

#include "editor/display.h"
#include "editor/edit_actions.h"
#include "editor/editor.h"
#include "model/module_config.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "playscreens/config_slider_layout.h"
#include "base/utf8_text.h"
#include "services/music_manager.h"
#include "base/strings.h"

const std::string selectionActionsTooltip =
    "The actions below affect all selected modules. (Select multiple modules by shift-clicking them, or by "
    "left-clicking and dragging in the main editing pane.)";
const std::string configBannedTooltip = "Module configuration is banned in this puzzle.";

ModuleEditLayout ModuleEditLayout::place(const GeoRect& m, const GeoRect& v, bool hasSlider) {
  ModuleEditLayout layout;
  layout.hasSlider = hasSlider;
  const int w = hasSlider ? 450 : 238;
  const int h = hasSlider ? 235 : 120;
  int x = m.x - w - 20;
  if (x < v.x) x = m.x + m.w + 20;
  x = std::min(x, v.w - 40);
  int y = m.y;
  if (m.y < v.y) {
    y = v.y;
  } else if (m.y + h > v.y + v.h) {
    y = v.y + v.h - h;
  }
  layout.panel = {x, y, w, h};
  return layout;
}

bool ModuleEditLayout::contains(int x, int y) const { return pointInGeoRect(panel, x, y); }

bool moduleEditHasSlider(const Module& module) {
  return module.kind() != kOpSelectorKind && module.logic->configValue() != nullptr;
}

bool moduleEditCanEditConfig(const Module& module, int puzzle) {
  return moduleEditHasSlider(module) && module.isConfigurable(puzzle);
}

ModuleEditSession::ModuleEditSession(std::shared_ptr<Editor> editorIn, std::shared_ptr<Module> moduleIn)
    : editor(std::move(editorIn)), module(std::move(moduleIn)) {
  restart();
}

void ModuleEditSession::restart() {
  savedSetup.emplace(editor->machine, module);
  wireChanges.clear();
  valueText.clear();
  edited = false;
  nameText = module->getName();
}

bool ModuleEditSession::canEditConfig() const { return moduleEditCanEditConfig(*module, editor->puzzle); }
bool ModuleEditSession::hasSlider() const { return moduleEditHasSlider(*module); }
std::shared_ptr<Value> ModuleEditSession::currentConfig() const { return module->logic->configValue(); }

namespace {
bool sameValue(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b) {
  return a && b ? a->equals(b) : a == b;
}

// Gives the module's logic the configuration; when its ports change they are
// rebuilt from the ports it had when the panel opened, so the very port
// objects the undo stack names come back, and every wire that still fits is
// reattached.
void setConfiguration(Editor& editor, Module& module, const ModuleStoredSetup& setup,
                      const std::shared_ptr<Value>& config) {
  if (!module.logic->setConfig(config)) return;
  std::vector<WireRecord> wires = collectAttachedWires(editor.machine, {&module});
  for (const StoredWire& wire : setup.wires) wires.push_back({wire.source, wire.destination, wire.points});
  module.rebuildPorts(setup.ports, wires, editor.constContext());
}
}  // namespace

ModuleEditSession::Preview ModuleEditSession::preview(const std::shared_ptr<Value>& value) {
  edited = true;
  const std::shared_ptr<Value> before = currentConfig();
  if (!before || !value || sameValue(before, value)) return {};
  const int delayBefore = module->delay;
  // The previous preview's connections go before the ports change again.
  undoAll(wireChanges, editor->constContext());
  wireChanges.clear();
  setConfiguration(*editor, *module, *savedSetup, value);
  savedSetup->restore(editor->machine, editor->puzzle);
  wireChanges = Display::placeModules({module}, editor->machine, editor->puzzle);
  applyAll(wireChanges, editor->constContext());
  module->updateDelay();
  // Values read before the change are stale: the board shows the preview.
  for (const auto& m : editor->machine)
    for (const auto& port : m->ports) port->clearCache();
  // A value the logic holds to its range may leave the configuration as it was.
  Preview result{!sameValue(before, currentConfig()), module->delay != delayBefore};
  if (result.delayChanged) editor->autoClockPeriod();
  if (result.changed) musicManager().playSound(ClickNumber, 1.0f);
  return result;
}

ModuleEditSession::Preview ModuleEditSession::applyValueText() {
  auto range = getModuleConfig(module->kind());
  if (!range) return {};
  const long long typed = readLeadingInt(valueText);
  const int lo = intOf(range->minValue());
  const int hi = intOf(range->maxValue());
  return preview(makeNumericValue(int(std::clamp<long long>(typed, lo, hi))));
}

ModuleEditSession::Preview ModuleEditSession::typeValue(const std::string& typed) {
  if (!canEditConfig()) return {};
  for (char c : typed) {
    if (!isAsciiSpace(c)) valueText += c;
  }
  if (valueText.size() > maxTypedValueLength) valueText = cutUtf8(valueText, maxTypedValueLength);
  return applyValueText();
}

ModuleEditSession::Preview ModuleEditSession::eraseValue() {
  if (!canEditConfig()) return {};
  if (!edited) {
    valueText.clear();
    edited = true;
  }
  if (valueText.empty()) return {};
  valueText = cutUtf8(valueText, valueText.size() - 1);
  return applyValueText();
}

void ModuleEditSession::startValueTyping() {
  const std::shared_ptr<Value> value = currentConfig();
  valueText = value ? value->text() : "";
  edited = true;
  focus = focusValue;
}

void ModuleEditSession::typeName(const std::string& typed) {
  nameText = cutUtf8(nameText + typed, maxModuleNameLength);
}

void ModuleEditSession::eraseName() {
  if (!nameText.empty()) nameText = cutUtf8(nameText, nameText.size() - 1);
}

std::string ModuleEditSession::nameToCommit() const {
  if (!nameText.empty()) return nameText;
  ModuleList others;
  for (const auto& m : editor->machine) {
    if (m != module) others.push_back(m);
  }
  return defaultModuleName(module->kind(), others);
}

void ModuleEditSession::revert() {
  undoAll(wireChanges, editor->constContext());
  wireChanges.clear();
  const int delayBefore = module->delay;
  if (!sameValue(currentConfig(), savedSetup->config)) setConfiguration(*editor, *module, *savedSetup, savedSetup->config);
  // Moving modules clear of a grown one may have moved others: all go back.
  for (const auto& [m, position] : savedSetup->positions) {
    m->x = position.first;
    m->y = position.second;
  }
  module->updateDelay();
  if (module->delay != delayBefore) editor->autoClockPeriod();
}

bool ModuleEditSession::commit() {
  const std::shared_ptr<Value> config = currentConfig();
  const bool configChanged = config && savedSetup->config && !config->equals(savedSetup->config);
  const std::string name = nameToCommit();
  const bool nameChanged = name != savedSetup->name;
  revert();
  bool performed = false;
  if (configChanged) {
    performed |= editor->performAction(std::make_shared<ModuleEditAction>(
        editor->machine, editor->clockPeriod, editor->currentTest, module, config, editor->puzzle));
  }
  if (nameChanged) performed |= editor->performAction(std::make_shared<ModuleNameAction>(module, name));
  restart();
  return performed;
}
