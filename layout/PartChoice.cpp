#include "layout/PartChoice.h"

#include <algorithm>

#include "layout/RowRanks.h"

namespace zorvex {
namespace {

// The picture's size estimated from the longest-chain layers: the widest
// layer by the tallest box of each.
bool inProportion(const LayoutInput& part) {
  const std::vector<int32_t> rank = rowRanks(part);
  const int32_t layers = *std::max_element(rank.begin(), rank.end()) + 1;
  std::vector<double> width(layers, 0), height(layers, 0);
  for (size_t b = 0; b < rank.size(); ++b) {
    width[rank[b]] += part.boxes[b].width + part.gap;
    height[rank[b]] = std::max<double>(height[rank[b]], part.boxes[b].height);
  }
  const double w = *std::max_element(width.begin(), width.end());
  double h = 0;
  for (double layer : height) h += layer + part.gap * 3;
  constexpr double Surface = 1400.0 * 960.0;
  return w * h <= 4 * Surface || (w <= 3 * h && h <= 2 * w);
}

}  // namespace

bool suitsDot(const LayoutInput& part, size_t layeredLimit) {
  return part.boxes.size() >= 2 && part.boxes.size() <= layeredLimit && inProportion(part);
}

}  // namespace zorvex
