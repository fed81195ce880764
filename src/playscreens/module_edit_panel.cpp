#include "playscreens/module_edit_panel.h"

#include <climits>

#include "model/module_config.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "playscreens/config_slider_layout.h"
#include "base/strings.h"
#include "shell/text_item.h"
#include "shell/tooltip.h"

Texture moduleEditLockTexture;
Texture moduleEditSmallTexture;
Texture moduleEditLargeTexture;
Texture moduleEditLabelTexture;
Texture moduleEditLabelMousedTexture;

void loadModuleEditTextures(SDL_Renderer* renderer) {
  moduleEditLockTexture.loadChecked(renderer, "art/config/lock_grid.png");
  moduleEditSmallTexture.loadChecked(renderer, "art/config/ModuleEdit_Small.png");
  moduleEditLargeTexture.loadChecked(renderer, "art/config/ModuleEdit_Large.png");
  moduleEditLabelTexture.loadChecked(renderer, "art/config/ModuleEditor_Label.png");
  moduleEditLabelMousedTexture.loadChecked(renderer, "art/config/ModuleEditor_Label-Moused.png");
}

void releaseModuleEditTextures() {
  for (Texture* t : {&moduleEditLockTexture, &moduleEditSmallTexture, &moduleEditLargeTexture,
                     &moduleEditLabelTexture, &moduleEditLabelMousedTexture})
    t->free();
}

namespace {
constexpr SDL_Color black{0, 0, 0, 0};
}  // namespace

ModuleEditPanel::ModuleEditPanel(std::shared_ptr<ModuleEditSession> sessionIn)
    : session(std::move(sessionIn)),
      slider(
          getModuleConfig(session->module->kind()),
          [this](const std::shared_ptr<Value>& v) {
            noteResult(session->preview(v));
            const std::shared_ptr<Value> now = session->currentConfig();
            session->valueText = now ? now->text() : "";
            slider.setTyping(session->valueText, true);
          },
          [this] { return session->currentConfig(); }, moduleEditSliderWidth) {
  // A rebuilt panel shows what was being typed.
  if (session->edited && session->focus == focusValue && session->canEditConfig()) showTyped();
}

void ModuleEditPanel::noteResult(const ModuleEditSession::Preview& result) {
  previewed |= result.changed;
  delayChanged |= result.delayChanged;
}

void ModuleEditPanel::showTyped() { slider.setTyping(session->valueText, true); }

void ModuleEditPanel::place(const GeoRect& moduleOnScreen, const GeoRect& view) {
  layout = ModuleEditLayout::place(moduleOnScreen, view, session->hasSlider());
}

GeoRect ModuleEditPanel::nameLabelRect() const {
  const GeoPoint p = layout.nameLabel(moduleEditLabelTexture.width);
  return {p.x, p.y, moduleEditLabelTexture.width, moduleEditLabelTexture.height};
}

GeoRect ModuleEditPanel::lockRect() const {
  const GeoPoint p = layout.lock(moduleEditLockTexture.width);
  return {p.x, p.y, moduleEditLockTexture.width, moduleEditLockTexture.height};
}

bool ModuleEditPanel::overName(int x, int y) const { return pointInGeoRect(nameLabelRect(), x, y); }

bool ModuleEditPanel::overNumberBox(int x, int y) const {
  const GeoPoint a = layout.sliderAnchor();
  return session->canEditConfig() && slider.contains(a.x, a.y, x, y);
}

void ModuleEditPanel::sliderEvent(const SDL_Event& event) {
  if (!session->canEditConfig()) return;
  const GeoPoint a = layout.sliderAnchor();
  slider.handleEvent(event, a.x, a.y);
}

void ModuleEditPanel::erase() {
  if (session->focus == focusName) {
    session->eraseName();
    return;
  }
  if (!session->canEditConfig()) return;
  noteResult(session->eraseValue());
  showTyped();
}

void ModuleEditPanel::type(const std::string& text) {
  if (session->focus == focusName) {
    session->typeName(text);
    return;
  }
  if (!session->canEditConfig()) return;
  noteResult(session->typeValue(text));
  showTyped();
}

void ModuleEditPanel::press(int x, int y) {
  if (overNumberBox(x, y)) {
    session->startValueTyping();
    showTyped();
  } else if (overName(x, y)) {
    session->focus = focusName;
    if (session->canEditConfig()) slider.setTyping(slider.typedText, false);
  }
}

void ModuleEditPanel::update(int dtMs) {
  if (!session->canEditConfig()) return;
  const GeoPoint a = layout.sliderAnchor();
  slider.update(dtMs, a.x, a.y);
}

int ModuleEditPanel::cursorAt(int x, int y) const { return overName(x, y) || overNumberBox(x, y) ? 11 : 1; }

void ModuleEditPanel::render(SDL_Renderer* renderer, int mouseX, int mouseY) {
  const GeoRect& p = layout.panel;
  (layout.hasSlider ? moduleEditLargeTexture : moduleEditSmallTexture).render(renderer, p.x, p.y);
  const GeoRect label = nameLabelRect();
  (overName(mouseX, mouseY) ? moduleEditLabelMousedTexture : moduleEditLabelTexture).render(renderer, label.x, label.y);
  const std::string name =
      session->nameText + (session->focus == focusName && typingCursorVisible() ? "_" : "");
  if (!name.empty()) TextItem(name, layout.centreX(), layout.nameTextY(), black, 7, AlignCentre).draw(renderer);
  if (layout.hasSlider) {
    TextItem(session->module->configLabel(), layout.centreX(), layout.configLabelY(), black, 5, AlignCentre)
        .draw(renderer);
  }
  const Uint8 grey = layout.hasSlider ? 239 : 28;
  TextItem("Selection Actions", layout.centreX(), layout.selectionActionsY(), SDL_Color{grey, grey, grey, 0}, 4,
           AlignCentre)
      .draw(renderer);
  if (!layout.hasSlider) return;
  const GeoPoint a = layout.sliderAnchor();
  if (locked()) {
    slider.render(renderer, false, a.x, a.y, INT_MAX, INT_MAX);
    const GeoRect lock = lockRect();
    moduleEditLockTexture.render(renderer, lock.x, lock.y);
  } else {
    const bool selectAll = !session->edited && session->focus == focusValue;
    slider.render(renderer, selectAll, a.x, a.y, mouseX, mouseY);
  }
}

bool ModuleEditPanel::renderTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) {
  if (locked() && pointInGeoRect(lockRect(), mouseX, mouseY)) {
    drawTooltip(renderer, configBannedTooltip);
    return true;
  }
  if (overName(mouseX, mouseY)) {
    drawTooltip(renderer, "Click to edit the module's name.");
    return true;
  }
  if (layout.hasSlider) {
    TextItem config(session->module->configLabel(), layout.centreX(), layout.configLabelY(), black, 5, AlignCentre);
    config.tooltip = capitalize(session->module->configMeaningText());
    if (config.drawTooltipIfHovered(renderer, mouseX, mouseY)) return true;
  }
  TextItem actions("Selection Actions", layout.centreX(), layout.selectionActionsY(), black, 4, AlignCentre);
  actions.tooltip = selectionActionsTooltip;
  return actions.drawTooltipIfHovered(renderer, mouseX, mouseY);
}
