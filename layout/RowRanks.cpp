#include "layout/RowRanks.h"

#include <algorithm>

namespace zorvex {
namespace {

// A depth-first order of the boxes in which every link that does not close a
// cycle goes from an earlier box to a later one (reverse post-order).
std::vector<int32_t> linkOrder(size_t n, const std::vector<std::vector<int32_t>>& up) {
  enum : uint8_t { Unseen, Open, Done };
  std::vector<uint8_t> state(n, Unseen);
  std::vector<int32_t> post;
  post.reserve(n);
  std::vector<std::pair<int32_t, size_t>> stack;
  for (size_t s = 0; s < n; ++s) {
    if (state[s] != Unseen) continue;
    stack.push_back({static_cast<int32_t>(s), 0});
    state[s] = Open;
    while (!stack.empty()) {
      auto& [b, i] = stack.back();
      if (i < up[b].size()) {
        const int32_t t = up[b][i++];
        if (state[t] == Unseen) {
          state[t] = Open;
          stack.push_back({t, 0});
        }
      } else {
        state[b] = Done;
        post.push_back(b);
        stack.pop_back();
      }
    }
  }
  std::reverse(post.begin(), post.end());
  return post;
}

}  // namespace

std::vector<int32_t> rowRanks(const LayoutInput& in) {
  const size_t n = in.boxes.size();
  std::vector<std::vector<int32_t>> up(n);
  for (const auto& [from, to] : in.links)
    if (from != to) up[from].push_back(to);
  const std::vector<int32_t> order = linkOrder(n, up);
  std::vector<int32_t> position(n), rank(n, 0);
  for (size_t i = 0; i < n; ++i) position[order[i]] = static_cast<int32_t>(i);
  for (int32_t b : order)
    for (int32_t t : up[b])
      if (position[t] > position[b]) rank[t] = std::max(rank[t], rank[b] + 1);
  std::vector<bool> linked(n, false);
  for (const auto& [from, to] : in.links) linked[from] = linked[to] = true;
  for (int pass = 0; pass < 2; ++pass)
    for (const auto& [box, other] : in.beside)
      if (!linked[box]) rank[box] = rank[other];
  return rank;
}

}  // namespace zorvex
