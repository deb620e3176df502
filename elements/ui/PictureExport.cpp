#include "elements/ui/PictureExport.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <string>

#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/PngRows.h"
#include "elements/ui/SentenceFont.h"
#include "elements/ui/ViewPainter.h"
#include "model/AtomicFiles.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

const char* const Failure = "Cannot create file";
// A picture shows the diagram, not what is selected in the window.
const PaintOptions Picture{.selection = false};

// Rows drawn and written at a time: a band of the widest picture is 16 MB.
constexpr int BandRows = 128;

std::string sizeText(const PictureSize& s) { return std::to_string(s.width) + " x " + std::to_string(s.height); }

// Band by band, each drawn as the view draws that part of the diagram
// scrolled there, so only one band is ever in memory. At a pixel ratio of 2
// each band has twice the pixels a side and is drawn as the window draws on
// such a display.
bool drawPng(const Diagram& d, const Rect& frame, int step, int ratio, const PaintProgress& progress,
             std::string& bytes) {
  const ViewRect pixels = picturePixels(frame, step);
  const PictureSize size = pictureSize(frame, step);
  const int width = static_cast<int>(size.width), height = static_cast<int>(size.height);
  const int bandRows = std::min(BandRows, height);
  QImage band(width * ratio, bandRows * ratio, QImage::Format_RGB32);
  if (band.isNull()) throw ZorvexError("Out of memory");
  band.setDevicePixelRatio(ratio);
  PngRows png(width * ratio, height * ratio);
  ViewTransform view;
  view.zoomTo(step, {});
  for (int top = 0; top < height; top += BandRows) {
    const int rows = std::min(BandRows, height - top);
    band.fill(SurfaceColour);
    view.setOffset({pixels.left, pixels.top + top});
    QPainter p(&band);
    paintDiagramView(p, d, QRect(0, 0, width, rows), sentenceFont(), view, nullptr, Picture);
    p.end();
    png.write(band, rows * ratio);
    if (progress && !progress(top + rows, height)) return false;
  }
  bytes = png.finish();
  return true;
}

// Vectors at 1:1, moved so that the frame's corner is the page's.
bool drawVectors(QPaintDevice& device, const Diagram& d, const Rect& frame, const PaintProgress& progress,
                 const std::string& failure) {
  QPainter p;
  if (!p.begin(&device)) throw ZorvexError(failure);
  const QRect all(QPoint(frame.Left, frame.Top), QPoint(frame.Right, frame.Bottom));
  p.translate(-static_cast<qreal>(frame.Left), -static_cast<qreal>(frame.Top));
  p.fillRect(all, SurfaceColour);
  const bool done = paintDiagramInParts(p, d, all, sentenceFont(), Picture, progress);
  if (!p.end()) throw ZorvexError(failure);
  return done;
}

bool drawSvg(const Diagram& d, const Rect& frame, const PaintProgress& progress, const std::string& failure,
             QBuffer& out) {
  const PictureSize size = pictureSize(frame, ViewTransform::ActualSizeStep);
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setSize(QSize(static_cast<int>(size.width), static_cast<int>(size.height)));
  svg.setViewBox(QRect(0, 0, static_cast<int>(size.width), static_cast<int>(size.height)));
  svg.setTitle(QStringLiteral("Zorvex!"));
  return drawVectors(svg, d, frame, progress, failure);
}

// One page exactly the picture's size: at 72 dots per inch a pixel is a
// point, so the drawing keeps its 1:1 coordinates, in vectors.
bool drawPdf(const Diagram& d, const Rect& frame, const PaintProgress& progress, const std::string& failure,
             QBuffer& out) {
  const PictureSize size = pictureSize(frame, ViewTransform::ActualSizeStep);
  QPdfWriter pdf(&out);
  pdf.setResolution(72);
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  const QSizeF points(static_cast<qreal>(size.width), static_cast<qreal>(size.height));
  if (!pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch)))
    throw ZorvexError(failure);
  pdf.setTitle(QStringLiteral("Zorvex!"));
  pdf.setCreator(QStringLiteral("Zorvex!"));
  return drawVectors(pdf, d, frame, progress, failure);
}

}  // namespace

ExportedPicture saveDiagramPicture(const Diagram& d, const QString& fileName, const PaintProgress& progress,
                                   int pixelRatio) {
  const std::string name = fileName.toStdString();
  // A file that cannot be written is named before the long work, not after.
  if (!writtenDirectly(name)) checkReplaceable(name, Failure);
  const std::string failure = std::string(Failure) + " " + name;
  const Rect frame = pictureFrame(d);
  ExportedPicture result;
  result.fullSize = pictureSize(frame, ViewTransform::ActualSizeStep);
  std::string bytes;
  const bool svg = fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
  if (svg || fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    result.stopped = !(svg ? drawSvg(d, frame, progress, failure, out) : drawPdf(d, frame, progress, failure, out));
    bytes = out.data().toStdString();
  } else {
    const std::optional<int> step = largestPictureStep(frame);
    if (!step)
      throw ZorvexError("The picture would be " + sizeText(pictureSize(frame, 0)) + " pixels even at " +
                        zoomLabel(0) + ", more than " + std::to_string(MaxPictureSide) +
                        " on a side: export it as SVG or PDF");
    result.step = *step;
    // Twice the pixels only where the picture has room for them at full size.
    const bool fine = pixelRatio == 2 && *step == ViewTransform::ActualSizeStep &&
                      largestPictureStep(frame, MaxPictureSide / 2) == ViewTransform::ActualSizeStep;
    result.pixelRatio = fine ? 2 : 1;
    result.stopped = !drawPng(d, frame, *step, result.pixelRatio, progress, bytes);
  }
  if (!result.stopped) writeOutputFile(name, bytes, Failure);
  return result;
}

}  // namespace zorvex
