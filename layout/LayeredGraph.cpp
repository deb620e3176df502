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

// The boxes standing beside each box in its layer, packed like neighbours.
Neighbours companions(const LayoutInput& in, const std::vector<int32_t>& rank) {
  std::vector<Edge> pairs;
  for (const auto& [box, other] : in.beside)
    if (box != other && rank[box] == rank[other]) pairs.push_back({box, other, 1});
  return pack(in.boxes.size(), pairs, false);
}

// Depth first from the top layer down: each node, then the rest of its
// group, then the premises of each in turn (their whole trees), then what
// stands beside them. A tree so walked has no crossings: every node's
// premises follow one another in their layer, in the order of the walk.
struct Walk {
  const LayeredGraph& g;
  const Neighbours& beside;
  const std::vector<std::vector<int32_t>>& groups;
  std::vector<uint8_t> seen;
  std::vector<int32_t> order;

  struct Frame {
    int32_t first, last;   // the unit's members in `order`
    int32_t member, next;  // the member whose premises are under way, and the next of them
    bool besides;          // premises done: now what stands beside
  };

  int32_t unit(int32_t v) {
    const int32_t first = static_cast<int32_t>(order.size());
    seen[v] = 1;
    order.push_back(v);
    if (v < g.boxes && g.group[v] >= 0)
      for (int32_t m : groups[g.group[v]])
        if (!seen[m] && g.rank[m] == g.rank[v]) {
          seen[m] = 1;
          order.push_back(m);
        }
    return first;
  }

  static std::pair<int32_t, int32_t> range(const Neighbours& nb, int32_t v) {
    if (v + 1 >= static_cast<int32_t>(nb.start.size())) return {0, 0};
    return {nb.start[v], nb.start[v + 1]};
  }

  // The next node a frame leads to, or -1 when it is done.
  int32_t step(Frame& f) {
    for (;;) {
      if (f.member == f.last) {
        if (f.besides) return -1;
        f.besides = true;
        f.member = f.first;
        f.next = range(beside, order[f.first]).first;
        continue;
      }
      const Neighbours& nb = f.besides ? beside : g.down;
      const int32_t end = range(nb, order[f.member]).second;
      while (f.next < end) {
        const int32_t c = nb.node[f.next++];
        if (!seen[c]) return c;
      }
      if (++f.member < f.last) f.next = range(nb, order[f.member]).first;
    }
  }

  void from(int32_t root) {
    std::vector<Frame> stack;
    const auto open = [&](int32_t v) {
      const int32_t first = unit(v);
      stack.push_back({first, static_cast<int32_t>(order.size()), first, g.down.start[v], false});
    };
    open(root);
    while (!stack.empty()) {
      const int32_t c = step(stack.back());
      if (c < 0)
        stack.pop_back();
      else
        open(c);
    }
  }
};

std::vector<int32_t> walkOrder(const LayeredGraph& g, const Neighbours& beside,
                               const std::vector<std::vector<int32_t>>& groups) {
  const size_t n = g.nodes();
  Walk w{g, beside, groups, std::vector<uint8_t>(n, 0), {}};
  w.order.reserve(n);
  std::vector<int32_t> byLayer(n);
  std::iota(byLayer.begin(), byLayer.end(), 0);
  std::stable_sort(byLayer.begin(), byLayer.end(), [&](int32_t a, int32_t b) { return g.rank[a] > g.rank[b]; });
  std::vector<uint8_t> attached(n, 0);
  for (int32_t b = 0; b < g.boxes; ++b)
    for (int32_t i = beside.start[b]; i < beside.start[b + 1]; ++i) attached[beside.node[i]] = 1;
  for (int32_t v : byLayer)
    if (!w.seen[v] && g.up.count(v) == 0 && !attached[v]) w.from(v);
  for (int32_t v : byLayer)
    if (!w.seen[v]) w.from(v);
  return w.order;
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
  for (int32_t v : walkOrder(g, companions(in, rank), in.groups)) g.layers[g.rank[v]].push_back(v);
  return g;
}

}  // namespace zorvex
