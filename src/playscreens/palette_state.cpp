#include "playscreens/palette_state.h"

#include <climits>

#include "editor/editor.h"
#include "playscreens/config_slider_layout.h"
#include "playscreens/module_chooser_state.h"
#include "playscreens/module_placement_state.h"
#include "playscreens/neutral_play_state.h"
#include "saves/palette_groups.h"
#include "saves/profiles.h"
#include "services/music_manager.h"
#include "shell/input.h"

namespace {
constexpr int paletteCategory = 4;
}  // namespace

StateChange addSelectionToPalette(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
                                  WireSelection wires) {
  const int group = addSelectionAsGroup(modules);
  if (group < 0) return {};
  return {new PaletteState(group, viewport, std::move(editor), std::move(modules), std::move(wires), ""), Switch};
}

PaletteState::PaletteState(int renamingIndex, const Viewport& viewport, std::shared_ptr<Editor> editor,
                           ModuleSelection modules, WireSelection wires, std::string renameText)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, std::move(editor), std::move(modules), std::move(wires)),
      rename{renamingIndex, std::move(renameText)} {
  if (auto* bar = dynamic_cast<EditorBottomBar*>(playScreen.bar.get())) bar->buttons = bar->makeButtons(barPaletteDrawer);
  static_cast<FullScrollLogic&>(*scroll).clamp(playScreen.scrollBounds(this->viewport()));
}

PaletteLayout PaletteState::layout() const {
  GeoPoint at{0, 0};
  if (auto* bar = dynamic_cast<EditorBottomBar*>(playScreen.bar.get())) at = bar->buttonLocation(barPaletteDrawer);
  return {at, int(customGroups.size()), paletteScroll, chooserBaseTextures[1].width + 4};
}

ModDrawerTab PaletteState::tab() const {
  const PaletteLayout l = layout();
  return {paletteCategory, l.button.x, l.button.y, l.tabSlotCount()};
}

PaletteAddSlot PaletteState::addSlot() const {
  const GeoPoint at = layout().addSlot();
  return {at.x, at.y, !playScreen.selectedModules.empty()};
}

std::vector<PaletteSlot> PaletteState::shownSlots() const {
  const PaletteLayout l = layout();
  std::vector<PaletteSlot> slots;
  for (int i : l.shownGroups()) {
    const GeoPoint at = l.groupSlot(i);
    const bool renaming = rename.index == i;
    slots.push_back({at.x, at.y, &customGroups[size_t(i)], playScreen.editor->puzzle, renaming,
                     renaming ? rename.text : ""});
  }
  return slots;
}

ButtonList PaletteState::scrollButtons() {
  const PaletteLayout l = layout();
  ButtonList list;
  if (!l.showsScrollButtons()) return list;
  list.push_back(Button(l.previousButton().x, l.previousButton().y, palettePreviousButton, [l] {
    paletteScroll = clampPaletteScroll(paletteScroll - 1, l.count);
    return StateChange{};
  }, [l] { return l.canScrollBack(); }));
  list.push_back(Button(l.nextButton().x, l.nextButton().y, paletteNextButton, [l] {
    paletteScroll = clampPaletteScroll(paletteScroll + 1, l.count);
    return StateChange{};
  }, [l] { return l.canScrollOn(); }));
  return list;
}

bool PaletteState::overDrawer(int x, int y) const {
  if (pointInGeoRect(tab().layoutRect(), x, y)) return true;
  if (layout().showsAddSlot() && addSlot().contains(x, y)) return true;
  for (const PaletteSlot& slot : shownSlots())
    if (slot.contains(x, y) || slot.overDelete(x, y) || slot.overName(x, y)) return true;
  return false;
}

StateChange PaletteState::rebuilt() { return {rebuild(viewport().screen), Switch}; }

StateChange PaletteState::place(int group) {
  auto editor = playScreen.editor;
  const Point m = mousePosition();
  const Point world = viewport().screenToWorld(m.x, m.y);
  const CustomGroup& chosen = customGroups.at(size_t(group));
  std::set<std::shared_ptr<Module>> pasted =
      chosen.paste(editor->puzzle, editor->constContext(), editor->machine, world.x, world.y);
  if (pasted.empty()) return {};
  musicManager().playSound(ClickButton, 1.0f);
  auto* placing = new ModulePlacementState(viewport(), editor, std::move(pasted));
  placing->describeUnavailableModules(chosen.set.modules);
  placing->origin = fromPalette;
  placing->originGroup = paletteScroll;
  return {placing, Switch};
}

