#pragma once
// Sentences, arrows and defeaters as figures at any zoom: the colours and
// shapes of 100 %, lines and frames one pixel wide, and every element at
// least one pixel however far the view is zoomed out. They draw through a
// sink (an image's pixels or a painter) that clips everything to its area:
//   clip()                                 the pixels it may touch;
//   fill(rect, colour)                     a filled rectangle;
//   plot(x, y, colour, within)             one pixel;
//   line(ax, ay, bx, by, dotted, colour, within)   as rasterLine draws it.
#include <algorithm>
#include <cstdint>

#include "elements/Geometry.h"
#include "elements/ui/PaintOptions.h"
#include "elements/ui/ViewMapping.h"
#include "model/Elements.h"
#include "model/ZorvexError.h"

namespace zorvex {

// 0xAARRGGBB of every status and selection, looked up instead of built for
// each of a million elements; taken from the element painters' own rules.
// Without the selection, a selected element has its unselected colours.
struct ElementColours {
  Palette palette;
  uint32_t sentenceFrame[256][2];
  uint32_t sentenceFill[256];
  uint32_t arrow[256][2];
  uint32_t defeater[256][2];
};
const ElementColours& elementColours(const PaintOptions& options = {});

// A head stroke reaches 8 units back from the end point: below 1/8 both
// strokes stay inside the end point's own pixel.
inline bool headsShow(const ViewMapping& m) { return m.shift() >= -3; }

// The defeater's diamond: radius 5 zoomed, never less than one pixel.
inline int64_t diamondRadius(const ViewMapping& m) { return std::max<int64_t>(1, m.scaled(5)); }

// How far a figure may reach past its element's zoomed drawn extent.
constexpr int64_t FigureReach = 2;

template <class Sink>
void drawFigureLine(Sink& sink, const ViewMapping& m, Point a, Point b, bool dotted, uint32_t colour,
                    const ViewRect& within) {
  const int64_t ax = m.x(a.x), ay = m.y(a.y), bx = m.x(b.x), by = m.y(b.y);
  if (ax == bx && ay == by) {
    // Shorter than a pixel once zoomed out: its first pixel keeps it visible.
    if (!(a == b)) sink.plot(ax, ay, colour, within);
    return;
  }
  sink.line(ax, ay, bx, by, dotted, colour, within);
}

template <class Sink>
void drawOutline(Sink& sink, const ViewRect& r, uint32_t colour) {
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return sink.fill(r, colour);  // all edge, no inside
  sink.fill({r.left, r.top, r.right, r.top}, colour);
  sink.fill({r.left, r.bottom, r.right, r.bottom}, colour);
  sink.fill({r.left, r.top, r.left, r.bottom}, colour);
  sink.fill({r.right, r.top, r.right, r.bottom}, colour);
}

// The badge and glyph of 100 %, each of their pixels zoomed.
template <class Sink>
void drawStatusMark(Sink& sink, const ViewMapping& m, StatusMark mark, const TSentence& s, const ViewRect& box) {
  int32_t dx = 0, dy = 0;
  if (mark == StatusMark::None || !markPlace(s.Width, s.Height, dx, dy)) return;
  const int64_t x = int64_t{s.Left} + dx, y = int64_t{s.Top} + dy;
  const uint32_t badge = 0xFF000000u | MarkBadgeRgb, ink = 0xFF000000u | MarkGlyphRgb;
  sink.fill(intersect(m.rect(x, y, x + MarkSide - 1, y + MarkSide - 1), box), badge);
  const MarkGlyph& glyph = markGlyph(mark);
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 5; ++col)
      if (glyph[row][col] == '#')
        sink.fill(intersect(m.rect(x + 1 + col, y + 1 + row, x + 1 + col, y + 1 + row), box), ink);
}

// text(sentence, box, fill) draws the text where the sink can; the cross of
// a defeated sentence goes over it.
template <class Sink, class Text>
void drawSentenceFigure(Sink& sink, const ViewMapping& m, const ElementColours& c, const TSentence& s, Text&& text) {
  if (s.Deleted || s.Width <= 0 || s.Height <= 0) return;
  const int64_t l = s.Left, t = s.Top;
  const ViewRect box = m.rect(l, t, l + s.Width - 1, t + s.Height - 1);
  if (!meets(box, sink.clip())) return;
  const uint32_t frame = c.sentenceFrame[s.Status][s.Selected ? 1 : 0];
  const uint32_t fill = c.sentenceFill[s.Status];
  sink.fill(box, frame);
  sink.fill(expanded(box, -1), fill);
  text(s, box, fill);
  // A box without inside is all frame: the cross would change no pixel.
  if (has(s.Status, Defeated) && box.right - box.left >= 2 && box.bottom - box.top >= 2) {
    const int64_t x0 = m.x(l), y0 = m.y(t), x1 = m.x(l + s.Width), y1 = m.y(t + s.Height);
    sink.line(x0, y0, x1, y1, false, frame, box);
    sink.line(x0, y1, x1, y0, false, frame, box);
  }
  drawStatusMark(sink, m, statusMark(c.palette, s.Status), s, box);
}

template <class Sink>
void drawArrowFigure(Sink& sink, const ViewMapping& m, const ElementColours& c, const TArrow& a) {
  if (a.Deleted) return;
  const uint32_t colour = c.arrow[a.Status][a.Selected ? 1 : 0];
  if (a.Width > 0 && a.Height > 0) {
    const ViewRect bounds = m.rect(a.Left, a.Top, int64_t{a.Left} + a.Width - 1, int64_t{a.Top} + a.Height - 1);
    drawFigureLine(sink, m, {a.StartX, a.StartY}, {a.EndX, a.EndY}, has(a.Status, Defeated), colour, bounds);
  }
  if (!headsShow(m)) return;
  const StartEnd head = arrowHeadPoints(a);
  const int64_t ex = m.x(a.EndX), ey = m.y(a.EndY);
  sink.line(ex, ey, m.x(head.start.x), m.y(head.start.y), false, colour, sink.clip());
  sink.line(ex, ey, m.x(head.end.x), m.y(head.end.y), false, colour, sink.clip());
}

template <class Sink>
void drawDefeaterFigure(Sink& sink, const ViewMapping& m, const ElementColours& c, const TDefeater& f) {
  if (f.Deleted || f.Incomplete) return;
  const uint32_t colour = c.defeater[static_cast<uint8_t>(f.DefeaterState)][f.Selected ? 1 : 0];
  drawOutline(sink, m.rect(f.ChallengingRect), colour);
  drawOutline(sink, m.rect(f.ChallengedRect), colour);
  drawFigureLine(sink, m, {f.StartX, f.StartY}, {f.EndX, f.EndY}, false, colour, sink.clip());
  const int64_t cx = m.x(f.EndX), cy = m.y(f.EndY), r = diamondRadius(m);
  for (int64_t dy = -r; dy <= r; ++dy) {
    const int64_t half = r - (dy < 0 ? -dy : dy);
    sink.fill({cx - half, cy + dy, cx + half, cy + dy}, colour);
  }
}

}  // namespace zorvex
