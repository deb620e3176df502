#pragma once
// The working form of a part laid out in layers: the boxes and one point per
// layer crossed by a long link, each joined only to nodes of the layers right
// above and below it.
#include <cstdint>
#include <vector>

#include "layout/BoxLayout.h"

namespace zorvex {

// The neighbours of each node on one side, packed: those of node v are
// at [start[v], start[v + 1]).
struct Neighbours {
  std::vector<int32_t> start;
  std::vector<int32_t> node;
  std::vector<float> weight;
  size_t count(int32_t v) const { return static_cast<size_t>(start[v + 1] - start[v]); }
};

struct LayeredGraph {
  int32_t boxes = 0;                         // nodes [0, boxes) are the boxes, the rest points of long links
  std::vector<int32_t> rank;                 // layer of each node, 0 at the bottom
  std::vector<double> width, height;         // 0 for points
  std::vector<std::vector<int32_t>> layers;  // bottom first, each left to right
  Neighbours up, down;                       // in the layer above, and below
  std::vector<int32_t> group;                // per node: the group it is kept together with, or -1
  std::vector<int32_t> besideOf;             // per node: the box an unlinked box stands beside, or -1
  std::vector<int32_t> lowEnd, highEnd;      // per point: the boxes of its link, lower and higher
  int32_t gap = 24;
  size_t nodes() const { return rank.size(); }
};

// Layers by the longest chain of links below, with each box then raised to
// right below its lowest conclusion; the boxes of a group, and an unlinked box
// with what it stands beside, share a layer; links closing a cycle are left out.
std::vector<int32_t> layerRanks(const LayoutInput& in);

// The graph of nodes, with every layer in an order still to be improved.
LayeredGraph layeredGraph(const LayoutInput& in, const std::vector<int32_t>& rank);

}  // namespace zorvex
