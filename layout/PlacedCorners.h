#pragma once
// From box centres in any frame to whole-pixel corners with the least at the margin.
#include <vector>

#include "layout/BoxLayout.h"

namespace zorvex {

struct DoublePoint {
  double x = 0;
  double y = 0;
};

std::vector<Point> cornersFromCentres(const std::vector<LayoutBox>& boxes, const std::vector<DoublePoint>& centres);

}  // namespace zorvex
