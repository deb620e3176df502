#pragma once
// Arranging what was arranged: each part's new picture is put where most of
// its boxes already stand, so that a part whose picture did not change does
// not move at all. A part that would then come too near another is moved,
// with the other such parts, into a block packed below the rest.
#include <vector>

#include "layout/LayoutParts.h"
#include "layout/PartPacking.h"

namespace zorvex {

struct PartPicture {
  std::vector<Point> corners;  // each box's corner, the picture's top left at (0, 0)
  PartSize size;
};

// Each part's offset: where its picture's top left corner goes.
std::vector<Point> keptOffsets(const std::vector<LayoutPart>& parts, const std::vector<PartPicture>& pictures,
                               int32_t gap);

}  // namespace zorvex
