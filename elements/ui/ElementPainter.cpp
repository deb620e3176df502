#include "elements/ui/ElementPainter.h"

#include <QFontMetrics>
#include <algorithm>
#include <limits>

#include "elements/Geometry.h"
#include "elements/ui/PixelDraw.h"

namespace zorvex {
namespace {

QColor rgb(uint32_t c) { return QColor::fromRgb(c); }

void pixelExact(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setBrush(Qt::NoBrush);
  p.setBackgroundMode(Qt::TransparentMode);
}

// The inclusive rectangle Left .. Left + Width - 1, Top .. Top + Height - 1,
// within limit; empty when the element has no pixels there.
QRect boundsWithin(const ElementBase& e, const QRect& limit) {
  const int64_t l = std::max<int64_t>(e.Left, limit.left());
  const int64_t t = std::max<int64_t>(e.Top, limit.top());
  const int64_t r = std::min<int64_t>(int64_t{e.Left} + e.Width - 1, limit.right());
  const int64_t b = std::min<int64_t>(int64_t{e.Top} + e.Height - 1, limit.bottom());
  if (l > r || t > b) return {};
  return QRect(QPoint(static_cast<int>(l), static_cast<int>(t)), QPoint(static_cast<int>(r), static_cast<int>(b)));
}

// Whether `box` is all of the element, compared in 64 bits: a box that
// reaches 2147483647 has no QRect(Left, Top, Width, Height).
bool isWhole(const QRect& box, const ElementBase& e) {
  return box.left() == e.Left && box.top() == e.Top && box.right() == int64_t{e.Left} + e.Width - 1 &&
         box.bottom() == int64_t{e.Top} + e.Height - 1;
}

void paintSentenceText(QPainter& p, const TSentence& s, const QFont& font, const QRect& box, const QColor& fill,
                       const QColor& ink) {
  if (s.Text.empty()) return;
  const QString text = QString::fromStdString(s.Text);
  const QFontMetrics fm(font);
  const int64_t x = int64_t{s.Left} + 3, y = int64_t{s.Top} + 3;
  // The text's opaque background: only visible where the text reaches the frame.
  fillInclusive(p, x, y, x + fm.horizontalAdvance(text) - 1, y + fm.height() - 1, fill, box);
  // A baseline beyond the 32-bit plane lies past every picture's edge.
  const int64_t baseline = y + fm.ascent();
  if (x > std::numeric_limits<int>::max() || baseline > std::numeric_limits<int>::max()) return;
  const bool clip = x + fm.horizontalAdvance(text) > box.right() || y + fm.height() > box.bottom() ||
                    !isWhole(box, s);
  if (clip) {
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
  }
  p.setFont(font);
  p.setPen(ink);
  p.drawText(QPoint(static_cast<int>(x), static_cast<int>(baseline)), text);
  if (clip) p.restore();
}

// Over everything else in the box, the cross included, so it stays legible.
void paintStatusMark(QPainter& p, const TSentence& s, StatusMark mark, const QRect& box) {
  int32_t dx = 0, dy = 0;
  if (mark == StatusMark::None || !markPlace(s.Width, s.Height, dx, dy)) return;
  const int64_t x = int64_t{s.Left} + dx, y = int64_t{s.Top} + dy;
  fillInclusive(p, x, y, x + MarkSide - 1, y + MarkSide - 1, rgb(MarkBadgeRgb), box);
  const MarkGlyph& glyph = markGlyph(mark);
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 5; ++col)
      if (glyph[row][col] == '#')
        fillInclusive(p, x + 1 + col, y + 1 + row, x + 1 + col, y + 1 + row, rgb(MarkGlyphRgb), box);
}

}  // namespace

QColor sentenceFrameColour(const TSentence& s, const PaintOptions& options) {
  return rgb(sentenceFrameRgb(options.paletteNow(), s.Status, s.Selected && options.selection));
}

QColor sentenceFillColour(const TSentence& s, const PaintOptions& options) {
  return rgb(sentenceFillRgb(options.paletteNow(), s.Status));
}

