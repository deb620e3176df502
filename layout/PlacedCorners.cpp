#include "layout/PlacedCorners.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/ZorvexError.h"

namespace zorvex {

std::vector<Point> cornersFromCentres(const std::vector<LayoutBox>& boxes, const std::vector<DoublePoint>& centres) {
  std::vector<double> left(boxes.size()), top(boxes.size());
  double minLeft = std::numeric_limits<double>::max(), minTop = minLeft;
  for (size_t i = 0; i < boxes.size(); ++i) {
    left[i] = std::floor(centres[i].x - boxes[i].width / 2.0);
    top[i] = std::floor(centres[i].y - boxes[i].height / 2.0);
    minLeft = std::min(minLeft, left[i]);
    minTop = std::min(minTop, top[i]);
  }
  std::vector<Point> corners(boxes.size());
  constexpr double Limit = std::numeric_limits<int32_t>::max() / 2;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const double x = left[i] - minLeft + LayoutMargin, y = top[i] - minTop + LayoutMargin;
    if (x + boxes[i].width > Limit || y + boxes[i].height > Limit) throw ZorvexError("Integer overflow");
    corners[i] = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
  }
  return corners;
}

}  // namespace zorvex
