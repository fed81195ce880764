#include "playscreens/chooser_rules.h"

#include "model/module_defs.h"
#include "puzzles/puzzle.h"

namespace {
constexpr int noButtonId = 81;

ChooserStep pickOf(const ChooserView& view, int kind) {
  for (const ChooserSlot& slot : view.slots)
    if (slot.kind == kind) return {chooserCanPick(slot.puzzle) ? ChooserAction::pick : ChooserAction::keep, kind};
  return {};
}
}  // namespace

bool chooserCanPick(int puzzle) { return puzzle != copyPastePuzzle; }

int chooserKindAt(const ChooserView& view, int x, int y) {
  for (size_t i = 0; i < view.slots.size() && i < view.slotRects.size(); ++i)
    if (rectContains(view.slotRects[i], x, y)) return view.slots[i].kind;
  return chooserNoKind;
}

ChooserStep chooserStepFor(const InputRecord& in, const ChooserView& view, int barButton,
                           bool barButtonActsOnRelease) {
  switch (in.kind) {
    case InputKind::keyDown:
      for (const ChooserSlot& slot : view.slots)
        if (moduleHotkey(slot.kind) == in.scancode) return pickOf(view, slot.kind);
      if (in.scancode == scancodeEscape) return {ChooserAction::close};
      return {};
    case InputKind::press: {
      if (in.button != inputLeftButton) return {};
      const int kind = chooserKindAt(view, in.x, in.y);
      if (kind != chooserNoKind) return pickOf(view, kind);
      if (rectContains(view.tab, in.x, in.y)) return {ChooserAction::keep};
      if (barButton == view.ownButton) return {ChooserAction::resetTrackerThenPass};
      if (barButton != noButtonId && barButtonActsOnRelease) return {ChooserAction::keep};
      return {};
    }
    case InputKind::release:
      if (in.button == inputLeftButton && rectContains(view.tab, in.x, in.y)) return {ChooserAction::keep};
      return {};
    default:
      return {};
  }
}

ChooserHover chooserHoverAt(const ChooserView& view, int x, int y) {
  ChooserHover hover;
  hover.kind = chooserKindAt(view, x, y);
  hover.overTitle = rectContains(view.title, x, y);
  hover.overDrawer = hover.kind != chooserNoKind || rectContains(view.tab, x, y);
  return hover;
}
