#include "app/ui/SurfaceCanvas.h"

#include "elements/ui/DiagramCanvas.h"

namespace zorvex {
namespace {

DiagramCanvas& canvas(QWidget* w) { return *static_cast<DiagramCanvas*>(w); }

CanvasFigure toCanvas(const SurfaceFigure& f) {
  const QColor colour(static_cast<int>(f.colour & 0xFF), static_cast<int>((f.colour >> 8) & 0xFF),
                      static_cast<int>((f.colour >> 16) & 0xFF));
  const LineStyle style = f.dotted ? LineStyle::Dotted : LineStyle::Solid;
  switch (f.shape) {
    case SurfaceFigure::Shape::Rectangle: return CanvasFigure::rectangle(f.a, f.b, colour, style, f.inverting);
    case SurfaceFigure::Shape::Diamond: return CanvasFigure::diamond(f.a, colour, style, f.inverting);
    case SurfaceFigure::Shape::Line: break;
  }
  return CanvasFigure::line(f.a, f.b, colour, style, f.inverting);
}

}  // namespace

SurfaceCanvas::SurfaceCanvas(QWidget* parent, const Diagram* diagram) : widget_(new DiagramCanvas(parent)) {
  widget_->setObjectName("DiagramCanvas");
  canvas(widget_).setDiagram(diagram);
}

void SurfaceCanvas::repaintAll() { canvas(widget_).repaintAll(); }

void SurfaceCanvas::repaintElement(ElementRef ref) { canvas(widget_).repaintElement(ref); }

void SurfaceCanvas::repaintArea(const Rect& area) { canvas(widget_).repaintArea(area); }

// Figure by figure, so this file never builds a list of the canvas's own
// figure records (the editor has a record of the same name).
void SurfaceCanvas::setFigures(const std::vector<SurfaceFigure>& figures) {
  DiagramCanvas& c = canvas(widget_);
  c.clearOverlays();
  for (const SurfaceFigure& f : figures) c.addOverlay(toCanvas(f));
}

size_t SurfaceCanvas::figureCount() const { return canvas(widget_).overlays().size(); }

}  // namespace zorvex
