#pragma once
// Where arrows and defeaters meet their boxes, where an arrow's head strokes
// end, and how big a sentence box is for its text. All coordinates are
// window client pixels; arithmetic that can leave 32 bits is checked and
// throws ZorvexError("Integer overflow").
#include <cstdint>

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

// Start and end of an arrow from s1's box to s2's box; the bounds are left alone.
void ComputeStartEndArrow(TArrow& a, const TSentence& s1, const TSentence& s2);
// Left, Top, Width, Height of an arrow: the box spanned by its two end points.
void setArrowBounds(TArrow& a);

// Start on the challenging rectangle's border, end on the challenged one's.
void ComputeStartEndDefeater(TDefeater& d);
// Width and Height spanning both rectangles; Left and Top stay as they are.
void setDefeaterExtent(TDefeater& d);

// The far ends of the two head strokes, both drawn from (EndX, EndY):
// 8 pixels back along the shaft, 4 pixels to either side.
StartEnd arrowHeadPoints(const TArrow& a);  // start = P1, end = P2

// Size of a sentence box from its measured text: 3 pixels left and above the
// text, 4 right and below. Sets Width, Height, Right and Bottom from Left, Top.
void sizeSentenceToText(TSentence& s, int32_t textWidth, int32_t textHeight);

}  // namespace zorvex
