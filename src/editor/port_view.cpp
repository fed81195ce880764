#include "editor/port_view.h"

#include <algorithm>

#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "base/log.h"

Rgba portHighlightColour(int type) {
  switch (type) {
    case 2: return {27, 183, 255, 255};
    case 3: return {255, 27, 27, 255};
    case 4: return {255, 81, 0, 255};
  }
  fatalError("invalid port highlight type " + std::to_string(type));
}

OffscreenArrow offscreenArrowFor(const GeoRect& box, const GeoRect& view, int margin) {
  OffscreenArrow arrow;
  if (rectsIntersect(box, view)) return arrow;
  arrow.shown = true;
  const int cx = box.x + box.w / 2, cy = box.y + box.h / 2;
  const int left = view.x, top = view.y, right = view.x + view.w, bottom = view.y + view.h;
  arrow.centre = {std::clamp(cx, left + margin, std::max(left + margin, right - margin)),
                  std::clamp(cy, top + margin, std::max(top + margin, bottom - margin))};
  const int column = cx <= left ? -1 : (cx >= right ? 1 : 0);
  const int row = cy <= top ? -1 : (cy >= bottom ? 1 : 0);
  // Indexed by [row + 1][column + 1].
  static const int angles[3][3] = {{-45, 0, 45}, {-90, 0, 90}, {-135, 180, 135}};
  arrow.angle = angles[row + 1][column + 1];
  return arrow;
}

const std::array<Rgba, 4>& ownPortColours() {
  // The Instruction Decoder's four outputs are the only ports with colours
  // of their own; ask its logic rather than repeat them.
  static const std::array<Rgba, 4> colours = [] {
    std::shared_ptr<Module> decoder = Module::create(kDecoderKind, 0, 0, nullptr, "");
    std::array<Rgba, 4> found{};
    for (int i = 0; i < 4; ++i) found[std::size_t(i)] = viewColour(decoder->logic->ownPortColor(i + 1));
    return found;
  }();
  return colours;
}

Rgba categoryInfoboxTint(int category) {
  static const Rgba tints[4] = {{218, 216, 216, 255}, {246, 241, 195, 255}, {237, 201, 157, 255}, {0, 0, 0, 255}};
  if (category < 1 || category > 4) fatalError("no info box tint for category " + std::to_string(category));
  return tints[category - 1];
}

InfoboxTint infoboxTintFor(const Port& port) {
  const Module* owner = port.owner;
  if (owner == nullptr) return {false, 5};
  const Rgba own = viewColour(owner->logic->ownPortColor(owner->portIndex(&port, false)));
  if (own.r != 0 || own.g != 0 || own.b != 0) {
    const auto& colours = ownPortColours();
    for (int i = 0; i < 4; ++i) {
      const Rgba& c = colours[std::size_t(i)];
      if (c.r == own.r && c.g == own.g && c.b == own.b) return {true, i};
    }
  }
  return {false, getModuleCategory(owner->kind())};
}

PortView::PortView(std::shared_ptr<Port> portIn, int dxIn, int dyIn)
    : port(portIn.get()), handle(std::move(portIn)), dx(dxIn), dy(dyIn) {}

GeoPoint PortView::position() const {
  const Module* owner = port->owner;
  return {owner->x + dx, owner->y + dy};
}

GeoPoint PortView::getInfoboxOrigin() const { return infoboxOrigin(port->kind, position()); }

GeoPoint PortView::topLeft() const { return infoboxTopLeft(port->kind, position()); }

GeoRect PortView::getInfoboxRect() const { return infoboxRect(port->kind, position()); }

GeoRect PortView::hitRect() const { return infoboxHitRect(port->kind, position()); }

bool PortView::containsPoint(int x, int y, const ViewTransform& view) const {
  return rectContains(worldRectToScreen(view, hitRect()), x, y);
}

bool PortView::isHeld() const {
  return port->kind == kResultPort && port->owner != nullptr && port->owner->logic->holdsOutput();
}

void PortView::captureValueAt(Tick now, int durationMs, const ConstContext& context) {
  changeTime = now;
  duration = durationMs;
  value = port->getValue(context, false);
  stabilising = port->owner != nullptr && port->owner->isStabilizing(context) && !isHeld();
}

void PortView::release() {
  changeTime = 0;
  duration = 0;
  value.reset();
}

PortDisplayState PortView::displayState(const ConstContext& context, Tick now) const {
  PortDisplayState state;
  const Tick half = changeTime + duration / 2;
  const Tick end = changeTime + duration;
  const bool held = isHeld();
  bool animating;
  if (now < half && !held) {
    state.showStored = true;
    state.stabilising = stabilising;
    animating = now < end;
  } else {
    state.stabilising = !held && port->owner != nullptr && port->owner->isStabilizing(context);
    animating = held ? now < half : now < end;
  }
  std::shared_ptr<Value> current = port->getValue(context, false);
  if (animating) state.changed = state.stabilising ? duration > 999 : !current->equals(value);
  const bool bump = state.changed && (held || (now > half && !state.stabilising));

  const Tick d = now - (held ? changeTime : half);
  if (d <= 0 || (!state.changed && !stabilising)) {
    state.offset = 0;
  } else if (d < 100) {
    state.offset = int(5 - d * 5 / 100);
  } else if (stabilising && d < 200) {
    state.offset = int((d * 5 - 500) / 100 - 5);
  }

  const Tick e = now - half;
  if (bump) {
    state.fade = 1.0;
  } else if (e <= -100) {
    state.fade = 0.0;
  } else if (e < 0) {
    state.fade = double(e + 100) / 100.0;
  } else if (!state.stabilising) {
    state.fade = 1.0;
  } else if (e < 100) {
    state.fade = 1.0 - double(e) / 100.0;
  }
  state.value = state.showStored && value ? value : current;
  return state;
}

std::string PortView::valueText(const ConstContext& context) const {
  std::shared_ptr<Value> current = port->getValue(context, false);
  std::string text = "\n \n'" + current->text() + "': " + current->description();
  const Module* owner = port->owner;
  if (owner == nullptr || isHeld() || !owner->isStabilizing(context)) return text;
  const std::string target = port->kind == kResultPort
                                 ? "'" + port->getValue(context, true)->text() + "'"
                                 : "the input, '" + port->getValue(context, true)->text() + "',";
  const int left = owner->settleTick() - context.tick;
  const std::string span = left == 1 ? "mTick" : std::to_string(left) + " mTicks";
  return text + " Will stabilize to " + target + " if this module's inputs stay the same for the next " + span + ".";
}

std::string PortView::tooltipText(const ConstContext& context) const {
  std::string text = port->name();
  const std::string description = port->description();
  if (!description.empty()) text += ": " + description;
  return text + "\n" + valueText(context);
}
