#include "editor/HitTest.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/ArgumentEditor.h"

namespace zorvex {

bool segmentHit(Point p, Point s, Point e) {
  const int64_t dx = int64_t{s.x} - e.x, dy = int64_t{s.y} - e.y;
  const int64_t len2 = dx * dx + dy * dy;
  const int64_t c = std::llabs((dy * p.x - dx * p.y) - (dy * s.x - dx * s.y));
  const long double tolerance = 30 * 0.1L;
  if (static_cast<long double>(c) >= std::sqrt(static_cast<long double>(len2)) * tolerance) return false;
  const int64_t t = dx * p.x + dy * p.y;
  const int64_t ts = dx * s.x + dy * s.y;
  const int64_t te = dx * e.x + dy * e.y;
  return (ts <= t && t <= te) || (te <= t && t <= ts);
}

bool rectBorderHit(Point p, const Rect& r) {
  const int64_t x = p.x, y = p.y;
  auto near = [](int64_t a, int64_t b) { return std::llabs(a - b) < HitReach; };
  if ((near(r.Left, x) || near(r.Right, x)) && r.Top - HitReach < y && y < int64_t{r.Bottom} + HitReach) return true;
  return (near(r.Top, y) || near(r.Bottom, y)) && r.Left - HitReach < x && x < int64_t{r.Right} + HitReach;
}

// Measured from the segment's start, so large coordinates keep their precision.
bool segmentHit(ExactPoint p, Point s, Point e, double reach) {
  const double dx = static_cast<double>(s.x) - e.x, dy = static_cast<double>(s.y) - e.y;
  const double len2 = dx * dx + dy * dy;
  const double px = p.x - s.x, py = p.y - s.y;
  if (std::abs(dy * px - dx * py) >= std::sqrt(len2) * reach) return false;
  // Along the segment: 0 at its start, -len2 at its end.
  const double t = dx * px + dy * py;
  return -len2 <= t && t <= 0;
}

bool rectBorderHit(ExactPoint p, const Rect& r, double reach) {
  auto near = [reach](double a, double b) { return std::abs(a - b) < reach; };
  const double l = r.Left, t = r.Top, rr = r.Right, b = r.Bottom;
  if ((near(l, p.x) || near(rr, p.x)) && t - reach < p.y && p.y < b + reach) return true;
  return (near(t, p.y) || near(b, p.y)) && l - reach < p.x && p.x < rr + reach;
}

namespace {
int32_t clamp32(double v) { return static_cast<int32_t>(std::clamp<double>(v, INT32_MIN, INT32_MAX)); }

Rect around(int32_t x, int32_t y) {
  auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  return {clamp(int64_t{x} - HitReach), clamp(int64_t{y} - HitReach), clamp(int64_t{x} + HitReach),
          clamp(int64_t{y} + HitReach)};
}

Rect around(ExactPoint p, double reach) {
  const double r = std::ceil(reach) + 1;
  return {clamp32(std::floor(p.x - r)), clamp32(std::floor(p.y - r)), clamp32(std::ceil(p.x + r)),
          clamp32(std::ceil(p.y + r))};
}

// Only elements whose drawn extent comes within reach of the point can be
// hit; of those the highest number wins, as a full scan keeping the last
// match would give.
template <class Hits>
std::optional<int32_t> highestHit(const Diagram& d, ElementKind kind, const Rect& area, Hits hits) {
  std::vector<ElementRef> found;
  d.query(area, found);
  std::optional<int32_t> result;
  for (const ElementRef& r : found)
    if (r.kind == kind && (!result || r.index > *result) && hits(r.index)) result = r.index;
  return result;
}

// The defeater's two rectangles and the line between them; P is a Point or
// an ExactPoint, reach is empty for the integer forms.
template <class P, class... Reach>
bool onDefeater(const TDefeater& d, P p, Reach... reach) {
  return !d.Deleted && (rectBorderHit(p, d.ChallengingRect, reach...) || rectBorderHit(p, d.ChallengedRect, reach...) ||
                        segmentHit(p, {d.StartX, d.StartY}, {d.EndX, d.EndY}, reach...));
}

template <class P, class... Reach>
bool onArrow(const TArrow& a, P p, Reach... reach) {
  return !a.Deleted && segmentHit(p, {a.StartX, a.StartY}, {a.EndX, a.EndY}, reach...);
}
}  // namespace

std::optional<int32_t> ArgumentEditor::FindArrowAt(int32_t x, int32_t y) const {
  return highestHit(diagram_, ElementKind::Arrow, around(x, y),
                    [&](int32_t k) { return onArrow(diagram_.arrow(k), Point{x, y}); });
}

std::optional<int32_t> ArgumentEditor::FindDefeaterAt(int32_t x, int32_t y) const {
  return highestHit(diagram_, ElementKind::Defeater, around(x, y),
                    [&](int32_t k) { return onDefeater(diagram_.defeater(k), Point{x, y}); });
}

std::optional<int32_t> ArgumentEditor::FindArrowAt(ExactPoint p, double reach) const {
  return highestHit(diagram_, ElementKind::Arrow, around(p, reach),
                    [&](int32_t k) { return onArrow(diagram_.arrow(k), p, reach); });
}

std::optional<int32_t> ArgumentEditor::FindDefeaterAt(ExactPoint p, double reach) const {
  return highestHit(diagram_, ElementKind::Defeater, around(p, reach),
                    [&](int32_t k) { return onDefeater(diagram_.defeater(k), p, reach); });
}

double ArgumentEditor::hitReach() const { return view_.toDiagramLength(HitReach); }

// At 100 % the pixel is a diagram point and the integer forms keep their
// results exactly; at any other zoom the reach is 3 screen pixels.
std::optional<int32_t> ArgumentEditor::FindArrowAtPixel(ViewPoint v) const {
  if (view_.isActualSize()) {
    const Point p = view_.toDiagram(v);
    return FindArrowAt(p.x, p.y);
  }
  return FindArrowAt(view_.toDiagramExact(v), hitReach());
}

std::optional<int32_t> ArgumentEditor::FindDefeaterAtPixel(ViewPoint v) const {
  if (view_.isActualSize()) {
    const Point p = view_.toDiagram(v);
    return FindDefeaterAt(p.x, p.y);
  }
  return FindDefeaterAt(view_.toDiagramExact(v), hitReach());
}

// Handlers called directly, not from a pointer event, work at 100 %.
std::optional<int32_t> ArgumentEditor::arrowUnderPointer(Point p) const {
  return pointer_ ? FindArrowAtPixel(*pointer_) : FindArrowAt(p.x, p.y);
}

std::optional<int32_t> ArgumentEditor::defeaterUnderPointer(Point p) const {
  return pointer_ ? FindDefeaterAtPixel(*pointer_) : FindDefeaterAt(p.x, p.y);
}

}  // namespace zorvex
