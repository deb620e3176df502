// Counting crossings between two layers in O(links log nodes): the links in
// the order of their lower ends, each upper end added to a tree of counts
// that tells how many upper ends already lie to its right. Also the
// stretches of a layer its crossed links lie in, so that a big layer is
// reordered only there, and the crossings within such a stretch.
#include <algorithm>

#include "layout/LayerOrder.h"

namespace zorvex {

int64_t crossingsAbove(const LayeredGraph& g, size_t low, const std::vector<int32_t>& position) {
  if (low + 1 >= g.layers.size()) return 0;
  size_t first = 1;
  while (first < g.layers[low + 1].size()) first <<= 1;
  std::vector<int32_t> tree(2 * first - 1, 0);
  std::vector<int32_t> ends;
  int64_t count = 0;
  for (int32_t v : g.layers[low]) {
    ends.clear();
    for (int32_t i = g.up.start[v]; i < g.up.start[v + 1]; ++i) ends.push_back(position[g.up.node[i]]);
    std::sort(ends.begin(), ends.end());
    for (int32_t p : ends) {
      size_t index = p + first - 1;
      ++tree[index];
      while (index > 0) {
        if (index % 2 == 1) count += tree[index + 1];
        index = (index - 1) / 2;
        ++tree[index];
      }
    }
  }
  return count;
}

namespace {

using Link = std::pair<int32_t, int32_t>;  // (place in the layer, place of the other end)

// The links of the nodes of layer `l` at places [first, last] to one side,
// in the order of their places in the layer, then of their other ends.
void linksOf(const LayeredGraph& g, const Neighbours& nb, size_t l, int32_t first, int32_t last,
             const std::vector<int32_t>& position, std::vector<Link>& out) {
  out.clear();
  for (int32_t i = first; i <= last; ++i) {
    const int32_t v = g.layers[l][i];
    const size_t from = out.size();
    for (int32_t k = nb.start[v]; k < nb.start[v + 1]; ++k) out.push_back({i, position[nb.node[k]]});
    std::sort(out.begin() + static_cast<ptrdiff_t>(from), out.end());
  }
}

// Pairs of links whose other ends come in the opposite order, by a tree of counts over those ends.
int64_t inversions(const std::vector<Link>& links) {
  std::vector<int32_t> ends;
  for (const Link& k : links) ends.push_back(k.second);
  std::sort(ends.begin(), ends.end());
  ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
  std::vector<int32_t> tree(ends.size() + 1, 0);
  int64_t count = 0, added = 0;
  for (const Link& k : links) {
    const size_t at = std::lower_bound(ends.begin(), ends.end(), k.second) - ends.begin() + 1;
    for (size_t i = at; i > 0; i -= i & -i) count -= tree[i];  // ends at or left of this one
    count += added++;
    for (size_t i = at; i < tree.size(); i += i & -i) ++tree[i];
  }
  return count;
}

// For each crossed link, the places from the leftmost link it crosses to its own.
void crossedSpans(const std::vector<Link>& links, std::vector<Link>& spans) {
  std::vector<int32_t> highest(links.size());
  for (size_t k = 0; k < links.size(); ++k) {
    highest[k] = k == 0 ? links[k].second : std::max(highest[k - 1], links[k].second);
    if (k == 0 || highest[k - 1] <= links[k].second) continue;
    const size_t j = std::upper_bound(highest.begin(), highest.begin() + static_cast<ptrdiff_t>(k), links[k].second) -
                     highest.begin();
    spans.push_back({links[j].first, links[k].first});
  }
}

bool together(const LayeredGraph& g, int32_t a, int32_t b) {
  return (g.group[a] >= 0 && g.group[a] == g.group[b]) || g.besideOf[a] == b || g.besideOf[b] == a;
}

}  // namespace

int64_t crossingsWithin(const LayeredGraph& g, size_t l, int32_t first, int32_t last,
                        const std::vector<int32_t>& position) {
  std::vector<Link> links;
  int64_t count = 0;
  for (const Neighbours* nb : {&g.down, &g.up}) {
    linksOf(g, *nb, l, first, last, position, links);
    count += inversions(links);
  }
  return count;
}

std::vector<std::pair<int32_t, int32_t>> crossedStretches(const LayeredGraph& g, size_t l,
                                                          const std::vector<int32_t>& position) {
  const std::vector<int32_t>& layer = g.layers[l];
  std::vector<Link> links, spans;
  for (const Neighbours* nb : {&g.down, &g.up}) {
    linksOf(g, *nb, l, 0, static_cast<int32_t>(layer.size()) - 1, position, links);
    crossedSpans(links, spans);
  }
  for (Link& s : spans) {
    while (s.first > 0 && together(g, layer[s.first - 1], layer[s.first])) --s.first;
    while (s.second + 1 < static_cast<int32_t>(layer.size()) && together(g, layer[s.second], layer[s.second + 1]))
      ++s.second;
  }
  std::sort(spans.begin(), spans.end());
  std::vector<std::pair<int32_t, int32_t>> merged;
  for (const Link& s : spans)
    if (!merged.empty() && s.first <= merged.back().second)
      merged.back().second = std::max(merged.back().second, s.second);
    else
      merged.push_back(s);
  return merged;
}

}  // namespace zorvex
