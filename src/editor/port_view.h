#pragma once
// The drawn box of one port of a displayed module: where it sits, the value
// it shows (animated while the simulation steps, "?" while its module
// settles), its highlight, its tooltip, and the arrow at the edge of the
// view that points to it when it lies outside. Geometry and state maths are
// here; the drawing operations are defined with the view.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/module_geometry.h"
#include "editor/view_colours.h"
#include "model/contexts.h"
#include "base/ticks.h"
#include "base/view_transform.h"

class Port;
class Value;
struct SDL_Renderer;
struct Viewport;

// Highlight types of an info box: 1 none, 2 blue (hover, would connect),
// 3 red (won't connect), 4 orange (settling).
Rgba portHighlightColour(int type);  // fatal for any other type but 1

// What an info box shows at one moment of a step's animation.
struct PortDisplayState {
  bool showStored = false;   // still the value from before the step
  bool changed = false;      // the value changes in this step
  bool stabilising = false;  // "?" after the value
  int offset = 0;            // pixels the text is bumped to the right
  double fade = 0.0;         // how much of the change overlay shows, 0..1
  std::shared_ptr<Value> value;
};

// Where the arrow to an info box outside the view sits and which way it
// points (degrees clockwise from up).
struct OffscreenArrow {
  bool shown = false;
  Point centre;
  int angle = 0;
};
// box: the info box's screen rectangle; view: the visible area; margin:
// half the arrow's height plus 5.
OffscreenArrow offscreenArrowFor(const GeoRect& box, const GeoRect& view, int margin);

// Which tinted info-box set a port uses: one of the Instruction Decoder's
// own output colours, else its module's category.
struct InfoboxTint {
  bool ownColour = false;
  int index = 0;  // own-colour entry 0..3, or the category (5 for none)
};
InfoboxTint infoboxTintFor(const Port& port);
// The four own output colours a module logic can give a port.
const std::array<Rgba, 4>& ownPortColours();
// The tints of categories 1 to 4.
Rgba categoryInfoboxTint(int category);

struct PortView {
  Port* port = nullptr;
  std::shared_ptr<Port> handle;  // keeps the port alive and keys the wire cache
  int dx = 0;
  int dy = 0;
  Tick changeTime = 0;
  int duration = 0;
  std::shared_ptr<Value> value;
  bool stabilising = false;

  PortView() = default;
  PortView(std::shared_ptr<Port> port, int dx, int dy);

  GeoPoint position() const;
  // Where wires attach: on a cell centre beside the box.
  GeoPoint getInfoboxOrigin() const;
  GeoPoint topLeft() const;
  GeoRect getInfoboxRect() const;
  // Taller than the box, so the label under it counts.
  GeoRect hitRect() const;
  bool containsPoint(int x, int y, const ViewTransform& view) const;
  bool containsPoint(int x, int y, const Viewport& viewport) const;

  // Whether the port's value comes from stored state (Latch, Register).
  bool isHeld() const;
  void captureValueAt(Tick now, int duration, const ConstContext& context);
  void captureValue(int duration, const ConstContext& context);  // at ticksNow()
  // Forgets the capture (the simulation screen's reset).
  void release();
  PortDisplayState displayState(const ConstContext& context, Tick now) const;

  std::string valueText(const ConstContext& context) const;
  std::string tooltipText(const ConstContext& context) const;

  // Drawing, with the view.
  void drawHighlight(SDL_Renderer* renderer, const Viewport& viewport, bool stabilising, std::uint8_t alpha) const;
  void drawInfobox(SDL_Renderer* renderer, const Viewport& viewport, const ConstContext& context, int highlightType,
                   std::uint8_t alpha) const;
  void drawOffscreenArrow(SDL_Renderer* renderer, const Viewport& viewport, const GeoRect& view,
                          int highlightType) const;
  void showTooltip(SDL_Renderer* renderer, const ConstContext& context) const;
};
