// The machine display: routing every wire after an edit on generated
// machines of 25, 100 and 250 modules with twice as many wires (per leg:
// median and 99th percentile), the worst single leg (an enclosed goal whose
// search exhausts the grid) against the machine's extent, and a warm frame
// of 200 modules and 400 wires at both zooms, with the pointer off the board
// and on it (every hover hit test walking the machine), on the software
// renderer the window tests use (run it under a display, e.g. xvfb-run).
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "display/generated_machine.h"
#include "editor/display.h"
#include "editor/display_media.h"
#include "editor/editor.h"
#include "editor/wire_path.h"
#include "editor/wire_router.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "saves/profiles.h"
#include "shell/background.h"
#include "shell/fonts.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"
#include "shell/video_settings.h"
#include "shell/viewport.h"

namespace {

// Times every leg of every wire on its own, for the per-leg figures.
std::vector<double> legMicroseconds(const Display& display) {
  std::vector<double> times;
  const std::shared_ptr<const ObstacleMap>& obstacles = display.obstacleMap();
  for (const DisplayWire& wire : display.wires) {
    const std::vector<WireControl> controls = wire.controlList(*obstacles);
    std::vector<GeoPoint> cells;
    for (const WireControl& c : controls) cells.push_back(gridCellOf(c.point));
    const RoutingGrid grid = RoutingGrid::around(obstacles, cells);
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
      double best = 1e30;
      for (int repeat = 0; repeat < 3; ++repeat) {
        std::vector<GeoPoint> out;
        const auto start = std::chrono::steady_clock::now();
        routeLeg(controls[i].point, controls[i + 1].point, grid, out);
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
      }
      times.push_back(best);
    }
  }
  std::sort(times.begin(), times.end());
  return times;
}

double percentile(const std::vector<double>& sorted, double p) {
  if (sorted.empty()) return 0;
  return sorted[std::min(sorted.size() - 1, std::size_t(p * double(sorted.size())))];
}

// Every wire routed afresh, as after an edit: the cache emptied, then the
// whole view built again (module records, obstacle cells and every route).
void BM_ColdRouteAfterAnEdit(benchmark::State& state) {
  const int modules = int(state.range(0));
  auto editor = generatedMachine(modules, 2 * modules, 7);
  Display display(false, editor, {0, 0, 1024, 768}, {}, {});
  const std::vector<double> legs = legMicroseconds(display);
  for (auto _ : state) {
    clearWirePathCache();
    Display fresh(false, editor, {0, 0, 1024, 768}, {}, {});
    benchmark::DoNotOptimize(fresh.wires.data());
  }
  state.counters["wires"] = double(display.wires.size());
  state.counters["legs"] = double(legs.size());
  state.counters["leg_median_us"] = percentile(legs, 0.5);
  state.counters["leg_p99_us"] = percentile(legs, 0.99);
  state.counters["leg_max_us"] = legs.empty() ? 0 : legs.back();
  clearWirePathCache();
}
BENCHMARK(BM_ColdRouteAfterAnEdit)->Arg(25)->Arg(100)->Arg(250)->Unit(benchmark::kMillisecond);

// Routing alone: every wire of a built view laid out again.
void BM_RerouteEveryWire(benchmark::State& state) {
  const int modules = int(state.range(0));
  auto editor = generatedMachine(modules, 2 * modules, 7);
  Display display(false, editor, {0, 0, 1024, 768}, {}, {});
  for (auto _ : state) {
    for (DisplayWire& wire : display.wires) wire.relayout(display.obstacleMap());
  }
  state.counters["wires"] = double(display.wires.size());
  clearWirePathCache();
}
BENCHMARK(BM_RerouteEveryWire)->Arg(25)->Arg(100)->Arg(250)->Unit(benchmark::kMillisecond);

