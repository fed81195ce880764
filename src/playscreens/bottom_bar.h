#pragma once
// The strip of buttons along the bottom of every editor screen. The editor
// bar (drawers, palette, clock, undo and redo, reset, load successful,
// delete, copy, paste, test, home, memory) turns its buttons into edits and
// the next screen states; the test bar's buttons are the simulation
// screen's to act on.
#include <SDL.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/selection.h"
#include "playscreens/bar_layout.h"
#include "playscreens/bar_rules.h"
#include "shell/button.h"
#include "shell/game_state.h"

class Editor;
class Module;

class BottomBar {
 public:
  BottomBar(std::shared_ptr<Editor> editor, SDL_Rect window) : editor(std::move(editor)), rect(window) {}
  virtual ~BottomBar() = default;

  virtual bool containsPoint(int x, int y) = 0;
  virtual void handleEvent(StateChange& out, const SDL_Event& event, const Viewport& viewport);
  virtual void handleButton(StateChange& out, int id, const Viewport& viewport, const SDL_Event& event) = 0;
  // What the event does to the bar, by its rules; pressAt is the left press's point.
  virtual BarStep stepFor(const InputRecord& in, GeoPoint pressAt) = 0;
  virtual void act(StateChange& out, const BarStep& step, const Viewport& viewport) = 0;
  virtual bool isOverClockControl(int x, int y) = 0;
  virtual void render(SDL_Renderer* renderer, bool hover) = 0;
  virtual bool renderTooltip(SDL_Renderer* renderer, int x, int y) = 0;
  // The bar's height above the window's bottom edge.
  virtual int height() const = 0;
  // The middle slice height of the bar's base art.
  virtual int artHeight() const = 0;

  int buttonIdAt(int x, int y);
  BarGeometry geometry() const { return {rect.w, rect.h, artHeight()}; }
  GeoRect panelRect() const { return geometry().panelRect(); }
  GeoPoint placeButton(int dx, int dy) const { return geometry().place(dx, dy); }
  GeoPoint memoryLabelAnchor() const { return geometry().memoryLabelAnchor(); }
  // "Memory", where the collapsed sidebar's button sits.
  void renderMemoryLabel(SDL_Renderer* renderer) const;

  std::shared_ptr<Editor> editor;
  SDL_Rect rect;
  ButtonList buttons;
};

class EditorBottomBar : public BottomBar {
 public:
  EditorBottomBar(std::shared_ptr<Editor> editor, SDL_Rect window, const std::set<std::shared_ptr<Module>>* modules,
                  const std::set<WireEnds>* wires);

  bool containsPoint(int x, int y) override;
  void handleButton(StateChange& out, int id, const Viewport& viewport, const SDL_Event& event) override;
  BarStep stepFor(const InputRecord& in, GeoPoint pressAt) override;
  void act(StateChange& out, const BarStep& step, const Viewport& viewport) override;
  bool isOverClockControl(int x, int y) override;
  void render(SDL_Renderer* renderer, bool hover) override;
  bool renderTooltip(SDL_Renderer* renderer, int x, int y) override;
  int height() const override;
  int artHeight() const override;

  // The bar's buttons, the one of selectedId shown as the open one (81 none).
  ButtonList makeButtons(int selectedId);
  // What the bar's rules look at now.
  EditorBarInputs barInputs(int selectedId) const;
  // Where another editor state anchors its panel on a bar button.
  GeoPoint buttonLocation(int id) const;
  Button makeButton(int id, std::function<bool()> enabled = {}, std::function<bool()> visible = {}) const;
  std::string clockTooltip(bool editable) const;
  std::string clockPeriodExplanation() const;

  const std::set<std::shared_ptr<Module>>* selectedModules;
  const std::set<WireEnds>* selectedWires;
  // The inputs the buttons were made from.
  EditorBarInputs inputs;

 private:
  Selection selection() const { return {*selectedModules, *selectedWires}; }
  // The made inputs with what changes while the buttons live: the memory
  // panel, and (asked only by Delete) whether the selection can be deleted.
  EditorBarInputs liveInputs(bool withSelection) const;
  GeoPoint placeOf(int id) const;
};

void loadBottomBarMedia(SDL_Renderer* renderer);
