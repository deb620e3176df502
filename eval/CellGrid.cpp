#include "eval/CellGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorvex {
namespace {

int64_t doubledX(const BoxKey& k) { return int64_t{k.a} + k.c; }
int64_t doubledY(const BoxKey& k) { return int64_t{k.b} + k.d; }

}  // namespace

void CellGrid::build(const std::vector<BoxKey>& keys) {
  usable_ = false;
  filed_.clear();
  aside_.clear();
  cellStart_.clear();
  int64_t hiX = std::numeric_limits<int64_t>::min(), hiY = hiX;
  loX_ = loY_ = std::numeric_limits<int64_t>::max();
  size_t normal = 0;
  for (const BoxKey& k : keys) {
    if (k.a > k.c || k.b > k.d) {
      aside_.push_back(k);
      if (aside_.size() > MostAside) return;
      continue;
    }
    ++normal;
    loX_ = std::min(loX_, doubledX(k)), hiX = std::max(hiX, doubledX(k));
    loY_ = std::min(loY_, doubledY(k)), hiY = std::max(hiY, doubledY(k));
  }
  if (normal == 0) {
    usable_ = true;
    cellStart_.assign(1, 0);
    columns_ = rows_ = 0;
    return;
  }
  // About two elements per cell when they are spread evenly.
  const double width = static_cast<double>(hiX - loX_) + 1, height = static_cast<double>(hiY - loY_) + 1;
  const double side = std::sqrt(width * height * 2 / static_cast<double>(normal)) * 1.41;
  shift_ = 0;
  while (shift_ < 40 && std::ldexp(1.0, shift_ + 1) <= side) ++shift_;
  columns_ = ((hiX - loX_) >> shift_) + 1;
  rows_ = ((hiY - loY_) >> shift_) + 1;
  if (columns_ * rows_ > static_cast<int64_t>(4 * normal + 16)) return;  // a thin line of elements: leave it to the tree
  const size_t cells = static_cast<size_t>(columns_ * rows_);
  std::vector<int32_t> count(cells + 1, 0);
  std::vector<uint32_t> cellOf;
  cellOf.reserve(normal);
  for (const BoxKey& k : keys) {
    if (k.a > k.c || k.b > k.d) continue;
    const uint32_t cell = static_cast<uint32_t>(cellY(doubledY(k)) * columns_ + cellX(doubledX(k)));
    cellOf.push_back(cell);
    if (static_cast<size_t>(++count[cell + 1]) > MostPerCell) return;
  }
  for (size_t c = 0; c < cells; ++c) count[c + 1] += count[c];
  cellStart_ = count;
  filed_.resize(normal);
  size_t i = 0;
  for (const BoxKey& k : keys) {
    if (k.a > k.c || k.b > k.d) continue;
    filed_[count[cellOf[i++]]++] = k;
  }
  usable_ = true;
}

uint32_t CellGrid::visitOrder(const BoxQuery& q) const {
  if (!usable_ || columns_ == 0) return 0;
  const int64_t x = q.a * 2 < loX_ ? 0 : std::min(columns_ - 1, cellX(q.a * 2));
  const int64_t y = q.b * 2 < loY_ ? 0 : std::min(rows_ - 1, cellY(q.b * 2));
  return static_cast<uint32_t>(y * columns_ + x);
}

CellGrid::Answer CellGrid::collectInside(const BoxQuery& q, size_t most, std::vector<int32_t>& out) const {
  if (!usable_) return Answer::Declined;
  const size_t before = out.size();
  // A filed element inside the query has its doubled centre within the doubled bounds.
  if (q.a <= q.c && q.b <= q.d && columns_ > 0) {
    const int64_t x0 = std::max<int64_t>(0, q.a * 2 < loX_ ? 0 : cellX(q.a * 2));
    const int64_t y0 = std::max<int64_t>(0, q.b * 2 < loY_ ? 0 : cellY(q.b * 2));
    const int64_t x1 = q.c * 2 < loX_ ? -1 : std::min(columns_ - 1, cellX(q.c * 2));
    const int64_t y1 = q.d * 2 < loY_ ? -1 : std::min(rows_ - 1, cellY(q.d * 2));
    if (x1 >= x0 && y1 >= y0) {
      if ((x1 - x0 + 1) * (y1 - y0 + 1) > MostCellsPerQuery) return Answer::Declined;
      for (int64_t y = y0; y <= y1; ++y) {
        const int64_t row = y * columns_;
        for (int32_t p = cellStart_[row + x0]; p < cellStart_[row + x1 + 1]; ++p)
          if (inside(filed_[p], q)) out.push_back(filed_[p].id);
      }
    }
  }
  for (const BoxKey& k : aside_)
    if (inside(k, q)) out.push_back(k.id);
  if (out.size() - before > most) {
    out.resize(before);
    return Answer::TooMany;
  }
  return Answer::Listed;
}

}  // namespace zorvex
