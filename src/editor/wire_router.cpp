#include "editor/wire_router.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/log.h"

namespace {
// Bitmaps above this many cells give way to the hash set.
constexpr long long kDenseCellLimit = 1LL << 24;

std::uint64_t cellKey(int x, int y) {
  return (std::uint64_t(std::uint32_t(x)) << 32) | std::uint32_t(y);
}

int sign(int v) { return (v > 0) - (v < 0); }

[[noreturn]] void jpsCrash() { fatalError("JPS Crash"); }

// Bits offset .. offset + 63 of a bitmap line of `words` words, zero beyond it.
std::uint64_t bitsAt(const std::uint64_t* line, int words, long long offset) {
  if (offset <= -64 || offset >= (long long)words * 64) return 0;
  const long long word = offset >= 0 ? offset / 64 : -((-offset + 63) / 64);
  const int shift = int(offset - word * 64);
  const std::uint64_t low = word >= 0 && word < words ? line[word] : 0;
  if (shift == 0) return low;
  const std::uint64_t high = word + 1 >= 0 && word + 1 < words ? line[word + 1] : 0;
  return (low >> shift) | (high << (64 - shift));
}

// Bits lo .. hi - 1 set, clipped to one word.
std::uint64_t bitRange(long long lo, long long hi) {
  lo = std::max(lo, 0LL);
  hi = std::min(hi, 64LL);
  if (lo >= hi) return 0;
  const std::uint64_t upTo = hi == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << hi) - 1;
  return upTo & ~((std::uint64_t(1) << lo) - 1);
}

struct NodeOrder {
  template <typename N>
  bool operator()(const N* a, const N* b) const {
    return a->f > b->f;  // a heap with the smallest f on top
  }
};
}  // namespace

int gridCell(int v) { return v / kWireCellSize - (v < 0 ? 1 : 0); }

GeoPoint gridCellOf(GeoPoint pixel) { return {gridCell(pixel.x), gridCell(pixel.y)}; }

ObstacleMap::ObstacleMap(const std::set<GeoPoint>& pixelCells)
    : ObstacleMap(std::vector<GeoPoint>(pixelCells.begin(), pixelCells.end())) {}

ObstacleMap::ObstacleMap(const std::vector<GeoPoint>& pixelCells) {
  if (pixelCells.empty()) return;
  std::vector<GeoPoint> cells;
  cells.reserve(pixelCells.size());
  min_ = max_ = gridCellOf(*pixelCells.begin());
  for (const GeoPoint& p : pixelCells) {
    GeoPoint c = gridCellOf(p);
    min_.x = std::min(min_.x, c.x);
    min_.y = std::min(min_.y, c.y);
    max_.x = std::max(max_.x, c.x);
    max_.y = std::max(max_.y, c.y);
    cells.push_back(c);
  }
  const long long w = (long long)max_.x - min_.x + 1;
  const long long h = (long long)max_.y - min_.y + 1;
  if (w * h <= kDenseCellLimit) {
    stride_ = int((w + 63) / 64);
    columnStride_ = int((h + 63) / 64);
    bits_.assign(std::size_t(stride_) * std::size_t(h), 0);
    columns_.assign(std::size_t(columnStride_) * std::size_t(w), 0);
    for (const GeoPoint& c : cells) {
      const std::size_t dx = std::size_t(c.x - min_.x), dy = std::size_t(c.y - min_.y);
      std::uint64_t& word = bits_[dy * std::size_t(stride_) + dx / 64];
      const std::uint64_t bit = std::uint64_t(1) << (dx % 64);
      if ((word & bit) == 0) ++count_;
      word |= bit;
      columns_[dx * std::size_t(columnStride_) + dy / 64] |= std::uint64_t(1) << (dy % 64);
    }
  } else {
    for (const GeoPoint& c : cells) sparse_.insert(cellKey(c.x, c.y));
    count_ = sparse_.size();
  }
}

bool ObstacleMap::blockedSparse(int x, int y) const { return sparse_.count(cellKey(x, y)) != 0; }

std::uint64_t ObstacleMap::rowBits(int x, int y) const {
  if (count_ == 0 || y < min_.y || y > max_.y) return 0;
  return bitsAt(&bits_[std::size_t(y - min_.y) * std::size_t(stride_)], stride_, (long long)x - min_.x);
}

std::uint64_t ObstacleMap::columnBits(int x, int y) const {
  if (count_ == 0 || x < min_.x || x > max_.x) return 0;
  return bitsAt(&columns_[std::size_t(x - min_.x) * std::size_t(columnStride_)], columnStride_,
                (long long)y - min_.y);
}

