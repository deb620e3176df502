#pragma once
// A map's connected parts: boxes tied by a link, by standing beside each
// other, by a group or by being kept upright. Each part is laid out by
// itself and the parts are then packed into one picture.
#include <cstdint>
#include <vector>

#include "layout/BoxLayout.h"

namespace zorvex {

struct LayoutPart {
  std::vector<int32_t> boxes;  // the input's numbers of the part's boxes, ascending
  LayoutInput input;           // the part alone, its boxes numbered as in `boxes`
};

// The parts in the order of their lowest box; linear in boxes and relations.
std::vector<LayoutPart> connectedParts(const LayoutInput& in);

}  // namespace zorvex
