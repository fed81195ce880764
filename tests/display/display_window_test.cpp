// The machine drawn in a real window: boards of every module kind, wired,
// at both zooms, checked by pixel probes and saved for people to look at.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "display/generated_machine.h"
#include "display_fixture.h"
#include "editor/clock_face.h"
#include "editor/display_media.h"
#include "editor/display_wire.h"
#include "editor/wire_path.h"
#include "fixture.h"
#include "model/memory.h"
#include "shell/background.h"
#include "shell/fonts.h"
#include "shell/input.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"
#include "base/ticks.h"
#include "shell/video_settings.h"
#include "shell/viewport.h"

namespace fs = std::filesystem;

namespace {

const fs::path kScreenshotDir = fs::path(BRASSWICK_GAME_DIR).parent_path() / "screenshots" / "display";

class DisplayWindow : public SdlTest {
 protected:
  void SetUp() override {
    SdlTest::SetUp();
    // The game's own art and fonts in place of whatever the fixture put
    // there (placeholders, or links to the same files).
    for (const char* dir : {"art", "fonts"}) {
      const fs::path from = fs::path(BRASSWICK_GAME_DIR) / dir;
      for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
        if (!entry.is_regular_file()) continue;
        const fs::path to = fs::path(dir) / fs::relative(entry.path(), from);
        fs::create_directories(to.parent_path());
        fs::remove(to);
        fs::copy_file(entry.path(), to);
      }
    }
    loadFonts(renderer);
    wireSheetTexture.loadChecked(renderer, "art/wiresheet.png");
    loadBackgroundMedia(renderer);
    loadDisplayMedia(renderer);
    resetProfileTables();
  }
  void TearDown() override {
    clearWirePathCache();
    SdlTest::TearDown();
  }

  static Viewport view(int zoom, float panX, float panY) {
    Viewport v;
    v.zoom = zoom;
    v.panX = panX;
    v.panY = panY;
    v.screen = {0, 0, 1024, 768};
    return v;
  }

  void clear() {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
  }

  void save(const std::string& name) {
    fs::create_directories(kScreenshotDir);
    SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, 1024, 768, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels, shot->pitch);
    IMG_SavePNG(shot, (kScreenshotDir / name).string().c_str());
    SDL_FreeSurface(shot);
  }

  // The colour at a board point.
  SDL_Color at(const Viewport& v, int x, int y) {
    const Point p = v.worldToScreen(x, y);
    return pixelAt(p.x, p.y);
  }

  // Pixels of a board rectangle darker than `level` on every channel.
  int darkPixels(const Viewport& v, const GeoRect& r, int level) {
    const GeoRect s = worldRectToScreen(v.transform(), r);
    int n = 0;
    for (int y = s.y; y < s.y + s.h; ++y) {
      for (int x = s.x; x < s.x + s.w; ++x) {
        const SDL_Color c = pixelAt(x, y);
        n += c.r < level && c.g < level && c.b < level;
      }
    }
    return n;
  }

  static int distance(SDL_Color c, Rgba want) {
    return std::max({std::abs(c.r - want.r), std::abs(c.g - want.g), std::abs(c.b - want.b)});
  }

  static std::string text(SDL_Color c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
  }

  // Every pixel of the window.
  std::vector<Uint32> frame() {
    std::vector<Uint32> pixels(1024 * 768);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), 1024 * 4);
    return pixels;
  }

  // The wires alone on the board, each drawn from its kept drawing or as
  // it is worked out for the moment.
  std::vector<Uint32> wiresOnly(const Display& display, const Viewport& v, int highlight, bool kept,
                                const std::function<bool(const DisplayWire&)>& which) {
    clear();
    drawTiledBackground(0, renderer, v);
    for (const DisplayWire& w : display.wires) {
      if (which(w)) w.render(renderer, v, board.editor->constContext(), highlight, 1, kept);
    }
    return frame();
  }

  static int differing(const std::vector<Uint32>& a, const std::vector<Uint32>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
  }

  BoardMachine board;

  DisplayWire& wireInto(Display& display, Port* destination) {
    for (DisplayWire& w : display.wires) {
      if (w.destinationPort() == destination) return w;
    }
    throw std::runtime_error("no such wire");
  }
};

// Category colours of the module bodies, as the section art paints them.
constexpr Rgba kArithmeticBody{57, 127, 114, 255};
constexpr Rgba kStateBody{120, 121, 103, 255};

