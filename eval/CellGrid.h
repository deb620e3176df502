#pragma once
// A uniform grid over the centres of element boxes, for the small
// rectangles that make up nearly all defeaters: listing what such a
// rectangle holds then costs a few cells, not a walk down a tree.
//
// Uses the same elements and inside test as BoxTree. An element with a
// <= c and b <= d can only be inside a query when its centre lies within
// the query's bounds, so these are filed by the cell of their centre; the
// few others are kept aside and tested at every query. When the layout does
// not suit a grid (too many elements aside, or crowded cells) the grid
// declines every query, and so does it for a query covering many cells; the
// caller then asks the tree.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "eval/BoxTree.h"

namespace zorvex {

class CellGrid {
 public:
  static constexpr size_t MostAside = 16;
  static constexpr size_t MostPerCell = 32;
  static constexpr int64_t MostCellsPerQuery = 64;

  void build(const std::vector<BoxKey>& keys);
  bool usable() const { return usable_; }
  // The cell holding the query's low corner (clamped to the grid), row by
  // row: queries taken in this order read the grid front to back.
  uint32_t visitOrder(const BoxQuery& q) const;

  enum class Answer { Listed, TooMany, Declined };
  // Listed: the numbers of the elements inside the query are appended.
  // TooMany: it holds more than `most`. Declined: ask the tree. Nothing is
  // appended unless the answer is Listed.
  Answer collectInside(const BoxQuery& q, size_t most, std::vector<int32_t>& out) const;

 private:
  static bool inside(const BoxKey& k, const BoxQuery& q) {
    return k.a >= q.a && k.b >= q.b && k.c <= q.c && k.d <= q.d;
  }
  // Only called for coordinates not below the low corner.
  int64_t cellX(int64_t doubledX) const { return (doubledX - loX_) >> shift_; }
  int64_t cellY(int64_t doubledY) const { return (doubledY - loY_) >> shift_; }

  bool usable_ = false;
  int64_t loX_ = 0, loY_ = 0;  // in doubled coordinates
  int shift_ = 0;               // cells are 2^shift_ doubled units wide and high
  int64_t columns_ = 0, rows_ = 0;
  std::vector<int32_t> cellStart_;  // per cell, into filed_; one more at the end
  std::vector<BoxKey> filed_;
  std::vector<BoxKey> aside_;
};

}  // namespace zorvex
