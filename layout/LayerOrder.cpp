// Ordering the layers: barycentre sweeps down and up, keeping the best order
// met, then a finish that changes a layer only where that removes crossings
// (which is all that happens to an order taken from the present picture).
#include "layout/LayerOrder.h"

#include <algorithm>
#include <cmath>

namespace zorvex {
namespace {

constexpr int Sweeps = 4;
constexpr int IdleSweeps = 2;
// Above this many nodes the sweeps' sorts of whole layers cost more than the
// few crossings of a walked order are worth: the finish's stretches remove them.
constexpr size_t SweptNodes = 50000;  // sweeps in a row that find nothing better end the sweeping
constexpr int FinishPasses = 6;
constexpr int TransposeScans = 3;

enum Side : uint8_t { Below = 1, Above = 2, Both = 3 };

struct Orderer {
  LayeredGraph& g;
  std::vector<int32_t> position;
  std::vector<double> key;
  std::vector<double> groupSum;
  std::vector<int32_t> groupCount;
  bool nearBeside = true;  // an unlinked box takes the key of the box it stands beside

  explicit Orderer(LayeredGraph& graph) : g(graph), position(graph.nodes(), 0), key(graph.nodes(), 0) {
    int32_t groups = 0;
    for (int32_t k : g.group) groups = std::max(groups, k + 1);
    groupSum.assign(groups, 0);
    groupCount.assign(groups, 0);
  }

  void place(size_t l) {
    for (size_t i = 0; i < g.layers[l].size(); ++i) position[g.layers[l][i]] = static_cast<int32_t>(i);
  }

  // Sorts the places [first, last] of a layer by key; a group's boxes move
  // as one at their mean key, and equal keys keep their present order.
  void sortRange(size_t l, int32_t first, int32_t last) {
    const auto begin = g.layers[l].begin() + first, end = g.layers[l].begin() + last + 1;
    if (nearBeside)
      for (auto it = begin; it != end; ++it) {
        const int32_t t = g.besideOf[*it];
        if (t >= 0 && position[t] >= first && position[t] <= last) key[*it] = key[t];
      }
    for (auto it = begin; it != end; ++it)
      if (g.group[*it] >= 0) {
        groupSum[g.group[*it]] += key[*it];
        ++groupCount[g.group[*it]];
      }
    const auto at = [&](int32_t v) { return g.group[v] >= 0 ? groupSum[g.group[v]] / groupCount[g.group[v]] : key[v]; };
    std::sort(begin, end, [&](int32_t a, int32_t b) {
      const double ka = at(a), kb = at(b);
      if (ka != kb) return ka < kb;
      if (g.group[a] != g.group[b]) return g.group[a] < g.group[b];
      if (key[a] != key[b]) return key[a] < key[b];
      return position[a] < position[b];
    });
    for (auto it = begin; it != end; ++it)
      if (g.group[*it] >= 0) {
        groupSum[g.group[*it]] = 0;
        groupCount[g.group[*it]] = 0;
      }
    for (int32_t i = first; i <= last; ++i) position[g.layers[l][i]] = i;
  }

  void sortLayer(size_t l) { sortRange(l, 0, static_cast<int32_t>(g.layers[l].size()) - 1); }

  // Each node's key: the mean place of its neighbours on the sides asked, as
  // a fraction of their layer; a node without any keeps its own place.
  void barycentres(size_t l, Side side) { barycentres(l, side, 0, static_cast<int32_t>(g.layers[l].size()) - 1); }

  void barycentres(size_t l, Side side, int32_t first, int32_t last) {
    const double own = static_cast<double>(g.layers[l].size());
    for (int32_t i = first; i <= last; ++i) {
      const int32_t v = g.layers[l][i];
      double sum = 0, weight = 0;
      const auto add = [&](const Neighbours& nb, size_t layer) {
        const double size = static_cast<double>(g.layers[layer].size());
        for (int32_t i = nb.start[v]; i < nb.start[v + 1]; ++i) {
          sum += nb.weight[i] * (position[nb.node[i]] + 0.5) / size;
          weight += nb.weight[i];
        }
      };
      if ((side & Below) && l > 0) add(g.down, l - 1);
      if ((side & Above) && l + 1 < g.layers.size()) add(g.up, l + 1);
      key[v] = weight > 0 ? sum / weight : (position[v] + 0.5) / own;
    }
  }

