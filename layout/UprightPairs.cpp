#include "layout/UprightPairs.h"

#include <algorithm>
#include <limits>

namespace zorvex {
namespace {

struct Layers {
  const LayeredGraph& g;
  std::vector<int32_t> index;  // of each node within its layer

  explicit Layers(const LayeredGraph& graph) : g(graph), index(graph.nodes(), 0) {
    for (const std::vector<int32_t>& layer : g.layers)
      for (size_t i = 0; i < layer.size(); ++i) index[layer[i]] = static_cast<int32_t>(i);
  }
  // As the placement spaces nodes: boxes a gap apart, points half of it.
  double half(int32_t v) const { return g.width[v] / 2 + (v < g.boxes ? g.gap / 2.0 : g.gap / 4.0); }

  // Moves v as near `to` as its neighbours in the layer allow; true when it got there.
  bool moveToward(int32_t v, double to, std::vector<double>& x) const {
    const std::vector<int32_t>& layer = g.layers[g.rank[v]];
    const int32_t i = index[v];
    double lo = -std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::max();
    if (i > 0) lo = x[layer[i - 1]] + half(layer[i - 1]) + half(v);
    if (static_cast<size_t>(i) + 1 < layer.size()) hi = x[layer[i + 1]] - half(layer[i + 1]) - half(v);
    if (lo > hi) return false;
    x[v] = std::clamp(to, lo, hi);
    return x[v] == to;
  }

  // Moves v to `to` rightwards, pushing the nodes right of it as far as they must go.
  void pushRight(int32_t v, double to, std::vector<double>& x) const {
    const std::vector<int32_t>& layer = g.layers[g.rank[v]];
    x[v] = std::max(x[v], to);
    for (size_t j = index[v] + 1; j < layer.size(); ++j) {
      const double least = x[layer[j - 1]] + half(layer[j - 1]) + half(layer[j]);
      if (x[layer[j]] >= least) break;
      x[layer[j]] = least;
    }
  }
};

}  // namespace

void alignUpright(const LayeredGraph& g, const std::vector<std::pair<int32_t, int32_t>>& straight,
                  std::vector<double>& x) {
  if (straight.empty()) return;
  const Layers layers(g);
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (const auto& [from, to] : straight)
    if (from >= 0 && to >= 0 && from < g.boxes && to < g.boxes && g.rank[to] == g.rank[from] + 1)
      pairs.push_back({from, to});
  // Left to right, so that what is pushed right is not yet aligned.
  std::sort(pairs.begin(), pairs.end(), [&](const auto& a, const auto& b) { return x[a.second] < x[b.second]; });
  for (const auto& [from, to] : pairs) {
    if (x[from] == x[to] || layers.moveToward(from, x[to], x) || layers.moveToward(to, x[from], x)) continue;
    // Whichever is further left goes right, pushing its layer along.
    if (x[from] < x[to])
      layers.pushRight(from, x[to], x);
    else
      layers.pushRight(to, x[from], x);
  }
}

}  // namespace zorvex
