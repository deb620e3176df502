#include "elements/ui/DiagramRenderer.h"

#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
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

void saveDiagramPicture(const Diagram& d, const QString& fileName) {
  const QString failure = QStringLiteral("Cannot create file %1").arg(fileName);
  if (fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QFile probe(fileName);
    if (!probe.open(QIODevice::WriteOnly)) throw ZorvexError(failure.toStdString());
    probe.close();
    const QSize size = renderSize(d);
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Zorvex!"));
    QPainter p;
    if (!p.begin(&svg)) throw ZorvexError(failure.toStdString());
    paintPicture(p, d, size, sentenceFont());
    if (!p.end()) throw ZorvexError(failure.toStdString());
    return;
  }
  if (!renderDiagram(d).save(fileName, "PNG")) throw ZorvexError(failure.toStdString());
}

}  // namespace zorvex
