#pragma once
// Which part of the diagram the drawing surface shows, and how large. The
// zoom is one step of a ladder of powers of two (1/64 .. 8, 1 among them);
// the offset is the scroll position in zoomed pixels. Diagram point d shows
// at surface pixel floor(d * scale) - offset, so at 100 % with offset 0 a
// surface pixel is the diagram coordinate itself. Integer arithmetic only:
// mapping is exact and reversible at every step.
#include <cstdint>

#include "model/Types.h"

namespace zorvex {

struct ZoomScale {
  int64_t num = 1;
  int64_t den = 1;
  friend bool operator==(const ZoomScale&, const ZoomScale&) = default;
};

// A surface pixel or a zoomed-pixel position; 64-bit, may lie far outside.
struct ViewPoint {
  int64_t x = 0;
  int64_t y = 0;
  friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

// Inclusive rectangle of surface pixels.
struct ViewRect {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = -1;
  int64_t bottom = -1;
  bool empty() const { return right < left || bottom < top; }
  friend bool operator==(const ViewRect&, const ViewRect&) = default;
};

// A diagram position with a fraction, for the pointer when zoomed in.
struct ExactPoint {
  double x = 0;
  double y = 0;
};

class ViewTransform {
 public:
  static constexpr int StepCount = 10;
  static constexpr int ActualSizeStep = 6;
  static ZoomScale scaleOfStep(int step);

  ViewTransform() = default;

  int step() const { return step_; }
  ZoomScale scale() const { return scaleOfStep(step_); }
  double factor() const;
  int64_t offsetX() const { return offset_.x; }
  int64_t offsetY() const { return offset_.y; }
  ViewPoint offset() const { return offset_; }
  // 100 % and not scrolled: surface pixels are diagram coordinates.
  bool isIdentity() const { return step_ == ActualSizeStep && offset_ == ViewPoint{}; }
  bool isActualSize() const { return step_ == ActualSizeStep; }

  void setOffset(ViewPoint offset) { offset_ = offset; }
  void scrollBy(int64_t dx, int64_t dy);
  // Changes the zoom, keeping the diagram point under surface pixel `anchor`
  // under it. The step is limited to the ladder.
  void zoomTo(int step, ViewPoint anchor);
  // Scrolls so that diagram point d shows at surface pixel `at`.
  void placeAt(Point d, ViewPoint at);

  // Zoomed pixel of a diagram coordinate (before the offset).
  int64_t zoomed(int64_t d) const;
  // Surface pixel of a diagram point.
  ViewPoint toView(Point d) const;
  ViewPoint toView(int64_t x, int64_t y) const;
  // The surface pixels a diagram rectangle (inclusive) covers; at least one.
  ViewRect toView(const Rect& r) const;
  // The diagram point whose unit holds surface pixel v (floored).
  Point toDiagram(ViewPoint v) const;
  // The diagram position of surface pixel v's top left corner, with fraction.
  ExactPoint toDiagramExact(ViewPoint v) const;
  // The diagram rectangle (inclusive) whose units meet the surface pixels r.
  Rect toDiagram(const ViewRect& r) const;
  // A diagram length in surface pixels, and surface pixels as diagram length.
  double toViewLength(double d) const { return d * factor(); }
  double toDiagramLength(double v) const { return v / factor(); }

  friend bool operator==(const ViewTransform&, const ViewTransform&) = default;

 private:
  int step_ = ActualSizeStep;
  ViewPoint offset_;
};

// The largest step at which `extent` (diagram, inclusive) fits into a surface
// of the given size with `margin` surface pixels on every side.
int fitStep(const Rect& extent, int64_t width, int64_t height, int64_t margin);

// The zoom as the user reads it: "100 %", "6.25 %", "800 %".
const char* zoomLabel(int step);

}  // namespace zorvex
