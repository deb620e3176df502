#pragma once
// The main window's handle on the drawing surface widget, which also turns
// the editor's rubber bands and guide lines (diagram coordinates) into canvas
// overlay figures (surface pixels) through the view.
#include <optional>
#include <vector>

#include "editor/EditorTypes.h"
#include "model/Diagram.h"
#include "viewport/ViewTransform.h"

class QWidget;

namespace zorvex {

class SurfaceCanvas {
 public:
  // Creates the canvas widget as a child of parent, drawing diagram.
  SurfaceCanvas(QWidget* parent, const Diagram* diagram);

  QWidget* widget() const { return widget_; }
  void repaintAll();
  void repaintElement(ElementRef ref);
  void repaintArea(const Rect& area);
  // Paint again what has not changed; the cached picture stays.
  void redrawAll();
  void redrawElement(ElementRef ref);
  void setFigures(const std::vector<OverlayFigure>& figures);
  // Shows the diagram through `view`; the figures follow.
  void setView(const ViewTransform& view);
  const ViewTransform& view() const;
  void setHighlight(const std::optional<Rect>& area);
  // How many overlay figures the canvas draws now.
  size_t figureCount() const;

 private:
  void showFigures();

  QWidget* widget_;
  std::vector<OverlayFigure> figures_;
};

}  // namespace zorvex
