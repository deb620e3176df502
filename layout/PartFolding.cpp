// Folding chooses how many columns or pieces by bisection on the picture's
// proportions, each try linear in the layers or the boxes.
#include "layout/PartFolding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorvex {
namespace {

constexpr double Far = std::numeric_limits<double>::max();

struct Extent {
  double left = Far, right = -Far, height = 0;
};

struct Picture {
  const LayeredGraph& g;
  const std::vector<double>& x;
  std::vector<Extent> layer;  // of the boxes of each layer
  double rowGap;

  double width() const {
    double l = Far, r = -Far;
    for (const Extent& e : layer) l = std::min(l, e.left), r = std::max(r, e.right);
    return r > l ? r - l : 0;
  }
  double height() const {
    double h = 0;
    for (const Extent& e : layer) h += e.height + rowGap;
    return h > 0 ? h - rowGap : 0;
  }
};

// Which column each layer goes to with `columns` columns of about equal height, the top layers first.
std::vector<int32_t> columnsOf(const Picture& p, int32_t columns) {
  const double share = (p.height() + p.rowGap) / columns;
  std::vector<int32_t> column(p.layer.size(), 0);
  double filled = 0;
  int32_t c = 0;
  for (size_t l = p.layer.size(); l-- > 0;) {
    const double h = p.layer[l].height + p.rowGap;
    if (filled > 0 && filled + h / 2 > share && c + 1 < columns) {
      ++c;
      filled = 0;
    }
    column[l] = c;
    filled += h;
  }
  return column;
}

struct Size {
  double width, height;
};

// The column of each layer, its columns' left edges, and the size of the whole.
Size columnSize(const Picture& p, const std::vector<int32_t>& column, std::vector<double>* left = nullptr) {
  const int32_t columns = column.empty() ? 0 : column.front() + 1;
  std::vector<Extent> of(columns);
  std::vector<double> height(columns, 0);
  for (size_t l = 0; l < p.layer.size(); ++l) {
    Extent& e = of[column[l]];
    e.left = std::min(e.left, p.layer[l].left);
    e.right = std::max(e.right, p.layer[l].right);
    height[column[l]] += p.layer[l].height + p.rowGap;
  }
  double width = 0;
  if (left) left->assign(columns, 0);
  for (int32_t c = 0; c < columns; ++c) {
    if (left) (*left)[c] = width;
    width += (of[c].right > of[c].left ? of[c].right - of[c].left : 0) + p.rowGap;
  }
  return {width - p.rowGap, *std::max_element(height.begin(), height.end()) - p.rowGap};
}

// The least count in [1, most] whose proportions reach `aim` (as `aspect` grows with it), or its predecessor when nearer.
template <class Aspect>
int32_t bisect(int32_t most, double aim, Aspect aspect) {
  int32_t lo = 1, hi = std::max(1, most);
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (aspect(mid) >= aim)
      hi = mid;
    else
      lo = mid + 1;
  }
  if (lo > 1 && std::abs(std::log(aspect(lo - 1) / aim)) < std::abs(std::log(aspect(lo) / aim))) --lo;
  return lo;
}

std::vector<DoublePoint> inColumns(const Picture& p, const std::vector<double>& layerY, double aim) {
  const int32_t layers = static_cast<int32_t>(p.layer.size());
  const int32_t columns = bisect(layers, aim, [&](int32_t k) {
    const Size s = columnSize(p, columnsOf(p, k));
    return s.width / std::max(1.0, s.height);
  });
  const std::vector<int32_t> column = columnsOf(p, columns);
  std::vector<double> left, top(columns, -1), columnLeft(columns, Far);
  columnSize(p, column, &left);
  for (int32_t l = layers; l-- > 0;) {
    const Extent& e = p.layer[l];
    if (top[column[l]] < 0) top[column[l]] = layerY[l] - e.height / 2;
    columnLeft[column[l]] = std::min(columnLeft[column[l]], e.left);
  }
  std::vector<DoublePoint> centres(p.g.boxes);
  for (int32_t b = 0; b < p.g.boxes; ++b) {
    const int32_t c = column[p.g.rank[b]];
    centres[b] = {p.x[b] - columnLeft[c] + left[c], layerY[p.g.rank[b]] - top[c]};
  }
  return centres;
}

// A group is not cut, nor an unlinked box from the box it stands beside.
bool together(const LayeredGraph& g, int32_t a, int32_t b) {
  return (g.group[a] >= 0 && g.group[a] == g.group[b]) || g.besideOf[a] == b || g.besideOf[b] == a;
}

// Pieces of `piece` width of every layer, left to right, each below the one before.
Size bandSize(const Picture& p, double piece, std::vector<DoublePoint>* centres = nullptr) {
  const double left = p.width() > 0 ? std::min_element(p.layer.begin(), p.layer.end(), [](auto& a, auto& b) {
                                        return a.left < b.left;
                                      })->left : 0;
  double cursor = 0, widest = 0;
  for (size_t l = p.layer.size(); l-- > 0;) {
    int64_t last = -1;
    int32_t before = -1;
    for (int32_t v : p.g.layers[l]) {
      if (v >= p.g.boxes) continue;
      const int64_t k = before >= 0 && together(p.g, before, v) ? last : static_cast<int64_t>((p.x[v] - left) / piece);
      before = v;
      if (k != last) {
        if (last >= 0) cursor += p.layer[l].height + p.rowGap;
        last = k;
      }
      widest = std::max(widest, p.x[v] + p.g.width[v] / 2 - left - k * piece);
      if (centres) (*centres)[v] = {p.x[v] - k * piece, cursor + p.layer[l].height / 2};
    }
    if (last >= 0) cursor += p.layer[l].height + p.rowGap;
  }
  return {widest, cursor - p.rowGap};
}

std::vector<DoublePoint> inBands(const Picture& p, double aim) {
  const double width = p.width();
  const int32_t most = static_cast<int32_t>(std::min(1e6, width / (4.0 * p.g.gap)));
  const int32_t pieces = bisect(most, 1.0 / aim, [&](int32_t k) {
    const Size s = bandSize(p, width / k + 1);
    return s.height / std::max(1.0, s.width);
  });
  std::vector<DoublePoint> centres(p.g.boxes);
  bandSize(p, width / pieces + 1, &centres);
  return centres;
}

}  // namespace

std::vector<DoublePoint> foldedCentres(const LayeredGraph& g, const std::vector<double>& x,
                                       const std::vector<double>& layerY, const PartShape& shape) {
  Picture p{g, x, std::vector<Extent>(g.layers.size()), 3.0 * g.gap};
  for (int32_t b = 0; b < g.boxes; ++b) {
    Extent& e = p.layer[g.rank[b]];
    e.left = std::min(e.left, x[b] - g.width[b] / 2);
    e.right = std::max(e.right, x[b] + g.width[b] / 2);
    e.height = std::max(e.height, g.height[b]);
  }
  const double width = p.width(), height = p.height();
  const bool large = width * height > 4 * shape.surfaceWidth * shape.surfaceHeight;
  if (large && height > 0 && width > shape.maxAspect * height) return inBands(p, shape.foldAspect);
  if (large && width > 0 && height > shape.maxAspect * width) return inColumns(p, layerY, shape.foldAspect);
  std::vector<DoublePoint> centres(g.boxes);
  for (int32_t b = 0; b < g.boxes; ++b) centres[b] = {x[b], layerY[g.rank[b]]};
  return centres;
}

}  // namespace zorvex