std::uint64_t RoutingGrid::freeAlongRow(int x, int y) const {
  if (y < y0 || y >= y0 + height) return 0;
  const std::uint64_t inside = bitRange((long long)x0 - x, (long long)x0 + width - x);
  return blocked ? inside & ~blocked->rowBits(x, y) : inside;
}

std::uint64_t RoutingGrid::freeAlongColumn(int x, int y) const {
  if (x < x0 || x >= x0 + width) return 0;
  const std::uint64_t inside = bitRange((long long)y0 - y, (long long)y0 + height - y);
  return blocked ? inside & ~blocked->columnBits(x, y) : inside;
}

RoutingGrid RoutingGrid::around(std::shared_ptr<const ObstacleMap> obstacles, const std::vector<GeoPoint>& cells) {
  RoutingGrid grid;
  bool any = false;
  GeoPoint lo, hi;
  auto include = [&](GeoPoint c) {
    if (!any) {
      lo = hi = c;
      any = true;
      return;
    }
    lo.x = std::min(lo.x, c.x);
    lo.y = std::min(lo.y, c.y);
    hi.x = std::max(hi.x, c.x);
    hi.y = std::max(hi.y, c.y);
  };
  if (obstacles && !obstacles->empty()) {
    include(obstacles->minCell());
    include(obstacles->maxCell());
  }
  for (const GeoPoint& c : cells) include(c);
  grid.blocked = std::move(obstacles);
  if (!any) return grid;
  grid.x0 = lo.x - 2;
  grid.y0 = lo.y - 2;
  grid.width = hi.x + 2 - grid.x0;
  grid.height = hi.y + 2 - grid.y0;
  return grid;
}

PathSearch::PathSearch(const RoutingGrid& grid, std::int64_t stepBudget) : grid_(grid), budget_(stepBudget) {
  nodes_.reserve(64);
}

PathSearch::Node* PathSearch::node(int x, int y) {
  auto [it, inserted] = nodes_.try_emplace(cellKey(x, y));
  if (inserted) {
    it->second.x = x;
    it->second.y = y;
  }
  return &it->second;
}

void PathSearch::advance() {
  if (++visited_ > budget_) exhausted_ = true;
}

bool PathSearch::run(GeoPoint start, GeoPoint goal, std::vector<GeoPoint>& out) {
  out.clear();
  Result result = initialise(start, goal);
  if (result == EmptyPath) return true;
  if (result == MoreSteps) result = search();
  if (result != Found) return false;
  buildPath(out);
  return true;
}

PathSearch::Result PathSearch::initialise(GeoPoint s, GeoPoint t) {
  for (auto& [key, n] : nodes_) {
    n.flags = 0;
    n.parent = nullptr;
    n.f = n.g = 0;
  }
  goal_ = start_ = nullptr;
  open_.clear();
  visited_ = 0;
  exhausted_ = false;
  openListUsed_ = false;
  if (s == t) return free(t.x, t.y) ? EmptyPath : NoPath;
  if (!free(s.x, s.y) || !free(t.x, t.y)) return NoPath;
  goal_ = node(t.x, t.y);
  start_ = node(s.x, s.y);
  if (goal_ == nullptr || start_ == nullptr) jpsCrash();
  if (straightShortcut(start_)) return Found;
  openListUsed_ = true;
  start_->flags = 1;
  open_.push_back(start_);
  return MoreSteps;
}

bool PathSearch::straightShortcut(Node* start) {
  int x = start->x, y = start->y;
  const int tx = goal_->x, ty = goal_->y;
  const int dx = sign(tx - x), dy = sign(ty - y);
  bool hasMidpoint = false;
  if (dx != 0 && dy != 0) {
    const int run = std::min(std::abs(tx - x), std::abs(ty - y));
    for (int i = 0; i < run; ++i) {
      if (!free(x, y) || (!free(x + dx, y) && !free(x, y + dy))) return false;
      x += dx;
      y += dy;
    }
    if (!free(x, y)) return false;
    hasMidpoint = true;
  }
  const int mx = x, my = y;
  while (x != tx) {
    x += sign(tx - x);
    if (!free(x, y)) return false;
  }
  while (y != ty) {
    y += sign(ty - y);
    if (!free(x, y)) return false;
  }
  if (hasMidpoint) {
    Node* mid = node(mx, my);
    mid->parent = start;
    if (mid != goal_) goal_->parent = mid;
  } else {
    goal_->parent = start;
  }
  return true;
}

