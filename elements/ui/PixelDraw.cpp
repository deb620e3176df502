#include "elements/ui/PixelDraw.h"

#include <QPaintEngine>
#include <QPen>
#include <algorithm>
#include <cstdlib>

namespace zorvex {
namespace {

__extension__ typedef __int128 Wide;

// Pixels j = 0 .. count-1 of an axis-parallel run from (x0, y0) in steps of
// (sx, sy); pixel j has index first + j along its figure, which decides the
// dots. Only the part inside clip is visited.
void runPixels(int64_t x0, int64_t y0, int sx, int sy, int64_t count, int64_t first, const QRect& clip,
               LineStyle style, std::vector<QPoint>& out) {
  if (count <= 0) return;
  int64_t lo = 0, hi = count - 1;
  auto limit = [&](int64_t origin, int step, int64_t cLo, int64_t cHi) {
    if (step == 0) {
      if (origin < cLo || origin > cHi) hi = -1;
    } else if (step > 0) {
      lo = std::max(lo, cLo - origin);
      hi = std::min(hi, cHi - origin);
    } else {
      lo = std::max(lo, origin - cHi);
      hi = std::min(hi, origin - cLo);
    }
  };
  limit(x0, sx, clip.left(), clip.right());
  limit(y0, sy, clip.top(), clip.bottom());
  int64_t step = 1;
  if (style == LineStyle::Dotted) {
    step = 2;
    if ((first + lo) % 2 != 0) ++lo;
  }
  for (int64_t j = lo; j <= hi; j += step)
    out.emplace_back(static_cast<int>(x0 + sx * j), static_cast<int>(y0 + sy * j));
}

// Bresenham-style line, the end pixel excluded: one pixel per step along the
// major axis, the minor offset rounded to nearest with halves going forward.
// Returns the number of steps, so figures can carry the dot pattern on.
// Any 32-bit coordinates and the points just past them.
int64_t lineRun(int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t first, const QRect& clip, LineStyle style,
                std::vector<QPoint>& out) {
  const int64_t dx = bx - ax, dy = by - ay;
  const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  const int64_t n = std::max(adx, ady);
  if (n == 0 || clip.isEmpty()) return n;
  const bool xMajor = adx >= ady;
  const int64_t aMaj = xMajor ? ax : ay, aMin = xMajor ? ay : ax;
  const int64_t sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int64_t dMin = xMajor ? dy : dx;
  const int64_t sMin = dMin < 0 ? -1 : 1, absMin = std::llabs(dMin);
  const int64_t majLo = xMajor ? clip.left() : clip.top(), majHi = xMajor ? clip.right() : clip.bottom();
  const int64_t minLo = xMajor ? clip.top() : clip.left(), minHi = xMajor ? clip.bottom() : clip.right();
  int64_t lo = sMaj > 0 ? majLo - aMaj : aMaj - majHi;
  int64_t hi = sMaj > 0 ? majHi - aMaj : aMaj - majLo;
  lo = std::max<int64_t>(lo, 0);
  hi = std::min(hi, n - 1);
  int64_t step = 1;
  if (style == LineStyle::Dotted) {
    step = 2;
    if ((first + lo) % 2 != 0) ++lo;
  }
  const bool narrow = n < (int64_t{1} << 30);
  for (int64_t i = lo; i <= hi; i += step) {
    const int64_t off = narrow ? (2 * i * absMin + n) / (2 * n)
                               : static_cast<int64_t>((Wide{2} * i * absMin + n) / (Wide{2} * n));
    const int64_t minor = aMin + sMin * off;
    if (minor < minLo || minor > minHi) continue;
    const int64_t major = aMaj + sMaj * i;
    out.emplace_back(static_cast<int>(xMajor ? major : minor), static_cast<int>(xMajor ? minor : major));
  }
  return n;
}

QPen onePixelPen(const QColor& colour, LineStyle style) {
  QPen pen(colour, 1);
  pen.setCosmetic(true);
  if (style == LineStyle::Dotted) {
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({1, 1});
  }
  return pen;
}

}  // namespace

void linePixels(Point a, Point b, const QRect& clip, LineStyle style, std::vector<QPoint>& out) {
  lineRun(a.x, a.y, b.x, b.y, 0, clip, style, out);
}

void rectOutlinePixels(const Rect& r, const QRect& clip, LineStyle style, std::vector<QPoint>& out) {
  const int64_t L = std::min(r.Left, r.Right), R = std::max(r.Left, r.Right);
  const int64_t T = std::min(r.Top, r.Bottom), B = std::max(r.Top, r.Bottom);
  const int64_t w = R - L + 1, h = B - T + 1;
  int64_t k = 0;
  runPixels(L, T, 1, 0, w, k, clip, style, out);  // top, left to right
  k += w;
  runPixels(R, T + 1, 0, 1, h - 1, k, clip, style, out);  // right, downwards
  k += h - 1;
  if (B > T) {
    runPixels(R - 1, B, -1, 0, w - 1, k, clip, style, out);  // bottom, right to left
    k += w - 1;
  }
  if (R > L) runPixels(L, B - 1, 0, -1, h - 2, k, clip, style, out);  // left, upwards
}

void diamondOutlinePixels(Point c, int32_t r, const QRect& clip, LineStyle style, std::vector<QPoint>& out) {
  const int64_t x = c.x, y = c.y;
  const int64_t corners[4][2] = {{x - r, y}, {x, y - r}, {x + r, y}, {x, y + r}};
  int64_t k = 0;
  for (int i = 0; i < 4; ++i) {
    const int64_t* from = corners[i];
    const int64_t* to = corners[(i + 1) % 4];
    k += lineRun(from[0], from[1], to[0], to[1], k, clip, style, out);
  }
}

bool paintsPixels(const QPainter& p) {
  const QPaintEngine* e = p.paintEngine();
  return e && e->type() == QPaintEngine::Raster;
}

QRect paintLimit(const QPainter& p) {
  QRect limit;
  if (const QPaintDevice* d = p.device()) limit = p.transform().inverted().mapRect(QRect(0, 0, d->width(), d->height()));
  if (p.hasClipping()) limit &= p.clipBoundingRect().toAlignedRect();
  return limit;
}

void drawPixels(QPainter& p, const std::vector<QPoint>& pixels, const QColor& colour) {
  if (pixels.empty()) return;
  const QPaintDevice* d = p.device();
  if (d && d->devicePixelRatio() != 1) {
    // A cosmetic point is one device pixel: on a display of ratio 2 a line
    // would come out a quarter as thick as the frames beside it, and gappy.
    // Each pixel is a square of the display's pixels instead.
    thread_local std::vector<QRect> squares;
    squares.clear();
    for (const QPoint& at : pixels) squares.emplace_back(at, QSize(1, 1));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRects(squares.data(), static_cast<int>(squares.size()));
    p.restore();
    return;
  }
  p.setPen(onePixelPen(colour, LineStyle::Solid));
  p.drawPoints(pixels.data(), static_cast<int>(pixels.size()));
}

void drawLine(QPainter& p, Point a, Point b, const QColor& colour, LineStyle style, const QRect& clip) {
  drawLine(p, a.x, a.y, b.x, b.y, colour, style, clip);
}

void drawLine(QPainter& p, int64_t ax, int64_t ay, int64_t bx, int64_t by, const QColor& colour, LineStyle style,
              const QRect& clip) {
  if (!paintsPixels(p)) {
    if (ax == bx && ay == by) return;
    p.setPen(onePixelPen(colour, style));
    p.drawLine(QPointF(static_cast<double>(ax) + 0.5, static_cast<double>(ay) + 0.5),
               QPointF(static_cast<double>(bx) + 0.5, static_cast<double>(by) + 0.5));
    return;
  }
  thread_local std::vector<QPoint> pixels;
  pixels.clear();
  lineRun(ax, ay, bx, by, 0, clip, style, pixels);
  drawPixels(p, pixels, colour);
}

void fillInclusive(QPainter& p, int64_t l, int64_t t, int64_t r, int64_t b, const QColor& colour, const QRect& clip) {
  l = std::max<int64_t>(l, clip.left());
  t = std::max<int64_t>(t, clip.top());
  r = std::min<int64_t>(r, clip.right());
  b = std::min<int64_t>(b, clip.bottom());
  if (l > r || t > b) return;
  p.fillRect(QRect(QPoint(static_cast<int>(l), static_cast<int>(t)), QPoint(static_cast<int>(r), static_cast<int>(b))),
             colour);
}

void drawRectOutline(QPainter& p, const Rect& r, const QColor& colour, const QRect& clip) {
  const int64_t L = std::min(r.Left, r.Right), R = std::max(r.Left, r.Right);
  const int64_t T = std::min(r.Top, r.Bottom), B = std::max(r.Top, r.Bottom);
  fillInclusive(p, L, T, R, T, colour, clip);
  fillInclusive(p, L, B, R, B, colour, clip);
  fillInclusive(p, L, T, L, B, colour, clip);
  fillInclusive(p, R, T, R, B, colour, clip);
}

void fillDiamond(QPainter& p, Point c, int32_t r, const QColor& colour, const QRect& clip) {
  for (int64_t dy = -r; dy <= r; ++dy) {
    const int64_t half = r - std::llabs(dy);
    fillInclusive(p, int64_t{c.x} - half, c.y + dy, int64_t{c.x} + half, c.y + dy, colour, clip);
  }
}

}  // namespace zorvex
