#pragma once
// The rectangles a laid-out defeater is given: round the boxes of the
// sentences it relates, with a little room, or spanning the end points of
// the arrows it relates.
#include <cstdint>
#include <vector>

#include "model/Diagram.h"

namespace zorvex {

// Room between a defeater's rectangle and the boxes it holds; less than half
// the layout's least gap, so that no other box comes into it.
inline constexpr int32_t RectangleMargin = 4;

// Round the sentences' boxes, RectangleMargin away from each.
Rect rectangleAround(const Diagram& d, const std::vector<int32_t>& sentences);
// The least rectangle holding both end points of every arrow.
Rect rectangleSpanning(const Diagram& d, const std::vector<int32_t>& arrows);

}  // namespace zorvex