PathSearch::Result PathSearch::search() {
  for (;;) {
    if (open_.empty() || exhausted_) return NoPath;
    std::pop_heap(open_.begin(), open_.end(), NodeOrder{});
    Node* n = open_.back();
    open_.pop_back();
    n->flags = 2;
    if (n == goal_) return Found;
    identifySuccessors(n);
  }
}

int PathSearch::neighbours(const Node* n, GeoPoint out[8]) const {
  const int x = n->x, y = n->y;
  int count = 0;
  auto add = [&](int nx, int ny) { out[count++] = {nx, ny}; };
  if (n->parent == nullptr) {
    for (int ddy = -1; ddy <= 1; ++ddy) {
      for (int ddx = -1; ddx <= 1; ++ddx) {
        if (ddx == 0 && ddy == 0) continue;
        if (!free(x + ddx, y + ddy)) continue;
        if (ddx != 0 && ddy != 0 && !free(x + ddx, y) && !free(x, y + ddy)) continue;
        add(x + ddx, y + ddy);
      }
    }
    return count;
  }
  const int dx = sign(x - n->parent->x), dy = sign(y - n->parent->y);
  if (dx != 0 && dy != 0) {
    const bool alongY = free(x, y + dy), alongX = free(x + dx, y);
    if (alongY) add(x, y + dy);
    if (alongX) add(x + dx, y);
    if ((alongX || alongY) && free(x + dx, y + dy)) add(x + dx, y + dy);
    if (alongY && !free(x - dx, y) && free(x - dx, y + dy)) add(x - dx, y + dy);
    if (alongX && !free(x, y - dy) && free(x + dx, y - dy)) add(x + dx, y - dy);
  } else if (dy == 0) {
    if (free(x + dx, y)) {
      add(x + dx, y);
      if (!free(x, y + 1) && free(x + dx, y + 1)) add(x + dx, y + 1);
      if (!free(x, y - 1) && free(x + dx, y - 1)) add(x + dx, y - 1);
    }
  } else {
    if (free(x, y + dy)) {
      add(x, y + dy);
      if (!free(x + 1, y) && free(x + 1, y + dy)) add(x + 1, y + dy);
      if (!free(x - 1, y) && free(x - 1, y + dy)) add(x - 1, y + dy);
    }
  }
  return count;
}

void PathSearch::identifySuccessors(Node* n) {
  GeoPoint list[8];
  const int count = neighbours(n, list);
  for (int i = count - 1; i >= 0; --i) {
    GeoPoint found;
    if (!jump(list[i].x, list[i].y, sign(list[i].x - n->x), sign(list[i].y - n->y), found)) continue;
    Node* j = node(found.x, found.y);
    if (j == nullptr || j == n) jpsCrash();
    if (j->flags & 2) continue;
    const float fx = float(j->x - n->x), fy = float(j->y - n->y);
    const unsigned newG = n->g + unsigned(std::sqrt(fx * fx + fy * fy));
    const bool wasOpen = (j->flags & 1) != 0;
    if (wasOpen && newG >= j->g) continue;
    j->g = newG;
    j->f = newG + unsigned(std::abs(j->x - goal_->x) + std::abs(j->y - goal_->y));
    j->parent = n;
    if (!wasOpen) {
      j->flags |= 1;
      open_.push_back(j);
      std::push_heap(open_.begin(), open_.end(), NodeOrder{});
    } else {
      std::make_heap(open_.begin(), open_.end(), NodeOrder{});
    }
  }
}

bool PathSearch::jump(int x, int y, int dx, int dy, GeoPoint& found) {
  if (dx != 0 && dy != 0) {
    if (!free(x, y)) jpsCrash();
    for (;;) {
      if (exhausted_) return false;
      if (x == goal_->x && y == goal_->y) break;
      if ((free(x - dx, y + dy) && !free(x - dx, y)) || (free(x + dx, y - dy) && !free(x, y - dy))) break;
      GeoPoint ignored;
      if (free(x + dx, y) && jumpStraight(x + dx, y, dx, 0, ignored)) break;
      if (free(x, y + dy) && jumpStraight(x, y + dy, 0, dy, ignored)) break;
      if (free(x + dx, y + dy) && (free(x + dx, y) || free(x, y + dy))) {
        x += dx;
        y += dy;
        advance();
      } else {
        return false;
      }
    }
    found = {x, y};
    return true;
  }
  if (dx != 0 || dy != 0) return jumpStraight(x, y, dx, dy, found);
  jpsCrash();
}

