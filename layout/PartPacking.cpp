#include "layout/PartPacking.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "model/ZorvexError.h"

namespace zorvex {
namespace {

// As wide as the surface's proportions ask of the parts' whole area, never
// narrower than the widest part nor than the surface.
int64_t rowWidth(const std::vector<PartSize>& parts, int32_t gap, SurfaceShape surface) {
  double area = 0;
  int64_t widest = 0;
  for (const PartSize& p : parts) {
    area += static_cast<double>(p.width + gap) * static_cast<double>(p.height + gap);
    widest = std::max(widest, p.width);
  }
  const double aspect = static_cast<double>(surface.width) / static_cast<double>(surface.height);
  const auto proportional = static_cast<int64_t>(std::ceil(std::sqrt(area * aspect)));
  return std::max({widest, surface.width, proportional});
}

int32_t checked(int64_t v) {
  if (v > INT32_MAX / 2) throw ZorvexError("Integer overflow");
  return static_cast<int32_t>(v);
}

}  // namespace

// Rows led by their tallest part; right of it, shelves of shorter parts
// stacked down to the row's height, so that small parts fill what a tall one
// leaves beside it.
std::vector<Point> packParts(const std::vector<PartSize>& parts, int32_t gap, SurfaceShape surface) {
  std::vector<int32_t> order(parts.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
    return parts[a].height != parts[b].height ? parts[a].height > parts[b].height : parts[a].width > parts[b].width;
  });
  const int64_t width = rowWidth(parts, gap, surface);
  std::vector<Point> corners(parts.size());
  struct Shelf {
    int64_t y = 0, height = 0, x = 0;
  };
  int64_t rowY = 0, rowHeight = -1, rowStart = 0;
  Shelf shelf;
  for (int32_t p : order) {
    const int64_t w = parts[p].width, h = parts[p].height;
    if (rowHeight >= 0 && shelf.x + w <= width) {
      corners[p] = {checked(shelf.x), checked(shelf.y)};
      shelf.x += w + gap;
      continue;
    }
    const int64_t below = shelf.y + shelf.height + gap;
    if (rowHeight >= 0 && rowStart + w <= width && below + h <= rowY + rowHeight) {
      shelf = {below, h, rowStart + w + gap};
      corners[p] = {checked(rowStart), checked(below)};
      continue;
    }
    rowY += rowHeight >= 0 ? rowHeight + gap : 0;
    rowHeight = h;
    rowStart = w + gap;
    shelf = {rowY, h, rowStart};
    corners[p] = {0, checked(rowY)};
  }
  return corners;
}

}  // namespace zorvex
