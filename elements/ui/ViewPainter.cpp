#include "elements/ui/ViewPainter.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "elements/ui/DiagramPainter.h"
#include "elements/ui/PixelDraw.h"
#include "elements/ui/ViewRaster.h"
#include "elements/ui/ViewShapes.h"

namespace zorvex {
namespace {

QRect toQRect(const ViewRect& r) {
  return QRect(QPoint(static_cast<int>(r.left), static_cast<int>(r.top)),
               QPoint(static_cast<int>(r.right), static_cast<int>(r.bottom)));
}

// Figures through a painter: for the few elements a zoomed-in view shows.
class PainterSink {
 public:
  PainterSink(QPainter& p, const ViewRect& clip) : p_(p), clip_(clip) {}

  const ViewRect& clip() const { return clip_; }

  void fill(const ViewRect& r, uint32_t colour) {
    const ViewRect a = intersect(r, clip_);
    if (!a.empty()) p_.fillRect(toQRect(a), QColor::fromRgba(colour));
  }

  void plot(int64_t x, int64_t y, uint32_t colour, const ViewRect& within) {
    fill(intersect({x, y, x, y}, within), colour);
  }

  void line(int64_t ax, int64_t ay, int64_t bx, int64_t by, bool dotted, uint32_t colour, const ViewRect& within) {
    pixels_.clear();
    rasterLine(ax, ay, bx, by, intersect(within, clip_), dotted, [this](int64_t x, int64_t y) {
      pixels_.emplace_back(static_cast<int>(x), static_cast<int>(y));
    });
    drawPixels(p_, pixels_, QColor::fromRgba(colour));
  }

 private:
  QPainter& p_;
  ViewRect clip_;
  std::vector<QPoint> pixels_;
};

// A sentence's text at the zoomed size from the zoomed text origin, on its
// fill colour, clipped to the box, as at 100 %.
class SentenceText {
 public:
  SentenceText(QPainter& p, PainterSink& sink, const ViewMapping& m, const QFont& font, bool shows, Palette palette)
      : p_(p), sink_(sink), m_(m), font_(font), metrics_(font), shows_(shows), palette_(palette) {}

  void operator()(const TSentence& s, const ViewRect& box, uint32_t fill) {
    if (!shows_ || s.Text.empty()) return;
    const QString text = QString::fromStdString(s.Text);
    const int64_t x = m_.x(int64_t{s.Left} + 3), y = m_.y(int64_t{s.Top} + 3);
    const ViewRect textBox{x, y, x + metrics_.horizontalAdvance(text) - 1, y + metrics_.height() - 1};
    sink_.fill(intersect(textBox, box), fill);
    const ViewRect shown = intersect(box, sink_.clip());
    if (!meets(textBox, shown)) return;
    p_.save();
    p_.setClipRect(toQRect(shown), Qt::IntersectClip);
    p_.setFont(font_);
    p_.setPen(QColor::fromRgb(sentenceTextRgb(palette_, s.Status)));
    p_.drawText(QPoint(static_cast<int>(x), static_cast<int>(y + metrics_.ascent())), text);
    p_.restore();
  }

 private:
  QPainter& p_;
  PainterSink& sink_;
  const ViewMapping& m_;
  QFont font_;
  QFontMetrics metrics_;
  bool shows_;
  Palette palette_;
};

struct PainterFigures {
  PainterSink& sink;
  const ViewMapping& m;
  SentenceText& text;
  const ElementColours& colours;
  void operator()(const TDefeater& f) const { drawDefeaterFigure(sink, m, colours, f); }
  void operator()(const TArrow& a) const { drawArrowFigure(sink, m, colours, a); }
  void operator()(const TSentence& s) const { drawSentenceFigure(sink, m, colours, s, text); }
};

void paintZoomed(QPainter& p, const Diagram& d, const QRect& area, const QFont& font, const ViewTransform& view,
                 const PaintOptions& options) {
  const ViewMapping m = ViewMapping::of(view);
  const ViewRect clip{area.left(), area.top(), area.right(), area.bottom()};
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setBrush(Qt::NoBrush);
  p.setBackgroundMode(Qt::TransparentMode);
  PainterSink sink(p, clip);
  SentenceText text(p, sink, m, zoomedSentenceFont(font, view.step()), textShows(font, view.step()),
                    options.paletteNow());
  visitInPaintOrder(d, m.unitsOf(expanded(clip, FigureReach)), ZOrderKnown::Unknown,
                    PainterFigures{sink, m, text, elementColours(options)});
  p.restore();
}

// 100 % scrolled: the diagram painter's own pixels, moved by the offset.
void paintShifted(QPainter& p, const Diagram& d, const QRect& area, const QFont& font, const ViewTransform& view,
                  const PaintOptions& options) {
  const int64_t ox = view.offsetX(), oy = view.offsetY();
  const ViewRect shown = intersect({area.left() + ox, area.top() + oy, area.right() + ox, area.bottom() + oy},
                                   {INT32_MIN + 1, INT32_MIN + 1, INT32_MAX, INT32_MAX});
  if (shown.empty()) return;
  p.save();
  p.translate(static_cast<qreal>(-ox), static_cast<qreal>(-oy));
  paintDiagram(p, d, toQRect(shown), font, options);
  p.restore();
}

double zoomedPixelSize(const QFont& font, int step) {
  const double size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
  const ZoomScale s = ViewTransform::scaleOfStep(step);
  return size * static_cast<double>(s.num) / static_cast<double>(s.den);
}

}  // namespace

QFont zoomedSentenceFont(const QFont& font, int step) {
  QFont zoomed(font);
  zoomed.setPixelSize(std::max(1, static_cast<int>(zoomedPixelSize(font, step))));
  return zoomed;
}

bool textShows(const QFont& font, int step) { return zoomedPixelSize(font, step) >= SmallestTextPixels; }

void paintDiagramView(QPainter& p, const Diagram& d, const QRect& area, const QFont& font, const ViewTransform& view,
                      ViewPictureCache* cache, const PaintOptions& options) {
  if (area.isEmpty()) return;
  if (view.isIdentity()) return paintDiagram(p, d, area, font, options);
  if (view.isActualSize()) return paintShifted(p, d, area, font, view, options);
  if (view.scale().num > 1 || textShows(font, view.step())) return paintZoomed(p, d, area, font, view, options);
  if (cache) return cache->paint(p, d, area, view);
  paintZoomedPixels(p, d, area, view, options);
}

}  // namespace zorvex