// Straight along (dx, dy): stops at the goal, or at a cell beside which a
// blocked cell gives way to a free one (a forced neighbour); none when the
// way ahead is blocked.
bool PathSearch::jumpStraight(int x, int y, int dx, int dy, GeoPoint& found) {
  if (!free(x, y)) jpsCrash();
  return grid_.readsRuns() ? jumpStraightByRuns(x, y, dx, dy, found) : jumpStraightByCells(x, y, dx, dy, found);
}

// The same scan 63 cells at a time: the line and its two sides are read as
// words, and the first cell where a side opens up, the goal lies or the way
// ahead is blocked is found by counting bits. Cells advanced over count
// toward the budget exactly as one by one.
bool PathSearch::jumpStraightByRuns(int x, int y, int dx, int dy, GeoPoint& found) {
  if (exhausted_) return false;
  const bool column = dx == 0;
  const int d = column ? dy : dx;
  const int v = column ? x : y;  // the fixed coordinate
  const int goalU = column ? goal_->y : goal_->x, goalV = column ? goal_->x : goal_->y;
  auto line = [&](int at, int start) {
    return column ? grid_.freeAlongColumn(at, start) : grid_.freeAlongRow(start, at);
  };
  int u = column ? y : x;
  std::int64_t advanced = 0;
  for (;;) {
    // The window holds cells u .. u + 63 (forward) or u - 63 .. u (backward);
    // `ahead` moves each cell's bit onto the one before it along the scan.
    const int start = d > 0 ? u : u - 63;
    const std::uint64_t on = line(v, start), side = line(v + 1, start), other = line(v - 1, start);
    auto ahead = [d](std::uint64_t bits) { return d > 0 ? bits >> 1 : bits << 1; };
    const std::uint64_t valid = d > 0 ? ~std::uint64_t(0) >> 1 : ~std::uint64_t(1);
    std::uint64_t stop = (ahead(side) & ~side) | (ahead(other) & ~other);
    if (goalV == v && goalU >= start && goalU <= start + 63) stop |= std::uint64_t(1) << (goalU - start);
    stop &= valid;
    const std::uint64_t blockedAhead = ~ahead(on) & valid;
    const std::uint64_t any = stop | blockedAhead;
    if (any != 0) {
      const int bit = d > 0 ? __builtin_ctzll(any) : 63 - __builtin_clzll(any);
      advanced += d > 0 ? bit : 63 - bit;
      if (visited_ + advanced > budget_) break;
      visited_ += advanced;
      if ((stop >> bit & 1) == 0) return false;
      const int at = start + bit;
      found = column ? GeoPoint{x, at} : GeoPoint{at, y};
      return true;
    }
    advanced += 63;
    if (visited_ + advanced > budget_) break;
    u += 63 * d;
  }
  // The budget runs out on the way: one cell past it, as cell by cell.
  visited_ = budget_ + 1;
  exhausted_ = true;
  return false;
}

bool PathSearch::jumpStraightByCells(int x, int y, int dx, int dy, GeoPoint& found) {
  const int sx = dy != 0 ? 1 : 0, sy = dx != 0 ? 1 : 0;  // one side; the other is its opposite
  bool sideBlocked = !free(x + sx, y + sy), otherBlocked = !free(x - sx, y - sy);
  for (;;) {
    if (exhausted_) return false;
    const int nx = x + dx, ny = y + dy;
    const bool sideFree = free(nx + sx, ny + sy), otherFree = free(nx - sx, ny - sy);
    if ((sideFree && sideBlocked) || (otherFree && otherBlocked) || (x == goal_->x && y == goal_->y)) break;
    if (!free(nx, ny)) return false;
    x = nx;
    y = ny;
    sideBlocked = !sideFree;
    otherBlocked = !otherFree;
    advance();
  }
  found = {x, y};
  return true;
}

void PathSearch::buildPath(std::vector<GeoPoint>& out) const {
  out.clear();
  for (const Node* n = goal_; n != start_; n = n->parent) {
    const Node* p = n->parent;
    if (p == nullptr) jpsCrash();
    const int ddx = p->x - n->x, ddy = p->y - n->y;
    if (ddx != 0 && ddy != 0 && std::abs(ddx) != std::abs(ddy)) jpsCrash();
    const int sx = sign(ddx), sy = sign(ddy);
    for (int x = n->x, y = n->y; x != p->x || y != p->y; x += sx, y += sy) out.push_back({x, y});
  }
  std::reverse(out.begin(), out.end());
}

bool findWirePath(const RoutingGrid& grid, GeoPoint start, GeoPoint goal, std::vector<GeoPoint>& out) {
  PathSearch search(grid);
  return search.run(start, goal, out);
}
