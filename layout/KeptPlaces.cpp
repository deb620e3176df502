#include "layout/KeptPlaces.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace zorvex {
namespace {

struct Area {
  int64_t left, top, right, bottom;  // right and bottom outside
  bool meets(const Area& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

// Placed areas by the cells of a coarse grid they cover, so that a look
// costs what lies near, not what was placed.
class PlacedAreas {
 public:
  bool free(const Area& a) const {
    bool clear = true;
    forCells(a, [&](int64_t key) {
      const auto it = cells_.find(key);
      if (it != cells_.end())
        for (int32_t n : it->second) clear = clear && !areas_[n].meets(a);
    });
    return clear;
  }
  void add(const Area& a) {
    const auto n = static_cast<int32_t>(areas_.size());
    areas_.push_back(a);
    forCells(a, [&](int64_t key) { cells_[key].push_back(n); });
    bounds_ = areas_.size() == 1 ? a : Area{std::min(bounds_.left, a.left), std::min(bounds_.top, a.top),
                                           std::max(bounds_.right, a.right), std::max(bounds_.bottom, a.bottom)};
  }
  bool empty() const { return areas_.empty(); }
  const Area& bounds() const { return bounds_; }

 private:
  static constexpr int64_t Cell = 1024;
  template <class F>
  static void forCells(const Area& a, F f) {
    for (int64_t cy = a.top / Cell - (a.top < 0); cy <= (a.bottom - 1) / Cell; ++cy)
      for (int64_t cx = a.left / Cell - (a.left < 0); cx <= (a.right - 1) / Cell; ++cx) f(cy * 4000037 + cx);
  }
  std::vector<Area> areas_;
  std::unordered_map<int64_t, std::vector<int32_t>> cells_;
  Area bounds_{};
};

// The offset that leaves the most boxes where they are, and whether it leaves them all.
std::pair<Point, bool> bestOffset(const LayoutPart& part, const PartPicture& picture) {
  std::unordered_map<int64_t, int32_t> votes;
  int64_t best = 0;
  int32_t most = 0;
  for (size_t i = 0; i < part.boxes.size(); ++i) {
    const int64_t dx = part.input.present[i].x - picture.corners[i].x, dy = part.input.present[i].y - picture.corners[i].y;
    const int64_t key = (dy << 32) ^ (dx & 0xffffffff);
    const int32_t count = ++votes[key];
    if (count > most) most = count, best = key;
  }
  const Point offset{static_cast<int32_t>(best & 0xffffffff), static_cast<int32_t>(best >> 32)};
  return {offset, static_cast<size_t>(most) == part.boxes.size()};
}

Area areaAt(Point offset, const PartSize& size, int32_t gap) {
  // Half the gap around each part keeps any two a whole gap apart.
  const int64_t half = (gap + 1) / 2;
  return {offset.x - half, offset.y - half, offset.x + size.width + half, offset.y + size.height + half};
}

}  // namespace

std::vector<Point> keptOffsets(const std::vector<LayoutPart>& parts, const std::vector<PartPicture>& pictures,
                               int32_t gap) {
  std::vector<Point> offsets(parts.size());
  std::vector<bool> inPlace(parts.size());
  for (size_t p = 0; p < parts.size(); ++p) {
    const auto [offset, stays] = bestOffset(parts[p], pictures[p]);
    // A changed part is not pushed off the top or the left of the surface.
    offsets[p] = stays ? offset : Point{std::max(offset.x, LayoutMargin), std::max(offset.y, LayoutMargin)};
    inPlace[p] = stays;
  }
  // Parts that stand as they are claim their places first.
  std::vector<int32_t> order;
  for (int pass = 0; pass < 2; ++pass)
    for (size_t p = 0; p < parts.size(); ++p)
      if (inPlace[p] == (pass == 0)) order.push_back(static_cast<int32_t>(p));
  PlacedAreas placed;
  std::vector<int32_t> left;
  for (int32_t p : order) {
    const Area a = areaAt(offsets[p], pictures[p].size, gap);
    if (placed.free(a))
      placed.add(a);
    else
      left.push_back(p);
  }
  if (left.empty()) return offsets;
  std::vector<PartSize> sizes;
  for (int32_t p : left) sizes.push_back(pictures[p].size);
  const std::vector<Point> block = packParts(sizes, gap);
  const int64_t x0 = placed.empty() ? LayoutMargin : placed.bounds().left + (gap + 1) / 2;
  const int64_t y0 = placed.empty() ? LayoutMargin : placed.bounds().bottom + gap * 3;
  for (size_t i = 0; i < left.size(); ++i)
    offsets[left[i]] = {static_cast<int32_t>(x0 + block[i].x), static_cast<int32_t>(y0 + block[i].y)};
  return offsets;
}

}  // namespace zorvex
