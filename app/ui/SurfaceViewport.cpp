#include "app/ui/SurfaceViewport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "viewport/DiagramBounds.h"

namespace zorvex {
namespace {

constexpr int WheelNotch = 120;
constexpr int64_t LinePixels = 20;
// How close to the edge a drag must come before the view follows it.
constexpr int64_t AutoScrollZone = 8;
constexpr int AutoScrollInterval = 30;

// A view offset in a bar's units, rounded down as the bar's range is.
int inUnits(int64_t offset, int64_t unit) {
  return static_cast<int>(offset >= 0 ? offset / unit : -((-offset + unit - 1) / unit));
}

}  // namespace

SurfaceViewport::SurfaceViewport(QWidget& parent, QWidget& canvas, const Diagram& diagram)
    : QObject(&parent),
      canvas_(canvas),
      diagram_(diagram),
      horizontal_(new QScrollBar(Qt::Horizontal, &parent)),
      vertical_(new QScrollBar(Qt::Vertical, &parent)),
      corner_(new QWidget(&parent)),
      autoScroll_(new QTimer(this)) {
  horizontal_->setObjectName("HorizontalScrollBar");
  vertical_->setObjectName("VerticalScrollBar");
  corner_->setObjectName("ScrollBarCorner");
  corner_->setAutoFillBackground(true);
  horizontal_->hide();
  vertical_->hide();
  corner_->hide();
  connect(horizontal_, &QScrollBar::valueChanged, this, [this] { barMoved(); });
  connect(vertical_, &QScrollBar::valueChanged, this, [this] { barMoved(); });
  autoScroll_->setInterval(AutoScrollInterval);
  connect(autoScroll_, &QTimer::timeout, this, [this] { autoScrollTick(); });
}

void SurfaceViewport::watchCanvas() { canvas_.installEventFilter(this); }

int SurfaceViewport::barThickness() const { return vertical_->style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

void SurfaceViewport::setSurfaceRect(const QRect& rect, int barTop) {
  surface_ = rect;
  barTop_ = barTop;
  updateBars();
}

QSize SurfaceViewport::visibleSize() const {
  return {static_cast<int>(bars_.visibleWidth), static_cast<int>(bars_.visibleHeight)};
}

QSize SurfaceViewport::barRoom() const {
  if (surface_.isEmpty()) return {0, 0};
  return {surface_.width() - static_cast<int>(bars_.visibleWidth), surface_.height() - static_cast<int>(bars_.visibleHeight)};
}

std::optional<Rect> SurfaceViewport::extent() {
  if (!extentKnown_) {
    extent_ = drawnBounds(diagram_);
    extentKnown_ = true;
  }
  return extent_;
}

void SurfaceViewport::diagramChanged() {
  extentKnown_ = false;
  updateBarsSoon();
}

void SurfaceViewport::elementExtent(const Rect& r) {
  if (extentKnown_) extent_ = extent_ ? unite(*extent_, r) : r;
  updateBarsSoon();
}

// Many changes may come in one user action; the bars follow once.
void SurfaceViewport::updateBarsSoon() {
  if (barsPending_) return;
  barsPending_ = true;
  QTimer::singleShot(0, this, [this] {
    barsPending_ = false;
    updateBars();
  });
}

void SurfaceViewport::updateBars() {
  bars_ = scrollBarsFor(extent(), view_, surface_.width(), surface_.height(), barThickness());
  hUnits_ = barUnits(bars_.horizontal);
  vUnits_ = barUnits(bars_.vertical);
  settingBars_ = true;
  for (auto [bar, range, units, offset] :
       {std::tuple{horizontal_, bars_.horizontal, hUnits_, view_.offsetX()},
        std::tuple{vertical_, bars_.vertical, vUnits_, view_.offsetY()}}) {
    bar->setRange(units.minimum, units.maximum);
    bar->setPageStep(units.page);
    bar->setSingleStep(static_cast<int>(std::max<int64_t>(1, LinePixels / units.unit)));
    bar->setValue(inUnits(offset, units.unit));
    bar->setVisible(range.shown);
  }
  settingBars_ = false;
  placeBars();
}

void SurfaceViewport::placeBars() {
  const int t = barThickness();
  const int right = surface_.left() + static_cast<int>(bars_.visibleWidth);
  const int bottom = surface_.top() + static_cast<int>(bars_.visibleHeight);
  horizontal_->setGeometry(surface_.left(), bottom, static_cast<int>(bars_.visibleWidth), t);
  vertical_->setGeometry(right, barTop_, t, std::max(0, bottom - barTop_));
  corner_->setGeometry(right, bottom, t, t);
  corner_->setVisible(bars_.horizontal.shown && bars_.vertical.shown);
  horizontal_->raise();
  vertical_->raise();
  corner_->raise();
}

void SurfaceViewport::barMoved() {
  if (settingBars_) return;
  ViewTransform v = view_;
  // A bar in coarse units moves the view only by what the user changed.
  const int64_t x = horizontal_->value() == inUnits(view_.offsetX(), hUnits_.unit)
                        ? view_.offsetX()
                        : int64_t{horizontal_->value()} * hUnits_.unit;
  const int64_t y = vertical_->value() == inUnits(view_.offsetY(), vUnits_.unit)
                        ? view_.offsetY()
                        : int64_t{vertical_->value()} * vUnits_.unit;
  v.setOffset({x, y});
  setView(v);
}

void SurfaceViewport::setView(const ViewTransform& view) {
  if (view == view_) return;
  view_ = view;
  updateBars();
  if (viewChanged) viewChanged(view_);
}

void SurfaceViewport::zoomAbout(int step, QPoint p) {
  ViewTransform v = view_;
  v.zoomTo(step, {p.x(), p.y()});
  setView(v);
}

QPoint SurfaceViewport::visibleCentre() const {
  return {static_cast<int>(bars_.visibleWidth / 2), static_cast<int>(bars_.visibleHeight / 2)};
}

void SurfaceViewport::zoomIn() { zoomAbout(view_.step() + 1, visibleCentre()); }

void SurfaceViewport::zoomOut() { zoomAbout(view_.step() - 1, visibleCentre()); }

// A diagram that fits into the surface at the origin goes back there: the
// view the program starts with. A larger one stays centred where it was.
void SurfaceViewport::actualSize() {
  const ScrollBars home = scrollBarsFor(extent(), ViewTransform{}, surface_.width(), surface_.height(), barThickness());
  if (!home.horizontal.shown && !home.vertical.shown) return setView(ViewTransform{});
  zoomAbout(ViewTransform::ActualSizeStep, visibleCentre());
}

void SurfaceViewport::reset() {
  extentKnown_ = false;
  setView(ViewTransform{});
  updateBars();
}

void SurfaceViewport::fitDiagram() {
  const std::optional<Rect> e = extent();
  if (!e) return actualSize();
  setView(fitView(*e, surface_.width(), surface_.height()));
}

void SurfaceViewport::centreOn(Point d) { centreOn(d, view_.step()); }

// Zoomed and scrolled at once: one repaint. The centre is that of the
// surface the bars leave at the new zoom.
void SurfaceViewport::centreOn(Point d, int step) {
  ViewTransform v = view_;
  v.zoomTo(step, {0, 0});
  v.placeAt(d, {visibleCentre().x(), visibleCentre().y()});
  const ScrollBars after = scrollBarsFor(extent(), v, surface_.width(), surface_.height(), barThickness());
  v.placeAt(d, {after.visibleWidth / 2, after.visibleHeight / 2});
  setView(v);
}

void SurfaceViewport::bringIntoView(const Rect& box) {
  const QSize seen = visibleSize();
  const ViewRect shown{0, 0, int64_t{seen.width()} - 1, int64_t{seen.height()} - 1};
  const ViewRect needed = view_.toView(box);
  if (needed.left >= shown.left && needed.top >= shown.top && needed.right <= shown.right &&
      needed.bottom <= shown.bottom)
    return;
  centreOn({static_cast<int32_t>((int64_t{box.Left} + box.Right) / 2),
            static_cast<int32_t>((int64_t{box.Top} + box.Bottom) / 2)});
}

int64_t SurfaceViewport::clampedOffset(int64_t wanted, const ScrollRange& range, int64_t now) const {
  if (!range.shown) return now;
  return std::clamp(wanted, std::min(range.minimum, now), std::max(range.maximum, now));
}

void SurfaceViewport::scrollBy(int64_t dx, int64_t dy) {
  ViewTransform v = view_;
  v.setOffset({clampedOffset(view_.offsetX() + dx, bars_.horizontal, view_.offsetX()),
               clampedOffset(view_.offsetY() + dy, bars_.vertical, view_.offsetY())});
  setView(v);
}

bool SurfaceViewport::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &canvas_) return false;
  switch (event->type()) {
    case QEvent::Wheel: wheel(*static_cast<QWheelEvent*>(event)); return true;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: pointerMoved(*static_cast<QMouseEvent*>(event)); return false;
    default: return false;
  }
}

