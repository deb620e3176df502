// Counting crossings between two layers in O(links log nodes): the links in
// the order of their lower ends, each upper end added to a tree of counts
// that tells how many upper ends already lie to its right.
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

}  // namespace zorvex
