#pragma once
// The order of the nodes within each layer: few crossings, the boxes of a
// group side by side, an unlinked box next to the box it stands beside.
#include <cstdint>
#include <vector>

#include "layout/LayeredGraph.h"
#include "layout/PlacedCorners.h"

namespace zorvex {

// With `present` (one centre per box) the first order follows it and only
// changes that remove crossings are kept; without, barycentre sweeps from
// the walk's order first.
void orderLayers(LayeredGraph& g, const std::vector<DoublePoint>& present);

// Crossings of the links between layer `low` and the one above, by the
// accumulator tree: `position` is each node's place in its layer.
int64_t crossingsAbove(const LayeredGraph& g, size_t low, const std::vector<int32_t>& position);

}  // namespace zorvex
