// Wire routing on the 16-pixel grid: golden routes on small boards drawn as
// text, and properties that hold on random boards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "editor/wire_path.h"
#include "editor/wire_router.h"
#include "base/log.h"

namespace {

// A board drawn as text: '#' blocked, 'S' start, 'G' goal, '*' a cell the
// route must take, anything else free. The grid is exactly the drawing.
struct Board {
  RoutingGrid grid;
  GeoPoint start;
  GeoPoint goal;
  std::set<GeoPoint> marked;
};

Board board(const std::vector<std::string>& rows) {
  Board b;
  std::set<GeoPoint> blocked;
  for (int y = 0; y < int(rows.size()); ++y) {
    for (int x = 0; x < int(rows[std::size_t(y)].size()); ++x) {
      const char c = rows[std::size_t(y)][std::size_t(x)];
      if (c == '#') blocked.insert({x * 16 + 8, y * 16 + 8});
      if (c == 'S') b.start = {x, y};
      if (c == 'G') b.goal = {x, y};
      if (c == '*') b.marked.insert({x, y});
    }
  }
  b.grid.blocked = std::make_shared<ObstacleMap>(blocked);
  b.grid.width = int(rows[0].size());
  b.grid.height = int(rows.size());
  return b;
}

bool squeezes(const RoutingGrid& grid, GeoPoint from, GeoPoint to) {
  const int dx = to.x - from.x, dy = to.y - from.y;
  return dx != 0 && dy != 0 && !grid.isFree(from.x + dx, from.y) && !grid.isFree(from.x, from.y + dy);
}

// The route joins start to goal in 8-connected steps over free cells of the
// grid and never slips diagonally between two blocked cells.
void expectSoundRoute(const RoutingGrid& grid, GeoPoint start, GeoPoint goal, const std::vector<GeoPoint>& route) {
  ASSERT_FALSE(route.empty());
  EXPECT_EQ(route.back(), goal);
  GeoPoint at = start;
  for (const GeoPoint& c : route) {
    EXPECT_TRUE(grid.isFree(c.x, c.y)) << c.x << "," << c.y;
    EXPECT_LE(std::abs(c.x - at.x), 1);
    EXPECT_LE(std::abs(c.y - at.y), 1);
    EXPECT_NE(c, at);
    EXPECT_FALSE(squeezes(grid, at, c)) << at.x << "," << at.y << " -> " << c.x << "," << c.y;
    at = c;
  }
}

// Same moves, breadth first: whether any route exists.
bool reachable(const RoutingGrid& grid, GeoPoint start, GeoPoint goal) {
  if (!grid.isFree(start.x, start.y) || !grid.isFree(goal.x, goal.y)) return false;
  std::set<GeoPoint> seen{start};
  std::deque<GeoPoint> queue{start};
  while (!queue.empty()) {
    GeoPoint at = queue.front();
    queue.pop_front();
    if (at == goal) return true;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        GeoPoint next{at.x + dx, at.y + dy};
        if (next == at || !grid.isFree(next.x, next.y) || squeezes(grid, at, next)) continue;
        if (seen.insert(next).second) queue.push_back(next);
      }
    }
  }
  return false;
}

TEST(GridCells, NegativeCoordinatesStepDown) {
  struct Case {
    int pixel, cell;
  };
  for (Case c : std::vector<Case>{{0, 0}, {8, 0}, {15, 0}, {16, 1}, {-8, -1}, {-16, -2}, {-24, -2}, {-1, -1}}) {
    EXPECT_EQ(gridCell(c.pixel), c.cell) << c.pixel;
  }
}

TEST(GridCells, GridReachesTwoCellsLowAndOneHigh) {
  auto obstacles = std::make_shared<ObstacleMap>(std::set<GeoPoint>{{8, 8}, {40, 24}});
  RoutingGrid grid = RoutingGrid::around(obstacles, {{-3, 5}});
  EXPECT_EQ(grid.x0, -5);
  EXPECT_EQ(grid.y0, -2);
  EXPECT_EQ(grid.width, 2 + 2 - -5);
  EXPECT_EQ(grid.height, 5 + 2 - -2);
  EXPECT_TRUE(grid.isFree(-5, -2));
  EXPECT_FALSE(grid.isFree(-6, 0));
  EXPECT_TRUE(grid.isFree(3, 6));
  EXPECT_FALSE(grid.isFree(4, 0));
  EXPECT_FALSE(grid.isFree(0, 7));
  EXPECT_FALSE(grid.isFree(0, 0));
  EXPECT_FALSE(grid.isFree(2, 1));
}

