#pragma once
// The order of the nodes within each layer: few crossings, the boxes of a
// group side by side, an unlinked box next to the box it stands beside.
#include <cstdint>
#include <utility>
#include <vector>

#include "layout/LayeredGraph.h"
#include "layout/PlacedCorners.h"

namespace zorvex {

// The first order: with `present` (one centre per box) the boxes' present
// order, else barycentre sweeps from the walk's order.
void orderLayers(LayeredGraph& g, const std::vector<DoublePoint>& present);

// The points of long links moved to where their straight lines cross their
// layers, the boxes standing at `x`.
void followLines(LayeredGraph& g, const std::vector<double>& x);

// Changes the order of a layer only where that removes crossings.
void removeCrossings(LayeredGraph& g);

// Crossings of the links between layer `low` and the one above, by the
// accumulator tree: `position` is each node's place in its layer.
int64_t crossingsAbove(const LayeredGraph& g, size_t low, const std::vector<int32_t>& position);

// Crossings among the links of the nodes of layer `l` at places [first, last],
// to both layers beside it: all that reordering those nodes can change.
int64_t crossingsWithin(const LayeredGraph& g, size_t l, int32_t first, int32_t last,
                        const std::vector<int32_t>& position);

// The stretches [first, last] of layer `l` that hold every link of it that
// crosses another (with the groups and companions they cut), apart and in order.
std::vector<std::pair<int32_t, int32_t>> crossedStretches(const LayeredGraph& g, size_t l,
                                                          const std::vector<int32_t>& position);

}  // namespace zorvex
