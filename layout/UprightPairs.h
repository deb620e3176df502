#pragma once
// A premise whose arrow is undercut is best drawn right below its
// conclusion: the undercutter's rectangle round that arrow then holds it
// alone. After the picture is placed, each such premise is moved under its
// conclusion where its layer leaves room, else the conclusion over it.
#include <utility>
#include <vector>

#include "layout/LayeredGraph.h"

namespace zorvex {

void alignUpright(const LayeredGraph& g, const std::vector<std::pair<int32_t, int32_t>>& straight,
                  std::vector<double>& x);

}  // namespace zorvex
