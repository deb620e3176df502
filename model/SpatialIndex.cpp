#include "model/SpatialIndex.h"

#include <algorithm>

namespace zorvex {
namespace {

constexpr int64_t MaxCellsPerElement = 64;

int32_t cellOf(int32_t v) {
  // Floor division, so negative coordinates get cells of their own.
  int64_t q = int64_t{v} / SpatialIndex::CellSize;
  if (v < 0 && int64_t{v} % SpatialIndex::CellSize != 0) --q;
  return static_cast<int32_t>(q);
}

uint64_t cellKey(int32_t cx, int32_t cy) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32) | static_cast<uint32_t>(cy);
}

uint32_t pack(ElementRef r) { return (static_cast<uint32_t>(r.kind) << 30) | static_cast<uint32_t>(r.index); }
ElementRef unpack(uint32_t p) {
  return {static_cast<ElementKind>(p >> 30), static_cast<int32_t>(p & 0x3FFFFFFFu)};
}

bool meets(const Rect& a, const Rect& b) {
  return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

int64_t cellSpan(const Rect& e) {
  return (int64_t{cellOf(e.Right)} - cellOf(e.Left) + 1) * (int64_t{cellOf(e.Bottom)} - cellOf(e.Top) + 1);
}

}  // namespace

void SpatialIndex::clear() {
  for (auto& v : entries_) v.clear();
  cells_.clear();
  big_.clear();
  count_ = 0;
}

void SpatialIndex::insertCells(uint32_t packed, const Entry& e) {
  if (e.big) {
    big_.push_back(packed);
    return;
  }
  for (int32_t cx = cellOf(e.extent.Left); cx <= cellOf(e.extent.Right); ++cx)
    for (int32_t cy = cellOf(e.extent.Top); cy <= cellOf(e.extent.Bottom); ++cy)
      cells_[cellKey(cx, cy)].push_back(packed);
}

void SpatialIndex::eraseCells(uint32_t packed, const Entry& e) {
  auto drop = [packed](std::vector<uint32_t>& v) {
    auto it = std::find(v.begin(), v.end(), packed);
    if (it != v.end()) {
      *it = v.back();
      v.pop_back();
    }
  };
  if (e.big) {
    drop(big_);
    return;
  }
  for (int32_t cx = cellOf(e.extent.Left); cx <= cellOf(e.extent.Right); ++cx)
    for (int32_t cy = cellOf(e.extent.Top); cy <= cellOf(e.extent.Bottom); ++cy) {
      auto it = cells_.find(cellKey(cx, cy));
      if (it == cells_.end()) continue;
      drop(it->second);
      if (it->second.empty()) cells_.erase(it);
    }
}

void SpatialIndex::set(ElementRef ref, const Rect& extent) {
  auto& list = entries(ref.kind);
  if (static_cast<size_t>(ref.index) >= list.size()) list.resize(static_cast<size_t>(ref.index) + 1);
  Entry& e = list[static_cast<size_t>(ref.index)];
  const uint32_t packed = pack(ref);
  if (e.present) {
    eraseCells(packed, e);
  } else {
    ++count_;
  }
  Rect n{std::min(extent.Left, extent.Right), std::min(extent.Top, extent.Bottom),
         std::max(extent.Left, extent.Right), std::max(extent.Top, extent.Bottom)};
  e.extent = n;
  e.present = true;
  e.big = cellSpan(n) > MaxCellsPerElement;
  insertCells(packed, e);
}

void SpatialIndex::remove(ElementRef ref) {
  auto& list = entries(ref.kind);
  if (ref.index < 0 || static_cast<size_t>(ref.index) >= list.size()) return;
  Entry& e = list[static_cast<size_t>(ref.index)];
  if (!e.present) return;
  eraseCells(pack(ref), e);
  e.present = false;
  --count_;
}

bool SpatialIndex::contains(ElementRef ref) const {
  const auto& list = entries(ref.kind);
  return ref.index >= 0 && static_cast<size_t>(ref.index) < list.size() &&
         list[static_cast<size_t>(ref.index)].present;
}

size_t SpatialIndex::size() const { return count_; }

void SpatialIndex::query(const Rect& area, std::vector<ElementRef>& out) const {
  const size_t first = out.size();
  auto consider = [&](uint32_t packed) {
    ElementRef r = unpack(packed);
    auto& seen = seen_[static_cast<int>(r.kind)];
    const auto& list = entries(r.kind);
    if (seen.size() < list.size()) seen.resize(list.size(), 0);
    if (seen[static_cast<size_t>(r.index)]) return;
    if (!meets(list[static_cast<size_t>(r.index)].extent, area)) return;
    seen[static_cast<size_t>(r.index)] = 1;
    out.push_back(r);
  };
  for (uint32_t p : big_) consider(p);
  const int64_t span = cellSpan(area);
  if (span <= static_cast<int64_t>(cells_.size())) {
    for (int32_t cx = cellOf(area.Left); cx <= cellOf(area.Right); ++cx)
      for (int32_t cy = cellOf(area.Top); cy <= cellOf(area.Bottom); ++cy) {
        auto it = cells_.find(cellKey(cx, cy));
        if (it == cells_.end()) continue;
        for (uint32_t p : it->second) consider(p);
      }
  } else {
    // The area covers more cells than exist: walk the cells instead.
    for (const auto& [key, v] : cells_)
      for (uint32_t p : v) consider(p);
  }
  for (size_t i = first; i < out.size(); ++i) seen_[static_cast<int>(out[i].kind)][static_cast<size_t>(out[i].index)] = 0;
}

}  // namespace zorvex
