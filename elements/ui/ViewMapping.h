#pragma once
// Diagram coordinates to pixels at one zoom step, and the one-pixel line
// every zoomed figure is drawn with. Every step is a power of two, so a
// coordinate maps by a shift: floor(v * scale) - offset, in 64 bits, as
// ViewTransform maps it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "model/Types.h"
#include "viewport/ViewTransform.h"

namespace zorvex {

inline ViewRect intersect(const ViewRect& a, const ViewRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

inline ViewRect expanded(const ViewRect& r, int64_t by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

inline bool meets(const ViewRect& a, const ViewRect& b) { return !intersect(a, b).empty(); }

inline ViewRect translated(const ViewRect& r, int64_t dx, int64_t dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

class ViewMapping {
 public:
  // The view's zoom and offset: surface pixels.
  static ViewMapping of(const ViewTransform& view);
  // One step without an offset: zoomed pixels, as pictures and tiles use them.
  static ViewMapping zoomedAt(int step);

  int shift() const { return shift_; }
  int64_t x(int64_t v) const { return scaled(v) - offsetX_; }
  int64_t y(int64_t v) const { return scaled(v) - offsetY_; }
  // The pixels the inclusive rectangle l..r, t..b covers: at least one.
  ViewRect rect(int64_t l, int64_t t, int64_t r, int64_t b) const {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    // Every pixel holding a unit of the rectangle, as ViewTransform::toView.
    return {x(l), y(t), std::max(x(r + 1) - 1, x(r)), std::max(y(b + 1) - 1, y(b))};
  }
  ViewRect rect(const Rect& r) const { return rect(r.Left, r.Top, r.Right, r.Bottom); }
  // The diagram units that show in any of the pixels, limited to 32 bits;
  // nothing (Left > Right) when none of them can exist.
  Rect unitsOf(const ViewRect& pixels) const;
  // A diagram length or coordinate zoomed, rounded down; no offset.
  int64_t scaled(int64_t v) const { return shift_ >= 0 ? v << shift_ : v >> -shift_; }

 private:
  int64_t unscaledFirst(int64_t px) const { return shift_ >= 0 ? px >> shift_ : px << -shift_; }
  int64_t unscaledLast(int64_t px) const { return shift_ >= 0 ? px >> shift_ : ((px + 1) << -shift_) - 1; }

  int shift_ = 0;
  int64_t offsetX_ = 0;
  int64_t offsetY_ = 0;
};

// The pixels of the line from a towards b, b excluded, that lie in clip: one
// per step along the major axis, the minor offset rounded to nearest with
// halves going forward, as the figures at 100 % are drawn. Dotted keeps the
// pixels at even steps from a. Any 64-bit coordinates of a zoomed view.
template <class Plot>
void rasterLine(int64_t ax, int64_t ay, int64_t bx, int64_t by, const ViewRect& clip, bool dotted, Plot&& plot) {
  const int64_t dx = bx - ax, dy = by - ay;
  const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  const int64_t n = std::max(adx, ady);
  if (n == 0 || clip.empty()) return;
  const bool xMajor = adx >= ady;
  const int64_t aMaj = xMajor ? ax : ay, aMin = xMajor ? ay : ax;
  const int64_t sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int64_t dMin = xMajor ? dy : dx;
  const int64_t sMin = dMin < 0 ? -1 : 1, absMin = std::llabs(dMin);
  const int64_t majLo = xMajor ? clip.left : clip.top, majHi = xMajor ? clip.right : clip.bottom;
  const int64_t minLo = xMajor ? clip.top : clip.left, minHi = xMajor ? clip.bottom : clip.right;
  int64_t lo = std::max<int64_t>(sMaj > 0 ? majLo - aMaj : aMaj - majHi, 0);
  const int64_t hi = std::min(sMaj > 0 ? majHi - aMaj : aMaj - majLo, n - 1);
  const int64_t step = dotted ? 2 : 1;
  if (dotted && lo % 2 != 0) ++lo;
  if (lo > hi) return;
  // offset(i) = (2 i absMin + n) div 2n, carried on as quotient and remainder.
  const int64_t twoN = 2 * n, gain = 2 * absMin * step;
  int64_t off = 0, rem = n;
  if (lo > 0 && lo < (int64_t{1} << 30) && absMin < (int64_t{1} << 30)) {
    off = (2 * lo * absMin + n) / twoN, rem = (2 * lo * absMin + n) % twoN;
  } else if (lo > 0) {
    __extension__ typedef __int128 Wide;  // clipped far along a line of a far zoomed-in view
    const Wide first = Wide{2} * lo * absMin + n;
    off = static_cast<int64_t>(first / twoN), rem = static_cast<int64_t>(first % twoN);
  }
  for (int64_t i = lo; i <= hi; i += step) {
    const int64_t minor = aMin + sMin * off;
    if (minor >= minLo && minor <= minHi) {
      const int64_t major = aMaj + sMaj * i;
      if (xMajor) {
        plot(major, minor);
      } else {
        plot(minor, major);
      }
    }
    rem += gain;
    while (rem >= twoN) {
      rem -= twoN;
      ++off;
    }
  }
}

}  // namespace zorvex
