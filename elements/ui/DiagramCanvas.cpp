#include "elements/ui/DiagramCanvas.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "elements/ui/DiagramPainter.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/SentenceFont.h"
#include "elements/ui/ViewPainter.h"

namespace zorvex {
namespace {

Point windowPoint(const QPointF& pos) {
  const QPoint p = pos.toPoint();
  return {p.x(), p.y()};
}

// Inclusive, possibly huge: limit to what a widget can show.
int limited(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -100000, 1000000)); }

QRect toQRect(const ViewRect& r) {
  return QRect(QPoint(limited(r.left), limited(r.top)), QPoint(limited(r.right), limited(r.bottom)));
}

// Zoomed, a diamond or a frame keeps a few pixels of its own beyond the
// element's mapped extent.
constexpr int ZoomedSlack = 3;
const QColor HighlightColour(0xFF, 0x80, 0x00);
constexpr int HighlightGap = 3;
constexpr int HighlightWidth = 2;

void paintFrame(QPainter& p, const QRect& frame, const QRect& area) {
  for (int i = 0; i < HighlightWidth; ++i) {
    const QRect ring = frame.adjusted(i, i, -i, -i);
    for (const QRect& side : {QRect(ring.left(), ring.top(), ring.width(), 1),
                              QRect(ring.left(), ring.bottom(), ring.width(), 1),
                              QRect(ring.left(), ring.top(), 1, ring.height()),
                              QRect(ring.right(), ring.top(), 1, ring.height())})
      p.fillRect(side & area, HighlightColour);
  }
}

}  // namespace

DiagramCanvas::DiagramCanvas(QWidget* parent) : QWidget(parent), cache_(std::make_unique<ViewPictureCache>()) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::DefaultContextMenu);
}

DiagramCanvas::~DiagramCanvas() = default;

void DiagramCanvas::setDiagram(const Diagram* diagram) {
  diagram_ = diagram;
  repaintAll();
}

void DiagramCanvas::setView(const ViewTransform& view) {
  if (view == view_) return;
  view_ = view;
  update();
}

void DiagramCanvas::repaintAll() {
  cache_->invalidateAll();
  update();
}

std::optional<Rect> DiagramCanvas::extentOf(ElementRef ref) const {
  if (!diagram_ || !diagram_->exists(ref)) return std::nullopt;
  return diagram_->drawnExtent(ref);
}

void DiagramCanvas::repaintElement(ElementRef ref) {
  if (const std::optional<Rect> e = extentOf(ref)) repaintArea(*e);
}

void DiagramCanvas::repaintArea(const Rect& area) {
  cache_->invalidate(area);
  repaintSurfaceRect(surfaceRectOf(area));
}

void DiagramCanvas::redrawAll() { update(); }

void DiagramCanvas::redrawElement(ElementRef ref) {
  if (const std::optional<Rect> e = extentOf(ref)) repaintSurfaceRect(surfaceRectOf(*e));
}

QRect DiagramCanvas::surfaceRectOf(const Rect& area) const {
  QRect r = toQRect(view_.toView(area));
  if (!view_.isActualSize()) r.adjust(-ZoomedSlack, -ZoomedSlack, ZoomedSlack, ZoomedSlack);
  return r;
}

void DiagramCanvas::repaintSurfaceRect(const QRect& r) { update(r); }

void DiagramCanvas::repaintOverlay(const CanvasFigure& f) {
  const Rect e = overlayExtent(f);
  repaintSurfaceRect(toQRect(ViewRect{e.Left, e.Top, e.Right, e.Bottom}));
}

void DiagramCanvas::setHighlight(const std::optional<Rect>& area) {
  if (highlight_) repaintSurfaceRect(highlightFrame());
  highlight_ = area;
  if (highlight_) repaintSurfaceRect(highlightFrame());
}

QRect DiagramCanvas::highlightFrame() const {
  if (!highlight_) return {};
  const int out = HighlightGap + HighlightWidth;
  return toQRect(view_.toView(*highlight_)).adjusted(-out, -out, out, out);
}

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
  auto bevel = [&] {
    // A lowered bevel line across the top: shadow above, highlight below.
    p.fillRect(QRect(0, 0, width(), 1) & area, QColor(0x80, 0x80, 0x80));
    p.fillRect(QRect(0, 1, width(), 1) & area, QColor(0xFF, 0xFF, 0xFF));
  };
  if (view_.isIdentity()) {
    bevel();
    if (diagram_) paintDiagram(p, *diagram_, area, sentenceFont());
  } else {
    // Scrolled or zoomed, the diagram passes under the bevel.
    if (diagram_) paintDiagramView(p, *diagram_, area, sentenceFont(), view_, cache_.get());
    bevel();
  }
  if (highlight_) paintFrame(p, highlightFrame(), area);
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
