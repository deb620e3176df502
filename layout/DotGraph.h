#pragma once
// What dot is given for a layered layout, decided before dot runs: the
// boxes, the edges, the pairs kept upright and the clusters.
//
// At most one edge joins two boxes. Dot's ranking loops for ever, or fails
// an assertion while merging edges (class2.c, merge_chain), on graphs with
// clusters in which two edges join the same two boxes, both ways or twice
// the same way at the same rank: joint attackers in a cycle of conflicts
// make such graphs. A second edge tells dot nothing it needs; two links the
// same way become one of twice the weight, as dot would merge them.
#include <cstdint>
#include <vector>

#include "layout/BoxLayout.h"

namespace zorvex {

struct DotEdge {
  int32_t from = 0;
  int32_t to = 0;
  int32_t weight = 1;
  bool sameRank = false;  // minlen 0: `from` may stand at the height of `to`
  bool ranks = true;      // constraint: the edge takes part in the ranking
};

struct DotGraph {
  std::vector<LayoutBox> boxes;
  std::vector<DotEdge> edges;
  std::vector<int32_t> upright;                // per box: the pair it is kept upright in, or -1
  std::vector<std::vector<int32_t>> clusters;  // each box in one at most
  int32_t gap = 24;
};

DotGraph dotGraphOf(const LayoutInput& in);

}  // namespace zorvex
