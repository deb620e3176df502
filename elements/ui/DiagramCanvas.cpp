#include "elements/ui/DiagramCanvas.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "elements/ui/DiagramPainter.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/SentenceFont.h"

namespace zorvex {
namespace {

Point windowPoint(const QPointF& pos) {
  const QPoint p = pos.toPoint();
  return {p.x(), p.y()};
}

QRect toQRect(const Rect& r) {
  // Inclusive, possibly huge: limit to what a widget can show.
  auto c = [](int32_t v) { return std::clamp(v, -100000, 1000000); };
  return QRect(QPoint(c(r.Left), c(r.Top)), QPoint(c(r.Right), c(r.Bottom)));
}

}  // namespace

DiagramCanvas::DiagramCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::DefaultContextMenu);
}

void DiagramCanvas::setDiagram(const Diagram* diagram) {
  diagram_ = diagram;
  update();
}

void DiagramCanvas::repaintAll() { update(); }

void DiagramCanvas::repaintElement(ElementRef ref) {
  if (!diagram_ || ref.index < 0) return;
  const int32_t count = ref.kind == ElementKind::Sentence ? diagram_->SentenceCount()
                        : ref.kind == ElementKind::Arrow  ? diagram_->ArrowCount()
                                                          : diagram_->DefeaterCount();
  if (ref.index >= count) return;
  repaintArea(diagram_->drawnExtent(ref));
}

void DiagramCanvas::repaintArea(const Rect& area) { update(toQRect(area)); }

void DiagramCanvas::repaintOverlay(const CanvasFigure& f) { repaintArea(overlayExtent(f)); }

void DiagramCanvas::addOverlay(const CanvasFigure& f) {
  overlays_.push_back(f);
  repaintOverlay(f);
}

void DiagramCanvas::toggleOverlay(const CanvasFigure& f) {
  auto it = std::find(overlays_.begin(), overlays_.end(), f);
  if (it == overlays_.end()) {
    addOverlay(f);
  } else {
    overlays_.erase(it);
    repaintOverlay(f);
  }
}

void DiagramCanvas::removeOverlay(const CanvasFigure& f) {
  auto it = std::find(overlays_.begin(), overlays_.end(), f);
  if (it == overlays_.end()) return;
  overlays_.erase(it);
  repaintOverlay(f);
}

void DiagramCanvas::setOverlays(std::vector<CanvasFigure> figures) {
  for (const CanvasFigure& f : overlays_) repaintOverlay(f);
  overlays_ = std::move(figures);
  for (const CanvasFigure& f : overlays_) repaintOverlay(f);
}

void DiagramCanvas::clearOverlays() { setOverlays({}); }

void DiagramCanvas::paintEvent(QPaintEvent* event) {
  const QRect area = event->rect();
  QPainter p(this);
  p.fillRect(area, SurfaceColour);
  // A lowered bevel line across the top: shadow above, highlight below.
  p.fillRect(QRect(0, 0, width(), 1) & area, QColor(0x80, 0x80, 0x80));
  p.fillRect(QRect(0, 1, width(), 1) & area, QColor(0xFF, 0xFF, 0xFF));
  if (diagram_) paintDiagram(p, *diagram_, area, sentenceFont());
  paintOverlays(p, overlays_, area);
}

void DiagramCanvas::mousePressEvent(QMouseEvent* event) {
  if (input_) input_->canvasMousePress(*event, windowPoint(event->position()));
}

void DiagramCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  if (input_) input_->canvasMousePress(*event, windowPoint(event->position()));
}

void DiagramCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (input_) input_->canvasMouseMove(*event, windowPoint(event->position()));
}

void DiagramCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (input_) input_->canvasMouseRelease(*event, windowPoint(event->position()));
}

void DiagramCanvas::contextMenuEvent(QContextMenuEvent* event) {
  if (input_) input_->canvasContextMenu(*event, {event->pos().x(), event->pos().y()});
}

}  // namespace zorvex
