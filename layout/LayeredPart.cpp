// The layered layout of one part: layers, order, coordinates, folding. The
// picture is then read back as a present one would be, until reading it
// back changes no order, so that laying out again what this produced gives
// the same picture.
#include "layout/LayeredPart.h"

#include "layout/LayerCoordinates.h"
#include "layout/LayerOrder.h"
#include "layout/LayeredGraph.h"
#include "layout/PartFolding.h"

namespace zorvex {
namespace {

constexpr int SettleRounds = 3;

std::vector<DoublePoint> picture(const LayeredGraph& g, const PartShape& shape) {
  return foldedCentres(g, layerX(g), layerY(g), shape);
}

}  // namespace

std::vector<DoublePoint> layOutPart(const LayoutInput& part, const std::vector<DoublePoint>& present,
                                    const PartShape& shape) {
  if (part.boxes.empty()) return {};
  LayeredGraph g = layeredGraph(part, layerRanks(part));
  orderLayers(g, present.size() == part.boxes.size() ? present : std::vector<DoublePoint>{});
  std::vector<DoublePoint> centres = picture(g, shape);
  for (int round = 0; round < SettleRounds; ++round) {
    const std::vector<std::vector<int32_t>> before = g.layers;
    orderLayers(g, centres);
    if (g.layers == before) break;
    centres = picture(g, shape);
  }
  return centres;
}

}  // namespace zorvex