TEST(GoldenRoutes, FixedRoutes) {
  struct Case {
    std::string what;
    std::vector<std::string> rows;
    bool shortcut;  // found by the straight line, without the open list
  };
  const std::vector<Case> cases = {
      {"straight leg", {"..........", ".S******G.", ".........."}, true},
      {"diagonal then straight", {"S.......", ".*......", "..*****G"}, true},
      {"corner cut past a single blocked cell", {"S#....", ".*....", "..*...", "...G.."}, true},
      {"around a wall", {"#######", "#..*..#", "#.*#*.#", "#S.#.G#", "#######"}, false},
      {"L corridor cuts its corner",
       {"#######", "#S***.#", "#####*#", "#####*#", "#####G#", "#######"},
       false},
      {"above a module block", {"##########", "#..****..#", "#.*####*.#", "#S.####.G#", "#..####..#",
                                "#..####..#", "#..####..#", "#..####..#", "#..####..#", "#########."},
       false},
      {"below a module block", {"#########.", "#..####..#", "#..####..#", "#..####..#", "#..####..#",
                                "#S.####.G#", "#.*####*.#", "#..****..#", "##########"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Board b = board(c.rows);
    PathSearch search(b.grid);
    std::vector<GeoPoint> route;
    ASSERT_TRUE(search.run(b.start, b.goal, route));
    expectSoundRoute(b.grid, b.start, b.goal, route);
    std::set<GeoPoint> taken(route.begin(), route.end());
    taken.erase(b.goal);
    EXPECT_EQ(taken, b.marked);
    EXPECT_EQ(route.size(), b.marked.size() + 1);
    EXPECT_EQ(search.usedOpenList(), !c.shortcut);
  }
}

TEST(GoldenRoutes, NeverSlipsBetweenTwoBlockedCells) {
  Board b = board({".....", ".S#..", ".#G..", "....."});
  std::vector<GeoPoint> route;
  ASSERT_TRUE(findWirePath(b.grid, b.start, b.goal, route));
  expectSoundRoute(b.grid, b.start, b.goal, route);
  EXPECT_GT(route.size(), 1u);
}

TEST(GoldenRoutes, EnclosedOrCoveredGoalHasNoRoute) {
  Board enclosed = board({"......", ".S.###", "...#G#", "...###"});
  std::vector<GeoPoint> route{{9, 9}};
  EXPECT_FALSE(findWirePath(enclosed.grid, enclosed.start, enclosed.goal, route));
  EXPECT_TRUE(route.empty());
  Board covered = board({".S..#"});
  EXPECT_FALSE(findWirePath(covered.grid, covered.start, {4, 0}, route));
  // Start and goal the same free cell: an empty route, found.
  EXPECT_TRUE(findWirePath(covered.grid, covered.start, covered.start, route));
  EXPECT_TRUE(route.empty());
}

TEST(GoldenRoutes, BudgetEndsAHopelessSearch) {
  // A goal walled in at the far end of a wide empty board: the search runs
  // out of budget and reports no route instead of scanning on.
  std::set<GeoPoint> walls;
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (dx != 0 || dy != 0) walls.insert({(600 + dx) * 16 + 8, (300 + dy) * 16 + 8});
    }
  }
  RoutingGrid grid = RoutingGrid::around(std::make_shared<ObstacleMap>(walls), {{0, 0}, {600, 300}});
  PathSearch search(grid, 5000);
  std::vector<GeoPoint> route;
  EXPECT_FALSE(search.run({0, 0}, {600, 300}, route));
  EXPECT_LE(search.cellsVisited(), 5000 + 1000);
}

