#include "app/ui/SurfaceCanvas.h"

#include <algorithm>

#include "elements/ui/DiagramCanvas.h"

namespace zorvex {
namespace {

DiagramCanvas& canvas(QWidget* w) { return *static_cast<DiagramCanvas*>(w); }

QColor colourOf(uint32_t c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

// The editor's rectangles leave out their right and bottom edge, as the old
// canvas's Rectangle did; the canvas takes both corners inclusive.
CanvasFigure toCanvas(const OverlayFigure& f) {
  const QColor colour = colourOf(f.colour);
  const LineStyle style = f.dotted ? LineStyle::Dotted : LineStyle::Solid;
  switch (f.shape) {
    case OverlayFigure::Shape::Rectangle:
      return CanvasFigure::rectangle({std::min(f.p1.x, f.p2.x), std::min(f.p1.y, f.p2.y)},
                                     {std::max(f.p1.x, f.p2.x) - 1, std::max(f.p1.y, f.p2.y) - 1}, colour, style,
                                     f.inverting);
    case OverlayFigure::Shape::Diamond: return CanvasFigure::diamond(f.p1, colour, style, f.inverting);
    case OverlayFigure::Shape::Line: break;
  }
  return CanvasFigure::line(f.p1, f.p2, colour, style, f.inverting);
}

}  // namespace

SurfaceCanvas::SurfaceCanvas(QWidget* parent, const Diagram* diagram) : widget_(new DiagramCanvas(parent)) {
  widget_->setObjectName("DiagramCanvas");
  canvas(widget_).setDiagram(diagram);
}

void SurfaceCanvas::repaintAll() { canvas(widget_).repaintAll(); }

void SurfaceCanvas::repaintElement(ElementRef ref) { canvas(widget_).repaintElement(ref); }

void SurfaceCanvas::repaintArea(const Rect& area) { canvas(widget_).repaintArea(area); }

void SurfaceCanvas::setFigures(const std::vector<OverlayFigure>& figures) {
  DiagramCanvas& c = canvas(widget_);
  c.clearOverlays();
  for (const OverlayFigure& f : figures) {
    // An empty rectangle draws nothing on the old canvas either.
    if (f.shape == OverlayFigure::Shape::Rectangle && (f.p1.x == f.p2.x || f.p1.y == f.p2.y)) continue;
    c.addOverlay(toCanvas(f));
  }
}

size_t SurfaceCanvas::figureCount() const { return canvas(widget_).overlays().size(); }

}  // namespace zorvex
