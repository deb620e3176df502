#pragma once
// Lists what many small rectangles hold in one sweep over the elements.
//
// Uses the same elements and inside test as BoxTree. An element with a <= c
// and b <= d can only be inside a query when its centre lies within the
// query's bounds. So the plane is cut into cells sized to the elements'
// density, each query is filed in the cells its bounds cover, and every
// element looks only at the queries filed in the cell of its centre. The
// structure touched per element is small (cells and the few queries
// filed in them), so the sweep reads the elements once, in their order,
// whatever that order is. The few elements with a > c or b > d are tested
// against every query. The sweep declines a query covering many cells, and
// every query when many elements lie the wrong way round: the caller then
// asks the tree.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "eval/BoxTree.h"

namespace zorvex {

class RectangleSweep {
 public:
  static constexpr size_t MostAside = 16;
  static constexpr int64_t MostCellsPerQuery = 64;

  enum class Answer : uint8_t { Listed, TooMany, Declined };
  struct Listing {
    std::vector<Answer> answer;        // per query
    std::vector<int32_t> first, last;  // per listed query: its elements are ids[first, last)
    std::vector<int32_t> ids;
  };

  // Sizes the cells to the elements' centres: about two elements a cell, or,
  // when fewer queries than elements will be listed, about one query a cell,
  // so that the cells' table stays small enough for the caches.
  void prepare(const std::vector<BoxKey>& keys, size_t queryCount = 0);
  bool usable() const { return usable_; }

  // The elements of `keys` (the ones given to prepare) inside each query;
  // queries with skip[i] set are listed empty. A query holding more than
  // `most` elements is answered TooMany.
  void list(const std::vector<BoxKey>& keys, const std::vector<BoxQuery>& queries, const std::vector<uint8_t>& skip,
            size_t most, Listing& out) const;

 private:
  struct CellRange {
    int64_t x0, y0, x1, y1;  // inclusive; empty when x1 < x0 or y1 < y0
  };
  static bool inside(const BoxKey& k, const BoxQuery& q) {
    return k.a >= q.a && k.b >= q.b && k.c <= q.c && k.d <= q.d;
  }
  static bool wrongWayRound(const BoxKey& k) { return k.a > k.c || k.b > k.d; }
  // Only called for coordinates not below the low corner.
  int64_t cellX(int64_t doubledX) const { return (doubledX - loX_) >> shift_; }
  int64_t cellY(int64_t doubledY) const { return (doubledY - loY_) >> shift_; }
  CellRange cellsOf(const BoxQuery& q) const;
  // A query filed in a cell, with its bounds at hand (cellsOf files only
  // queries whose bounds lie within 32 bits).
  struct FiledQuery {
    int32_t a, b, c, d;
    int32_t query;
  };
  struct Filing;
  Filing fileQueries(const std::vector<BoxQuery>& queries, const std::vector<uint8_t>& skip,
                     std::vector<Answer>& answer) const;

  bool usable_ = false;
  int64_t loX_ = 0, loY_ = 0;  // in doubled coordinates
  int shift_ = 0;              // cells are 2^shift_ doubled units wide and high
  int64_t columns_ = 0, rows_ = 0;
  std::vector<BoxKey> aside_;
};

}  // namespace zorvex
