#pragma once
// Our own layered layout for one connected part of a map, for parts too big
// for dot: conclusions in layers above their premises, long links through
// points of their own, crossings reduced by sweeps, each sentence over its
// premises, and a picture far out of proportion folded into columns or bands.
#include <vector>

#include "layout/BoxLayout.h"
#include "layout/PlacedCorners.h"

namespace zorvex {

struct PartShape {
  double foldAspect = 16.0 / 10.0;  // width : height a folded picture aims at
  double maxAspect = 3.0;           // wider than this : 1, or taller than 1 : this, is folded
  double surfaceWidth = 1400;
  double surfaceHeight = 960;
};

// Centres of the boxes of one connected part, laid out in layers.
// `present`: the present centre of each box, or empty. When given, the first order within
// each layer follows the present x, and a sweep changes that order only where it removes
// crossings; laying out again what this function produced gives the same picture.
// `maxAspect`: a part whose picture would be wider than maxAspect:1 or taller than
// 1:maxAspect (and larger than about four surfaces) is folded towards `foldAspect`.
std::vector<DoublePoint> layOutPart(const LayoutInput& part, const std::vector<DoublePoint>& present,
                                    const PartShape& shape);

}  // namespace zorvex
