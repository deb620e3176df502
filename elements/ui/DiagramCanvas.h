#pragma once
// The drawing surface of the main window: one widget for the whole diagram.
// It lies at the window's client point (0, 0), so its pixel (x, y) is window
// client point (x, y). It paints the background, the bevel line along the
// top, the diagram, and last the overlay figures (rubber bands, guide lines).
#include <QWidget>
#include <vector>

#include "elements/ui/CanvasOverlay.h"
#include "model/Diagram.h"

class QContextMenuEvent;
class QMouseEvent;

namespace zorvex {

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

  void setDiagram(const Diagram* diagram);
  const Diagram* diagram() const { return diagram_; }
  void setInput(CanvasInput* input) { input_ = input; }

  // Repaints are queued and merged; they happen when the event loop runs.
  void repaintAll();
  // The element's drawn extent as it is now: call before and after a move.
  void repaintElement(ElementRef ref);
  void repaintArea(const Rect& area);

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

  const Diagram* diagram_ = nullptr;
  CanvasInput* input_ = nullptr;
  std::vector<CanvasFigure> overlays_;
};

}  // namespace zorvex
