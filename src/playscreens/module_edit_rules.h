#pragma once
// The module edit panel without drawing: where it opens beside the module,
// and the edit session behind it. Configuration changes are previewed on the
// live machine as the player drags or types; the name being typed is kept
// here. Commit turns both into undoable actions (configuration first, then
// the name), revert rolls the preview back; until then the Editor's undo
// stack and the working save are untouched.
#include <memory>
#include <optional>
#include <string>

#include "editor/connection_changes.h"
#include "model/module_geometry.h"
#include "model/module_set.h"

class Editor;

// The panel's size, place and parts on screen.
struct ModuleEditLayout {
  GeoRect panel;
  bool hasSlider = false;

  // Beside the module's screen rectangle, kept within the machine view.
  static ModuleEditLayout place(const GeoRect& moduleOnScreen, const GeoRect& view, bool hasSlider);
  bool contains(int x, int y) const;
  int centreX() const { return panel.x + panel.w / 2; }
  GeoPoint sliderAnchor() const { return {panel.x + 25, panel.y + 30}; }
  // Art of the given size centred across the panel at these heights.
  GeoPoint nameLabel(int artWidth) const { return {panel.x + (panel.w - artWidth) / 2, panel.y + 5}; }
  GeoPoint lock(int artWidth) const { return {panel.x + (panel.w - artWidth) / 2, panel.y + 30}; }
  int nameTextY() const { return panel.y + 7; }
  int configLabelY() const { return panel.y + 30; }
  int selectionActionsY() const { return panel.y + (hasSlider ? 140 : 36); }
  int buttonsY() const { return panel.y + panel.h - (hasSlider ? 60 : 54); }
  GeoPoint copyButton() const { return {centreX() - 92, buttonsY()}; }
  GeoPoint paletteButton() const { return {centreX() - 22, buttonsY()}; }
  GeoPoint deleteButton() const { return {centreX() + 48, buttonsY()}; }
};

// Op Selectors, and modules without a configuration, get the small panel.
bool moduleEditHasSlider(const Module& module);
// A slider the puzzle lets the player use.
bool moduleEditCanEditConfig(const Module& module, int puzzle);

extern const std::string selectionActionsTooltip;
extern const std::string configBannedTooltip;

// Which field takes typing.
enum ModuleEditFocus : int { focusValue = 1, focusName = 2 };

constexpr size_t maxTypedValueLength = 5;

class ModuleEditSession {
 public:
  ModuleEditSession(std::shared_ptr<Editor> editor, std::shared_ptr<Module> module);

  struct Preview {
    bool changed = false;       // the configuration changed (a click sound)
    bool delayChanged = false;  // the module's delay changed
  };
  // The slider's setter and the typed value end here.
  Preview preview(const std::shared_ptr<Value>& value);
  // Number typing (focus 1): blanks dropped, the text held to 5 characters,
  // read as a number (0 when none) and held to the range.
  Preview typeValue(const std::string& typed);
  Preview eraseValue();
  // A click on the number box: type over the current value.
  void startValueTyping();

  void typeName(const std::string& typed);
  void eraseName();
  // The name a commit gives: the typed one, or the kind's free default name
  // when the typed one is empty.
  std::string nameToCommit() const;

  // Puts the machine back as it was when the panel opened.
  void revert();
  // Reverts the preview, then performs the configuration and name actions
  // for what changed. Afterwards the session starts afresh over the
  // committed machine. True when an action was performed.
  bool commit();

  bool canEditConfig() const;
  bool hasSlider() const;
  std::shared_ptr<Value> currentConfig() const;

  std::shared_ptr<Editor> editor;
  std::shared_ptr<Module> module;
  std::optional<ModuleStoredSetup> savedSetup;
  ConnectionChangeSet wireChanges;
  int focus = focusValue;
  std::string valueText;
  bool edited = false;
  std::string nameText;

 private:
  Preview applyValueText();
  void restart();
};