  int64_t total() const {
    int64_t c = 0;
    for (size_t l = 0; l + 1 < g.layers.size(); ++l) c += crossingsAbove(g, l, position);
    return c;
  }

  int64_t pairCrossings(int32_t left, int32_t right) const;
  bool transpose(size_t l, int32_t first, int32_t last);
  void shuffle(size_t l, bool leftFirst);
  void sweeps();
  bool finishStretch(size_t l, int32_t first, int32_t last);
  bool finishLayer(size_t l);
  bool finish();
  void fromPresent(const std::vector<DoublePoint>& present);
};

void Orderer::sweeps() {
  const size_t layers = g.layers.size();
  std::vector<std::vector<int32_t>> best = g.layers;
  int64_t bestCount = total();
  int idle = 0;
  for (int s = 0; s < Sweeps && bestCount > 0; ++s) {
    for (size_t l = 1; l < layers; ++l) {
      barycentres(l, Below);
      sortLayer(l);
      shuffle(l, s % 2 == 0);
    }
    for (size_t l = layers - 1; l-- > 0;) {
      barycentres(l, Above);
      sortLayer(l);
      shuffle(l, s % 2 == 0);
    }
    const int64_t count = total();
    if (count < bestCount) {
      bestCount = count;
      best = g.layers;
      idle = 0;
    } else if (++idle == IdleSweeps) {
      break;
    }
  }
  g.layers = std::move(best);
  for (size_t l = 0; l < layers; ++l) place(l);
}

// Crossings between the links of two nodes of one layer, `left` standing left of `right`.
int64_t Orderer::pairCrossings(int32_t left, int32_t right) const {
  int64_t c = 0;
  for (const Neighbours* nb : {&g.down, &g.up})
    for (int32_t i = nb->start[left]; i < nb->start[left + 1]; ++i)
      for (int32_t j = nb->start[right]; j < nb->start[right + 1]; ++j)
        c += position[nb->node[i]] > position[nb->node[j]] ? 1 : 0;
  return c;
}

// Swaps neighbours of a layer while that removes crossings (never into or out of a group).
bool Orderer::transpose(size_t l, int32_t first, int32_t last) {
  std::vector<int32_t>& layer = g.layers[l];
  bool any = false;
  for (int scan = 0, swapped = 1; swapped && scan < TransposeScans; ++scan) {
    swapped = 0;
    for (size_t i = first; i < static_cast<size_t>(last); ++i) {
      const int32_t u = layer[i], v = layer[i + 1];
      if (g.group[u] != g.group[v] || pairCrossings(v, u) >= pairCrossings(u, v)) continue;
      std::swap(layer[i], layer[i + 1]);
      position[u] = static_cast<int32_t>(i + 1);
      position[v] = static_cast<int32_t>(i);
      swapped = 1;
      any = true;
    }
  }
  return any;
}

// One scan of swaps of neighbours that add no crossings, so that a sweep
// stuck between orders of equal count can move on (only a better total is kept).
void Orderer::shuffle(size_t l, bool leftFirst) {
  std::vector<int32_t>& layer = g.layers[l];
  for (size_t k = 0; k + 1 < layer.size(); ++k) {
    const size_t i = leftFirst ? k : layer.size() - 2 - k;
    const int32_t u = layer[i], v = layer[i + 1];
    if (g.group[u] != g.group[v] || g.besideOf[u] == v || g.besideOf[v] == u) continue;
    const int64_t now = pairCrossings(u, v), swapped = pairCrossings(v, u);
    if (swapped > now || (swapped == now && now == 0)) continue;
    std::swap(layer[i], layer[i + 1]);
    position[u] = static_cast<int32_t>(i + 1);
    position[v] = static_cast<int32_t>(i);
  }
}

// Tries the barycentre orders of a stretch of a layer; keeps one only when
// it has fewer crossings. Nothing outside the stretch changes, nor do its
// links' crossings with links from outside it.
bool Orderer::finishStretch(size_t l, int32_t first, int32_t last) {
  bool changed = false;
  int64_t was = crossingsWithin(g, l, first, last, position);
  const auto begin = g.layers[l].begin() + first, end = g.layers[l].begin() + last + 1;
  for (Side side : {Both, Below, Above}) {
    if (was == 0) return changed;
    const std::vector<int32_t> before(begin, end);
    barycentres(l, side, first, last);
    sortRange(l, first, last);
    if (!std::equal(before.begin(), before.end(), begin)) {
      const int64_t now = crossingsWithin(g, l, first, last, position);
      if (now < was) {
        was = now;
        changed = true;
        continue;
      }
    }
    std::copy(before.begin(), before.end(), begin);
    for (int32_t i = first; i <= last; ++i) position[g.layers[l][i]] = i;
  }
  return transpose(l, first, last) || changed;
}

bool Orderer::finishLayer(size_t l) {
  bool changed = false;
  for (const auto& [first, last] : crossedStretches(g, l, position)) changed = finishStretch(l, first, last) || changed;
  return changed;
}

// Passes up and down the layers, each visiting only the layers next to one
// that changed in the pass before.
bool Orderer::finish() {
  const size_t layers = g.layers.size();
  std::vector<uint8_t> due(layers, 1), next(layers, 0);
  bool any = false;
  for (int pass = 0; pass < FinishPasses; ++pass) {
    bool changed = false;
    for (size_t i = 0; i < layers; ++i) {
      const size_t l = pass % 2 == 0 ? i : layers - 1 - i;
      if (!due[l] || !finishLayer(l)) continue;
      changed = true;
      for (size_t k = l > 0 ? l - 1 : 0; k <= l + 1 && k < layers; ++k) next[k] = 1;
    }
    if (!changed) break;
    any = true;
    due.swap(next);
    std::fill(next.begin(), next.end(), 0);
  }
  return any;
}

// Keys from the present picture: a box's x, after the rows it stands in when
// its layer is spread over several rows. Points find their places later.
void Orderer::fromPresent(const std::vector<DoublePoint>& present) {
  const auto at = [&](int32_t v) { return present[v < g.boxes ? v : g.lowEnd[v]]; };
  nearBeside = false;
  for (size_t l = 0; l < g.layers.size(); ++l) {
    std::vector<int32_t> byY;
    double tallest = 0;
    for (int32_t v : g.layers[l])
      if (v < g.boxes) {
        byY.push_back(v);
        tallest = std::max(tallest, g.height[v]);
      }
    std::sort(byY.begin(), byY.end(), [&](int32_t a, int32_t b) { return present[a].y < present[b].y; });
    std::vector<double> rowStarts;
    for (size_t i = 0; i < byY.size(); ++i)
      if (i == 0 || present[byY[i]].y - present[byY[i - 1]].y > tallest) rowStarts.push_back(present[byY[i]].y);
    for (int32_t v : g.layers[l]) {
      const DoublePoint p = at(v);
      const auto row =
          std::max<ptrdiff_t>(0, std::upper_bound(rowStarts.begin(), rowStarts.end(), p.y) - rowStarts.begin() - 1);
      key[v] = static_cast<double>(row) * 4e9 + p.x;
      position[v] = v;  // equal keys in a fixed order, whatever the order before
    }
    sortLayer(l);
  }
  nearBeside = true;
}

}  // namespace

void orderLayers(LayeredGraph& g, const std::vector<DoublePoint>& present) {
  Orderer o(g);
  for (size_t l = 0; l < g.layers.size(); ++l) {
    for (size_t i = 0; i < g.layers[l].size(); ++i) o.key[g.layers[l][i]] = static_cast<double>(i);
    o.place(l);
    if (present.empty()) o.sortLayer(l);
  }
  if (!present.empty())
    o.fromPresent(present);
  else if (g.nodes() <= SweptNodes)
    o.sweeps();
}

void followLines(LayeredGraph& g, const std::vector<double>& x) {
  for (std::vector<int32_t>& layer : g.layers)
    std::stable_sort(layer.begin(), layer.end(),
                     [&](int32_t a, int32_t b) { return x[a] != x[b] ? x[a] < x[b] : a < b; });
}

void removeCrossings(LayeredGraph& g) {
  Orderer o(g);
  for (size_t l = 0; l < g.layers.size(); ++l) o.place(l);
  o.finish();
}

}  // namespace zorvex