TEST(RouteLegs, LegsBecomeGridPointsOrStraightSteps) {
  // A module-sized block at cells 2..4 x 0..3; legs use the start's offset
  // within its cell.
  std::set<GeoPoint> cells;
  for (int x = 2; x <= 4; ++x) {
    for (int y = 0; y <= 3; ++y) cells.insert({x * 16 + 8, y * 16 + 8});
  }
  auto obstacles = std::make_shared<ObstacleMap>(cells);
  RoutingGrid grid = RoutingGrid::around(obstacles, {{0, 1}, {7, 1}});
  std::vector<GeoPoint> out;
  routeLeg({8, 24}, {120, 24}, grid, out);
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.back(), (GeoPoint{120, 24}));
  for (const GeoPoint& p : out) {
    EXPECT_EQ((p.x - 8) % 16, 0);
    EXPECT_EQ((p.y - 24) % 16, 0);
    EXPECT_FALSE(obstacles->blocked(gridCell(p.x), gridCell(p.y)));
  }
  // The goal inside the block: one straight step to it.
  out.clear();
  routeLeg({8, 24}, {56, 24}, grid, out);
  EXPECT_EQ(out, (std::vector<GeoPoint>{{56, 24}}));
  // The same point: nothing appended.
  out.clear();
  routeLeg({8, 24}, {8, 24}, grid, out);
  EXPECT_TRUE(out.empty());
  EXPECT_THROW(routeLeg({8, 24}, {16, 24}, grid, out), FatalErrorException);
  EXPECT_THROW(routeLeg({8, 24}, {8, 32}, grid, out), FatalErrorException);
}

TEST(RouteProperties, RandomBoards) {
  std::mt19937 rng(1234);
  auto draw = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int found = 0, none = 0;
  for (int round = 0; round < 400; ++round) {
    // Module-like blocks scattered over a board of up to 40 x 30 cells.
    std::set<GeoPoint> cells;
    const int blocks = draw(0, 14);
    for (int i = 0; i < blocks; ++i) {
      const int bx = draw(0, 36), by = draw(0, 26), bw = draw(1, 9), bh = draw(1, 12);
      for (int x = bx; x < bx + bw; ++x) {
        for (int y = by; y < by + bh; ++y) cells.insert({x * 16 + 8, y * 16 + 8});
      }
    }
    auto obstacles = std::make_shared<ObstacleMap>(cells);
    const GeoPoint a{draw(-2, 42) * 16 + 8, draw(-2, 32) * 16 + 8};
    const GeoPoint b{draw(-2, 42) * 16 + 8, draw(-2, 32) * 16 + 8};
    const RoutingGrid grid = RoutingGrid::around(obstacles, {gridCellOf(a), gridCellOf(b)});
    std::vector<GeoPoint> route;
    const bool routed = findWirePath(grid, gridCellOf(a), gridCellOf(b), route);
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(routed, reachable(grid, gridCellOf(a), gridCellOf(b)));
    if (routed && a != b) {
      ++found;
      expectSoundRoute(grid, gridCellOf(a), gridCellOf(b), route);
    } else if (!routed) {
      ++none;
    }
    // As a wire leg: every point on the 16-pixel lattice of the start, off
    // the modules unless it is the straight step to a covered goal.
    std::vector<GeoPoint> leg;
    routeLeg(a, b, grid, leg);
    if (a == b) continue;
    ASSERT_FALSE(leg.empty());
    EXPECT_EQ(leg.back(), b);
    for (const GeoPoint& p : leg) {
      EXPECT_EQ((p.x - a.x) % 16, 0);
      EXPECT_EQ((p.y - a.y) % 16, 0);
    }
    if (routed) {
      for (const GeoPoint& p : leg) EXPECT_FALSE(obstacles->blocked(gridCell(p.x), gridCell(p.y)));
    } else {
      EXPECT_EQ(leg.size(), 1u);
    }
  }
  EXPECT_GT(found, 200);
  EXPECT_GT(none, 10);
}

TEST(ObstacleMaps, DenseAndSparseAgree) {
  // Far-apart modules make the sparse form; the answers are the same.
  std::set<GeoPoint> near{{8, 8}, {40, 8}, {-24, -40}};
  std::set<GeoPoint> far = near;
  far.insert({16000008, 16000008});
  ObstacleMap dense(near), sparse(far);
  for (int x = -4; x <= 4; ++x) {
    for (int y = -4; y <= 4; ++y) EXPECT_EQ(dense.blocked(x, y), sparse.blocked(x, y)) << x << "," << y;
  }
  EXPECT_TRUE(sparse.blocked(1000000, 1000000));
  EXPECT_EQ(sparse.count(), 4u);
}

}  // namespace
