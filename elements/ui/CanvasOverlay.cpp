#include "elements/ui/CanvasOverlay.h"

#include <algorithm>

namespace zorvex {
namespace {

int32_t clampedAdd(int32_t v, int64_t d) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{v} + d, INT32_MIN, INT32_MAX));
}

}  // namespace

CanvasFigure CanvasFigure::line(Point from, Point to, QColor c, LineStyle s, bool inv) {
  return {Kind::Line, from, to, 0, c, s, inv};
}

CanvasFigure CanvasFigure::rectangle(Point corner1, Point corner2, QColor c, LineStyle s, bool inv) {
  return {Kind::Rectangle, corner1, corner2, 0, c, s, inv};
}

CanvasFigure CanvasFigure::diamond(Point centre, QColor c, LineStyle s, bool inv, int32_t radius) {
  return {Kind::Diamond, centre, centre, radius, c, s, inv};
}

Rect overlayExtent(const CanvasFigure& f) {
  if (f.kind == CanvasFigure::Kind::Diamond)
    return {clampedAdd(f.a.x, -int64_t{f.radius}), clampedAdd(f.a.y, -int64_t{f.radius}),
            clampedAdd(f.a.x, f.radius), clampedAdd(f.a.y, f.radius)};
  return {std::min(f.a.x, f.b.x), std::min(f.a.y, f.b.y), std::max(f.a.x, f.b.x), std::max(f.a.y, f.b.y)};
}

void overlayPixels(const CanvasFigure& f, const QRect& clip, std::vector<QPoint>& out) {
  switch (f.kind) {
    case CanvasFigure::Kind::Line: linePixels(f.a, f.b, clip, f.style, out); break;
    case CanvasFigure::Kind::Rectangle: rectOutlinePixels({f.a.x, f.a.y, f.b.x, f.b.y}, clip, f.style, out); break;
    case CanvasFigure::Kind::Diamond: diamondOutlinePixels(f.a, f.radius, clip, f.style, out); break;
  }
}

void paintOverlays(QPainter& p, const std::vector<CanvasFigure>& figures, const QRect& area) {
  if (figures.empty()) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  thread_local std::vector<QPoint> pixels;
  for (const CanvasFigure& f : figures) {
    pixels.clear();
    overlayPixels(f, area, pixels);
    p.setCompositionMode(f.inverting ? QPainter::RasterOp_NotDestination : QPainter::CompositionMode_SourceOver);
    drawPixels(p, pixels, f.colour);
  }
  p.restore();
}

}  // namespace zorvex
