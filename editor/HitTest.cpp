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

namespace {
Rect around(int32_t x, int32_t y) {
  auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  return {clamp(int64_t{x} - HitReach), clamp(int64_t{y} - HitReach), clamp(int64_t{x} + HitReach),
          clamp(int64_t{y} + HitReach)};
}
}  // namespace

// Only elements whose drawn extent comes within reach of the point can be
// hit; of those the highest number wins, as a full scan keeping the last
// match would give.
std::optional<int32_t> ArgumentEditor::FindArrowAt(int32_t x, int32_t y) const {
  std::vector<ElementRef> found;
  diagram_.query(around(x, y), found);
  std::optional<int32_t> result;
  for (const ElementRef& r : found) {
    if (r.kind != ElementKind::Arrow || (result && r.index < *result)) continue;
    const TArrow& a = diagram_.arrow(r.index);
    if (!a.Deleted && segmentHit({x, y}, {a.StartX, a.StartY}, {a.EndX, a.EndY})) result = r.index;
  }
  return result;
}

std::optional<int32_t> ArgumentEditor::FindDefeaterAt(int32_t x, int32_t y) const {
  std::vector<ElementRef> found;
  diagram_.query(around(x, y), found);
  std::optional<int32_t> result;
  for (const ElementRef& r : found) {
    if (r.kind != ElementKind::Defeater || (result && r.index < *result)) continue;
    const TDefeater& d = diagram_.defeater(r.index);
    if (d.Deleted) continue;
    if (rectBorderHit({x, y}, d.ChallengingRect) || rectBorderHit({x, y}, d.ChallengedRect) ||
        segmentHit({x, y}, {d.StartX, d.StartY}, {d.EndX, d.EndY}))
      result = r.index;
  }
  return result;
}

}  // namespace zorvex