StateChange PaletteState::addSelection() {
  return addSelectionToPalette(viewport(), playScreen.editor, playScreen.selectedModules, playScreen.selectedWires);
}

StateChange PaletteState::handleEvent(const SDL_Event& event) {
  const Point m = mousePosition();
  ButtonList arrows = scrollButtons();
  const int arrow = arrows.clickedId(event);
  if (arrow != noButton) return {};
  if (event.type == SDL_TEXTINPUT) {
    if (!rename.active()) return playScreen.handleForPanel(event, viewport());
    rename.type(event.text.text);
    return {};
  }
  if (event.type == SDL_KEYDOWN) {
    const int scancode = event.key.keysym.scancode;
    if (rename.active()) {
      if (scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER) rename.finish();
      if (scancode == SDL_SCANCODE_ESCAPE) rename.cancel();
      if (scancode == SDL_SCANCODE_BACKSPACE) rename.erase();
      return {};
    }
    if (scancode == SDL_SCANCODE_ESCAPE) {
      return {new NeutralPlayState(viewport(), playScreen.editor, playScreen.selectedModules,
                                   playScreen.selectedWires),
              Switch};
    }
    if (scancode == paletteAddSlotHotkey()) return addSelection();
    const int group = paletteGroupForKey(scancode, int(customGroups.size()));
    if (group >= 0) return place(group);
    return playScreen.handleForPanel(event, viewport());
  }
  if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    if (rename.active()) rename.finish();
    if (arrows.buttonAt(m.x, m.y)) return {};
    if (layout().showsAddSlot() && addSlot().contains(m.x, m.y)) return addSelection();
    for (const PaletteSlot& slot : shownSlots()) {
      if (slot.overDelete(m.x, m.y)) {
        deletePaletteGroup(slot.group->index);
        return rebuilt();
      }
      if (slot.overName(m.x, m.y)) {
        rename.start(slot.group->index);
        return {};
      }
      if (slot.contains(m.x, m.y)) return place(slot.group->index);
    }
    if (pointInGeoRect(tab().layoutRect(), m.x, m.y)) return {};
    const int barButton = playScreen.bar->buttonIdAt(m.x, m.y);
    if (barButton == barPaletteDrawer) {
      mouseTracker().reset();
    } else if (barButton != noButton && buttonArts[size_t(barButton)].down.exists()) {
      return {};
    }
    return playScreen.handleForPanel(event, viewport());
  }
  if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT &&
      pointInGeoRect(tab().layoutRect(), m.x, m.y))
    return {};
  return playScreen.handleForPanel(event, viewport());
}

void PaletteState::update(int dtMs) { scrollButtons().refire(dtMs); }

int PaletteState::cursor() {
  const Point m = mousePosition();
  for (const PaletteSlot& slot : shownSlots())
    if (!slot.overDelete(m.x, m.y) && slot.overName(m.x, m.y)) return 11;
  if (overDrawer(m.x, m.y)) return 1;
  return playScreen.cursorAt(viewport());
}

void PaletteState::render(SDL_Renderer* renderer) {
  updateScreenShake(shakeStartTick, viewport());
  const Point m = mousePosition();
  const bool over = overDrawer(m.x, m.y);
  const Point hover = over ? Point{INT_MAX, INT_MAX} : m;
  playScreen.render(renderer, nullptr, viewport(), hover.x, hover.y);
  const ModDrawerTab drawerTab = tab();
  drawerTab.render(renderer);
  const bool firstPage = layout().showsAddSlot();
  const PaletteAddSlot add = addSlot();
  if (firstPage) add.render(renderer, m.x, m.y);
  const std::vector<PaletteSlot> slots = shownSlots();
  for (const PaletteSlot& slot : slots) slot.render(renderer, m.x, m.y);
  scrollButtons().render(renderer, m.x, m.y, 255);
  playScreen.renderTooltips(renderer, nullptr, viewport(), hover.x, hover.y);
  if (firstPage) add.renderTooltip(renderer, m.x, m.y);
  for (const PaletteSlot& slot : slots) slot.renderTooltip(renderer, m.x, m.y);
  drawerTab.renderTitleTooltip(renderer, m.x, m.y);
}

GameState* PaletteState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new PaletteState(rename.index, v, playScreen.editor, playScreen.selectedModules, playScreen.selectedWires,
                          rename.text);
}

void PaletteState::exit() {
  if (rename.active()) rename.finish();
}
