// From boxes and links to nodes joined only between neighbouring layers: a
// link across several layers becomes a chain through one point per layer.
#include <algorithm>
#include <numeric>

#include "layout/LayeredGraph.h"

namespace zorvex {
namespace {

// A link kept upright pulls its ends together harder; the points of a long
// link keep it straight.
constexpr float UprightWeight = 8;
constexpr float PointWeight = 2;

struct Edge {
  int32_t low, high;
  float weight;
};

Neighbours pack(size_t nodes, const std::vector<Edge>& edges, bool upwards) {
  Neighbours nb;
  nb.start.assign(nodes + 1, 0);
  for (const Edge& e : edges) ++nb.start[(upwards ? e.low : e.high) + 1];
  std::partial_sum(nb.start.begin(), nb.start.end(), nb.start.begin());
  nb.node.resize(edges.size());
  nb.weight.resize(edges.size());
  std::vector<int32_t> fill(nb.start.begin(), nb.start.end() - 1);
  for (const Edge& e : edges) {
    const int32_t at = fill[upwards ? e.low : e.high]++;
    nb.node[at] = upwards ? e.high : e.low;
    nb.weight[at] = e.weight;
  }
  return nb;
}

std::vector<Edge> chains(const LayoutInput& in, LayeredGraph& g) {
  std::vector<uint64_t> upright;
  for (const auto& [from, to] : in.straight) upright.push_back(uint64_t(uint32_t(from)) << 32 | uint32_t(to));
  std::sort(upright.begin(), upright.end());
  std::vector<Edge> edges;
  edges.reserve(in.links.size());
  for (const auto& [from, to] : in.links) {
    if (g.rank[from] == g.rank[to]) continue;
    const auto [low, high] = g.rank[from] < g.rank[to] ? std::pair{from, to} : std::pair{to, from};
    const bool isUpright =
        std::binary_search(upright.begin(), upright.end(), uint64_t(uint32_t(from)) << 32 | uint32_t(to));
    int32_t last = low;
    for (int32_t r = g.rank[low] + 1; r < g.rank[high]; ++r) {
      const int32_t point = static_cast<int32_t>(g.rank.size());
      g.rank.push_back(r);
      g.lowEnd.push_back(low);
      g.highEnd.push_back(high);
      edges.push_back({last, point, last == low ? 1.0f : PointWeight});
      last = point;
    }
    edges.push_back({last, high, isUpright ? UprightWeight : last == low ? 1.0f : PointWeight});
  }
  return edges;
}

// Every node in the order a walk along the links first meets it, so that
// related nodes start near each other.
std::vector<int32_t> walkOrder(const LayeredGraph& g) {
  const size_t n = g.nodes();
  std::vector<int32_t> order;
  order.reserve(n);
  std::vector<uint8_t> seen(n, 0);
  std::vector<int32_t> stack;
  for (size_t s = 0; s < n; ++s) {
    if (seen[s]) continue;
    stack.push_back(static_cast<int32_t>(s));
    while (!stack.empty()) {
      const int32_t v = stack.back();
      stack.pop_back();
      if (seen[v]) continue;
      seen[v] = 1;
      order.push_back(v);
      for (const Neighbours* side : {&g.down, &g.up})
        for (int32_t i = side->start[v + 1]; i-- > side->start[v];)
          if (!seen[side->node[i]]) stack.push_back(side->node[i]);
    }
  }
  return order;
}

}  // namespace

LayeredGraph layeredGraph(const LayoutInput& in, const std::vector<int32_t>& rank) {
  LayeredGraph g;
  g.boxes = static_cast<int32_t>(in.boxes.size());
  g.gap = in.gap;
  g.rank = rank;
  const std::vector<Edge> edges = chains(in, g);
  const size_t n = g.nodes();
  g.lowEnd.insert(g.lowEnd.begin(), g.boxes, -1);
  g.highEnd.insert(g.highEnd.begin(), g.boxes, -1);
  g.up = pack(n, edges, true);
  g.down = pack(n, edges, false);
  g.width.assign(n, 0);
  g.height.assign(n, 0);
  for (int32_t b = 0; b < g.boxes; ++b) {
    g.width[b] = in.boxes[b].width;
    g.height[b] = in.boxes[b].height;
  }
  g.group.assign(n, -1);
  for (size_t k = 0; k < in.groups.size(); ++k)
    for (int32_t b : in.groups[k])
      if (g.group[b] < 0) g.group[b] = static_cast<int32_t>(k);
  g.besideOf.assign(n, -1);
  for (const auto& [box, other] : in.beside)
    if (g.up.count(box) + g.down.count(box) == 0 && rank[box] == rank[other] && box != other) g.besideOf[box] = other;
  const int32_t top = n == 0 ? -1 : *std::max_element(g.rank.begin(), g.rank.end());
  g.layers.resize(top + 1);
  for (int32_t v : walkOrder(g)) g.layers[g.rank[v]].push_back(v);
  return g;
}

}  // namespace zorvex
