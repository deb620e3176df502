// Layers for the layered layout of a part. Boxes that must share a layer are
// merged first; a depth-first order of the merged boxes then leaves out the
// links that close a cycle, and every other link goes one layer up at least.
#include <algorithm>
#include <numeric>

#include "layout/LayeredGraph.h"

namespace zorvex {
namespace {

struct Merged {
  std::vector<int32_t> parent;
  int32_t find(int32_t b) {
    while (parent[b] != b) b = parent[b] = parent[parent[b]];
    return b;
  }
  void join(int32_t a, int32_t b) {
    a = find(a);
    b = find(b);
    if (a != b) parent[std::max(a, b)] = std::min(a, b);
  }
};

// The merged boxes' links upwards (or downwards), packed per merged box.
struct UpLinks {
  std::vector<int32_t> start, to;
};

UpLinks upLinks(const LayoutInput& in, const std::vector<int32_t>& set, size_t sets, bool down = false) {
  UpLinks u;
  u.start.assign(sets + 1, 0);
  for (auto [from, to] : in.links) {
    if (down) std::swap(from, to);
    if (set[from] != set[to]) ++u.start[set[from] + 1];
  }
  std::partial_sum(u.start.begin(), u.start.end(), u.start.begin());
  u.to.resize(u.start.back());
  std::vector<int32_t> fill(u.start.begin(), u.start.end() - 1);
  for (auto [from, to] : in.links) {
    if (down) std::swap(from, to);
    if (set[from] != set[to]) u.to[fill[set[from]]++] = set[to];
  }
  return u;
}

// Post-order of a depth-first walk down the links, from the sets that
// conclude nothing first: every link that does not close a cycle goes from
// an earlier set to a later one, and a cycle is cut where the walk from the
// top comes back to a box it is still below.
std::vector<int32_t> linkOrder(const UpLinks& u, const UpLinks& down, size_t sets) {
  std::vector<uint8_t> seen(sets, 0);
  std::vector<int32_t> post;
  post.reserve(sets);
  std::vector<std::pair<int32_t, int32_t>> stack;
  const auto walk = [&](size_t s) {
    seen[s] = 1;
    stack.push_back({static_cast<int32_t>(s), down.start[s]});
    while (!stack.empty()) {
      auto& [b, i] = stack.back();
      if (i < down.start[b + 1]) {
        const int32_t t = down.to[i++];
        if (!seen[t]) {
          seen[t] = 1;
          stack.push_back({t, down.start[t]});
        }
      } else {
        post.push_back(b);
        stack.pop_back();
      }
    }
  };
  for (size_t s = 0; s < sets; ++s)
    if (!seen[s] && u.start[s + 1] == u.start[s]) walk(s);
  for (size_t s = 0; s < sets; ++s)
    if (!seen[s]) walk(s);
  return post;
}

std::vector<int32_t> setRanks(const UpLinks& u, const std::vector<int32_t>& order) {
  std::vector<int32_t> position(order.size()), rank(order.size(), 0);
  for (size_t i = 0; i < order.size(); ++i) position[order[i]] = static_cast<int32_t>(i);
  for (int32_t s : order)
    for (int32_t i = u.start[s]; i < u.start[s + 1]; ++i)
      if (position[u.to[i]] > position[s]) rank[u.to[i]] = std::max(rank[u.to[i]], rank[s] + 1);
  // From the top down, each set right below its lowest conclusion.
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    int32_t lowest = -1;
    for (int32_t i = u.start[*it]; i < u.start[*it + 1]; ++i)
      if (position[u.to[i]] > position[*it]) lowest = lowest < 0 ? rank[u.to[i]] : std::min(lowest, rank[u.to[i]]);
    if (lowest > 0) rank[*it] = std::max(rank[*it], lowest - 1);
  }
  return rank;
}

// A linked box beside another moves to its layer when all its links still point up there.
void besideLinked(const LayoutInput& in, const std::vector<int32_t>& setSize, const std::vector<int32_t>& set,
                  std::vector<int32_t>& rank) {
  const size_t n = in.boxes.size();
  std::vector<int32_t> low(n, -1), high(n, INT32_MAX);
  for (const auto& [from, to] : in.links) {
    if (rank[to] <= rank[from]) continue;
    low[to] = std::max(low[to], rank[from]);
    high[from] = std::min(high[from], rank[to]);
  }
  for (const auto& [box, other] : in.beside) {
    if (setSize[set[box]] > 1 || rank[box] == rank[other]) continue;
    if (low[box] < rank[other] && rank[other] < high[box]) rank[box] = rank[other];
  }
}

// Once more from the top down, each unit of boxes that share a layer right
// below its lowest conclusion, so that a box moved up beside another does not
// leave its premises far below.
void raiseUnits(const LayoutInput& in, const std::vector<int32_t>& unit, std::vector<int32_t>& rank) {
  const size_t n = in.boxes.size();
  std::vector<int32_t> lowest(n, INT32_MAX), start(n + 1, 0), members(n);
  for (size_t b = 0; b < n; ++b) ++start[unit[b] + 1];
  std::partial_sum(start.begin(), start.end(), start.begin());
  std::vector<int32_t> fill(start.begin(), start.end() - 1);
  for (size_t b = 0; b < n; ++b) members[fill[unit[b]]++] = static_cast<int32_t>(b);
  std::vector<int32_t> units;
  for (size_t u = 0; u < n; ++u)
    if (start[u + 1] > start[u]) units.push_back(static_cast<int32_t>(u));
  std::sort(units.begin(), units.end(), [&](int32_t a, int32_t b) {
    return rank[members[start[a]]] != rank[members[start[b]]] ? rank[members[start[a]]] > rank[members[start[b]]]
                                                              : a < b;
  });
  std::vector<int32_t> linkStart(n + 1, 0), to(in.links.size());
  for (const auto& [from, t] : in.links) ++linkStart[from + 1];
  std::partial_sum(linkStart.begin(), linkStart.end(), linkStart.begin());
  fill.assign(linkStart.begin(), linkStart.end() - 1);
  for (const auto& [from, t] : in.links) to[fill[from]++] = t;
  for (int32_t u : units) {
    int32_t low = INT32_MAX;
    const int32_t own = rank[members[start[u]]];
    for (int32_t m = start[u]; m < start[u + 1]; ++m)
      for (int32_t i = linkStart[members[m]]; i < linkStart[members[m] + 1]; ++i)
        if (rank[to[i]] > own) low = std::min(low, rank[to[i]]);
    if (low != INT32_MAX && low - 1 > own)
      for (int32_t m = start[u]; m < start[u + 1]; ++m) rank[members[m]] = low - 1;
  }
}

void closeEmptyLayers(std::vector<int32_t>& rank) {
  if (rank.empty()) return;
  std::vector<int32_t> used(*std::max_element(rank.begin(), rank.end()) + 1, 0);
  for (int32_t r : rank) used[r] = 1;
  std::partial_sum(used.begin(), used.end(), used.begin());
  for (int32_t& r : rank) r = used[r] - 1;
}

}  // namespace

