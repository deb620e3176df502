#pragma once
// The scroll bars' ranges: the scrollable area is everything the diagram
// draws plus a margin (none past the origin for a diagram at positive
// coordinates), together with what the surface shows now. A bar appears only
// when the diagram reaches past the shown part along its direction, so a
// diagram drawn inside the window at 100 % shows no bar at all.
#include <cstdint>
#include <optional>

#include "viewport/ViewTransform.h"

namespace zorvex {

// One bar: values are view offsets in zoomed pixels.
struct ScrollRange {
  bool shown = false;
  int64_t minimum = 0;
  int64_t maximum = 0;
  int64_t page = 0;
};

struct ScrollBars {
  ScrollRange horizontal;
  ScrollRange vertical;
  // The surface left for the diagram once the bars have taken their room.
  int64_t visibleWidth = 0;
  int64_t visibleHeight = 0;
};

// Empty space kept around the drawn diagram, in surface pixels.
constexpr int64_t ScrollMargin = 10;

// extent: everything drawn (inclusive diagram rectangle), none for an empty
// diagram. surface: the whole surface's size; barThickness: what a shown bar
// takes off the other direction.
ScrollBars scrollBarsFor(const std::optional<Rect>& extent, const ViewTransform& view, int64_t surfaceWidth,
                         int64_t surfaceHeight, int64_t barThickness);

// The largest zoom at which everything drawn and its margin fit into the
// surface, centred there: no bar shows. A diagram too large even at the
// smallest step is centred at that step.
ViewTransform fitView(const Rect& extent, int64_t surfaceWidth, int64_t surfaceHeight);

// A scroll bar works with int; big zoomed diagrams are shown in coarser units.
struct BarUnits {
  int64_t unit = 1;  // zoomed pixels per bar step
  int minimum = 0;
  int maximum = 0;
  int page = 0;
};
BarUnits barUnits(const ScrollRange& range);

// How far to scroll while dragging near the edge: nothing inside the surface
// farther than `zone` pixels from its edges; growing with the distance past it.
ViewPoint autoScrollStep(ViewPoint pointer, int64_t visibleWidth, int64_t visibleHeight, int64_t zone);

}  // namespace zorvex
