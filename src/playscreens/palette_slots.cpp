#include "playscreens/palette_slots.h"

#include "model/module_defs.h"
#include "playscreens/config_slider_layout.h"
#include "playscreens/config_widgets.h"
#include "playscreens/palette_contents.h"
#include "playscreens/palette_layout.h"
#include "saves/palette_groups.h"
#include "shell/button_table.h"
#include "shell/fonts.h"
#include "shell/tooltip.h"

Texture paletteAddSlotTexture;
Texture paletteSlotTexture;
Texture paletteHighlightTexture;

void loadPaletteMedia(SDL_Renderer* renderer) {
  paletteAddSlotTexture.loadChecked(renderer, "art/editor/ModDrawer_Palettes_AddSlot.png");
  paletteSlotTexture.loadChecked(renderer, "art/editor/ModDrawer_Palettes_Slot.png");
  paletteHighlightTexture.loadChecked(renderer, "art/modules/choosers/HighlightOverlay.png");
  SDL_SetTextureAlphaMod(paletteHighlightTexture.texture, 128);
}

void releasePaletteMedia() {
  paletteAddSlotTexture.free();
  paletteSlotTexture.free();
  paletteHighlightTexture.free();
}

namespace {
constexpr int nameFont = 11;

void drawHighlight(SDL_Renderer* renderer, const GeoRect& r, Uint8 shade) {
  SDL_SetTextureColorMod(paletteHighlightTexture.texture, shade, shade, shade);
  paletteHighlightTexture.render(renderer, r.x, r.y);
  SDL_SetTextureColorMod(paletteHighlightTexture.texture, 255, 255, 255);
}

void drawHotkey(SDL_Renderer* renderer, const GeoRect& r, int scancode) {
  if (scancode == 0) return;
  TextItem(keyNameForScancode(scancode), r.x + r.w - 4, r.y + 2, SDL_Color{0, 0, 0, 0}, 5, AlignRight)
      .draw(renderer);
}
}  // namespace

GeoRect PaletteSlot::rect() const {
  return paletteSlotRect({x, y}, paletteSlotTexture.width, paletteSlotTexture.height);
}

Button PaletteSlot::deleteButton() const {
  const GeoPoint at = paletteSlotDeleteAt(rect());
  Button b(at.x, at.y, paletteDeleteButton, nullptr);
  b.tooltipProvider = [] { return std::string(); };
  return b;
}

bool PaletteSlot::overDelete(int mouseX, int mouseY) const { return deleteButton().contains(mouseX, mouseY); }

TextItem PaletteSlot::nameItem(bool cursor) const {
  const GeoRect r = rect();
  if (!renaming) {
    return TextItem(group->displayName(), r.x + r.w / 2, r.y + r.h + 3, SDL_Color{0, 0, 0, 0}, nameFont, AlignCentre);
  }
  // The typed name keeps its place as the cursor comes and goes.
  return TextItem(renameText + (cursor ? "_" : ""), r.x + r.w / 2 + fontDimensions(nameFont).width / 2,
                  r.y + r.h + 3, SDL_Color{0, 0, 0, 0}, nameFont, AlignCentre);
}

bool PaletteSlot::overName(int mouseX, int mouseY) const {
  TextItem item = nameItem(false);
  if (item.textValue.empty()) item.textValue.push_back(' ');  // an empty name still takes a click
  const SDL_Rect r = item.mouseBounds();
  return pointInRect(r.x, r.y, r.w, r.h, mouseX, mouseY);
}

bool PaletteSlot::contains(int mouseX, int mouseY) const { return pointInGeoRect(rect(), mouseX, mouseY); }

void PaletteSlot::render(SDL_Renderer* renderer, int mouseX, int mouseY) const {
  const GeoRect r = rect();
  const GeoPoint art = paletteSlotArtAt(r);
  paletteSlotTexture.render(renderer, art.x, art.y);
  for (const PalettePreviewBox& box : palettePreview(group->set, r, puzzle)) {
    fillRect(renderer, box.rect, box.allowed ? SDL_Color{141, 79, 58, 255} : SDL_Color{249, 22, 51, 255});
  }
  const bool overDeleteButton = overDelete(mouseX, mouseY);
  if (contains(mouseX, mouseY) && !overDeleteButton) drawHighlight(renderer, r, 255);
  deleteButton().render(renderer, overDeleteButton, 255);
  nameItem(renaming && typingCursorVisible()).draw(renderer);
  drawHotkey(renderer, r, paletteGroupHotkey(group->index));
}

bool PaletteSlot::renderTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const {
  if (overDelete(mouseX, mouseY)) return false;
  if (overName(mouseX, mouseY)) {
    drawTooltip(renderer, paletteRenameTooltip(*group));
    return true;
  }
  if (!contains(mouseX, mouseY)) return false;
  drawTooltip(renderer, palettePlaceTooltip(*group, puzzle));
  return true;
}

GeoRect PaletteAddSlot::rect() const {
  return paletteSlotRect({x, y}, paletteAddSlotTexture.width, paletteAddSlotTexture.height);
}

bool PaletteAddSlot::contains(int mouseX, int mouseY) const { return pointInGeoRect(rect(), mouseX, mouseY); }

void PaletteAddSlot::render(SDL_Renderer* renderer, int mouseX, int mouseY) const {
  const GeoRect r = rect();
  const GeoPoint art = paletteSlotArtAt(r);
  paletteAddSlotTexture.render(renderer, art.x, art.y);
  if (!anySelected) {
    drawHighlight(renderer, r, 0);  // nothing to add: darkened
  } else if (contains(mouseX, mouseY)) {
    drawHighlight(renderer, r, 255);
  }
  drawHotkey(renderer, r, paletteAddSlotHotkey());
}

bool PaletteAddSlot::renderTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const {
  if (!contains(mouseX, mouseY)) return false;
  drawTooltip(renderer, paletteAddSlotTooltip(anySelected));
  return true;
}
