#include "elements/ui/ViewRaster.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

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
  const ElementColours& colours;
  void operator()(const TDefeater& f) const { drawDefeaterFigure(sink, m, colours, f); }
  void operator()(const TArrow& a) const { drawArrowFigure(sink, m, colours, a); }
  void operator()(const TSentence& s) const {
    drawSentenceFigure(sink, m, colours, s, [](const TSentence&, const ViewRect&, uint32_t) {});
  }
};

// Fewer rows than this per thread and another thread costs more than it saves.
constexpr int64_t MinBandRows = 64;
constexpr unsigned MaxBands = 4;

int bandCount(const ViewRect& clip) {
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, MaxBands);
  return static_cast<int>(std::clamp<int64_t>((clip.bottom - clip.top + 1) / MinBandRows, 1, cores));
}

// The walk over every element, split into bands of rows that threads draw at
// once: each writes only its own rows. False when creation order and numbers
// differ somewhere.
bool walkInBands(const Diagram& d, const ViewMapping& m, const ElementColours& colours, QImage& image,
                 ViewPoint origin, const ViewRect& clip, int bands) {
  std::vector<ImageSink> sinks;
  const int64_t rows = clip.bottom - clip.top + 1;
  for (int b = 0; b < bands; ++b)
    sinks.emplace_back(image, origin,
                       ViewRect{clip.left, clip.top + rows * b / bands, clip.right, clip.top + rows * (b + 1) / bands - 1});
  std::vector<char> inOrder(static_cast<size_t>(bands), 0);
  auto draw = [&](int b) {
    ImageSink& sink = sinks[static_cast<size_t>(b)];
    inOrder[static_cast<size_t>(b)] =
        walkInCreationOrder(d, m.unitsOf(expanded(sink.clip(), FigureReach)), RasterFigures{sink, m, colours});
  };
  std::vector<std::thread> helpers;
  for (int b = 1; b < bands; ++b) {
    try {
      helpers.emplace_back(draw, b);
    } catch (const std::system_error&) {
      draw(b);  // no thread to be had: this one draws the band
    }
  }
  draw(0);
  for (std::thread& t : helpers) t.join();
  return std::all_of(inOrder.begin(), inOrder.end(), [](char c) { return c != 0; });
}

}  // namespace

void renderZoomedPixels(const Diagram& d, int step, QImage& image, ViewPoint origin, const ViewRect& clip,
                        const PaintOptions& options) {
  if (image.isNull() || image.depth() != 32) return;
  const ViewMapping m = ViewMapping::zoomedAt(step);
  const ElementColours& colours = elementColours(options);
  ImageSink sink(image, origin, clip);
  if (sink.clip().empty()) return;
  // Elements just outside may still reach in: the minimum sizes round up.
  const Rect units = m.unitsOf(expanded(sink.clip(), FigureReach));
  const int bands = bandCount(sink.clip());
  const bool inOrder = bands > 1 && preferWalk(d, units)
                           ? walkInBands(d, m, colours, image, origin, sink.clip(), bands)
                           : visitInPaintOrder(d, units, ZOrderKnown::ByNumber, RasterFigures{sink, m, colours});
  // Creation order nearly always follows the numbers. When it does not, all
  // is drawn again in sorted order: every pixel the first pass set is set
  // again by the same element, and the last element on it decides.
  if (inOrder) return;
  visitInPaintOrder(d, units, ZOrderKnown::Mixed, RasterFigures{sink, m, colours});
}

void paintZoomedPixels(QPainter& p, const Diagram& d, const QRect& area, const ViewTransform& view,
                       const PaintOptions& options) {
  if (area.isEmpty()) return;
  QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  const ViewPoint origin{area.left() + view.offsetX(), area.top() + view.offsetY()};
  const ViewRect all{origin.x, origin.y, origin.x + area.width() - 1, origin.y + area.height() - 1};
  renderZoomedPixels(d, view.step(), picture, origin, all, options);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(area.topLeft(), picture);
}

void clearZoomedPixels(QImage& image, ViewPoint origin, const ViewRect& clip) {
  ImageSink sink(image, origin, clip);
  sink.fill(sink.clip(), 0);
}

}  // namespace zorvex
