#pragma once
// A laid-out part far out of proportion folded: a tall one into columns of
// whole layers side by side, the top layers in the first column; a wide one
// with each layer cut into pieces, continued in rows below it and above the
// next layer, so that every conclusion stays above its premises.
#include <vector>

#include "layout/LayeredGraph.h"
#include "layout/LayeredPart.h"

namespace zorvex {

// The centres of the boxes from the x of every node and the y of every layer,
// folded when the picture is larger than four surfaces and out of proportion.
std::vector<DoublePoint> foldedCentres(const LayeredGraph& g, const std::vector<double>& x,
                                       const std::vector<double>& layerY, const PartShape& shape);

}  // namespace zorvex
