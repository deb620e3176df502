// The quick placement for large maps: boxes in rows by the longest chain of
// links below them, each row ordered so that related boxes sit near each
// other; the bottom row packed and each box above moved over the middle of
// its premises as far as its row leaves room. Linear in the boxes and links
// but for sorting.
#include <algorithm>
#include <numeric>

#include "layout/BoxLayout.h"
#include "layout/PlacedCorners.h"
#include "layout/RowRanks.h"

namespace zorvex {
namespace {

struct Links {
  const std::vector<int32_t>& rank;
  std::vector<std::vector<int32_t>> below;  // the premises of each box
  std::vector<int32_t> straightFrom;        // the premise kept upright under it, or -1
};

struct OrderKey {
  int64_t first = 0;
  int64_t second = 0;
  bool operator<(const OrderKey& o) const { return first != o.first ? first < o.first : second < o.second; }
};

// Boxes in the order a walk along the links meets them, so that linked boxes
// end up near each other in their rows; grouped and beside boxes follow
// their group's first box or the box they stand beside.
std::vector<OrderKey> orderKeys(const LayoutInput& in, const std::vector<int32_t>& rank) {
  const size_t n = in.boxes.size();
  std::vector<std::vector<int32_t>> next(n);
  for (const auto& [from, to] : in.links) {
    next[from].push_back(to);
    next[to].push_back(from);
  }
  std::vector<int64_t> seen(n, -1);
  int64_t count = 0;
  std::vector<int32_t> stack;
  for (size_t start = 0; start < n; ++start) {
    if (seen[start] >= 0) continue;
    stack.push_back(static_cast<int32_t>(start));
    while (!stack.empty()) {
      const int32_t b = stack.back();
      stack.pop_back();
      if (seen[b] >= 0) continue;
      seen[b] = count++;
      for (auto it = next[b].rbegin(); it != next[b].rend(); ++it)
        if (seen[*it] < 0) stack.push_back(*it);
    }
  }
  std::vector<OrderKey> key(n);
  for (size_t b = 0; b < n; ++b) key[b] = {seen[b] * 2, 0};
  for (const auto& [box, other] : in.beside)
    if (rank[box] == rank[other] && next[box].empty()) key[box] = {key[other].first + 1, box};
  for (const std::vector<int32_t>& group : in.groups) {
    if (group.empty()) continue;
    const int64_t lead =
        key[*std::min_element(group.begin(), group.end(), [&](int32_t a, int32_t b) { return key[a] < key[b]; })].first;
    for (size_t i = 0; i < group.size(); ++i) key[group[i]] = {lead, static_cast<int64_t>(i)};
  }
  return key;
}

// Each row's boxes left to right, the rows from the top (highest rank) down.
std::vector<std::vector<int32_t>> rowsOf(const LayoutInput& in, const std::vector<int32_t>& rank) {
  const std::vector<OrderKey> key = orderKeys(in, rank);
  const int32_t top = rank.empty() ? 0 : *std::max_element(rank.begin(), rank.end());
  std::vector<std::vector<int32_t>> rows(top + 1);
  for (size_t b = 0; b < rank.size(); ++b) rows[top - rank[b]].push_back(static_cast<int32_t>(b));
  for (auto& row : rows)
    std::stable_sort(row.begin(), row.end(), [&](int32_t a, int32_t b) { return key[a] < key[b]; });
  return rows;
}

constexpr double NoWish = -1e300;

// Left to right, each box at its wish or as near as the one before allows.
void placeRow(const std::vector<int32_t>& row, const LayoutInput& in, std::vector<double>& centreX,
              const std::vector<double>& wish) {
  bool first = true;
  double cursor = 0;
  for (int32_t b : row) {
    const double half = in.boxes[b].width / 2.0;
    const double packed = cursor + half;
    const double x = wish[b] == NoWish ? packed : first ? wish[b] : std::max(wish[b], packed);
    centreX[b] = x;
    cursor = x + half + in.gap;
    first = false;
  }
}

// Where each box of a row would best stand: over the box kept upright under
// it, else over the middle of its premises, else beside its neighbour in the
// walk's order. The row is then sorted by those places.
void wishRow(std::vector<int32_t>& row, const LayoutInput& in, const Links& links, const std::vector<double>& centreX,
             std::vector<double>& wish) {
  for (int32_t b : row) {
    const int32_t upright = links.straightFrom[b];
    if (upright >= 0 && links.rank[upright] < links.rank[b]) {
      wish[b] = centreX[upright];
      continue;
    }
    double sum = 0;
    int count = 0;
    for (int32_t p : links.below[b])
      if (links.rank[p] < links.rank[b]) {
        sum += centreX[p];
        ++count;
      }
    if (count > 0) wish[b] = sum / count;
  }
  for (const auto& [box, other] : in.beside)
    if (wish[box] == NoWish && links.rank[box] == links.rank[other]) wish[box] = wish[other];
  double last = NoWish;
  for (int32_t b : row) {
    if (wish[b] == NoWish)
      wish[b] = last;
    else
      last = wish[b];
  }
  std::stable_sort(row.begin(), row.end(), [&](int32_t a, int32_t b) { return wish[a] < wish[b]; });
}

}  // namespace

LayoutOutput layOutInRows(const LayoutInput& in) {
  LayoutOutput out;
  out.method = LayoutMethod::Rows;
  const size_t n = in.boxes.size();
  if (n == 0) return out;
  const std::vector<int32_t> rank = rowRanks(in);
  std::vector<std::vector<int32_t>> rows = rowsOf(in, rank);
  Links links{rank, std::vector<std::vector<int32_t>>(n), std::vector<int32_t>(n, -1)};
  for (const auto& [from, to] : in.links) links.below[to].push_back(from);
  for (const auto& [from, to] : in.straight) links.straightFrom[to] = from;
  // The bottom row packed, each row above drawn over what supports it.
  std::vector<double> centreX(n, 0), wish(n, NoWish);
  for (size_t r = rows.size(); r-- > 0;) {
    if (r + 1 < rows.size()) wishRow(rows[r], in, links, centreX, wish);
    placeRow(rows[r], in, centreX, wish);
  }
  std::vector<DoublePoint> centres(n);
  double y = 0;
  for (const auto& row : rows) {
    int32_t height = 0;
    for (int32_t b : row) height = std::max(height, in.boxes[b].height);
    for (int32_t b : row) centres[b] = {centreX[b], y + height / 2.0};
    y += height + in.gap * 3;
  }
  out.corners = cornersFromCentres(in.boxes, centres);
  return out;
}

}  // namespace zorvex
