#pragma once
// A uniform grid over window coordinates that finds the elements whose drawn
// extent meets an area, so painting and hit testing cost what the area holds,
// not what the diagram holds. Elements covering very many cells are kept in a
// short list of their own instead of in every cell.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/Types.h"

namespace zorvex {

class SpatialIndex {
 public:
  static constexpr int32_t CellSize = 128;

  void clear();
  // Insert, move or remove one element; extents are inclusive rectangles.
  void set(ElementRef ref, const Rect& extent);
  void remove(ElementRef ref);
  // Appends every element whose extent meets the (inclusive) area, each once,
  // in no particular order.
  void query(const Rect& area, std::vector<ElementRef>& out) const;
  bool contains(ElementRef ref) const;
  size_t size() const;

 private:
  struct Entry {
    Rect extent;
    bool present = false;
    bool big = false;
  };
  std::vector<Entry>& entries(ElementKind kind) { return entries_[static_cast<int>(kind)]; }
  const std::vector<Entry>& entries(ElementKind kind) const { return entries_[static_cast<int>(kind)]; }
  void insertCells(uint32_t packed, const Entry& e);
  void eraseCells(uint32_t packed, const Entry& e);

  std::vector<Entry> entries_[3];
  std::unordered_map<uint64_t, std::vector<uint32_t>> cells_;
  std::vector<uint32_t> big_;
  size_t count_ = 0;
  mutable std::vector<uint8_t> seen_[3];
};

}  // namespace zorvex
