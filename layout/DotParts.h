#pragma once
// Graphviz's dot on several parts at once, in one child process with a time
// limit. Nothing when dot crashed, failed or took too long (then `failure`
// says which); else the centres of each part's boxes, dot's y downwards.
#include <optional>
#include <vector>

#include "layout/BoxLayout.h"
#include "layout/PlacedCorners.h"

namespace zorvex {

std::optional<std::vector<std::vector<DoublePoint>>> dotCentresOfParts(const std::vector<const LayoutInput*>& parts,
                                                                        LayeredFailure& failure);

}  // namespace zorvex
