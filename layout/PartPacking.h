#pragma once
// Parts of a map put side by side into one picture: the biggest first, in
// reading order, in rows as wide as keeps the picture in the drawing
// surface's proportions once it is larger than the surface (and as wide as
// the surface before that), with the gap between any two parts.
//
// Graphviz's packing (pack.h) was measured for this and left: its polyomino
// packing took 0.1 s for 100 parts and 30 s for 2,000, and filled half the
// picture; its array packing fills a quarter. Rows sorted by height fill
// most of it, in time linear but for one sort.
#include <cstdint>
#include <vector>

#include "model/Types.h"

namespace zorvex {

struct PartSize {
  int64_t width = 0;
  int64_t height = 0;
};

struct SurfaceShape {
  int64_t width = 1400;
  int64_t height = 960;
};

// The top left corner of each part, the picture's at (0, 0).
std::vector<Point> packParts(const std::vector<PartSize>& parts, int32_t gap, SurfaceShape surface = {});

}  // namespace zorvex
