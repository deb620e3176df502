#pragma once
// Measures of a laid-out input, for tests and benchmarks: what a reader
// would count on the picture, arrows taken as straight lines between the
// centres of their boxes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "layout/BoxLayout.h"

namespace zorvex {

struct LayoutQuality {
  size_t overlaps = 0;   // pairs of boxes that share some area
  double upward = 1;     // fraction of the links (not from a box to itself) whose `to` is higher
  size_t crossings = 0;  // pairs of arrows that cross (not sharing a box)
  double length = 0;     // of all arrows
  double width = 0, height = 0;
};

// Crossings are counted pair by pair: leave them out (`countCrossings` false) on big inputs.
LayoutQuality layoutQuality(const LayoutInput& in, const std::vector<Point>& corners, bool countCrossings = true);

// Pairs of boxes that come nearer each other than `room` (0: that overlap), by a sweep.
size_t boxesNearer(const std::vector<LayoutBox>& boxes, const std::vector<Point>& corners, int32_t room);

}  // namespace zorvex
