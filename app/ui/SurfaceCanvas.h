#pragma once
// The main window's handle on the drawing surface widget. The canvas's own
// overlay record and the editor's share a name, so no file sees both: the
// window hands figures over in this neutral form.
#include <cstdint>
#include <vector>

#include "model/Diagram.h"

class QWidget;

namespace zorvex {

struct SurfaceFigure {
  enum class Shape : uint8_t { Line, Rectangle, Diamond };
  Shape shape = Shape::Line;
  // Line: from a towards b, b's pixel not set. Rectangle: corners a and b,
  // both inclusive. Diamond: centre a, corners 5 pixels away.
  Point a;
  Point b;
  uint32_t colour = 0;  // blue * 65536 + green * 256 + red
  bool dotted = false;
  bool inverting = true;
};

class SurfaceCanvas {
 public:
  // Creates the canvas widget as a child of parent, drawing diagram.
  SurfaceCanvas(QWidget* parent, const Diagram* diagram);

  QWidget* widget() const { return widget_; }
  void repaintAll();
  void repaintElement(ElementRef ref);
  void repaintArea(const Rect& area);
  void setFigures(const std::vector<SurfaceFigure>& figures);
  // How many overlay figures the canvas draws now.
  size_t figureCount() const;

 private:
  QWidget* widget_;
};

}  // namespace zorvex