TEST_F(DisplayWindow, BoardOfEveryKindAtBothZooms) {
  ManualClock clock(100000);
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {board["Adder"]},
                  {{board.port("Equals", 0), board.port("Input Selector", 0)}});
  const ConstContext context = board.editor->constContext();
  const DisplayWire& olive = wireInto(display, board.port("Equals", 0));  // from the Adder, straight
  const GeoPoint shift = olive.offset();
  for (int zoom : {1, 2}) {
    SCOPED_TRACE("zoom " + std::to_string(zoom));
    const Viewport v = view(zoom, zoom == 1 ? 16.0f : 24.0f, zoom == 1 ? 8.0f : 40.0f);
    clear();
    display.draw(renderer, context, v, INT_MAX, INT_MAX);
    save("board_zoom" + std::to_string(zoom) + ".png");

    // Bodies in their category colours: the Subtract as it is, the selected
    // Adder under its red-orange highlight, the Latch in the State colour.
    const SDL_Color subtract = at(v, 304 + 110, 240 + 124);
    EXPECT_LE(distance(subtract, kArithmeticBody), 12) << text(subtract);
    const SDL_Color adder = at(v, 304 + 110, 32 + 124);
    EXPECT_GT(adder.r, subtract.r + 40) << text(adder);
    EXPECT_LT(adder.b, subtract.b - 15) << text(adder);
    const SDL_Color latch = at(v, 560 + 24, 240 + 110);
    EXPECT_LE(distance(latch, kStateBody), 12) << text(latch);
    // The Multiplier is not allowed here: grey.
    const SDL_Color multiplier = at(v, 304 + 110, 448 + 124);
    EXPECT_LE(std::abs(multiplier.r - multiplier.b), 12) << text(multiplier);

    // The Subtract's first input box is light, with its value in dark text.
    const SDL_Color box = at(v, 298 + 3, 248 + 24);
    EXPECT_GT(std::min({box.r, box.g, box.b}), 170) << text(box);
    EXPECT_GT(darkPixels(v, {298, 248, 72, 28}, 60), 10 / zoom);

    // The wire from the Adder to the Equals, in the Adder's colour.
    const SDL_Color wire = at(v, 504 + shift.x, 56 + shift.y);
    EXPECT_LE(distance(wire, viewColour(board["Adder"]->getPortColor(board.port("Adder", 2), context))), 20)
        << text(wire);
    // The Latch's clock face: the dark dial beside the body colour.
    const GeoPoint centre = display.findModule(board["Latch"].get())->clockCentre();
    const SDL_Color dial = at(v, centre.x + 13 - 8, centre.y + 9 + 4);
    EXPECT_LT(std::max({dial.r, dial.g, dial.b}), 80) << text(dial);
  }
  // A warm frame makes no texture.
  const std::size_t cached = displayCachedTextureCount();
  const std::size_t texts = textTextureCache.size();
  clear();
  display.draw(renderer, context, view(2, 24.0f, 40.0f), INT_MAX, INT_MAX);
  EXPECT_EQ(displayCachedTextureCount(), cached);
  EXPECT_EQ(textTextureCache.size(), texts);
}

TEST_F(DisplayWindow, WireDrawingsKeptAsTexturesLookTheSame) {
  ManualClock clock(100000);
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  const ConstContext context = board.editor->constContext();
  const Viewport v = view(1, 16.0f, 8.0f);
  const GeoPoint shift = wireInto(display, board.port("Equals", 0)).offset();
  const GeoPoint nailed = wireInto(display, board.port("Subtract", 1)).offset();
  struct Probe {
    GeoPoint at;
    std::string what;
  };
  const std::vector<Probe> probes = {{{504 + shift.x, 56 + shift.y}, "core"},
                                     {{504 + shift.x, 56 + shift.y + 2}, "rim"},
                                     {{256 + nailed.x, 312 + nailed.y}, "dark core"},
                                     {{504 + shift.x, 56 + shift.y + 8}, "board"}};
  std::vector<SDL_Color> pieces;
  clear();
  display.draw(renderer, context, v, INT_MAX, INT_MAX);
  for (const Probe& p : probes) pieces.push_back(at(v, p.at.x, p.at.y));
  EXPECT_EQ(wireTextureCount(), 0u);

  setWireTextureMode(WireTextureMode::Always);
  clear();
  display.draw(renderer, context, v, INT_MAX, INT_MAX);
  save("board_wire_textures.png");
  const std::size_t made = wireTextureCount();
  EXPECT_GT(made, 0u);
  for (std::size_t i = 0; i < probes.size(); ++i) {
    const SDL_Color c = at(v, probes[i].at.x, probes[i].at.y);
    EXPECT_LE(distance(c, {pieces[i].r, pieces[i].g, pieces[i].b, 255}), 8) << probes[i].what << text(c);
  }
  // A warm frame copies them; dropping them (an edit, a target reset) makes them again.
  clear();
  display.draw(renderer, context, v, INT_MAX, INT_MAX);
  EXPECT_EQ(wireTextureCount(), made);
  dropWireTextureCache();
  EXPECT_EQ(wireTextureCount(), 0u);
  clear();
  display.draw(renderer, context, v, INT_MAX, INT_MAX);
  EXPECT_EQ(wireTextureCount(), made);
  // One reconnected port drops only its own.
  dropCachedPathTextures(board.editor->machine[3]->ports[0]);  // the Adder's first input
  EXPECT_EQ(wireTextureCount(), made - 2);
  setWireTextureMode(WireTextureMode::Auto);
}

