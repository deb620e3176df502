#include "aif/DefeaterRectangles.h"

#include <algorithm>
#include <limits>

namespace zorvex {
namespace {

constexpr Rect Empty{std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(),
                     std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()};

}  // namespace

Rect rectangleAround(const Diagram& d, const std::vector<int32_t>& sentences) {
  Rect r = Empty;
  for (int32_t n : sentences) {
    const TSentence& s = d.sentence(n);
    r = {std::min(r.Left, s.Left), std::min(r.Top, s.Top), std::max(r.Right, s.Right), std::max(r.Bottom, s.Bottom)};
  }
  return {r.Left - RectangleMargin, r.Top - RectangleMargin, r.Right + RectangleMargin, r.Bottom + RectangleMargin};
}

Rect rectangleSpanning(const Diagram& d, const std::vector<int32_t>& arrows) {
  Rect r = Empty;
  for (int32_t n : arrows) {
    const TArrow& a = d.arrow(n);
    r = {std::min({r.Left, a.StartX, a.EndX}), std::min({r.Top, a.StartY, a.EndY}),
         std::max({r.Right, a.StartX, a.EndX}), std::max({r.Bottom, a.StartY, a.EndY})};
  }
  return r;
}

}  // namespace zorvex