QColor arrowColour(const TArrow& a, const PaintOptions& options) {
  return rgb(arrowRgb(options.paletteNow(), a.Status, a.Selected && options.selection));
}

QColor defeaterColour(const TDefeater& d, const PaintOptions& options) {
  return rgb(defeaterRgb(options.paletteNow(), d.DefeaterState, d.Selected && options.selection));
}

void paintSentence(QPainter& p, const TSentence& s, const QFont& font) { paintSentence(p, s, font, paintLimit(p)); }

void paintSentence(QPainter& p, const TSentence& s, const QFont& font, const QRect& limit,
                   const PaintOptions& options) {
  if (s.Deleted) return;
  const QRect box = boundsWithin(s, limit);
  if (box.isEmpty()) return;
  pixelExact(p);
  const QColor frame = sentenceFrameColour(s, options);
  const Palette palette = options.paletteNow();
  const QColor fill = rgb(sentenceFillRgb(palette, s.Status));
  const int64_t l = s.Left, t = s.Top, r = l + s.Width - 1, b = t + s.Height - 1;
  fillInclusive(p, l, t, r, b, frame, box);
  fillInclusive(p, l + 1, t + 1, r - 1, b - 1, fill, box);
  paintSentenceText(p, s, font, box, fill, rgb(sentenceTextRgb(palette, s.Status)));
  if (has(s.Status, Defeated)) {
    // To the point just past the far corner, which may lie past 2147483647.
    const int64_t pastRight = l + s.Width, pastBottom = t + s.Height;
    drawLine(p, l, t, pastRight, pastBottom, frame, LineStyle::Solid, box);
    drawLine(p, l, pastBottom, pastRight, t, frame, LineStyle::Solid, box);
  }
  paintStatusMark(p, s, statusMark(palette, s.Status), box);
}

void paintArrow(QPainter& p, const TArrow& a) { paintArrow(p, a, paintLimit(p)); }

void paintArrow(QPainter& p, const TArrow& a, const QRect& limit, const PaintOptions& options) {
  if (a.Deleted) return;
  pixelExact(p);
  const QRect shaftArea = boundsWithin(a, limit);
  if (!shaftArea.isEmpty()) {
    const LineStyle style = has(a.Status, Defeated) ? LineStyle::Dotted : LineStyle::Solid;
    drawLine(p, {a.StartX, a.StartY}, {a.EndX, a.EndY}, arrowColour(a, options), style, shaftArea);
  }
  paintArrowHead(p, a, limit, options);
}

void paintArrowHead(QPainter& p, const TArrow& a, const QRect& limit, const PaintOptions& options) {
  if (a.Deleted) return;
  pixelExact(p);
  const StartEnd h = arrowHeadPoints(a);
  const Point end{a.EndX, a.EndY};
  const QColor c = arrowColour(a, options);
  drawLine(p, end, h.start, c, LineStyle::Solid, limit);
  drawLine(p, end, h.end, c, LineStyle::Solid, limit);
}

void paintDefeater(QPainter& p, const TDefeater& d) { paintDefeater(p, d, paintLimit(p)); }

void paintDefeater(QPainter& p, const TDefeater& d, const QRect& limit, const PaintOptions& options) {
  if (d.Deleted || d.Incomplete) return;
  pixelExact(p);
  const QColor c = defeaterColour(d, options);
  drawRectOutline(p, d.ChallengingRect, c, limit);
  drawRectOutline(p, d.ChallengedRect, c, limit);
  drawLine(p, {d.StartX, d.StartY}, {d.EndX, d.EndY}, c, LineStyle::Solid, limit);
  paintDefeaterHead(p, d, limit, options);
}

void paintDefeaterHead(QPainter& p, const TDefeater& d, const QRect& limit, const PaintOptions& options) {
  if (d.Deleted || d.Incomplete) return;
  fillDiamond(p, {d.EndX, d.EndY}, 5, defeaterColour(d, options), limit);
}

}  // namespace zorvex
