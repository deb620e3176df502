#pragma once
// Every field of an element that follows from other fields: a new sentence's
// box from its corner and text, an arrow's centres, end points and bounds
// from its two boxes, a defeater's from its two rectangles, and a box moved
// by a distance. Everything that places an element calls these; nothing else
// works such fields out. The rules of the records' own sizes (the two
// sentence box rules among them) are in model/ElementBounds.h, where the
// loader can reach them.
//
// Arithmetic is checked 32-bit: a result that leaves 32 bits throws
// ZorvexError("Integer overflow"), and the functions that fill in a record
// leave it as it was when they throw.
#include <cstdint>

#include "elements/Geometry.h"
#include "model/ElementBounds.h"
#include "model/Elements.h"
#include "model/Types.h"

namespace zorvex {

// The box (Left, Top, Right, Bottom) of a sentence added at `corner` with a
// text of the measured size: Right = Left + text width + 7, and so on.
Rect addedSentenceBox(Point corner, TextSize text);
// A sentence record placed so: Left, Top, Width, Height, Right and Bottom.
void placeAddedSentence(TSentence& s, Point corner, TextSize text);
// Right and Bottom of that box in 64 bits, unchecked: for a reader that
// names the column a value outside 32 bits would have gone into.
struct WidePoint {
  int64_t x;
  int64_t y;
};
WidePoint addedSentenceFarCorner(Point corner, TextSize text);

// The line from one box (or rectangle) to another: the centres of both and
// the border points of the line through them (ComputeStartEndPoints).
struct LinkPoints {
  Point centre1;
  Point centre2;
  Point start;
  Point end;
  friend bool operator==(const LinkPoints&, const LinkPoints&) = default;
};
LinkPoints linkBetween(const Rect& from, const Rect& to);
// Stores a link in any record that names its points as arrows and
// defeaters do: the elements and their table rows alike.
template <class Record>
void storeLink(Record& r, const LinkPoints& p) {
  r.Center1X = p.centre1.x;
  r.Center1Y = p.centre1.y;
  r.Center2X = p.centre2.x;
  r.Center2Y = p.centre2.y;
  r.StartX = p.start.x;
  r.StartY = p.start.y;
  r.EndX = p.end.x;
  r.EndY = p.end.y;
}
// The same line with border points worked out elsewhere (a reader's own
// geometry): only the centres are taken from the boxes.
LinkPoints linkWithEnds(const Rect& from, const Rect& to, Point start, Point end);

// Which stored centres of an arrow are taken from its boxes. An arrow keeps
// the centre of a side whose sentence has not moved as it stands, which for
// a loaded arrow may be whatever its row said.
enum class ArrowCentres : uint8_t { Both, Start, End };

// An arrow from box `from` to box `to`: the chosen centres, both end points
// and the bounds they span.
void placeArrow(TArrow& a, const Rect& from, const Rect& to, ArrowCentres centres = ArrowCentres::Both);
// The arrow still being drawn from box `from`: its start centre, where the
// line starts until the end is chosen.
void placeArrowStart(TArrow& a, const Rect& from);

// A defeater being drawn, its challenging rectangle done: that centre only.
void placeChallengingCentre(TDefeater& d);
// A defeater being drawn, its challenged rectangle changing: both centres
// and the end points (the extent is set once the defeater is complete).
void placeDefeaterLine(TDefeater& d);
// A complete defeater from its two rectangles: centres, end points, extent.
void placeDefeater(TDefeater& d);

// A box shifted by (dx, dy).
Rect movedBox(const Rect& box, int32_t dx, int32_t dy);
// A sentence shifted by (dx, dy): Left, Top, Right and Bottom alike.
void moveSentenceBy(TSentence& s, int32_t dx, int32_t dy);

}  // namespace zorvex
