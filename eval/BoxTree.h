#pragma once
// A static tree over element boxes that answers "which of these elements lie
// inside a rectangle" in time that follows what the rectangle holds, not the
// whole diagram.
//
// Every element is four numbers (a, b, c, d) and a query four bounds; an
// element is inside when a >= qa, b >= qb, c <= qc and d <= qd. A sentence
// strictly inside R is (Left, Top, Right, Bottom) against (R.Left+1,
// R.Top+1, R.Right-1, R.Bottom-1); an arrow with both ends inside R
// (inclusive) is (min x, min y, max x, max y) against R itself. The test uses
// the stored numbers as they are, so unnormalised boxes and rectangles give
// the same answers as comparing each element by itself. Each node keeps the
// range of all four numbers below it: a node wholly inside or wholly outside
// a query is decided without looking further down.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvex {

struct BoxKey {
  int32_t a = 0, b = 0, c = 0, d = 0;
  int32_t id = 0;  // the element's number
  friend bool operator==(const BoxKey&, const BoxKey&) = default;
};

struct BoxQuery {
  int64_t a = 0, b = 0, c = 0, d = 0;
  friend bool operator==(const BoxQuery&, const BoxQuery&) = default;
};

// Per-element marks with "some element below is marked" per tree node.
struct MarkSet {
  std::vector<uint8_t> element;  // by tree position
  std::vector<uint8_t> node;
};

// Elements found inside some queried rectangle: whole subtrees are tagged
// at their node and pushed down once at the end.
struct TagSet {
  std::vector<uint8_t> element;  // by tree position
  std::vector<uint8_t> node;
};

// The order in which to visit points (doubled centres) so that neighbours in
// the order are neighbours in the plane: positions sorted along a Z-curve.
std::vector<int32_t> curveOrder(const std::vector<int64_t>& xs, const std::vector<int64_t>& ys);
// Positions sorted by their codes (equal codes keep their order).
std::vector<int32_t> orderByCode(const std::vector<uint32_t>& codes);

class BoxTree {
 public:
  void build(std::vector<BoxKey> keys);
  size_t size() const { return keys_.size(); }

  // Appends the numbers of the elements inside the query, unless there are
  // more than `most`: then returns false and leaves `out` as it was.
  bool collectInside(const BoxQuery& q, size_t most, std::vector<int32_t>& out) const;

  // Marks the elements for which marked(id) holds.
  template <class Pred>
  MarkSet marks(Pred marked) const {
    MarkSet m;
    m.element.resize(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i) m.element[i] = marked(keys_[i].id) ? 1 : 0;
    summarise(m);
    return m;
  }
  // Whether some marked element lies inside the query.
  bool anyMarkedInside(const BoxQuery& q, const MarkSet& m) const;

  TagSet emptyTags() const;
  void tagInside(const BoxQuery& q, TagSet& tags) const;
  // Writes 1 into byId[id] for every tagged element (byId must be big enough).
  void collectTags(TagSet& tags, std::vector<uint8_t>& byId) const;

 private:
  struct Node {
    int32_t minA, maxA, minB, maxB, minC, maxC, minD, maxD;
    int32_t lo, hi;
    int32_t right;  // -1 for a leaf; the left child follows its parent
  };
  static constexpr int32_t LeafSize = 8;

  int32_t buildRange(int32_t lo, int32_t hi);
  void summarise(MarkSet& m) const;
  static bool none(const Node& n, const BoxQuery& q) {
    return n.maxA < q.a || n.maxB < q.b || n.minC > q.c || n.minD > q.d;
  }
  static bool all(const Node& n, const BoxQuery& q) {
    return n.minA >= q.a && n.minB >= q.b && n.maxC <= q.c && n.maxD <= q.d;
  }
  static bool inside(const BoxKey& k, const BoxQuery& q) {
    return k.a >= q.a && k.b >= q.b && k.c <= q.c && k.d <= q.d;
  }

  std::vector<BoxKey> keys_;
  std::vector<Node> nodes_;
};

}  // namespace zorvex
