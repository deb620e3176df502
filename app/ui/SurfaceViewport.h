#pragma once
// The window's face of the view transform: the scroll bars inside the
// drawing surface, the wheel, zooming, and scrolling along while a drag
// nears the surface's edge. It owns the view and tells the window whenever
// the view changes.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>

#include "model/Diagram.h"
#include "viewport/ScrollArea.h"
#include "viewport/ViewTransform.h"

class QScrollBar;
class QTimer;
class QWheelEvent;
class QMouseEvent;

namespace zorvex {

class SurfaceViewport : public QObject {
  Q_OBJECT
 public:
  // The bars are children of `parent`; `canvas` is the surface widget whose
  // wheel and pointer events the viewport watches.
  SurfaceViewport(QWidget& parent, QWidget& canvas, const Diagram& diagram);

  const ViewTransform& view() const { return view_; }
  // Starts watching the canvas's wheel and pointer events.
  void watchCanvas();
  // Runs after every change of the view.
  std::function<void(const ViewTransform&)> viewChanged;
  // Runs while a drag scrolls the view, with the pointer's surface pixel, so
  // the editor can follow as if the pointer had moved.
  std::function<void(QPoint surfacePoint, Qt::MouseButtons, Qt::KeyboardModifiers)> followPointer;

  // The surface's area in the parent (bevel included, as the canvas covers
  // it); the vertical bar starts at barTop, below the bevel.
  void setSurfaceRect(const QRect& rect, int barTop);
  // The part of the surface the bars leave free, from the surface's top left.
  QSize visibleSize() const;
  // What the shown bars take off the surface's width and height.
  QSize barRoom() const;

  void zoomIn();
  void zoomOut();
  void actualSize();
  void fitDiagram();
  // One step per notch, about a surface pixel.
  void zoomAbout(int step, QPoint surfacePoint);
  void scrollBy(int64_t dx, int64_t dy);
  // Shows diagram point d at the visible surface's centre, at the zoom step given.
  void centreOn(Point d);
  void centreOn(Point d, int step);
  // Centres a diagram rectangle only when part of it is out of sight.
  void bringIntoView(const Rect& box);
  // Back to 100 % at the origin (a diagram was opened).
  void reset();

  // The diagram's drawing changed: everywhere (a round, a reload), or one
  // element's extent grew to `extent`.
  void diagramChanged();
  void elementExtent(const Rect& extent);

  QScrollBar* horizontalBar() const { return horizontal_; }
  QScrollBar* verticalBar() const { return vertical_; }
  // One step of scrolling along while dragging at the edge (tests call it).
  void autoScrollTick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setView(const ViewTransform& view);
  void updateBars();
  QPoint visibleCentre() const;
  void updateBarsSoon();
  int barThickness() const;
  int64_t clampedOffset(int64_t wanted, const ScrollRange& range, int64_t now) const;
  void placeBars();
  void barMoved();
  void wheel(QWheelEvent& event);
  void pointerMoved(const QMouseEvent& event);
  std::optional<Rect> extent();

  QWidget& canvas_;
  const Diagram& diagram_;
  ViewTransform view_;
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  // The square between the two bars, in the window's colour.
  QWidget* corner_;
  QTimer* autoScroll_;
  QRect surface_;
  int barTop_ = 0;
  bool barsPending_ = false;
  ScrollBars bars_;
  BarUnits hUnits_, vUnits_;
  std::optional<Rect> extent_;
  bool extentKnown_ = false;
  bool settingBars_ = false;
  int wheelZoomRest_ = 0;
  // The last pointer position and buttons while a button is held.
  QPoint dragPoint_;
  Qt::MouseButtons dragButtons_;
  Qt::KeyboardModifiers dragModifiers_;
};

}  // namespace zorvex
