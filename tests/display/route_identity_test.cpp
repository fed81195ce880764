// The router's answers pinned down exactly: every route of generated
// machines and of random boards folds into a digest recorded from the router
// as it was first written. A faster router must give the very same routes,
// ties and all, so these digests never change unless the routing rules
// themselves do. The work done (cells advanced over) is not in the digests:
// it is held to a bound, which a faster router comes in under.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "display/generated_machine.h"
#include "editor/display.h"
#include "editor/wire_path.h"
#include "editor/wire_router.h"

namespace {

// FNV-1a over 32-bit words.
struct Digest {
  std::uint64_t value = 0xcbf29ce484222325ull;
  void add(std::int64_t v) {
    for (int i = 0; i < 8; ++i) {
      value ^= std::uint64_t(v >> (8 * i)) & 0xff;
      value *= 0x100000001b3ull;
    }
  }
  void add(const GeoPoint& p) {
    add(p.x);
    add(p.y);
  }
};

// Every wire of the machine's view routed afresh, in the view's order.
std::uint64_t machineRoutes(const std::shared_ptr<Editor>& editor, std::size_t& wires) {
  clearWirePathCache();
  Display display(false, editor, {0, 0, 1024, 768}, {}, {});
  Digest digest;
  for (const DisplayWire& wire : display.wires) {
    const WirePath path = wire.cachedPath();
    digest.add(std::int64_t(path.points.size()));
    for (const GeoPoint& p : path.points) digest.add(p);
    for (const WireLeg& leg : path.legs) {
      digest.add(leg.lastPoint);
      digest.add(leg.insertIndex);
    }
  }
  wires = display.wires.size();
  clearWirePathCache();
  return digest.value;
}

TEST(RouteIdentity, GeneratedMachines) {
  struct Case {
    int modules;
    unsigned seed;
    bool farModule;  // a Number placed far up and left, as a new module often is
    std::size_t wires;
    std::uint64_t digest;
  };
  const std::vector<Case> cases = {
      {25, 7, false, 50, 0xc9c4e74cda8ebc11ull},   {100, 7, false, 198, 0x43c8a69036f79bd2ull},
      {250, 7, false, 499, 0x3e4c17817916f0fdull}, {200, 7, true, 384, 0xd39f9f64ecd2e77bull},
      {100, 3, true, 198, 0x6bd74e0ffcb34ed3ull},  {60, 19, false, 105, 0x8aafaae22eb2e814ull},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.modules) + " modules, seed " + std::to_string(c.seed));
    auto editor = generatedMachine(c.modules, 2 * c.modules, c.seed);
    if (c.farModule) {
      editor->machine.push_back(Module::create(kNumberKind, -1024, -1024, makeNumericValue(7), "far"));
    }
    std::size_t wires = 0;
    const std::uint64_t digest = machineRoutes(editor, wires);
    EXPECT_EQ(wires, c.wires);
    EXPECT_EQ(digest, c.digest) << std::hex << "0x" << digest;
  }
}

// Random boards of module-like blocks, some wider than a machine word of
// cells, some reaching below zero, some so spread that the obstacles are
// kept sparse; legs between random cells (on or off the blocks' extent).
// Each leg is routed with the default budget, both ways round with the same
// search object; now and then again with a budget small enough to run out,
// which either gives the same route or gives up only once the budget is spent.
TEST(RouteIdentity, RandomBoards) {
  std::mt19937 rng(2024);
  auto draw = [&rng](int lo, int hi) { return generatedDraw(rng, lo, hi); };
  Digest digest;
  int found = 0, exhausted = 0;
  std::int64_t work = 0;
  for (int round = 0; round < 600; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const int spread = round % 3 == 0 ? 40 : (round % 3 == 1 ? 150 : 300);
    const int low = round % 2 == 0 ? 0 : -spread / 2;
    std::set<GeoPoint> cells;
    const int blocks = draw(0, spread / 4);
    for (int i = 0; i < blocks; ++i) {
      const int bx = draw(low, low + spread), by = draw(low, low + spread / 2), bw = draw(1, 12), bh = draw(1, 14);
      for (int x = bx; x < bx + bw; ++x) {
        for (int y = by; y < by + bh; ++y) cells.insert({x * 16 + 8, y * 16 + 8});
      }
    }
    // A walled-in goal now and then: the search exhausts the board.
    const bool walled = round % 7 == 0;
    const GeoPoint a{draw(low - 4, low + spread + 4), draw(low - 4, low + spread / 2 + 4)};
    GeoPoint b{draw(low - 4, low + spread + 4), draw(low - 4, low + spread / 2 + 4)};
    if (walled) {
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
          GeoPoint wall{(b.x + dx) * 16 + 8, (b.y + dy) * 16 + 8};
          if (dx != 0 || dy != 0) cells.insert(wall);
          else cells.erase(wall);
        }
      }
    }
    if (round % 50 == 0) cells.insert({16000008, 16000008});  // sparse
    auto obstacles = std::make_shared<const ObstacleMap>(cells);
    const RoutingGrid grid = RoutingGrid::around(obstacles, {a, b});
    // A small budget's draw comes before the search, as it always has: the
    // boards after it stay the same.
    const std::int64_t budget = round % 5 == 0 ? draw(1, 4000) : kRouteStepBudget;
    PathSearch search(grid);
    std::vector<GeoPoint> route;
    const bool routed = search.run(a, b, route);
    EXPECT_LE(search.cellsVisited(), kRouteStepBudget + 8);  // a search stops once past its budget
    work += search.cellsVisited();
    found += routed;
    digest.add(round);
    digest.add(routed);
    digest.add(std::int64_t(route.size()));
    for (const GeoPoint& p : route) digest.add(p);
    if (budget != kRouteStepBudget) {
      PathSearch limited(grid, budget);
      std::vector<GeoPoint> limitedRoute;
      if (limited.run(a, b, limitedRoute)) {
        EXPECT_EQ(limitedRoute, route);
      } else if (routed) {
        EXPECT_GT(limited.cellsVisited(), budget);  // gave up on a leg that has a route
      }
      exhausted += limited.cellsVisited() > budget;
    }
    // The same search object again, the other way round.
    std::vector<GeoPoint> back;
    digest.add(search.run(b, a, back));
    work += search.cellsVisited();
    for (const GeoPoint& p : back) digest.add(p);
  }
  EXPECT_GT(found, 300);
  EXPECT_GT(exhausted, 10);
  EXPECT_EQ(digest.value, 0x6aecd489bb8088b4ull) << std::hex << "0x" << digest.value;
  // The router as it stands advances over 30811912 cells in all (most of
  // them on the sparse boards, which spend the whole budget); one that needs
  // more for the same routes has got slower.
  EXPECT_LE(work, 30811912) << work;
}

}  // namespace
