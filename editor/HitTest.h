#pragma once
// Whether a point is on an arrow's or defeater's thin figure: strictly less
// than 3 pixels from a line segment (no caps beyond its ends), or near a
// rectangle's border.
#include "model/Types.h"

namespace zorvex {

constexpr int32_t HitReach = 3;

bool segmentHit(Point p, Point s, Point e);
bool rectBorderHit(Point p, const Rect& r);

}  // namespace zorvex
