// Coordinates across by passes over the layers: each node is wished at the
// weighted mean of its neighbours' x on one side (or both), and its layer is
// then placed as near its wishes as the order and the gaps allow. That
// placement is a weighted least-squares fit under order constraints, solved
// exactly in linear time by pooling adjacent violators.
#include "layout/LayerCoordinates.h"

#include <algorithm>

namespace zorvex {
namespace {

enum Side : uint8_t { Below = 1, Above = 2, Both = 3 };

// Premises first, then conclusions, then both, and last each sentence over its premises.
constexpr Side Passes[] = {Below, Above, Below, Above, Both, Both, Both, Both, Below};

// A node without neighbours on the side asked barely resists being pushed.
constexpr double Loose = 1e-3;

struct Placer {
  const LayeredGraph& g;
  std::vector<double> x;
  std::vector<double> wish, weight, offset;

  double half(int32_t v) const { return g.width[v] / 2 + (v < g.boxes ? g.gap / 2.0 : g.gap / 4.0); }

  void pack(size_t l) {
    const std::vector<int32_t>& layer = g.layers[l];
    double cursor = 0;
    for (size_t i = 0; i < layer.size(); ++i) {
      if (i > 0) cursor += half(layer[i - 1]) + half(layer[i]);
      x[layer[i]] = cursor;
    }
    for (int32_t v : layer) x[v] -= cursor / 2;
  }

  void wishes(size_t l, Side side) {
    for (int32_t v : g.layers[l]) {
      double sum = 0, w = 0;
      const auto add = [&](const Neighbours& nb) {
        for (int32_t i = nb.start[v]; i < nb.start[v + 1]; ++i) {
          sum += nb.weight[i] * x[nb.node[i]];
          w += nb.weight[i];
        }
      };
      if (side & Below) add(g.down);
      if (side & Above) add(g.up);
      wish[v] = w > 0 ? sum / w : x[v];
      weight[v] = w > 0 ? w : Loose;
    }
  }

  void fit(size_t l);
};

// Pool adjacent violators on y = x - offset, where offset is the least room
// the nodes before need: y must not decrease along the layer.
void Placer::fit(size_t l) {
  const std::vector<int32_t>& layer = g.layers[l];
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

std::vector<double> layerX(const LayeredGraph& g) {
  const size_t n = g.nodes(), layers = g.layers.size();
  Placer p{g, std::vector<double>(n, 0), std::vector<double>(n, 0), std::vector<double>(n, 0),
           std::vector<double>(n, 0)};
  for (size_t l = 0; l < layers; ++l) p.pack(l);
  for (Side side : Passes) {
    for (size_t i = 0; i < layers; ++i) {
      const size_t l = side == Above ? layers - 1 - i : i;
      p.wishes(l, side);
      p.fit(l);
    }
  }
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
