#pragma once
// A map whose every sentence has its place: drawn there without a layout,
// each defeater's rectangles round what it relates, and checked as a laid
// out map is.
#include <cstdint>
#include <vector>

#include "aif/MapDrawing.h"

namespace zorvex {

// Into an EMPTY diagram; `corners` one per sentence.
DrawnMap drawPlacedMap(Diagram& into, const ArgumentMap& map, const std::vector<Point>& corners,
                       const TextMeasure& measure);

}  // namespace zorvex
