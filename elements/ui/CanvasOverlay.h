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

struct OverlayFigure {
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

  static OverlayFigure line(Point from, Point to, QColor c, LineStyle s, bool inverting = true);
  static OverlayFigure rectangle(Point corner1, Point corner2, QColor c, LineStyle s, bool inverting = true);
  static OverlayFigure diamond(Point centre, QColor c, LineStyle s, bool inverting = true, int32_t radius = 5);

  friend bool operator==(const OverlayFigure&, const OverlayFigure&) = default;
};

// The inclusive rectangle the figure may touch.
Rect overlayExtent(const OverlayFigure& f);
// The figure's pixels within clip, each once.
void overlayPixels(const OverlayFigure& f, const QRect& clip, std::vector<QPoint>& out);
// Draws the figures in order: inverting ones with a raster NOT of what lies
// beneath (the pen colour does not matter then), the others in copy mode.
void paintOverlays(QPainter& p, const std::vector<OverlayFigure>& figures, const QRect& area);

}  // namespace zorvex
