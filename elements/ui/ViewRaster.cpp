#include "elements/ui/ViewRaster.h"

#include <algorithm>
#include <cstdint>

#include "elements/ui/ViewShapes.h"

namespace zorvex {
namespace {

class ImageSink {
 public:
  ImageSink(QImage& image, ViewPoint origin, const ViewRect& clip)
      : bits_(reinterpret_cast<uint32_t*>(image.bits())),
        stride_(image.bytesPerLine() / 4),
        ox_(origin.x),
        oy_(origin.y),
        clip_(intersect(clip, {origin.x, origin.y, origin.x + image.width() - 1, origin.y + image.height() - 1})) {}

  const ViewRect& clip() const { return clip_; }

  void fill(const ViewRect& r, uint32_t colour) {
    const ViewRect a = intersect(r, clip_);
    if (a.empty()) return;
    for (int64_t y = a.top; y <= a.bottom; ++y) std::fill_n(at(a.left, y), a.right - a.left + 1, colour);
  }

  void plot(int64_t x, int64_t y, uint32_t colour, const ViewRect& within) {
    const ViewRect w = intersect(within, clip_);
    if (x >= w.left && x <= w.right && y >= w.top && y <= w.bottom) *at(x, y) = colour;
  }

  void line(int64_t ax, int64_t ay, int64_t bx, int64_t by, bool dotted, uint32_t colour, const ViewRect& within) {
    rasterLine(ax, ay, bx, by, intersect(within, clip_), dotted, [&](int64_t x, int64_t y) { *at(x, y) = colour; });
  }

 private:
  uint32_t* at(int64_t x, int64_t y) { return bits_ + (y - oy_) * stride_ + (x - ox_); }

  uint32_t* bits_;
  int64_t stride_;
  int64_t ox_, oy_;
  ViewRect clip_;
};

struct RasterFigures {
  ImageSink& sink;
  const ViewMapping& m;
  void operator()(const TDefeater& f) const { drawDefeaterFigure(sink, m, f); }
  void operator()(const TArrow& a) const { drawArrowFigure(sink, m, a); }
  void operator()(const TSentence& s) const {
    drawSentenceFigure(sink, m, s, [](const TSentence&, const ViewRect&, uint32_t) {});
  }
};

}  // namespace

void renderZoomedPixels(const Diagram& d, int step, QImage& image, ViewPoint origin, const ViewRect& clip,
                        ZOrderKnown known) {
  if (image.isNull() || image.depth() != 32) return;
  const ViewMapping m = ViewMapping::zoomedAt(step);
  ImageSink sink(image, origin, clip);
  if (sink.clip().empty()) return;
  // Elements just outside may still reach in: the minimum sizes round up.
  const Rect units = m.unitsOf(expanded(sink.clip(), FigureReach));
  visitInPaintOrder(d, units, known, RasterFigures{sink, m});
}

void paintZoomedPixels(QPainter& p, const Diagram& d, const QRect& area, const ViewTransform& view,
                       ZOrderKnown known) {
  if (area.isEmpty()) return;
  QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  const ViewPoint origin{area.left() + view.offsetX(), area.top() + view.offsetY()};
  const ViewRect all{origin.x, origin.y, origin.x + area.width() - 1, origin.y + area.height() - 1};
  renderZoomedPixels(d, view.step(), picture, origin, all, known);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(area.topLeft(), picture);
}

void clearZoomedPixels(QImage& image, ViewPoint origin, const ViewRect& clip) {
  ImageSink sink(image, origin, clip);
  sink.fill(sink.clip(), 0);
}

}  // namespace zorvex
