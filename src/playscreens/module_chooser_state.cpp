#include "playscreens/module_chooser_state.h"

#include <cstdlib>

#include "editor/editor.h"
#include "model/module_config.h"
#include "model/module_defs.h"
#include "playscreens/module_placement_state.h"
#include "playscreens/neutral_play_state.h"
#include "puzzles/puzzle_services.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "shell/button_table.h"
#include "shell/crash_screen.h"
#include "shell/input.h"
#include "base/log.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"
#include "shell/tooltip.h"

std::array<Texture, 5> chooserBaseTextures;
Texture chooserGreyTexture;
Texture chooserHighlightTexture;

namespace {
std::array<Texture, kModuleKindCount> chooserSymbols;

void loadOrFail(SDL_Renderer* renderer, Texture& texture, const std::string& path) {
  checkSdl(texture.loadFromFile(renderer, path), "Loading texture from " + path);
}

bool inside(const GeoRect& r, Point p) { return pointInRect(r.x, r.y, r.w, r.h, p.x, p.y); }
}  // namespace

void loadChooserTextures(SDL_Renderer* renderer) {
  for (int n = 1; n <= 3; ++n)
    loadOrFail(renderer, chooserBaseTextures[size_t(n)],
               "art/modules/choosers/ModDrawer_" + getCategoryName(n) + "_Blank.png");
  loadOrFail(renderer, chooserGreyTexture, "art/modules/choosers/ModDrawer_Grey_Blank.png");
  loadOrFail(renderer, chooserHighlightTexture, "art/modules/choosers/HighlightOverlay.png");
  for (int kind = 1; kind < kModuleKindCount; ++kind)
    chooserSymbols[size_t(kind)].loadChecked(renderer, "art/modules/symbols/" + getModuleTypeName(kind) + ".png");
}

void releaseChooserTextures() {
  for (Texture& t : chooserBaseTextures) t.free();
  for (Texture& t : chooserSymbols) t.free();
  chooserGreyTexture.free();
  chooserHighlightTexture.free();
}

ModuleChooserState::ModuleChooserState(const Viewport& viewport, std::shared_ptr<Editor> editor,
                                       ModuleSelection selectedModules, WireSelection selectedWires, int categoryIn)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, std::move(editor), std::move(selectedModules), std::move(selectedWires)),
      category(categoryIn) {
  if (auto* bar = dynamic_cast<EditorBottomBar*>(playScreen.bar.get()))
    bar->buttons = bar->makeButtons(buttonForCategory(category));
  static_cast<FullScrollLogic&>(*scroll).clamp(playScreen.scrollBounds(this->viewport()));
  const int puzzle = playScreen.editor->puzzle;
  const ModDrawerTab at = tab();
  slots = buildChooserSlots(category, getPuzzleAllowedModules(puzzle), GeoPoint{at.x, at.y},
                            chooserBaseTextures[1].width + 4, puzzle);
}

ModDrawerTab ModuleChooserState::tab() const {
  GeoPoint at{0, 0};
  if (auto* bar = dynamic_cast<EditorBottomBar*>(playScreen.bar.get())) at = bar->buttonLocation(buttonForCategory(category));
  return {category, at.x, at.y, int(slots.size())};
}

GeoRect ModuleChooserState::slotRect(const ChooserSlot& slot) const {
  const Texture& art = chooserBaseTextures[size_t(getModuleCategory(slot.kind))];
  return chooserSlotRect(slot, art.width, art.height);
}

ChooserView ModuleChooserState::view() const {
  ChooserView v;
  v.slots = slots;
  for (const ChooserSlot& slot : slots) v.slotRects.push_back(slotRect(slot));
  const ModDrawerTab t = tab();
  v.tab = t.layoutRect();
  v.title = t.titleRect();
  v.ownButton = buttonForCategory(category);
  return v;
}

int ModuleChooserState::hoveredKind() const {
  const Point m = mousePosition();
  return chooserKindAt(view(), m.x, m.y);
}

bool ModuleChooserState::overDrawer() const {
  const Point m = mousePosition();
  return chooserHoverAt(view(), m.x, m.y).overDrawer;
}

StateChange ModuleChooserState::choose(int kind) {
  const int puzzle = playScreen.editor->puzzle;
  if (!chooserCanPick(puzzle)) return {};
  musicManager().playSound(ClickButton, 1.0f);
  markModuleSeen(kind);
  auto* placing = new ModulePlacementState(viewport(), playScreen.editor, kind, defaultConfigFor(kind, puzzle));
  placing->origin = category;
  return {placing, Switch};
}

