#include "elements/ui/DiagramRenderer.h"

#include <QPainter>
#include <algorithm>

#include "elements/ui/DiagramPainter.h"
#include "elements/ui/SentenceFont.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

constexpr int MinWidth = 640;
constexpr int MinHeight = 480;
// Beyond this a picture would not fit in memory; the far corner is cut there.
constexpr int MaxSide = 32767;

void paintPicture(QPainter& p, const Diagram& d, const QSize& size, const QFont& font) {
  const QRect all(QPoint(0, 0), size);
  p.fillRect(all, SurfaceColour);
  paintDiagram(p, d, all, font);
}

}  // namespace

QSize renderSize(const Diagram& d) {
  const Point far = d.drawnFarCorner();
  const int w = static_cast<int>(std::clamp<int64_t>(int64_t{far.x} + 1, MinWidth, MaxSide));
  const int h = static_cast<int>(std::clamp<int64_t>(int64_t{far.y} + 1, MinHeight, MaxSide));
  return {w, h};
}

QImage renderDiagram(const Diagram& d, const QFont& font) {
  QImage image(renderSize(d), QImage::Format_RGB32);
  if (image.isNull()) throw ZorvexError("Out of memory");
  QPainter p(&image);
  paintPicture(p, d, image.size(), font);
  return image;
}

QImage renderDiagram(const Diagram& d) { return renderDiagram(d, sentenceFont()); }

}  // namespace zorvex
