#include "layout/LayoutParts.h"

#include <numeric>

namespace zorvex {
namespace {

struct Joined {
  std::vector<int32_t> parent;
  explicit Joined(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
  int32_t root(int32_t b) {
    while (parent[b] != b) b = parent[b] = parent[parent[b]];
    return b;
  }
  void join(int32_t a, int32_t b) {
    a = root(a), b = root(b);
    if (a != b) parent[std::max(a, b)] = std::min(a, b);
  }
};

bool valid(const LayoutInput& in, int32_t b) { return b >= 0 && static_cast<size_t>(b) < in.boxes.size(); }

template <class Pairs>
void joinPairs(Joined& joined, const LayoutInput& in, const Pairs& pairs) {
  for (const auto& [a, b] : pairs)
    if (valid(in, a) && valid(in, b)) joined.join(a, b);
}

}  // namespace

std::vector<LayoutPart> connectedParts(const LayoutInput& in) {
  const size_t n = in.boxes.size();
  Joined joined(n);
  joinPairs(joined, in, in.links);
  joinPairs(joined, in, in.beside);
  joinPairs(joined, in, in.straight);
  for (const std::vector<int32_t>& group : in.groups)
    for (int32_t b : group)
      if (valid(in, b) && valid(in, group.front())) joined.join(group.front(), b);
  // Roots are each part's lowest box, so numbering parts by first sight keeps their order.
  std::vector<int32_t> partOf(n, -1), local(n, -1);
  std::vector<LayoutPart> parts;
  for (size_t b = 0; b < n; ++b) {
    const int32_t r = joined.root(static_cast<int32_t>(b));
    if (partOf[r] < 0) {
      partOf[r] = static_cast<int32_t>(parts.size());
      parts.emplace_back().input.gap = in.gap;
    }
    LayoutPart& p = parts[partOf[r]];
    partOf[b] = partOf[r];
    local[b] = static_cast<int32_t>(p.boxes.size());
    p.boxes.push_back(static_cast<int32_t>(b));
    p.input.boxes.push_back(in.boxes[b]);
    if (!in.present.empty()) p.input.present.push_back(in.present[b]);
  }
  const auto pairInto = [&](const auto& pairs, auto member) {
    for (const auto& [a, b] : pairs)
      if (valid(in, a) && valid(in, b)) (parts[partOf[a]].input.*member).push_back({local[a], local[b]});
  };
  pairInto(in.links, &LayoutInput::links);
  pairInto(in.beside, &LayoutInput::beside);
  pairInto(in.straight, &LayoutInput::straight);
  for (const std::vector<int32_t>& group : in.groups) {
    if (group.empty() || !valid(in, group.front())) continue;
    std::vector<int32_t> mine;
    for (int32_t b : group)
      if (valid(in, b)) mine.push_back(local[b]);
    parts[partOf[group.front()]].input.groups.push_back(std::move(mine));
  }
  return parts;
}

}  // namespace zorvex
