#pragma once
// Rubber bands and guide lines: figures drawn over the diagram, last, most
// of them with an inverting pen (every pixel becomes the inverse of what lies
// beneath), so showing the same figure twice takes it away again.
#include <QColor>
#include <QPainter>
#include <QRect>
#include <vector>

#include "elements/ui/PixelDraw.h"
#include "model/Types.h"

namespace zorvex {

struct CanvasFigure {
  enum class Kind : uint8_t { Line, Rectangle, Diamond };
  Kind kind = Kind::Line;
  // Line: from a towards b (b's pixel not set). Rectangle: corners a and b,
  // both inclusive, in any order. Diamond: centre a, corners radius away.
  Point a;
  Point b;
  int32_t radius = 5;
  QColor colour = Qt::black;
  LineStyle style = LineStyle::Solid;
  bool inverting = true;

  static CanvasFigure line(Point from, Point to, QColor c, LineStyle s, bool inverting = true);
  static CanvasFigure rectangle(Point corner1, Point corner2, QColor c, LineStyle s, bool inverting = true);
  static CanvasFigure diamond(Point centre, QColor c, LineStyle s, bool inverting = true, int32_t radius = 5);

  friend bool operator==(const CanvasFigure&, const CanvasFigure&) = default;
};

// The inclusive rectangle the figure may touch.
Rect overlayExtent(const CanvasFigure& f);
// The figure's pixels within clip, each once.
void overlayPixels(const CanvasFigure& f, const QRect& clip, std::vector<QPoint>& out);
// Draws the figures in order: inverting ones with a raster NOT of what lies
// beneath (the pen colour does not matter then), the others in copy mode.
void paintOverlays(QPainter& p, const std::vector<CanvasFigure>& figures, const QRect& area);

}  // namespace zorvex
