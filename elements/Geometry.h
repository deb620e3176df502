#pragma once
// Where arrows and defeaters meet their boxes and where an arrow's head
// strokes end; the sizes and bounds of the records themselves are in
// model/ElementBounds.h. All coordinates are diagram coordinates;
// arithmetic that can leave 32 bits is checked and throws
// ZorvexError("Integer overflow").
#include <cstdint>

#include "model/ElementBounds.h"
#include "model/Elements.h"
#include "model/Types.h"

namespace zorvex {

struct StartEnd {
  Point start;
  Point end;
  friend bool operator==(const StartEnd&, const StartEnd&) = default;
};

// ((Left + Right) div 2, (Top + Bottom) div 2), truncating toward zero.
Point centreOf(const Rect& r);

// The start point on A's border and the end point on B's border of the line
// through the two centres.
StartEnd ComputeStartEndPoints(const Rect& A, const Rect& B);

// Start and end of an arrow from s1's box to s2's box; the bounds are left
// alone (setArrowBounds, model/ElementBounds.h, sets them).
void ComputeStartEndArrow(TArrow& a, const TSentence& s1, const TSentence& s2);

// Start on the challenging rectangle's border, end on the challenged one's.
void ComputeStartEndDefeater(TDefeater& d);

// The far ends of the two head strokes, both drawn from (EndX, EndY):
// 8 pixels back along the shaft, 4 pixels to either side.
StartEnd arrowHeadPoints(const TArrow& a);  // start = P1, end = P2

}  // namespace zorvex