TEST_F(DisplayWindow, DelayBoardWithMetersClocksAndAPathShown) {
  ManualClock clock(100000);
  BoardMachine board = buildBoardMachine(kDelayBoardPuzzle);
  board.editor->autoClockPeriod();
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  ConstContext context = board.editor->constContext();
  context.tick = 2;
  context.clockPeriod = 4;
  const Viewport v = view(1, 16.0f, 8.0f);
  clear();
  display.draw(renderer, context, v, INT_MAX, INT_MAX);
  save("delay_board.png");

  // The Adder (delay 3) has one mTick to go: its meter is filled to 58 of 82.
  const DisplayModule& adder = *display.findModule(board["Adder"].get());
  const DelayMeter meter = adder.delayMeterAt(adder.module->x, adder.module->y, true);
  const SDL_Color filled = at(v, meter.x + 50, meter.y + 20);
  const SDL_Color empty = at(v, meter.x + 70, meter.y + 20);
  EXPECT_GT(std::abs(filled.r - empty.r) + std::abs(filled.g - empty.g) + std::abs(filled.b - empty.b), 60)
      << text(filled) << " " << text(empty);
  // Its count is written on the meter.
  int light = 0;
  for (int x = meter.x + 12; x < meter.x + 34; ++x) {
    for (int y = meter.y + 2; y < meter.y + 22; ++y) {
      const SDL_Color c = at(v, x, y);
      light += c.r > 240 && c.g > 235 && c.b > 215;
    }
  }
  EXPECT_GT(light, 10);

  // Over the Equals' meter its own delay path is shown: the Latch, off the
  // path, fades; the Subtract on it does not.
  const DisplayModule& equals = *display.findModule(board["Equals"].get());
  const DelayMeter over = equals.delayMeterAt(equals.module->x, equals.module->y, true);
  const Point mouse = v.worldToScreen(over.x + 12, over.y + 6);
  setMousePositionOverride(mouse);
  const SDL_Color latchBefore = at(v, 560 + 24, 240 + 110);
  const SDL_Color subtractBefore = at(v, 304 + 110, 240 + 124);
  clear();
  display.draw(renderer, context, v, mouse.x, mouse.y);
  display.renderTooltip(renderer, context, v, mouse.x, mouse.y);
  save("delay_path_hover.png");
  const SDL_Color latchAfter = at(v, 560 + 24, 240 + 110);
  EXPECT_LT(latchAfter.r + latchAfter.g + latchAfter.b, latchBefore.r + latchBefore.g + latchBefore.b - 60)
      << text(latchBefore) << " " << text(latchAfter);
  EXPECT_EQ(distance(at(v, 304 + 110, 240 + 124), Rgba{subtractBefore.r, subtractBefore.g, subtractBefore.b, 255}),
            0);
}

