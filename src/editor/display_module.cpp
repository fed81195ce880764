#include "editor/display_module.h"

#include <algorithm>

#include "model/clocked_logics.h"
#include "model/delay_paths.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "puzzles/tick_unit.h"
#include "model/value.h"
#include "puzzles/puzzle.h"
#include "base/strings.h"

void WriterLight::update(Tick now, int durationMs, const ConstContext& context, const Module& module) {
  time = now;
  duration = durationMs;
  writes = writerWritesThisTick(module.ports, context);
}

bool WriterLight::glowing(Tick now) const { return writes && now >= time && now - time <= duration / 2; }

DisplayModule::DisplayModule(int puzzle, bool outlinedIn, std::shared_ptr<Module> moduleIn)
    : module(std::move(moduleIn)), outlined(outlinedIn), showDelay(showsDelay(puzzle)) {
  layoutPorts();
}

DisplayModule DisplayModule::forModule(std::shared_ptr<Module> module) {
  return DisplayModule(0, false, std::move(module));
}

ModuleGeometry DisplayModule::geometry() const { return ModuleGeometry::of(*module, showDelay); }

void DisplayModule::layoutPorts() {
  const ModuleGeometry g = geometry();
  width = g.width;
  height = g.height;
  ports.clear();
  ports.reserve(module->ports.size());
  for (std::size_t i = 0; i < module->ports.size(); ++i) {
    ports.emplace_back(module->ports[i], g.ports[i].dx, g.ports[i].dy);
  }
}

GeoRect DisplayModule::rect() const { return {module->x, module->y, width, height}; }

GeoPoint DisplayModule::centre() const { return {module->x + width / 2, module->y + height / 2}; }

bool DisplayModule::intersects(const GeoRect& screenRect, const ViewTransform& view) const {
  return rectsIntersect(screenRect, worldRectToScreen(view, rect()));
}

bool DisplayModule::containsPoint(const ViewTransform& view, int x, int y) const {
  return rectContains(worldRectToScreen(view, rect()), x, y);
}

GeoRect DisplayModule::placementBounds() const { return geometry().placementBounds(*module); }

bool DisplayModule::isPlacementFree(const std::vector<DisplayModule>& others) const {
  const GeoRect mine = placementBounds();
  for (const DisplayModule& other : others) {
    if (other.module == module) continue;
    if (rectsIntersect(mine, other.placementBounds())) return false;
  }
  return true;
}

void DisplayModule::moveCentreTo(int x, int y) { geometry().moveCentreTo(*module, x, y); }

std::set<GeoPoint> DisplayModule::occupiedCells() const { return geometry().occupiedCells(*module); }

void DisplayModule::appendOccupiedCells(std::vector<GeoPoint>& cells) const {
  geometry().appendOccupiedCells(*module, cells);
}

int DisplayModule::category() const { return getModuleCategory(module->kind()); }

GeoPoint DisplayModule::clockCentre() const { return {module->x + width - 37, module->y + height - 35}; }

GeoPoint DisplayModule::writeLightCentre() const { return {module->x + width - 31, module->y + 20}; }

DelayMeter DisplayModule::delayMeterAt(int x, int y, bool allowed) const {
  return {x - 8, y + height - 63, category(), allowed, module->delay};
}

bool DisplayModule::isOverDelayMeter(int mouseX, int mouseY, const ViewTransform& view) const {
  if (module->delay <= 0) return false;
  const Point w = view.screenToWorld(mouseX, mouseY);
  const int left = module->x - 2, top = module->y + height - 63;
  return w.x >= left && w.x < left + kDelayMeterFill - 8 && w.y >= top && w.y < top + delayMeterHeight() - 6;
}

void DisplayModule::tickAnimationAt(Tick now, int durationMs, const ConstContext& context) {
  for (PortView& view : ports) view.captureValueAt(now, durationMs, context);
  clock.startStep(now, durationMs, context.tick);
  delayAnimation = {now, durationMs, std::max(module->settleTick() - context.tick, 0)};
  if (module->kind() == kWriterKind) writerLight.update(now, durationMs, context, *module);
}

void DisplayModule::releasePortTextures() {
  for (PortView& view : ports) view.release();
}

void DisplayModule::stopAnimations() {
  releasePortTextures();
  clock.clear();
  delayAnimation = {};
  writerLight = {};
}

bool DisplayModule::animationProgress(int tick, Tick now) const {
  if (delayAnimation.start == INT_MAX) return false;
  const Tick from = delayAnimation.start + delayAnimation.duration / 2 - 100;
  const Tick to = delayAnimation.start + delayAnimation.duration;
  return now >= from && now < to && module->settleTick() >= tick;
}

int DisplayModule::remainingDelay(const ConstContext& context, Tick now) const {
  // Outside delay puzzles nothing settles, whatever the ports recorded.
  if (!context.delayMode) return 0;
  if (delayAnimation.start != INT_MAX && now < delayAnimation.start + delayAnimation.duration / 2 - 100) {
    return delayAnimation.previousRemaining;
  }
  return std::max(module->settleTick() - context.tick, 0);
}

ModuleTextureKey DisplayModule::textureKey(int puzzle, const ConstContext& context, int zoom, Tick now) const {
  int flags = 0;
  if (!module->isAllowedInPuzzle(puzzle)) flags |= 1;
  if (showDelay) flags |= 2;
  if (remainingDelay(context, now) > 0) flags |= 4;
  ModuleTextureKey key{module->kind(), zoom, module->logic->configInt(), flags, {}};
  if (key.kind == kOpSelectorKind) {
    const std::shared_ptr<Value> config = module->logic->configValue();
    if (const OpVecValue* ops = config ? config->asOpVec() : nullptr) key.opcodes = ops->opcodes();
  }
  return key;
}

std::string DisplayModule::delayMeterText(int puzzle) const {
  const DelayInfo info = computeModuleDelayPath(module.get());
  if (info.paths.empty() || info.paths.front().empty()) return module->delayText();
  const Module* start = info.paths.front().front();
  const std::string s = start == module.get() ? "its own output" : start->getName();
  const bool fromNumber = start->kind() == kNumberKind;
  const std::string lead = fromNumber ? "It" : "When '" + s + "' changes, it";
  const std::string from = fromNumber ? " from " + s : "";
  std::string text = module->delayText() + "\n \n" + lead + " takes " + countPhrase(tickUnitWord(true), info.delay) +
                     " for this module to receive and process the results" + from + ".";
  if (puzzleHasFlag(puzzle, puzzleFlagTimed)) {
    text += "\nThe path from " + s + " to this module is shown; modules off the path are transparent.";
  }
  return text;
}

std::string DisplayModule::tooltipText(int puzzle, const ConstContext& context, const ViewTransform& view,
                                       int mouseX, int mouseY) const {
  for (const PortView& port : ports) {
    if (port.containsPoint(mouseX, mouseY, view)) return port.tooltipText(context);
  }
  if (!containsPoint(view, mouseX, mouseY)) return "";
  if (showsDelay(puzzle) && module->delay > 0 && isOverDelayMeter(mouseX, mouseY, view)) return delayMeterText(puzzle);
  return module->tooltipText(puzzle);
}
