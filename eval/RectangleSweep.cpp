#include "eval/RectangleSweep.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorvex {
namespace {

int64_t doubledX(const BoxKey& k) { return int64_t{k.a} + k.c; }
int64_t doubledY(const BoxKey& k) { return int64_t{k.b} + k.d; }

struct Found {
  int32_t query;
  int32_t id;
};

int32_t narrow(int64_t v) { return static_cast<int32_t>(v); }

constexpr int64_t Lowest = std::numeric_limits<int32_t>::min();
constexpr int64_t Highest = std::numeric_limits<int32_t>::max();

}  // namespace

void RectangleSweep::prepare(const std::vector<BoxKey>& keys, size_t queryCount) {
  usable_ = false;
  aside_.clear();
  columns_ = rows_ = 0;
  int64_t hiX = std::numeric_limits<int64_t>::min(), hiY = hiX;
  loX_ = loY_ = std::numeric_limits<int64_t>::max();
  size_t normal = 0;
  for (const BoxKey& k : keys) {
    if (wrongWayRound(k)) {
      aside_.push_back(k);
      if (aside_.size() > MostAside) return;
      continue;
    }
    ++normal;
    loX_ = std::min(loX_, doubledX(k)), hiX = std::max(hiX, doubledX(k));
    loY_ = std::min(loY_, doubledY(k)), hiY = std::max(hiY, doubledY(k));
  }
  usable_ = true;
  if (normal == 0) return;
  // About two elements per cell when they are spread evenly; with few
  // queries, as many cells as queries (but never more than 64 elements a cell).
  const double perCell =
      queryCount == 0 ? 2.0 : std::clamp(static_cast<double>(normal) / static_cast<double>(queryCount), 2.0, 64.0);
  const double width = static_cast<double>(hiX - loX_) + 1, height = static_cast<double>(hiY - loY_) + 1;
  const double side = std::sqrt(width * height * perCell / static_cast<double>(normal)) * 1.41;
  shift_ = 0;
  while (shift_ < 40 && std::ldexp(1.0, shift_ + 1) <= side) ++shift_;
  columns_ = ((hiX - loX_) >> shift_) + 1;
  rows_ = ((hiY - loY_) >> shift_) + 1;
  // A thin line of elements would need more cells than it has elements: leave it to the tree.
  if (columns_ * rows_ > static_cast<int64_t>(4 * normal + 16)) usable_ = false;
}

RectangleSweep::CellRange RectangleSweep::cellsOf(const BoxQuery& q) const {
  // A filed element inside the query has its doubled centre within the doubled bounds.
  // Bounds beyond 32 bits leave no room for any element.
  if (q.a > q.c || q.b > q.d || columns_ == 0 || q.a > Highest || q.b > Highest || q.c < Lowest || q.d < Lowest)
    return {0, 0, -1, -1};
  return {q.a * 2 < loX_ ? 0 : cellX(q.a * 2), q.b * 2 < loY_ ? 0 : cellY(q.b * 2),
          q.c * 2 < loX_ ? -1 : std::min(columns_ - 1, cellX(q.c * 2)),
          q.d * 2 < loY_ ? -1 : std::min(rows_ - 1, cellY(q.d * 2))};
}

// Every query that the grid takes, filed in each cell it covers.
struct RectangleSweep::Filing {
  std::vector<int32_t> start;  // per cell, into filed; one more at the end
  std::vector<FiledQuery> filed;
};

RectangleSweep::Filing RectangleSweep::fileQueries(const std::vector<BoxQuery>& queries,
                                                   const std::vector<uint8_t>& skip,
                                                   std::vector<Answer>& answer) const {
  const size_t cells = static_cast<size_t>(columns_ * rows_);
  Filing f;
  f.start.assign(cells + 1, 0);
  std::vector<CellRange> ranges(queries.size());
  for (size_t i = 0; i < queries.size(); ++i) {
    if (skip[i]) continue;
    const CellRange r = ranges[i] = cellsOf(queries[i]);
    if (r.x1 < r.x0 || r.y1 < r.y0) continue;
    if ((r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1) > MostCellsPerQuery) {
      answer[i] = Answer::Declined;
      ranges[i] = {0, 0, -1, -1};
      continue;
    }
    for (int64_t y = r.y0; y <= r.y1; ++y)
      for (int64_t x = r.x0; x <= r.x1; ++x) ++f.start[y * columns_ + x + 1];
  }
  for (size_t c = 0; c < cells; ++c) f.start[c + 1] += f.start[c];
  f.filed.resize(static_cast<size_t>(f.start[cells]));
  std::vector<int32_t> next(f.start.begin(), f.start.end() - 1);
  for (size_t i = 0; i < queries.size(); ++i) {
    const CellRange& r = ranges[i];
    if (skip[i] || r.x1 < r.x0 || r.y1 < r.y0) continue;
    const BoxQuery& q = queries[i];
    const FiledQuery entry{narrow(q.a), narrow(q.b), narrow(q.c), narrow(q.d), static_cast<int32_t>(i)};
    for (int64_t y = r.y0; y <= r.y1; ++y)
      for (int64_t x = r.x0; x <= r.x1; ++x) f.filed[next[y * columns_ + x]++] = entry;
  }
  return f;
}

void RectangleSweep::list(const std::vector<BoxKey>& keys, const std::vector<BoxQuery>& queries,
                          const std::vector<uint8_t>& skip, size_t most, Listing& out) const {
  const size_t count = queries.size();
  out.answer.assign(count, usable_ ? Answer::Listed : Answer::Declined);
  out.first.assign(count, 0);
  out.last.assign(count, 0);
  out.ids.clear();
  if (!usable_) return;
  const Filing filing = fileQueries(queries, skip, out.answer);
  // One sweep over the elements: each looks at the queries filed in its cell.
  std::vector<Found> found;
  found.reserve(4 * count);
  std::vector<int32_t> held(count, 0);
  for (const BoxKey& k : keys) {
    if (wrongWayRound(k)) continue;
    const size_t cell = static_cast<size_t>(cellY(doubledY(k)) * columns_ + cellX(doubledX(k)));
    for (int32_t f = filing.start[cell]; f < filing.start[cell + 1]; ++f) {
      const FiledQuery& q = filing.filed[f];
      if (k.a >= q.a && k.b >= q.b && k.c <= q.c && k.d <= q.d) found.push_back({q.query, k.id}), ++held[q.query];
    }
  }
  for (const BoxKey& k : aside_)
    for (size_t i = 0; i < count; ++i)
      if (!skip[i] && out.answer[i] == Answer::Listed && inside(k, queries[i]))
        found.push_back({static_cast<int32_t>(i), k.id}), ++held[i];
  // Group what was found by query.
  int32_t total = 0;
  for (size_t i = 0; i < count; ++i) {
    if (out.answer[i] == Answer::Listed && static_cast<size_t>(held[i]) > most) out.answer[i] = Answer::TooMany;
    out.first[i] = out.last[i] = total;
    if (out.answer[i] == Answer::Listed) total += held[i];
  }
  out.ids.resize(static_cast<size_t>(total));
  for (const Found& f : found)
    if (out.answer[f.query] == Answer::Listed) out.ids[out.last[f.query]++] = f.id;
}

}  // namespace zorvex
