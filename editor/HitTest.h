#pragma once
// Whether a point is on an arrow's or defeater's thin figure: strictly less
// than 3 pixels from a line segment (no caps beyond its ends), or near a
// rectangle's border. At 100 % a pixel is a diagram unit and the integer
// forms decide; at other zooms the pointer's position has a fraction and the
// reach is 3 screen pixels in diagram units.
#include "model/Types.h"
#include "viewport/ViewTransform.h"

namespace zorvex {

constexpr int32_t HitReach = 3;

bool segmentHit(Point p, Point s, Point e);
bool rectBorderHit(Point p, const Rect& r);

bool segmentHit(ExactPoint p, Point s, Point e, double reach);
bool rectBorderHit(ExactPoint p, const Rect& r, double reach);

}  // namespace zorvex
