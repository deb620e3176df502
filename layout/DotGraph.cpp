#include "layout/DotGraph.h"

#include <algorithm>
#include <unordered_map>

namespace zorvex {
namespace {

uint64_t pairKey(int32_t a, int32_t b) {
  const auto [low, high] = std::minmax(a, b);
  return static_cast<uint64_t>(static_cast<uint32_t>(low)) << 32 | static_cast<uint32_t>(high);
}

std::vector<bool> linkedBoxes(const LayoutInput& in) {
  std::vector<bool> linked(in.boxes.size(), false);
  for (const auto& [from, to] : in.links) linked[from] = linked[to] = true;
  return linked;
}

void addEdges(DotGraph& g, const LayoutInput& in) {
  std::unordered_map<uint64_t, size_t> joined;  // a pair of boxes -> its edge
  for (const auto& [from, to] : in.links) {
    if (from == to) continue;
    const auto [it, added] = joined.try_emplace(pairKey(from, to), g.edges.size());
    if (added)
      g.edges.push_back({from, to});
    else if (g.edges[it->second].from == from)
      ++g.edges[it->second].weight;
  }
  // A box beside another shares its rank when nothing else ranks it.
  const std::vector<bool> linked = linkedBoxes(in);
  for (const auto& [box, other] : in.beside) {
    if (box == other || !joined.try_emplace(pairKey(box, other), g.edges.size()).second) continue;
    g.edges.push_back({box, other, 1, true, !linked[box]});
  }
}

// Both ends of a link in one dot group: dot keeps such a link upright.
void addUprightPairs(DotGraph& g, const LayoutInput& in) {
  g.upright.assign(in.boxes.size(), -1);
  int32_t n = 0;
  for (const auto& [from, to] : in.straight) {
    if (from == to || g.upright[from] >= 0 || g.upright[to] >= 0) continue;
    g.upright[from] = g.upright[to] = n++;
  }
}

void addClusters(DotGraph& g, const LayoutInput& in) {
  std::vector<bool> taken(in.boxes.size(), false);
  for (const std::vector<int32_t>& group : in.groups) {
    if (group.size() < 2) continue;
    std::vector<int32_t>& cluster = g.clusters.emplace_back();
    for (int32_t box : group)
      if (!taken[box]) {
        taken[box] = true;
        cluster.push_back(box);
      }
  }
}

}  // namespace

DotGraph dotGraphOf(const LayoutInput& in) {
  DotGraph g;
  g.boxes = in.boxes;
  g.gap = in.gap;
  addEdges(g, in);
  addUprightPairs(g, in);
  addClusters(g, in);
  return g;
}

}  // namespace zorvex
