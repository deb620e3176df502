#include "tools/PictureFile.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "elements/ui/DiagramPainter.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/SentenceFont.h"
#include "model/AtomicFiles.h"
#include "model/ZorvexError.h"

namespace zorvex::tools {
namespace {

void paintInto(QPaintDevice& device, const Diagram& d, const QSize& size) {
  QPainter p;
  if (!p.begin(&device)) throw ZorvexError("The picture cannot be drawn");
  const QRect all(QPoint(0, 0), size);
  p.fillRect(all, SurfaceColour);
  paintDiagram(p, d, all, sentenceFont());
  if (!p.end()) throw ZorvexError("The picture cannot be drawn");
}

QByteArray svgBytes(const Diagram& d) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  const QSize size = renderSize(d);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Zorvex!"));
    paintInto(svg, d, size);
  }
  return buffer.data();
}

// One page exactly the picture's size: at 72 dots per inch a pixel is a
// point, so the drawing keeps its 1:1 coordinates, in vectors.
QByteArray pdfBytes(const Diagram& d) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  const QSize size = renderSize(d);
  {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch)))
      throw ZorvexError("The picture is too large for a PDF page");
    pdf.setTitle(QStringLiteral("Zorvex!"));
    pdf.setCreator(QStringLiteral("Zorvex!"));
    paintInto(pdf, d, size);
  }
  return buffer.data();
}

}  // namespace

QByteArray pngBytes(const QImage& image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw ZorvexError("The picture cannot be encoded as PNG");
  return buffer.data();
}

QByteArray diagramPicture(const Diagram& d, const QString& fileName) {
  if (fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return svgBytes(d);
  if (fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return pdfBytes(d);
  return pngBytes(renderDiagram(d));
}

void writePictureFile(const std::string& path, const QByteArray& bytes) {
  writeOutputFile(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), "Cannot create file");
}

}  // namespace zorvex::tools
