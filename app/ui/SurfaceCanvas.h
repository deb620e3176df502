#pragma once
// The main window's handle on the drawing surface widget, which also turns
// the editor's rubber bands and guide lines into canvas overlay figures.
#include <vector>

#include "editor/EditorTypes.h"
#include "model/Diagram.h"

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
  void setFigures(const std::vector<OverlayFigure>& figures);
  // How many overlay figures the canvas draws now.
  size_t figureCount() const;

 private:
  QWidget* widget_;
};

}  // namespace zorvex
