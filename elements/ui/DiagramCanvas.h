#pragma once
// The drawing surface of the main window: one widget for the whole diagram.
// It lies at the window's client point (0, 0), so its pixel (x, y) is window
// client point (x, y). It paints the background, the bevel line along the
// top, the diagram, and last the overlay figures (rubber bands, guide lines).
// It shows the diagram through a view transform: at 100 % and the origin its
// pixels are diagram coordinates; repaint requests come in diagram
// coordinates, overlay figures in surface pixels.
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "elements/ui/CanvasOverlay.h"
#include "model/Diagram.h"
#include "viewport/ViewTransform.h"

class QContextMenuEvent;
class QMouseEvent;

namespace zorvex {

class ViewPictureCache;

// Receives the canvas's pointer events unchanged, with the pointer's
// position as a window client point. A double click arrives as a press.
class CanvasInput {
 public:
  virtual ~CanvasInput() = default;
  virtual void canvasMousePress(QMouseEvent& event, Point windowPoint) = 0;
  virtual void canvasMouseMove(QMouseEvent& event, Point windowPoint) = 0;
  virtual void canvasMouseRelease(QMouseEvent& event, Point windowPoint) = 0;
  virtual void canvasContextMenu(QContextMenuEvent& event, Point windowPoint) = 0;
};

class DiagramCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit DiagramCanvas(QWidget* parent = nullptr);
  ~DiagramCanvas() override;

  void setDiagram(const Diagram* diagram);
  const Diagram* diagram() const { return diagram_; }
  void setInput(CanvasInput* input) { input_ = input; }

  // Which part of the diagram shows, how large; repaints everything.
  void setView(const ViewTransform& view);
  const ViewTransform& view() const { return view_; }

  // Repaints are queued and merged; they happen when the event loop runs.
  // Every request also tells the cached picture what changed.
  void repaintAll();
  // The element's drawn extent as it is now: call before and after a move.
  void repaintElement(ElementRef ref);
  // A diagram area.
  void repaintArea(const Rect& area);
  // Paints again what has not changed (the window came to the front, a
  // defeater draws itself over a drag): the cached picture stays valid.
  void redrawAll();
  void redrawElement(ElementRef ref);

  // A frame drawn around a diagram rectangle (a found sentence), or none.
  void setHighlight(const std::optional<Rect>& area);
  const std::optional<Rect>& highlight() const { return highlight_; }

  // Overlay figures, drawn in list order over the diagram.
  const std::vector<CanvasFigure>& overlays() const { return overlays_; }
  void addOverlay(const CanvasFigure& f);
  // The inverting pen's way: a figure shown a second time is taken away.
  void toggleOverlay(const CanvasFigure& f);
  void removeOverlay(const CanvasFigure& f);
  void setOverlays(std::vector<CanvasFigure> figures);
  void clearOverlays();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void repaintOverlay(const CanvasFigure& f);
  void repaintSurfaceRect(const QRect& r);
  std::optional<Rect> extentOf(ElementRef ref) const;
  QRect surfaceRectOf(const Rect& area) const;
  QRect highlightFrame() const;

  const Diagram* diagram_ = nullptr;
  ViewTransform view_;
  std::unique_ptr<ViewPictureCache> cache_;
  std::optional<Rect> highlight_;
  CanvasInput* input_ = nullptr;
  std::vector<CanvasFigure> overlays_;
};

}  // namespace zorvex