void SurfaceViewport::wheel(QWheelEvent& event) {
  const QPoint angle = event.angleDelta();
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  if (event.modifiers() & Qt::ControlModifier) {
    wheelZoomRest_ += delta;
    const int steps = wheelZoomRest_ / WheelNotch;
    wheelZoomRest_ -= steps * WheelNotch;
    if (steps != 0) zoomAbout(view_.step() + steps, event.position().toPoint());
    return;
  }
  const int64_t pixels = -int64_t{delta} * QApplication::wheelScrollLines() * LinePixels / WheelNotch;
  // Shift turns the wheel sideways (some systems already send it sideways).
  if ((event.modifiers() & Qt::ShiftModifier) || angle.y() == 0)
    scrollBy(pixels, 0);
  else
    scrollBy(0, pixels);
}

void SurfaceViewport::pointerMoved(const QMouseEvent& event) {
  dragButtons_ = event.buttons();
  dragModifiers_ = event.modifiers();
  dragPoint_ = event.position().toPoint();
  const ViewPoint step =
      autoScrollStep({dragPoint_.x(), dragPoint_.y()}, bars_.visibleWidth, bars_.visibleHeight, AutoScrollZone);
  const bool scrolling = (dragButtons_ & Qt::LeftButton) && (step.x != 0 || step.y != 0);
  if (scrolling && !autoScroll_->isActive()) autoScroll_->start();
  if (!scrolling) autoScroll_->stop();
}

void SurfaceViewport::autoScrollTick() {
  const ViewPoint step =
      autoScrollStep({dragPoint_.x(), dragPoint_.y()}, bars_.visibleWidth, bars_.visibleHeight, AutoScrollZone);
  if (!(dragButtons_ & Qt::LeftButton) || (step.x == 0 && step.y == 0)) return autoScroll_->stop();
  const ViewPoint before = view_.offset();
  scrollBy(step.x, step.y);
  if (view_.offset() != before && followPointer) followPointer(dragPoint_, dragButtons_, dragModifiers_);
}

}  // namespace zorvex
