#include "elements/ui/ElementPainter.h"

#include <QFontMetrics>
#include <algorithm>
#include <limits>

#include "elements/Geometry.h"
#include "elements/ui/PixelDraw.h"

namespace zorvex {
namespace {

const QColor Grey(0x80, 0x80, 0x80);
const QColor Black(0, 0, 0);
const QColor Green(0x22, 0xB9, 0x1E);
const QColor Blue(0, 0, 0xFF);
const QColor Yellow(0xFF, 0xFF, 0);
const QColor White(0xFF, 0xFF, 0xFF);
const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Lime(0, 0xFF, 0);
const QColor Maroon(0x80, 0, 0);
const QColor Red(0xFF, 0, 0);
const QColor LightRed(0xFF, 0x80, 0x80);

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

void paintSentenceText(QPainter& p, const TSentence& s, const QFont& font, const QRect& box, const QColor& fill) {
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
  p.setPen(Black);
  p.drawText(QPoint(static_cast<int>(x), static_cast<int>(baseline)), text);
  if (clip) p.restore();
}

}  // namespace

QColor sentenceFrameColour(const TSentence& s, const PaintOptions& options) {
  QColor c = Black;  // only the key window's bare sample would match no rule
  if (has(s.Status, NotEvaluated)) c = Grey;
  if (has(s.Status, Undefeated) || has(s.Status, Defeated)) c = Black;
  if (has(s.Status, JustEvaluated)) c = Green;
  if (has(s.Status, SetByUser)) c = Blue;
  if (s.Selected && options.selection) c = Yellow;
  return c;
}

QColor sentenceFillColour(const TSentence& s) {
  QColor c = White;
  if (has(s.Status, NotEvaluated)) c = Silver;
  if (has(s.Status, StatusFlipped)) c = Lime;
  return c;
}

QColor arrowColour(const TArrow& a, const PaintOptions& options) {
  QColor c = Black;
  if (has(a.Status, NotEvaluated)) c = Grey;
  if (has(a.Status, Undefeated) || has(a.Status, Defeated)) c = Black;
  if (a.Selected && options.selection) c = Yellow;
  return c;
}

QColor defeaterColour(const TDefeater& d, const PaintOptions& options) {
  QColor c = Maroon;
  if (d.DefeaterState == DefeaterState::Active) c = Red;
  if (d.DefeaterState == DefeaterState::Inactive) c = LightRed;
  if (d.Selected && options.selection) c = Yellow;
  return c;
}

void paintSentence(QPainter& p, const TSentence& s, const QFont& font) { paintSentence(p, s, font, paintLimit(p)); }

void paintSentence(QPainter& p, const TSentence& s, const QFont& font, const QRect& limit,
                   const PaintOptions& options) {
  if (s.Deleted) return;
  const QRect box = boundsWithin(s, limit);
  if (box.isEmpty()) return;
  pixelExact(p);
  const QColor frame = sentenceFrameColour(s, options);
  const QColor fill = sentenceFillColour(s);
  const int64_t l = s.Left, t = s.Top, r = l + s.Width - 1, b = t + s.Height - 1;
  fillInclusive(p, l, t, r, b, frame, box);
  fillInclusive(p, l + 1, t + 1, r - 1, b - 1, fill, box);
  paintSentenceText(p, s, font, box, fill);
  if (has(s.Status, Defeated)) {
    // To the point just past the far corner, which may lie past 2147483647.
    const int64_t pastRight = l + s.Width, pastBottom = t + s.Height;
    drawLine(p, l, t, pastRight, pastBottom, frame, LineStyle::Solid, box);
    drawLine(p, l, pastBottom, pastRight, t, frame, LineStyle::Solid, box);
  }
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