std::vector<int32_t> layerRanks(const LayoutInput& in) {
  const size_t n = in.boxes.size();
  Merged m{std::vector<int32_t>(n)};
  std::iota(m.parent.begin(), m.parent.end(), 0);
  for (const std::vector<int32_t>& g : in.groups)
    for (size_t i = 1; i < g.size(); ++i) m.join(g[0], g[i]);
  std::vector<uint8_t> linked(n, 0);
  for (const auto& [from, to] : in.links)
    if (from != to) linked[from] = linked[to] = 1;
  for (const auto& [box, other] : in.beside)
    if (!linked[box]) m.join(box, other);
  std::vector<int32_t> set(n), setOf(n, -1);
  size_t sets = 0;
  for (size_t b = 0; b < n; ++b) {
    const int32_t root = m.find(static_cast<int32_t>(b));
    if (setOf[root] < 0) setOf[root] = static_cast<int32_t>(sets++);
    set[b] = setOf[root];
  }
  const UpLinks u = upLinks(in, set, sets);
  const std::vector<int32_t> ranks = setRanks(u, linkOrder(u, upLinks(in, set, sets, true), sets));
  std::vector<int32_t> rank(n), setSize(sets, 0);
  for (size_t b = 0; b < n; ++b) {
    rank[b] = ranks[set[b]];
    ++setSize[set[b]];
  }
  besideLinked(in, setSize, set, rank);
  // An attacker with premises but no conclusion of its own stays beside what it attacks.
  std::vector<uint8_t> concludes(n, 0);
  for (const auto& [from, to] : in.links) concludes[from] = from != to;
  for (const auto& [box, other] : in.beside)
    if (rank[box] == rank[other] && !concludes[box]) m.join(box, other);
  std::vector<int32_t> unit(n);
  for (size_t b = 0; b < n; ++b) unit[b] = m.find(static_cast<int32_t>(b));
  raiseUnits(in, unit, rank);
  closeEmptyLayers(rank);
  return rank;
}

}  // namespace zorvex
