#include "eval/BoxTree.h"

#include <algorithm>

namespace zorvex {
namespace {

// Twice the centre along one axis: exact in 64 bits.
int64_t centreX(const BoxKey& k) { return int64_t{k.a} + k.c; }
int64_t centreY(const BoxKey& k) { return int64_t{k.b} + k.d; }

}  // namespace

void BoxTree::build(std::vector<BoxKey> keys) {
  keys_ = std::move(keys);
  nodes_.clear();
  if (keys_.empty()) return;
  nodes_.reserve(keys_.size() / (LeafSize / 2) + 2);
  buildRange(0, static_cast<int32_t>(keys_.size()));
}

int32_t BoxTree::buildRange(int32_t lo, int32_t hi) {
  const int32_t self = static_cast<int32_t>(nodes_.size());
  Node n{keys_[lo].a, keys_[lo].a, keys_[lo].b, keys_[lo].b, keys_[lo].c, keys_[lo].c, keys_[lo].d, keys_[lo].d,
         lo, hi, -1};
  for (int32_t i = lo + 1; i < hi; ++i) {
    const BoxKey& k = keys_[i];
    n.minA = std::min(n.minA, k.a), n.maxA = std::max(n.maxA, k.a);
    n.minB = std::min(n.minB, k.b), n.maxB = std::max(n.maxB, k.b);
    n.minC = std::min(n.minC, k.c), n.maxC = std::max(n.maxC, k.c);
    n.minD = std::min(n.minD, k.d), n.maxD = std::max(n.maxD, k.d);
  }
  nodes_.push_back(n);
  if (hi - lo <= LeafSize) return self;
  const int64_t spreadX = std::max(int64_t{n.maxA} - n.minA, int64_t{n.maxC} - n.minC);
  const int64_t spreadY = std::max(int64_t{n.maxB} - n.minB, int64_t{n.maxD} - n.minD);
  const int32_t mid = lo + (hi - lo) / 2;
  auto first = keys_.begin() + lo, middle = keys_.begin() + mid, last = keys_.begin() + hi;
  if (spreadX >= spreadY)
    std::nth_element(first, middle, last, [](const BoxKey& l, const BoxKey& r) { return centreX(l) < centreX(r); });
  else
    std::nth_element(first, middle, last, [](const BoxKey& l, const BoxKey& r) { return centreY(l) < centreY(r); });
  buildRange(lo, mid);
  const int32_t right = buildRange(mid, hi);
  nodes_[self].right = right;
  return self;
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
