#include "app/ui/SurfaceCanvas.h"

#include <algorithm>

#include "elements/ui/DiagramCanvas.h"

namespace zorvex {
namespace {

DiagramCanvas& canvas(QWidget* w) { return *static_cast<DiagramCanvas*>(w); }

QColor colourOf(uint32_t c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

Point surfacePoint(const ViewTransform& view, Point d) {
  const ViewPoint v = view.toView(d);
  auto c = [](int64_t x) { return static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN / 2, INT32_MAX / 2)); };
  return {c(v.x), c(v.y)};
}

// The defeater head's guide keeps its size in diagram units, but never
// shrinks below a visible mark.
int32_t diamondRadius(const ViewTransform& view) {
  const ZoomScale s = view.scale();
  return std::max<int32_t>(2, static_cast<int32_t>(5 * s.num / s.den));
}

// The editor's rectangles leave out their right and bottom edge, as the old
// canvas's Rectangle did; the canvas takes both corners inclusive.
CanvasFigure toCanvas(const OverlayFigure& f, const ViewTransform& view) {
  const QColor colour = colourOf(f.colour);
  const LineStyle style = f.dotted ? LineStyle::Dotted : LineStyle::Solid;
  const Point a = surfacePoint(view, f.p1), b = surfacePoint(view, f.p2);
  switch (f.shape) {
    case OverlayFigure::Shape::Rectangle:
      return CanvasFigure::rectangle({std::min(a.x, b.x), std::min(a.y, b.y)},
                                     {std::max(a.x, b.x) - 1, std::max(a.y, b.y) - 1}, colour, style, f.inverting);
    case OverlayFigure::Shape::Diamond:
      return view.isActualSize() ? CanvasFigure::diamond(a, colour, style, f.inverting)
                                 : CanvasFigure::diamond(a, colour, style, f.inverting, diamondRadius(view));
    case OverlayFigure::Shape::Line: break;
  }
  return CanvasFigure::line(a, b, colour, style, f.inverting);
}

}  // namespace

SurfaceCanvas::SurfaceCanvas(QWidget* parent, const Diagram* diagram) : widget_(new DiagramCanvas(parent)) {
  widget_->setObjectName("DiagramCanvas");
  canvas(widget_).setDiagram(diagram);
}

void SurfaceCanvas::repaintAll() { canvas(widget_).repaintAll(); }

void SurfaceCanvas::repaintElement(ElementRef ref) { canvas(widget_).repaintElement(ref); }

void SurfaceCanvas::repaintArea(const Rect& area) { canvas(widget_).repaintArea(area); }

void SurfaceCanvas::redrawAll() { canvas(widget_).redrawAll(); }

void SurfaceCanvas::redrawElement(ElementRef ref) { canvas(widget_).redrawElement(ref); }

void SurfaceCanvas::setFigures(const std::vector<OverlayFigure>& figures) {
  figures_ = figures;
  showFigures();
}

void SurfaceCanvas::showFigures() {
  DiagramCanvas& c = canvas(widget_);
  c.clearOverlays();
  for (const OverlayFigure& f : figures_) {
    const CanvasFigure figure = toCanvas(f, c.view());
    // An empty rectangle draws nothing on the old canvas either.
    if (f.shape == OverlayFigure::Shape::Rectangle && (figure.b.x < figure.a.x || figure.b.y < figure.a.y)) continue;
    c.addOverlay(figure);
  }
}

void SurfaceCanvas::setView(const ViewTransform& view) {
  canvas(widget_).setView(view);
  showFigures();
}

const ViewTransform& SurfaceCanvas::view() const { return canvas(widget_).view(); }

void SurfaceCanvas::setHighlight(const std::optional<Rect>& area) { canvas(widget_).setHighlight(area); }

size_t SurfaceCanvas::figureCount() const { return canvas(widget_).overlays().size(); }

}  // namespace zorvex
