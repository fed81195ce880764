#pragma once
// The drawn form of one placed module: its size and ports on the board,
// its highlight and outline, delay meter, clock face and write light, its
// hover text, and the small animations that run while the simulation
// steps. The board's machine view keeps one per module; the palette, the
// drawer and the placement and dragging states build free-standing ones.
// Geometry, animation and state maths are here; the drawing operations
// (and the art and texture caches they use) are defined with the view.
#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "editor/clock_face.h"
#include "editor/delay_meter.h"
#include "model/module_geometry.h"
#include "editor/port_view.h"
#include "model/contexts.h"
#include "base/ticks.h"
#include "base/view_transform.h"

class Module;
class Port;
struct SDL_Renderer;
struct Viewport;

// The write lamp of a Writer: lit for half a step when it writes.
struct WriterLight {
  Tick time = INT_MAX;
  int duration = INT_MIN;
  bool writes = false;

  void update(Tick now, int durationMs, const ConstContext& context, const Module& module);
  bool glowing(Tick now) const;
  // Drawn centred on any board point (the play screen's own markers too).
  static void draw(SDL_Renderer* renderer, const Viewport& viewport, GeoPoint centre);
  static void drawGlow(SDL_Renderer* renderer, const Viewport& viewport, GeoPoint centre);
};
void loadWriterLightMedia(SDL_Renderer* renderer);

struct DelayAnimation {
  Tick start = INT_MAX;
  int duration = INT_MIN;
  int previousRemaining = INT_MAX;
};

// Draw-state bits the machine view passes to DisplayModule::draw.
enum ModuleDrawFlags : int {
  kDrawSelected = 1,
  kDrawFaded = 2,         // off the delay path being shown
  kDrawDelayPath = 4,     // a delay path is being shown
  kDrawFlashed = 8,       // marked red by the view
};

// The key of one finished body texture: kind, zoom, configuration and a
// flag word (bit 0 greyed, not allowed in the puzzle; bit 1 delays shown;
// bit 2 settling). An Op Selector's body shows its opcode list, order,
// repeats and length alike, so the list itself is part of its key.
struct ModuleTextureKey {
  int kind = 0;
  int zoom = 1;
  int config = 0;
  int flags = 0;
  std::vector<int> opcodes;
  auto operator<=>(const ModuleTextureKey&) const = default;
};

class DisplayModule {
 public:
  DisplayModule(int puzzle, bool outlined, std::shared_ptr<Module> module);
  // Free-standing: no outline, no delays.
  static DisplayModule forModule(std::shared_ptr<Module> module);

  void layoutPorts();
  GeoRect rect() const;
  GeoPoint centre() const;
  bool intersects(const GeoRect& screenRect, const ViewTransform& view) const;
  bool intersects(const GeoRect& screenRect, const Viewport& viewport) const;
  bool containsPoint(const ViewTransform& view, int x, int y) const;
  bool containsPoint(const Viewport& viewport, int x, int y) const;
  GeoRect placementBounds() const;
  bool isPlacementFree(const std::vector<DisplayModule>& others) const;
  void moveCentreTo(int x, int y);
  std::set<GeoPoint> occupiedCells() const;
  void appendOccupiedCells(std::vector<GeoPoint>& cells) const;
  int category() const;
  GeoPoint clockCentre() const;
  GeoPoint writeLightCentre() const;
  DelayMeter delayMeterAt(int x, int y, bool allowed) const;
  bool isOverDelayMeter(int mouseX, int mouseY, const ViewTransform& view) const;
  bool isOverDelayMeter(int mouseX, int mouseY, const Viewport& viewport) const;
  // The view's flag for the dragging states: draw the port boxes' frames.
  void setShowPorts(bool on) { outlined = on; }

  // Just before the simulation steps (forward or back), with the context of
  // the tick being left.
  void tickAnimationAt(Tick now, int durationMs, const ConstContext& context);
  void tickAnimation(int durationMs, const ConstContext& context);  // at ticksNow()
  // The simulation screen's jumps and resets: captures, the clock and the
  // delay animation are forgotten.
  void releasePortTextures();
  void stopAnimations();
  // True from 100 ms before the middle of a step to its end while the
  // module is still settling at tick (the settling sound's moment).
  bool animationProgress(int tick, Tick now) const;
  bool animationProgress(int tick) const;  // at ticksNow()
  // mTicks still to go before the outputs are valid; during the first half
  // of a step the count from before it.
  int remainingDelay(const ConstContext& context, Tick now) const;
  ModuleTextureKey textureKey(int puzzle, const ConstContext& context, int zoom, Tick now) const;

  // Hover texts.
  std::string delayMeterText(int puzzle) const;
  std::string tooltipText(int puzzle, const ConstContext& context, const ViewTransform& view, int mouseX,
                          int mouseY) const;

  // Drawing, with the view.
  void draw(SDL_Renderer* renderer, const ConstContext& context, int puzzle, int flags, const Viewport& viewport,
            int mouseX, int mouseY, const std::map<const Port*, int>& infoboxStates, bool suppressHover);
  void drawNameLabel(SDL_Renderer* renderer, bool faded, const Viewport& viewport) const;
  void showTooltip(SDL_Renderer* renderer, const ConstContext& context, int puzzle, const Viewport& viewport,
                   int mouseX, int mouseY) const;
  void drawHighlight(SDL_Renderer* renderer, const Viewport& viewport, int puzzle, Rgba colour) const;
  static void loadSymbolMedia(SDL_Renderer* renderer);

  std::shared_ptr<Module> module;
  bool outlined = false;
  bool showDelay = false;
  std::vector<PortView> ports;
  ClockAnimation clock;
  int width = 0;
  int height = 0;
  WriterLight writerLight;
  DelayAnimation delayAnimation;

 private:
  ModuleGeometry geometry() const;
};

// Texture caches of module bodies and outlines, emptied when the renderer
// drops its render targets.
void clearModuleTextureCache();
void clearModuleOutlineCaches();
std::size_t moduleTextureCacheSize();
void loadModuleOutlineTextures(SDL_Renderer* renderer);
// Frees the module art and the caches (before the renderer goes).
void releaseModuleMedia();
