#include "elements/ui/DiagramRenderer.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
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

namespace {

void paintToFile(QPaintDevice& device, const Diagram& d, const QSize& size, const std::string& failure) {
  QPainter p;
  if (!p.begin(&device)) throw ZorvexError(failure);
  paintPicture(p, d, size, sentenceFont());
  if (!p.end()) throw ZorvexError(failure);
}

// The SVG and PDF writers report a file they cannot make only as a painter
// that will not begin, so the file is tried first.
void probe(const QString& fileName, const std::string& failure) {
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) throw ZorvexError(failure);
}

void saveSvg(const Diagram& d, const QString& fileName, const std::string& failure) {
  probe(fileName, failure);
  const QSize size = renderSize(d);
  QSvgGenerator svg;
  svg.setFileName(fileName);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(QStringLiteral("Zorvex!"));
  paintToFile(svg, d, size, failure);
}

// One page exactly the picture's size: at 72 dots per inch a pixel is a
// point, so the drawing keeps its 1:1 coordinates, in vectors.
void savePdf(const Diagram& d, const QString& fileName, const std::string& failure) {
  probe(fileName, failure);
  const QSize size = renderSize(d);
  QPdfWriter pdf(fileName);
  pdf.setResolution(72);
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  if (!pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch)))
    throw ZorvexError(failure);
  pdf.setTitle(QStringLiteral("Zorvex!"));
  pdf.setCreator(QStringLiteral("Zorvex!"));
  paintToFile(pdf, d, size, failure);
}

}  // namespace

void saveDiagramPicture(const Diagram& d, const QString& fileName) {
  const std::string failure = QStringLiteral("Cannot create file %1").arg(fileName).toStdString();
  if (fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return saveSvg(d, fileName, failure);
  if (fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return savePdf(d, fileName, failure);
  if (!renderDiagram(d).save(fileName, "PNG")) throw ZorvexError(failure);
}

}  // namespace zorvex
