#pragma once
// Where the nodes of ordered layers stand across: each near its neighbours
// in the layers next to it, no two closer than the gap, in their order.
#include <vector>

#include "layout/LayeredGraph.h"

namespace zorvex {

// The centre x of every node, from the order of the layers. `withPoints`
// false: from the order of the boxes alone, each point of a long link then
// put on the line between its boxes; true: the points too keep their order
// and their room, as near that line as the room allows.
std::vector<double> layerX(const LayeredGraph& g, bool withPoints);

// The centre y of every layer (the top one first at 0, growing downwards),
// three gaps between layers.
std::vector<double> layerY(const LayeredGraph& g);

}  // namespace zorvex
