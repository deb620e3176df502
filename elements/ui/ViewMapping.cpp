#include "elements/ui/ViewMapping.h"

#include <bit>

namespace zorvex {

ViewMapping ViewMapping::zoomedAt(int step) {
  const ZoomScale s = ViewTransform::scaleOfStep(step);
  ViewMapping m;
  m.shift_ = std::countr_zero(static_cast<uint64_t>(s.num)) - std::countr_zero(static_cast<uint64_t>(s.den));
  return m;
}

ViewMapping ViewMapping::of(const ViewTransform& view) {
  ViewMapping m = zoomedAt(view.step());
  m.offsetX_ = view.offsetX();
  m.offsetY_ = view.offsetY();
  return m;
}

Rect ViewMapping::unitsOf(const ViewRect& pixels) const {
  // Far beyond any 32-bit diagram at every step, and safe to shift.
  auto near = [](int64_t v) { return std::clamp<int64_t>(v, -(int64_t{1} << 48), int64_t{1} << 48); };
  const int64_t l = unscaledFirst(near(pixels.left + offsetX_)), t = unscaledFirst(near(pixels.top + offsetY_));
  const int64_t r = unscaledLast(near(pixels.right + offsetX_)), b = unscaledLast(near(pixels.bottom + offsetY_));
  if (pixels.empty() || r < INT32_MIN || b < INT32_MIN || l > INT32_MAX || t > INT32_MAX) return {1, 1, 0, 0};
  auto in32 = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  return {in32(l), in32(t), in32(r), in32(b)};
}

}  // namespace zorvex
