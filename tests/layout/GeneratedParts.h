#pragma once
// Parts of maps made up from a seed: trees of claims with premises, some
// sentences rebutted by one or two joint attackers (beside, grouped), some
// arrows undercut (kept upright), a few supports running in a cycle.
#include <cstdint>
#include <vector>

#include "layout/BoxLayout.h"

namespace zorvex::testing {

struct Random {
  uint64_t state;
  uint32_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<uint32_t>(state >> 11);
  }
  int32_t below(int32_t n) { return static_cast<int32_t>(next() % static_cast<uint32_t>(n)); }
};

inline int32_t addBox(LayoutInput& in, Random& r) {
  in.boxes.push_back({60 + r.below(160), 28 + r.below(40)});
  return static_cast<int32_t>(in.boxes.size()) - 1;
}

// `trees` trees sharing `boxes` boxes about equally; one tree is one connected part.
inline LayoutInput generatedForest(uint64_t seed, int32_t boxes, int32_t trees = 1) {
  LayoutInput in;
  Random r{seed * 2654435761u + 1};
  const int32_t perTree = std::max(1, boxes / trees);
  while (static_cast<int32_t>(in.boxes.size()) < boxes) {
    const int32_t first = addBox(in, r);
    const size_t firstLink = in.links.size();
    while (static_cast<int32_t>(in.boxes.size()) - first < perTree && static_cast<int32_t>(in.boxes.size()) < boxes) {
      const int32_t size = static_cast<int32_t>(in.boxes.size()) - first;
      const int32_t target = first + (r.below(2) == 0 ? r.below(size) : size - 1 - r.below(std::min(size, 6)));
      const int32_t kind = r.below(100);
      const int32_t b = addBox(in, r);
      if (kind < 10) {
        in.beside.push_back({b, target});
      } else if (kind < 13) {
        const int32_t c = addBox(in, r);
        in.beside.push_back({b, target});
        in.beside.push_back({c, target});
        in.groups.push_back({b, c});
      } else if (kind < 16 && in.links.size() > firstLink) {
        const auto link = in.links[firstLink + r.below(static_cast<int32_t>(in.links.size() - firstLink))];
        in.beside.push_back({b, link.second});
        in.straight.push_back(link);
      } else {
        in.links.push_back({b, target});
        if (r.below(200) == 0) in.links.push_back({target, b});
      }
    }
  }
  return in;
}

// Each box supports the next.
inline LayoutInput chainPart(int32_t boxes) {
  LayoutInput in;
  Random r{7};
  for (int32_t i = 0; i < boxes; ++i) {
    addBox(in, r);
    if (i > 0) in.links.push_back({i - 1, i});
  }
  return in;
}

// Box 0 with `premises` premises.
inline LayoutInput widePart(int32_t premises) {
  LayoutInput in;
  Random r{11};
  addBox(in, r);
  for (int32_t i = 1; i <= premises; ++i) in.links.push_back({addBox(in, r), 0});
  return in;
}

}  // namespace zorvex::testing