// One leg whose goal is walled in: the search visits every reachable cell
// before it gives up. The machine's extent grows with its module count.
void BM_WorstLegEnclosedGoal(benchmark::State& state) {
  const int modules = int(state.range(0));
  auto editor = generatedMachine(modules, 0, 11);
  std::set<GeoPoint> cells = editor->occupiedCells();
  int maxX = 0, maxY = 0;
  for (const GeoPoint& c : cells) {
    maxX = std::max(maxX, c.x);
    maxY = std::max(maxY, c.y);
  }
  // The goal just beyond the machine's far corner, in a ring of blocked cells.
  const GeoPoint goal{floorToGrid(maxX) + 8 + 64, floorToGrid(maxY) + 8 + 64};
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (dx != 0 || dy != 0) cells.insert({goal.x + 16 * dx, goal.y + 16 * dy});
    }
  }
  auto obstacles = std::make_shared<const ObstacleMap>(cells);
  const GeoPoint start{-24, -24};
  const RoutingGrid grid = RoutingGrid::around(obstacles, {gridCellOf(start), gridCellOf(goal)});
  std::int64_t visited = 0;
  for (auto _ : state) {
    PathSearch search(grid);
    std::vector<GeoPoint> out;
    benchmark::DoNotOptimize(search.run(gridCellOf(start), gridCellOf(goal), out));
    visited = search.cellsVisited();
  }
  state.counters["grid_cells"] = double(grid.width) * grid.height;
  state.counters["cells_visited"] = double(visited);
}
BENCHMARK(BM_WorstLegEnclosedGoal)->Arg(25)->Arg(100)->Arg(250)->Unit(benchmark::kMillisecond);

// A window with the software renderer, the game's art and fonts.
class Window {
 public:
  Window() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (chdir(BRASSWICK_GAME_DIR) != 0 || SDL_Init(SDL_INIT_VIDEO) != 0) return;
    IMG_Init(IMG_INIT_PNG);
    TTF_Init();
    window_ = SDL_CreateWindow("bench", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1024, 768, SDL_WINDOW_HIDDEN);
    if (window_ != nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr) return;
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    registerRendererWindow(renderer_, window_);
    loadFonts(renderer_);
    wireSheetTexture.loadChecked(renderer_, "art/wiresheet.png");
    loadBackgroundMedia(renderer_);
    loadDisplayMedia(renderer_);
  }
  ~Window() {
    if (renderer_ != nullptr) releaseAllMedia();
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    TTF_Quit();
    IMG_Quit();
    SDL_Quit();
  }
  SDL_Renderer* renderer() const { return renderer_; }

 private:
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
};

// A screen point on the board over no module, port or wire, so that every
// hover hit test walks the whole machine.
Point emptyBoardPoint(Display& display, const Viewport& view) {
  for (int y = 40; y < view.screen.h; y += 8) {
    for (int x = 40; x < view.screen.w; x += 8) {
      if (display.wireAt(view, x, y) == nullptr && display.portAt(view, x, y) == nullptr &&
          display.moduleAt(view, x, y) == nullptr) {
        return {x, y};
      }
    }
  }
  return {view.screen.w / 2, view.screen.h / 2};
}

void BM_WarmFrame(benchmark::State& state) {
  const int zoom = int(state.range(0));
  const bool pointerOnBoard = state.range(2) != 0;
  // Second argument 1: wires kept as textures even on this software
  // renderer, to compare with the rectangles it uses by itself.
  setWireTextureMode(state.range(1) != 0 ? WireTextureMode::Always : WireTextureMode::Auto);
  Window window;
  if (window.renderer() == nullptr) {
    state.SkipWithError("no window (run under a display)");
    return;
  }
  auto editor = generatedMachine(200, 400, 7);
  Display display(false, editor, {0, 0, 1024, 768}, {}, {});
  // The view on the middle of the machine.
  Viewport view;
  view.zoom = zoom;
  view.screen = {0, 0, 1024, 768};
  view.panX = float(512 - 1800 / zoom);
  view.panY = float(384 - 1800 / zoom);
  SDL_Renderer* renderer = window.renderer();
  const ConstContext context = editor->constContext();
  Point pointer{INT_MAX, INT_MAX};
  auto frame = [&] {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    display.draw(renderer, context, view, pointer.x, pointer.y);
    SDL_RenderFlush(renderer);
  };
  frame();  // the cold frame makes the cached drawings
  if (pointerOnBoard) pointer = emptyBoardPoint(display, view);
  const std::size_t textures = displayCachedTextureCount() + textTextureCache.size();
  for (auto _ : state) frame();
  state.counters["textures_made_warm"] = double(displayCachedTextureCount() + textTextureCache.size() - textures);
  state.counters["cached_textures"] = double(textures);
  clearWirePathCache();
  setWireTextureMode(WireTextureMode::Auto);
}
// Arguments: zoom, wires as textures, pointer on the board (0: off it).
BENCHMARK(BM_WarmFrame)
    ->Args({1, 0, 0})
    ->Args({2, 0, 0})
    ->Args({1, 1, 0})
    ->Args({2, 1, 0})
    ->Args({1, 0, 1})
    ->Args({2, 0, 1})
    ->Args({1, 1, 1})
    ->Args({2, 1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