TEST_F(DisplayWindow, HoverLightsWiresModulesAndPorts) {
  ManualClock clock(100000);
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  const ConstContext context = board.editor->constContext();
  const Viewport v = view(1, 16.0f, 8.0f);
  DisplayWire& nailed = wireInto(display, board.port("Subtract", 1));
  const GeoPoint shift = nailed.offset();
  const Point nail = v.worldToScreen(216, 312);
  setMousePositionOverride(nail);
  // The rim shows one pixel beyond the core on either side.
  const SDL_Color rimBefore = at(v, 256 + shift.x, 312 + shift.y + 2);
  clear();
  display.draw(renderer, context, v, nail.x, nail.y);
  display.renderTooltip(renderer, context, v, nail.x, nail.y);
  save("hover_wire.png");
  const SDL_Color rimAfter = at(v, 256 + shift.x, 312 + shift.y + 2);
  EXPECT_GT(rimAfter.r + rimAfter.g + rimAfter.b, rimBefore.r + rimBefore.g + rimBefore.b + 90)
      << text(rimBefore) << " " << text(rimAfter);

  // The hovered module is lightened; the box under the mouse turns blue.
  const Point body = v.worldToScreen(304 + 110, 240 + 124);
  clear();
  display.draw(renderer, context, v, body.x, body.y);
  const SDL_Color lit = pixelAt(body.x, body.y);
  EXPECT_GT(lit.r, kArithmeticBody.r + 15) << text(lit);
  EXPECT_GT(lit.g, kArithmeticBody.g + 10) << text(lit);
  const Point box = v.worldToScreen(298 + 3, 248 + 24);
  setMousePositionOverride(box);
  clear();
  display.draw(renderer, context, v, box.x, box.y);
  display.renderTooltip(renderer, context, v, box.x, box.y);
  save("hover_port.png");
  const SDL_Color blue = pixelAt(box.x, box.y);
  EXPECT_GT(blue.b, blue.r + 40) << text(blue);
}

TEST_F(DisplayWindow, DrawingNeverNeedsARoute) {
  ManualClock clock(100000);
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  // Two ports that meet, and an Input Selector whose stored size is far
  // above what the drawer allows.
  auto touching = Module::create(kAdderKind, 144, 640, nullptr, "Touching");
  auto source = Module::create(kNumberKind, 48, 640, makeNumericValue(3), "Source");
  auto wide = Module::create(kInputSelectorKind, 560, 640, makeNumericValue(20), "Wide");
  for (const auto& m : {touching, source, wide}) board.editor->machine.push_back(m);
  ASSERT_TRUE(touching->ports[0]->connect(source->ports[0].get(), board.editor->constContext()));
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  const ConstContext context = board.editor->constContext();
  // A drag clears the cache and re-routes a few wires a frame: until then
  // the wires are drawn straight through their nails.
  clearWirePathCache();
  const Viewport v = view(1, 16.0f, 8.0f);
  clear();
  display.draw(renderer, context, v, INT_MAX, INT_MAX);
  save("unrouted.png");
  EXPECT_TRUE(wirePathCache.empty());
  const DisplayWire& straight = wireInto(display, board.port("Subtract", 1));
  const GeoPoint shift = straight.offset();
  // The leg from the nail (216, 312) to Two's output (136, 168), straight.
  const SDL_Color onLine = at(v, 176 + shift.x, 240 + shift.y);
  const SDL_Color number = SDL_Color{28, 28, 28, 255};
  EXPECT_LE(distance(onLine, {number.r, number.g, number.b, 255}), 16) << text(onLine);
  // Routing them again brings the routes back without a fault.
  display.refreshWires();
  clear();
  display.draw(renderer, context, v, INT_MAX, INT_MAX);
  EXPECT_EQ(wirePathCache.size(), display.wires.size());
  // After the renderer drops its render targets the drawings are made again.
  resetDisplayRenderTargets(renderer);
  clear();
  display.draw(renderer, context, v, INT_MAX, INT_MAX);
  save("after_target_reset.png");
  EXPECT_LE(distance(at(v, 304 + 110, 240 + 124), kArithmeticBody), 12);
}

