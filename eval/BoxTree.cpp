#include "eval/BoxTree.h"

#include <algorithm>
#include <limits>

namespace zorvex {
namespace {

// Twice the centre along one axis: exact in 64 bits.
int64_t centreX(const BoxKey& k) { return int64_t{k.a} + k.c; }
int64_t centreY(const BoxKey& k) { return int64_t{k.b} + k.d; }

// Spreads the 16 bits of v to the even bits of the result.
uint32_t spread(uint32_t v) {
  v &= 0xFFFF;
  v = (v | (v << 8)) & 0x00FF00FF;
  v = (v | (v << 4)) & 0x0F0F0F0F;
  v = (v | (v << 2)) & 0x33333333;
  v = (v | (v << 1)) & 0x55555555;
  return v;
}

uint32_t scaled(int64_t v, int64_t lo, int64_t hi) {
  if (hi == lo) return 0;
  // (v - lo) < 2^34, times 65535 stays below 2^51.
  return static_cast<uint32_t>((v - lo) * 65535 / (hi - lo));
}

// Stable sort of (code << 32 | position) by the code, eight bits at a time.
void radixSortByHighWord(std::vector<uint64_t>& items) {
  std::vector<uint64_t> buffer(items.size());
  for (int shift = 32; shift < 64; shift += 8) {
    size_t count[257] = {};
    for (uint64_t v : items) ++count[((v >> shift) & 0xFF) + 1];
    for (int i = 0; i < 256; ++i) count[i + 1] += count[i];
    for (uint64_t v : items) buffer[count[(v >> shift) & 0xFF]++] = v;
    items.swap(buffer);
  }
}

}  // namespace

std::vector<int32_t> curveOrder(const std::vector<int64_t>& xs, const std::vector<int64_t>& ys) {
  if (xs.empty()) return {};
  const auto [loX, hiX] = std::minmax_element(xs.begin(), xs.end());
  const auto [loY, hiY] = std::minmax_element(ys.begin(), ys.end());
  std::vector<uint32_t> codes(xs.size());
  for (size_t i = 0; i < xs.size(); ++i)
    codes[i] = spread(scaled(xs[i], *loX, *hiX)) | (spread(scaled(ys[i], *loY, *hiY)) << 1);
  return orderByCode(codes);
}

std::vector<int32_t> orderByCode(const std::vector<uint32_t>& codes) {
  std::vector<uint64_t> items(codes.size());
  for (size_t i = 0; i < codes.size(); ++i) items[i] = (uint64_t{codes[i]} << 32) | i;
  radixSortByHighWord(items);
  std::vector<int32_t> order(items.size());
  for (size_t i = 0; i < items.size(); ++i) order[i] = static_cast<int32_t>(items[i] & 0xFFFFFFFFu);
  return order;
}

void BoxTree::build(std::vector<BoxKey> keys) {
  nodes_.clear();
  keys_.clear();
  if (keys.empty()) return;
  // Along the curve, every run of neighbours in the order is a compact patch of the diagram.
  std::vector<int64_t> xs(keys.size()), ys(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) xs[i] = centreX(keys[i]), ys[i] = centreY(keys[i]);
  const std::vector<int32_t> order = curveOrder(xs, ys);
  keys_.resize(keys.size());
  for (size_t i = 0; i < order.size(); ++i) keys_[i] = keys[order[i]];
  nodes_.reserve(keys_.size() / (LeafSize / 2) + 2);
  buildRange(0, static_cast<int32_t>(keys_.size()));
}

int32_t BoxTree::buildRange(int32_t lo, int32_t hi) {
  const int32_t self = static_cast<int32_t>(nodes_.size());
  nodes_.push_back({});
  Node n{};
  if (hi - lo <= LeafSize) {
    const BoxKey& f = keys_[lo];
    n = {f.a, f.a, f.b, f.b, f.c, f.c, f.d, f.d, lo, hi, -1};
    for (int32_t i = lo + 1; i < hi; ++i) {
      const BoxKey& k = keys_[i];
      n.minA = std::min(n.minA, k.a), n.maxA = std::max(n.maxA, k.a);
      n.minB = std::min(n.minB, k.b), n.maxB = std::max(n.maxB, k.b);
      n.minC = std::min(n.minC, k.c), n.maxC = std::max(n.maxC, k.c);
      n.minD = std::min(n.minD, k.d), n.maxD = std::max(n.maxD, k.d);
    }
  } else {
    const int32_t mid = lo + (hi - lo) / 2;
    buildRange(lo, mid);
    const int32_t right = buildRange(mid, hi);
    const Node& l = nodes_[self + 1];
    const Node& r = nodes_[right];
    n = {std::min(l.minA, r.minA), std::max(l.maxA, r.maxA), std::min(l.minB, r.minB), std::max(l.maxB, r.maxB),
         std::min(l.minC, r.minC), std::max(l.maxC, r.maxC), std::min(l.minD, r.minD), std::max(l.maxD, r.maxD),
         lo, hi, right};
  }
  nodes_[self] = n;
  return self;
}

bool BoxTree::collectInside(const BoxQuery& q, size_t most, std::vector<int32_t>& out) const {
  if (nodes_.empty()) return true;
  const size_t before = out.size();
  int32_t stack[128];
  int depth = 0;
  stack[depth++] = 0;
  while (depth > 0) {
    const int32_t i = stack[--depth];
    const Node& n = nodes_[i];
    if (none(n, q)) continue;
    const bool whole = all(n, q);
    if (whole && out.size() - before + static_cast<size_t>(n.hi - n.lo) > most) {
      out.resize(before);
      return false;
    }
    if (whole || n.right < 0) {
      for (int32_t p = n.lo; p < n.hi; ++p)
        if (whole || inside(keys_[p], q)) out.push_back(keys_[p].id);
      if (out.size() - before > most) {
        out.resize(before);
        return false;
      }
    } else {
      stack[depth++] = n.right;
      stack[depth++] = i + 1;
    }
  }
  return true;
}

void BoxTree::summarise(MarkSet& m) const {
  m.node.assign(nodes_.size(), 0);
  // Children come after their parent, so a backward sweep sees them first.
  for (size_t i = nodes_.size(); i-- > 0;) {
    const Node& n = nodes_[i];
    uint8_t any = 0;
    if (n.right < 0) {
      for (int32_t p = n.lo; p < n.hi && !any; ++p) any = m.element[p];
    } else {
      any = m.node[i + 1] | m.node[n.right];
    }
    m.node[i] = any;
  }
}

bool BoxTree::anyMarkedInside(const BoxQuery& q, const MarkSet& m) const {
  if (nodes_.empty()) return false;
  int32_t stack[128];
  int depth = 0;
  stack[depth++] = 0;
  while (depth > 0) {
    const int32_t i = stack[--depth];
    if (!m.node[i]) continue;
    const Node& n = nodes_[i];
    if (none(n, q)) continue;
    if (all(n, q)) return true;
    if (n.right < 0) {
      for (int32_t p = n.lo; p < n.hi; ++p)
        if (m.element[p] && inside(keys_[p], q)) return true;
    } else {
      stack[depth++] = n.right;
      stack[depth++] = i + 1;
    }
  }
  return false;
}

TagSet BoxTree::emptyTags() const {
  TagSet t;
  t.element.assign(keys_.size(), 0);
  t.node.assign(nodes_.size(), 0);
  return t;
}

void BoxTree::tagInside(const BoxQuery& q, TagSet& tags) const {
  if (nodes_.empty()) return;
  int32_t stack[128];
  int depth = 0;
  stack[depth++] = 0;
  while (depth > 0) {
    const int32_t i = stack[--depth];
    const Node& n = nodes_[i];
    if (tags.node[i] || none(n, q)) continue;
    if (all(n, q)) {
      tags.node[i] = 1;
    } else if (n.right < 0) {
      for (int32_t p = n.lo; p < n.hi; ++p)
        if (inside(keys_[p], q)) tags.element[p] = 1;
    } else {
      stack[depth++] = n.right;
      stack[depth++] = i + 1;
    }
  }
}

void BoxTree::collectTags(TagSet& tags, std::vector<uint8_t>& byId) const {
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const Node& n = nodes_[i];
    if (!tags.node[i]) continue;
    if (n.right < 0) {
      for (int32_t p = n.lo; p < n.hi; ++p) tags.element[p] = 1;
    } else {
      tags.node[i + 1] = 1;
      tags.node[n.right] = 1;
    }
  }
  for (size_t p = 0; p < keys_.size(); ++p)
    if (tags.element[p]) byId[keys_[p].id] = 1;
}

}  // namespace zorvex
