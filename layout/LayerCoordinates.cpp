// Coordinates across by passes over the layers: each box is wished at the
// weighted mean of the x of the boxes it is linked to on one side (or both),
// and the boxes of its layer are then placed as near their wishes as their
// order and the gaps allow. That placement is a weighted least-squares fit
// under order constraints, solved exactly in linear time by pooling adjacent
// violators. Arrows are drawn straight: the points of a long link end on the
// line between its boxes.
#include "layout/LayerCoordinates.h"

#include <algorithm>

namespace zorvex {
namespace {

enum Side : uint8_t { Below = 1, Above = 2, Both = 3 };

// Premises first, then conclusions, then both sides in turn: a sentence ends between its
// premises and its conclusion, which keeps arrows shorter than ending over the premises alone.
constexpr Side Passes[] = {Below, Above, Below, Above, Both, Both, Both, Both, Both, Both, Both, Both};

// How hard a point of a long link keeps to the straight line between its boxes.
constexpr double OnLineWeight = 4;

// A node without neighbours on the side asked barely resists being pushed.
constexpr double Loose = 1e-3;

struct Placer {
  const LayeredGraph& g;
  std::vector<std::vector<int32_t>> layers;  // the boxes of each layer, in order
  std::vector<double> x;
  std::vector<double> wish, weight, offset;

  double half(int32_t v) const { return g.width[v] / 2 + (v < g.boxes ? g.gap / 2.0 : g.gap / 4.0); }

  double onLine(int32_t v) const {
    const int32_t lo = g.lowEnd[v], hi = g.highEnd[v];
    return x[lo] + (x[hi] - x[lo]) * (g.rank[v] - g.rank[lo]) / double(g.rank[hi] - g.rank[lo]);
  }

  void pack(size_t l) {
    const std::vector<int32_t>& layer = layers[l];
    double cursor = 0;
    for (size_t i = 0; i < layer.size(); ++i) {
      if (i > 0) cursor += half(layer[i - 1]) + half(layer[i]);
      x[layer[i]] = cursor;
    }
    for (int32_t v : layer) x[v] -= cursor / 2;
  }

  void wishes(size_t l, Side side) {
    for (int32_t v : layers[l]) {
      if (v >= g.boxes) {
        wish[v] = onLine(v);
        weight[v] = OnLineWeight;
        continue;
      }
      double sum = 0, w = 0;
      const auto add = [&](const Neighbours& nb, const std::vector<int32_t>& end) {
        for (int32_t i = nb.start[v]; i < nb.start[v + 1]; ++i) {
          const int32_t u = nb.node[i];
          const double uw = u < g.boxes ? nb.weight[i] : 1.0;
          sum += uw * x[u < g.boxes ? u : end[u]];
          w += uw;
        }
      };
      if (side & Below) add(g.down, g.lowEnd);
      if (side & Above) add(g.up, g.highEnd);
      wish[v] = w > 0 ? sum / w : x[v];
      weight[v] = w > 0 ? w : Loose;
    }
  }

  void fit(size_t l);
};

// Pool adjacent violators on y = x - offset, where offset is the least room
// the nodes before need: y must not decrease along the layer.
void Placer::fit(size_t l) {
  const std::vector<int32_t>& layer = layers[l];
  struct Block {
    double w, wy;
    size_t first;
  };
  std::vector<Block> blocks;
  double room = 0;
  for (size_t i = 0; i < layer.size(); ++i) {
    const int32_t v = layer[i];
    if (i > 0) room += half(layer[i - 1]) + half(v);
    offset[v] = room;
    blocks.push_back({weight[v], weight[v] * (wish[v] - room), i});
    while (blocks.size() > 1) {
      Block& last = blocks.back();
      Block& before = blocks[blocks.size() - 2];
      if (before.wy / before.w < last.wy / last.w) break;
      before.w += last.w;
      before.wy += last.wy;
      blocks.pop_back();
    }
  }
  for (size_t b = 0; b < blocks.size(); ++b) {
    const size_t end = b + 1 < blocks.size() ? blocks[b + 1].first : layer.size();
    const double y = blocks[b].wy / blocks[b].w;
    for (size_t i = blocks[b].first; i < end; ++i) x[layer[i]] = y + offset[layer[i]];
  }
}

}  // namespace

std::vector<double> layerX(const LayeredGraph& g, bool withPoints) {
  const size_t n = g.nodes(), layers = g.layers.size();
  Placer p{g, std::vector<std::vector<int32_t>>(layers), std::vector<double>(n, 0), std::vector<double>(n, 0),
           std::vector<double>(n, 0), std::vector<double>(n, 0)};
  for (size_t l = 0; l < layers; ++l) {
    for (int32_t v : g.layers[l])
      if (withPoints || v < g.boxes) p.layers[l].push_back(v);
    p.pack(l);
  }
  for (Side side : Passes) {
    for (size_t i = 0; i < layers; ++i) {
      const size_t l = side == Above ? layers - 1 - i : i;
      p.wishes(l, side);
      p.fit(l);
    }
  }
  if (!withPoints)
    for (size_t v = g.boxes; v < n; ++v) p.x[v] = p.onLine(static_cast<int32_t>(v));
  return p.x;
}

std::vector<double> layerY(const LayeredGraph& g) {
  std::vector<double> y(g.layers.size(), 0);
  double cursor = 0;
  for (size_t l = g.layers.size(); l-- > 0;) {
    double tallest = 0;
    for (int32_t v : g.layers[l]) tallest = std::max(tallest, g.height[v]);
    y[l] = cursor + tallest / 2;
    cursor += tallest + 3.0 * g.gap;
  }
  return y;
}

}  // namespace zorvex