// A route too big for a texture keeps, on the software renderer, the
// pieces worked out for the view's place, and gives the very pixels of the
// drawing worked out for the moment, at both zooms, warm or after the view
// moved. Every kept drawing, moved with the view, draws what one made
// afresh there would.
TEST_F(DisplayWindow, KeptWireDrawingsFollowTheView) {
  ManualClock clock(100000);
  board.editor = generatedMachine(150, 300, 7);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  auto big = [](const DisplayWire& w) {
    const WirePath path = w.cachedPath();
    return path.width >= 2000 || path.height >= 2000;
  };
  ASSERT_GT(std::count_if(display.wires.begin(), display.wires.end(), big), 3);
  const std::vector<std::pair<float, float>> pans = {{-900, -700}, {-1213, -401}, {13, -7}};
  for (int zoom : {1, 2}) {
    for (int highlight : {0, 1, 2}) {
      for (const auto& [panX, panY] : pans) {
        SCOPED_TRACE("zoom " + std::to_string(zoom) + ", highlight " + std::to_string(highlight) + ", pan " +
                     std::to_string(int(panX)));
        const Viewport v = view(zoom, panX / float(zoom), panY / float(zoom));
        const std::vector<Uint32> now = wiresOnly(display, v, highlight, false, big);
        EXPECT_EQ(differing(wiresOnly(display, v, highlight, true, big), now), 0);
        EXPECT_EQ(differing(wiresOnly(display, v, highlight, true, big), now), 0);  // warm
      }
    }
  }
  const ConstContext context = board.editor->constContext();
  for (int zoom : {1, 2}) {
    std::vector<std::vector<Uint32>> first;
    for (int round = 0; round < 2; ++round) {
      for (std::size_t i = 0; i < pans.size(); ++i) {
        if (round == 0) dropWireTextureCache();  // made afresh for this place
        clear();
        display.draw(renderer, context, view(zoom, pans[i].first / float(zoom), pans[i].second / float(zoom)),
                     INT_MAX, INT_MAX);
        if (round == 0) {
          first.push_back(frame());
        } else {
          EXPECT_EQ(differing(frame(), first[i]), 0) << "zoom " << zoom << ", pan " << i;
        }
      }
    }
  }
  // Kept while the window was smaller, the pieces reached only that far;
  // back at its size the window shows the whole route again.
  SDL_Window* small = SDL_CreateWindow("small", 0, 0, 300, 200, SDL_WINDOW_HIDDEN);
  ASSERT_NE(small, nullptr) << SDL_GetError();
  const Viewport v = view(1, -900, -700);
  registerRendererWindow(renderer, small);
  wiresOnly(display, v, 0, true, big);
  registerRendererWindow(renderer, window);
  EXPECT_EQ(differing(wiresOnly(display, v, 0, true, big), wiresOnly(display, v, 0, false, big)), 0);
  SDL_DestroyWindow(small);
  save("kept_wire_drawings.png");
}

// On the software renderer the board's tiles are copied from ready-made
// textures; the picture is the art's own, scaled as SDL scales it, at
// every zoom and pan.
TEST_F(DisplayWindow, BoardTilesAtEveryPan) {
  for (int zoom : {1, 2}) {
    for (int index : {0, 1}) {
      for (const auto& [panX, panY] : std::vector<std::pair<float, float>>{{0, 0}, {13, -7}, {-301, 555}, {97, 3}}) {
        SCOPED_TRACE("zoom " + std::to_string(zoom) + ", tile " + std::to_string(index) + ", pan " +
                     std::to_string(int(panX)));
        const Viewport v = view(zoom, panX, panY);
        clear();
        drawTiledBackground(index, renderer, v);
        const std::vector<Uint32> drawn = frame();
        // The art copied straight, scaled at zoom 2.
        const Texture& tile = backgroundTextures[std::size_t(index)];
        clear();
        const Point o = v.offset();
        for (int y = -tile.height; y < 768 * zoom + tile.height; y += tile.height) {
          for (int x = -tile.width; x < 1024 * zoom + tile.width; x += tile.width) {
            const int bx = int(std::floor(double(x - o.x * zoom) / tile.width)) * tile.width;
            const int by = int(std::floor(double(y - o.y * zoom) / tile.height)) * tile.height;
            const Point p = v.worldToScreen(bx, by);
            const SDL_Rect dst{p.x, p.y, tile.width / zoom, tile.height / zoom};
            SDL_RenderCopy(renderer, tile.texture, nullptr, &dst);
          }
        }
        EXPECT_EQ(differing(frame(), drawn), 0);
      }
    }
  }
}

TEST_F(DisplayWindow, ClockDial) {
  ManualClock clock(100000);
  int tick = 3;
  int period = 8;
  ClockDial dial;
  dial.x = 100;
  dial.y = 100;
  dial.value = &tick;
  dial.period = &period;
  dial.colour = {155, 171, 134, 255};
  clear();
  dial.render(renderer);
  // Mid-step from tick 2 to 3, at zoom 1 in screen pixels.
  ClockDial stepping = dial;
  stepping.x = 300;
  stepping.animation.startStep(100000 - 200, 400, 2);
  stepping.render(renderer);
  save("clock_dial.png");
  // The white disc around the ring's centre (+34, +71), the bezel's rim.
  const SDL_Color disc = pixelAt(100 + 34 + 14, 100 + 71);
  EXPECT_GT(std::min({disc.r, disc.g, disc.b}), 170) << text(disc);
  EXPECT_NE(pixelAt(100 + 34, 100 + 71 - 28).r, 0);
}

}  // namespace
