#pragma once
// Wire legs are routed around modules on a grid of 16-pixel cells: a jump
// point search over 8-connected cells (an A* that only opens jump points),
// with a straight line tried first. A diagonal step never squeezes between
// two blocked cells. One search is built, run and thrown away per leg.
#include <cstdint>
#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/module_geometry.h"

constexpr int kWireCellSize = 16;

// A pixel coordinate's cell: divided by 16 toward zero, minus one for
// negative coordinates (so -8 is cell -1 and -16 is cell -2).
int gridCell(int v);
GeoPoint gridCellOf(GeoPoint pixel);

// The cells modules cover, in cell indices, for constant-time lookups. A
// machine that fits a modest bitmap gets one; a machine spread over a huge
// board (a hand-edited file) falls back to a hash set.
class ObstacleMap {
 public:
  ObstacleMap() = default;
  // From blocked points in board pixels, as the modules' occupied cells give them.
  explicit ObstacleMap(const std::set<GeoPoint>& pixelCells);
  // The same from a list, which may name a cell more than once.
  explicit ObstacleMap(const std::vector<GeoPoint>& pixelCells);

  bool blocked(int x, int y) const {
    if (count_ == 0 || x < min_.x || y < min_.y || x > max_.x || y > max_.y) return false;
    if (stride_ == 0) return blockedSparse(x, y);
    const std::size_t dx = std::size_t(x - min_.x);
    return (bits_[std::size_t(y - min_.y) * std::size_t(stride_) + dx / 64] >> (dx % 64)) & 1;
  }
  bool empty() const { return count_ == 0; }
  // Whether the cells are kept as bitmaps (always, but for a huge board),
  // so whole runs of cells can be read at once.
  bool dense() const { return stride_ != 0 || count_ == 0; }
  // Blocked cells as bits, bit i for cell (x + i, y) or (x, y + i); dense only.
  std::uint64_t rowBits(int x, int y) const;
  std::uint64_t columnBits(int x, int y) const;
  std::size_t count() const { return count_; }
  // Smallest and largest blocked cell; meaningless when empty.
  GeoPoint minCell() const { return min_; }
  GeoPoint maxCell() const { return max_; }

 private:
  bool blockedSparse(int x, int y) const;

  std::size_t count_ = 0;
  GeoPoint min_;
  GeoPoint max_;
  int stride_ = 0;  // 64-bit words per bitmap row; 0 when the hash set is used
  int columnStride_ = 0;  // 64-bit words per column of the transposed bitmap
  std::vector<std::uint64_t> bits_;
  std::vector<std::uint64_t> columns_;  // the same cells column by column, for vertical runs
  std::unordered_set<std::uint64_t> sparse_;
};

// The grid one wire is routed on: the machine's blocked cells, bounded to
// the blocked cells and the wire's control points with a margin of two
// cells on the low side and one on the high side.
struct RoutingGrid {
  std::shared_ptr<const ObstacleMap> blocked;
  int x0 = 0;
  int y0 = 0;
  int width = 0;
  int height = 0;

  // controlCells: the wire's control list in cell indices.
  static RoutingGrid around(std::shared_ptr<const ObstacleMap> obstacles, const std::vector<GeoPoint>& controlCells);
  bool isFree(int x, int y) const {
    if (x < x0 || y < y0 || x >= x0 + width || y >= y0 + height) return false;
    return !blocked || !blocked->blocked(x, y);
  }
  // Whether runs of cells can be read 64 at a time (not on a huge board).
  bool readsRuns() const { return !blocked || blocked->dense(); }
  // isFree of 64 cells at once: bit i for cell (x + i, y), or (x, y + i)
  // along a column.
  std::uint64_t freeAlongRow(int x, int y) const;
  std::uint64_t freeAlongColumn(int x, int y) const;
};

// Cells one leg's search may advance over before it gives up and the leg
// is drawn straight. A legitimate machine stays far below it; a machine
// file whose modules sit millions of pixels apart cannot stall a frame.
constexpr std::int64_t kRouteStepBudget = std::int64_t(1) << 22;

class PathSearch {
 public:
  enum Result { NoPath = 0, Found = 1, MoreSteps = 2, EmptyPath = 3 };

  explicit PathSearch(const RoutingGrid& grid, std::int64_t stepBudget = kRouteStepBudget);
  // Every cell of the route after start, ending with goal; empty when start
  // equals goal. False when there is no route (or the budget ran out).
  bool run(GeoPoint start, GeoPoint goal, std::vector<GeoPoint>& out);
  // Cells advanced by the last run, for the benchmarks.
  std::int64_t cellsVisited() const { return visited_; }
  // Whether the last run touched the open list (false when the straight
  // line reached the goal).
  bool usedOpenList() const { return openListUsed_; }

 private:
  struct Node {
    unsigned f = 0;
    unsigned g = 0;
    int x = 0;
    int y = 0;
    Node* parent = nullptr;
    int flags = 0;  // 1 open, 2 closed
  };

  Result initialise(GeoPoint start, GeoPoint goal);
  Result search();
  bool free(int x, int y) const { return grid_.isFree(x, y); }
  Node* node(int x, int y);
  bool straightShortcut(Node* start);
  void identifySuccessors(Node* n);
  int neighbours(const Node* n, GeoPoint out[8]) const;
  bool jump(int x, int y, int dx, int dy, GeoPoint& found);
  bool jumpStraight(int x, int y, int dx, int dy, GeoPoint& found);
  bool jumpStraightByRuns(int x, int y, int dx, int dy, GeoPoint& found);
  bool jumpStraightByCells(int x, int y, int dx, int dy, GeoPoint& found);
  void advance();
  void buildPath(std::vector<GeoPoint>& out) const;

  const RoutingGrid& grid_;
  std::int64_t budget_;
  std::int64_t visited_ = 0;
  bool openListUsed_ = false;
  bool exhausted_ = false;
  Node* goal_ = nullptr;
  Node* start_ = nullptr;
  std::vector<Node*> open_;
  std::unordered_map<std::uint64_t, Node> nodes_;
};

// A fresh search from start to goal (cell indices).
bool findWirePath(const RoutingGrid& grid, GeoPoint start, GeoPoint goal, std::vector<GeoPoint>& out);
