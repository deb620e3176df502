#pragma once
// The row of each box for the quick placement: one above the highest box
// linked to it from below, links that close a cycle left out; a box with no
// links beside another shares its row.
#include <cstdint>
#include <vector>

#include "layout/BoxLayout.h"

namespace zorvex {

std::vector<int32_t> rowRanks(const LayoutInput& in);

}  // namespace zorvex
