#include "app/ui/DiagramPrinting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "document/PageTiling.h"
#include "elements/ui/DiagramPainter.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/SentenceFont.h"
#include "model/Diagram.h"
#include "model/ZorvexError.h"
#include "viewport/PictureFrame.h"

namespace zorvex {
namespace {

// Paper shows the diagram, not what is selected in the window.
const PaintOptions Printed{.selection = false};

// The program's font, at a size for paper.
QFont footerFont() {
  QFont font;
  font.setPointSizeF(8);
  return font;
}

QRect shown(const Rect& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)); }

// One page: its part of the picture from the top left corner, then the footer.
void printPage(QPainter& p, const Diagram& d, const Rect& part, double scale, const QRectF& footer,
               const QString& footerLeft, const QString& footerRight) {
  p.save();
  const double width = (int64_t{part.Right} - part.Left + 1) * scale;
  const double height = (int64_t{part.Bottom} - part.Top + 1) * scale;
  p.setClipRect(QRectF(0, 0, width, height));
  p.scale(scale, scale);
  p.translate(-static_cast<qreal>(part.Left), -static_cast<qreal>(part.Top));
  p.fillRect(shown(part), SurfaceColour);
  paintDiagram(p, d, shown(part), sentenceFont(), Printed);
  p.restore();
  p.setPen(Qt::black);
  p.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, footerLeft);
  p.drawText(footer, Qt::AlignRight | Qt::AlignBottom, footerRight);
}

}  // namespace

int printDiagram(QPrinter& printer, const Diagram& d, const QString& name, bool fitToOnePage) {
  // Device pixels of the printer for one pixel of the surface.
  const double perPixel = printer.resolution() / SurfacePixelsPerInch;
  const QFont font = footerFont();
  const double footerHeight = QFontMetricsF(font, &printer).height() * 2;
  const double pageWidth = printer.width(), pageHeight = printer.height();
  const PageRoom room{static_cast<int64_t>(std::floor(pageWidth / perPixel)),
                      static_cast<int64_t>(std::floor((pageHeight - footerHeight) / perPixel))};
  const PagePlan plan = planPages(pictureFrame(d), room, fitToOnePage);
  QPainter p;
  if (!p.begin(&printer)) throw ZorvexError("Cannot print: the printer could not be started");
  p.setFont(font);
  const QRectF footer(0, pageHeight - footerHeight, pageWidth, footerHeight);
  const int count = static_cast<int>(plan.pages.size());
  for (int n = 0; n < count; ++n) {
    if (n > 0) printer.newPage();
    printPage(p, d, plan.pages[static_cast<size_t>(n)], perPixel * plan.scale, footer, name,
              QStringLiteral("Page %1 of %2").arg(n + 1).arg(count));
  }
  p.end();
  return count;
}

}  // namespace zorvex