StateChange ModuleChooserState::handleEvent(const SDL_Event& event) {
  InputRecord in = inputRecordOf(event);
  const Point m = mousePosition();
  in.x = m.x;
  in.y = m.y;
  int barButton = noButton;
  bool actsOnRelease = false;
  if (in.kind == InputKind::press) {
    if (Button* b = playScreen.bar->buttons.buttonAt(m.x, m.y)) {
      barButton = b->id;
      actsOnRelease = b->hasDownArt();
    }
  }
  const ChooserStep step = chooserStepFor(in, view(), barButton, actsOnRelease);
  switch (step.action) {
    case ChooserAction::pick:
      return choose(step.kind);
    case ChooserAction::keep:
      return {};
    case ChooserAction::close:
      return {new NeutralPlayState(viewport(), playScreen.editor, playScreen.selectedModules, playScreen.selectedWires),
              Switch};
    case ChooserAction::resetTrackerThenPass:
      mouseTracker().reset();
      break;
    case ChooserAction::pass:
      break;
  }
  return playScreen.handleForPanel(event, viewport());
}

int ModuleChooserState::cursor() { return overDrawer() ? 1 : playScreen.cursorAt(viewport()); }

std::string ModuleChooserState::slotTooltip(const ChooserSlot& slot) const {
  std::string text = kindDescriptionText(slot.kind, slot.puzzle);
  if (slot.puzzle == copyPastePuzzle)
    return text + "\n \nYou can only place modules through the Palette in this puzzle.";
  if (getModuleConfig(slot.kind)) text += " (After placing this module, right-click on it to configure it.)";
  return text;
}

void ModuleChooserState::renderSlot(SDL_Renderer* renderer, const ChooserSlot& slot) const {
  const GeoRect r = slotRect(slot);
  const bool grey = slot.puzzle == copyPastePuzzle;
  const int kindCategory = getModuleCategory(slot.kind);
  const Texture& base = grey ? chooserGreyTexture : chooserBaseTextures[size_t(kindCategory)];
  if (base.width < 1)
    fatalError("nil module chooser base texture width (not loaded?) for category " + std::to_string(kindCategory));
  base.render(renderer, r.x - 2, r.y - 2);
  const Texture& symbol = chooserSymbols[size_t(slot.kind)];
  if (symbol.texture) {
    const std::uint32_t colour = moduleCategories[size_t(kindCategory)].colour;
    if (grey)
      SDL_SetTextureColorMod(symbol.texture, 79, 79, 79);
    else
      SDL_SetTextureColorMod(symbol.texture, colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
    symbol.render(renderer, r.x + r.w / 2 - symbol.width / 2, r.y - symbol.height / 2 + 20);
  }
  if (!grey) {
    int alpha = 0;
    if (inside(r, mousePosition()))
      alpha = 128;
    else if (!isModuleSeen(slot.kind))
      alpha = int(std::llabs(600 - ticksNow() % 1200) * 160 / 600);
    if (alpha > 0) {
      SDL_SetTextureAlphaMod(chooserHighlightTexture.texture, Uint8(alpha));
      chooserHighlightTexture.render(renderer, r.x, r.y);
    }
  }
  TextItem(keyNameForScancode(moduleHotkey(slot.kind)), r.x + r.w - 4, r.y + 5, SDL_Color{0, 0, 0, 255}, 5, AlignRight)
      .draw(renderer);
  TextItem(getModuleTypeDisplayName(slot.kind).substr(0, 5), r.x + r.w / 2 + 1, r.y + 43, SDL_Color{79, 79, 79, 255}, 8,
           AlignCentre)
      .draw(renderer);
}

void ModuleChooserState::render(SDL_Renderer* renderer) {
  updateScreenShake(shakeStartTick, viewport());
  const Point m = mousePosition();
  const ChooserHover over = chooserHoverAt(view(), m.x, m.y);
  const Point hover = over.overDrawer ? noMousePoint : m;
  playScreen.render(renderer, nullptr, viewport(), hover.x, hover.y);
  tab().render(renderer);
  for (const ChooserSlot& slot : slots) renderSlot(renderer, slot);
  for (const ChooserSlot& slot : slots)
    if (slot.kind == over.kind) drawTooltip(renderer, slotTooltip(slot));
  if (over.overTitle) tab().renderTitleTooltip(renderer, m.x, m.y);
  playScreen.renderTooltips(renderer, nullptr, viewport(), hover.x, hover.y);
}

GameState* ModuleChooserState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new ModuleChooserState(v, playScreen.editor, playScreen.selectedModules, playScreen.selectedWires, category);
}
