#include "viewport/ViewTransform.h"

#include <algorithm>
#include <cmath>

namespace zorvex {
namespace {

// Powers of two: a diagram unit is always a whole number of pixels, or a
// pixel a whole number of units, so the picture keeps a clean grid.
constexpr ZoomScale Ladder[ViewTransform::StepCount] = {
    {1, 64}, {1, 32}, {1, 16}, {1, 8}, {1, 4}, {1, 2}, {1, 1}, {2, 1}, {4, 1}, {8, 1},
};
constexpr const char* Labels[ViewTransform::StepCount] = {
    "1.5625 %", "3.125 %", "6.25 %", "12.5 %", "25 %", "50 %", "100 %", "200 %", "400 %", "800 %",
};

int64_t floorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int clampStep(int step) { return std::clamp(step, 0, ViewTransform::StepCount - 1); }

int32_t toInt32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

ZoomScale ViewTransform::scaleOfStep(int step) { return Ladder[clampStep(step)]; }

const char* zoomLabel(int step) { return Labels[clampStep(step)]; }

double ViewTransform::factor() const {
  const ZoomScale s = scale();
  return static_cast<double>(s.num) / static_cast<double>(s.den);
}

void ViewTransform::scrollBy(int64_t dx, int64_t dy) { offset_ = {offset_.x + dx, offset_.y + dy}; }

int64_t ViewTransform::zoomed(int64_t d) const {
  const ZoomScale s = scale();
  return floorDiv(d * s.num, s.den);
}

ViewPoint ViewTransform::toView(int64_t x, int64_t y) const { return {zoomed(x) - offset_.x, zoomed(y) - offset_.y}; }

ViewPoint ViewTransform::toView(Point d) const { return toView(d.x, d.y); }

ViewRect ViewTransform::toView(const Rect& r) const {
  const int64_t l = std::min(r.Left, r.Right), t = std::min(r.Top, r.Bottom);
  const int64_t rr = std::max(r.Left, r.Right), b = std::max(r.Top, r.Bottom);
  const int64_t zl = zoomed(l), zt = zoomed(t);
  // The last unit reaches at least the pixel its own point shows at.
  return {zl - offset_.x, zt - offset_.y, std::max(zoomed(rr + 1) - 1, zoomed(rr)) - offset_.x,
          std::max(zoomed(b + 1) - 1, zoomed(b)) - offset_.y};
}

Point ViewTransform::toDiagram(ViewPoint v) const {
  const ZoomScale s = scale();
  return {toInt32(floorDiv((v.x + offset_.x) * s.den, s.num)), toInt32(floorDiv((v.y + offset_.y) * s.den, s.num))};
}

ExactPoint ViewTransform::toDiagramExact(ViewPoint v) const {
  const ZoomScale s = scale();
  const double f = static_cast<double>(s.den) / static_cast<double>(s.num);
  return {static_cast<double>(v.x + offset_.x) * f, static_cast<double>(v.y + offset_.y) * f};
}

// Zoomed out, the last pixel holds several units: all of them belong.
Rect ViewTransform::toDiagram(const ViewRect& r) const {
  const Point a = toDiagram(ViewPoint{r.left, r.top});
  const Point b = toDiagram(ViewPoint{r.right, r.bottom});
  const Point past = toDiagram(ViewPoint{r.right + 1, r.bottom + 1});
  return {a.x, a.y, std::max(b.x, toInt32(int64_t{past.x} - 1)), std::max(b.y, toInt32(int64_t{past.y} - 1))};
}

void ViewTransform::zoomTo(int step, ViewPoint anchor) {
  const ExactPoint d = toDiagramExact(anchor);
  step_ = clampStep(step);
  const double f = factor();
  offset_ = {static_cast<int64_t>(std::floor(d.x * f)) - anchor.x, static_cast<int64_t>(std::floor(d.y * f)) - anchor.y};
}

void ViewTransform::placeAt(Point d, ViewPoint at) { offset_ = {zoomed(d.x) - at.x, zoomed(d.y) - at.y}; }

int fitStep(const Rect& extent, int64_t width, int64_t height, int64_t margin) {
  const int64_t w = int64_t{extent.Right} - extent.Left + 1;
  const int64_t h = int64_t{extent.Bottom} - extent.Top + 1;
  const int64_t roomW = std::max<int64_t>(1, width - 2 * margin);
  const int64_t roomH = std::max<int64_t>(1, height - 2 * margin);
  for (int step = ViewTransform::StepCount - 1; step > 0; --step) {
    const ZoomScale s = ViewTransform::scaleOfStep(step);
    if (w * s.num <= roomW * s.den && h * s.num <= roomH * s.den) return step;
  }
  return 0;
}

}  // namespace zorvex
