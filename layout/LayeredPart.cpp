// The layered layout of one part: layers and a first order; then, in turn,
// the picture of the boxes' order, and crossings removed, until the boxes
// keep their order. The picture depends on the boxes' order alone (the
// points of long links find their places from it), which is what a present
// picture gives back: laying out again what this produced changes nothing.
#include "layout/LayeredPart.h"

#include "layout/LayerCoordinates.h"
#include "layout/LayerOrder.h"
#include "layout/LayeredGraph.h"
#include "layout/PartFolding.h"
#include "layout/UprightPairs.h"

namespace zorvex {
namespace {

// Rounds of picture and crossings until the boxes keep their order; a big
// part has one round only, for time.
constexpr int SettleRounds = 12;
constexpr int32_t BigPart = 20000;

std::vector<int32_t> boxOrder(const LayeredGraph& g) {
  std::vector<int32_t> order;
  order.reserve(g.boxes);
  for (const std::vector<int32_t>& layer : g.layers)
    for (int32_t v : layer)
      if (v < g.boxes) order.push_back(v);
  return order;
}

// The x of every node from the boxes' order: the points first put where the
// straight arrows cross their layers, then given room there.
std::vector<double> coordinates(LayeredGraph& g) {
  std::vector<double> x = layerX(g, false);
  followLines(g, x);
  x = layerX(g, true);
  followLines(g, x);
  return layerX(g, true);
}

}  // namespace

std::vector<DoublePoint> layOutPart(const LayoutInput& part, const std::vector<DoublePoint>& present,
                                    const PartShape& shape) {
  if (part.boxes.empty()) return {};
  LayeredGraph g = layeredGraph(part, layerRanks(part));
  orderLayers(g, present.size() == part.boxes.size() ? present : std::vector<DoublePoint>{});
  std::vector<double> x;
  if (g.boxes > BigPart) {
    // One round for time: the points where the first picture's arrows cross
    // their layers, crossings removed, the picture of that order.
    followLines(g, layerX(g, false));
    removeCrossings(g);
    x = layerX(g, true);
  }
  for (int round = 0; g.boxes <= BigPart && round < SettleRounds; ++round) {
    x = coordinates(g);
    const std::vector<int32_t> before = boxOrder(g);
    removeCrossings(g);
    if (boxOrder(g) == before) break;
    if (round + 1 == SettleRounds) x = coordinates(g);
  }
  alignUpright(g, part.straight, x);
  return foldedCentres(g, x, layerY(g), shape);
}

}  // namespace zorvex
