#pragma once
// Pixel-exact drawing primitives shared by the element painters and the
// canvas overlays. Lines are drawn the way the old platform's LineTo drew
// them: every pixel from the start up to, but not including, the end point.
// Dotted lines set every other pixel, counted from the start pixel (which is
// set), so a partly repainted line keeps its pattern. On devices that are
// not pixel grids (SVG) lines and outlines are written as vector strokes.
#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <vector>

#include "model/Types.h"

namespace zorvex {

enum class LineStyle { Solid, Dotted };

// The pixels of the line from a towards b (b excluded) that lie in clip,
// in order from a. With Dotted, only the pixels at even steps from a.
void linePixels(Point a, Point b, const QRect& clip, LineStyle style, std::vector<QPoint>& out);

// The outline pixels of the inclusive rectangle (normalised first), each
// once, clockwise from the top left corner; Dotted keeps every other one.
void rectOutlinePixels(const Rect& r, const QRect& clip, LineStyle style, std::vector<QPoint>& out);

// The outline of the diamond with corners (c.x - r, c.y), (c.x, c.y - r),
// (c.x + r, c.y), (c.x, c.y + r), each pixel once.
void diamondOutlinePixels(Point c, int32_t r, const QRect& clip, LineStyle style, std::vector<QPoint>& out);

// True when the painter draws onto a pixel grid (image or window).
bool paintsPixels(const QPainter& p);

// The area a painter can draw on, in its logical coordinates.
QRect paintLimit(const QPainter& p);

// Plain copy-mode drawing, one pixel wide.
void drawLine(QPainter& p, Point a, Point b, const QColor& colour, LineStyle style, const QRect& clip);
// The same for end points that may lie just past the 32-bit plane.
void drawLine(QPainter& p, int64_t ax, int64_t ay, int64_t bx, int64_t by, const QColor& colour, LineStyle style,
              const QRect& clip);
// Outline covering columns Left and Right and rows Top and Bottom.
void drawRectOutline(QPainter& p, const Rect& r, const QColor& colour, const QRect& clip);
// The filled diamond |x - c.x| + |y - c.y| <= r.
void fillDiamond(QPainter& p, Point c, int32_t r, const QColor& colour, const QRect& clip);
// Fills the inclusive rectangle (l, t, r, b), limited to clip; safe for any 32-bit values.
void fillInclusive(QPainter& p, int64_t l, int64_t t, int64_t r, int64_t b, const QColor& colour, const QRect& clip);
// Sets the given pixels in the painter's pen colour (or, under a raster
// operation, applies it to them).
void drawPixels(QPainter& p, const std::vector<QPoint>& pixels, const QColor& colour);

}  // namespace zorvex
