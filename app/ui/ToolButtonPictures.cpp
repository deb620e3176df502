#include "app/ui/ToolButtonPictures.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace zorvex {
namespace {

constexpr int Size = 16;

// The glyph itself, drawn in the given ink on a transparent 16x16 pixmap.
void drawGlyph(QPainter& p, ToolPicture picture, const QColor& ink, const QColor& paper) {
  p.setRenderHint(QPainter::Antialiasing, false);
  switch (picture) {
    case ToolPicture::AddSentence:
      // A sentence box with three lines of text.
      p.setPen(ink);
      p.setBrush(paper);
      p.drawRect(1, 3, 13, 10);
      p.drawLine(3, 6, 12, 6);
      p.drawLine(3, 8, 10, 8);
      p.drawLine(3, 10, 11, 10);
      break;
    case ToolPicture::AddArrow: {
      // A shaft from lower left to upper right with a filled head.
      p.setPen(QPen(ink, 2));
      p.drawLine(2, 13, 10, 5);
      p.setPen(ink);
      p.setBrush(ink);
      p.drawPolygon(QPolygon({QPoint(14, 1), QPoint(7, 3), QPoint(12, 8)}));
      break;
    }
    case ToolPicture::AddDefeater: {
      // Challenging and challenged rectangle joined by a line with a diamond head.
      p.setPen(ink);
      p.setBrush(Qt::NoBrush);
      p.drawRect(0, 0, 5, 5);
      p.drawRect(9, 9, 6, 6);
      p.drawLine(5, 5, 8, 8);
      p.setBrush(ink);
      p.drawPolygon(QPolygon({QPoint(8, 5), QPoint(11, 8), QPoint(8, 11), QPoint(5, 8)}));
      break;
    }
    case ToolPicture::MakeSelection: {
      // A dotted selection rectangle with a pointer inside.
      p.setPen(QPen(ink, 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(1, 1, 13, 11);
      p.setPen(ink);
      p.setBrush(ink);
      p.drawPolygon(QPolygon({QPoint(7, 5), QPoint(7, 14), QPoint(9, 12), QPoint(11, 15), QPoint(12, 14),
                              QPoint(10, 11), QPoint(13, 11)}));
      break;
    }
  }
}

QPixmap picture(ToolPicture which, const QColor& ink, const QColor& paper, int offset) {
  QPixmap pm(Size, Size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.translate(offset, offset);
  drawGlyph(p, which, ink, paper);
  return pm;
}

// The disabled look: an embossed grey glyph, white shadow one pixel down and right.
QPixmap disabledPicture(ToolPicture which) {
  QPixmap pm(Size, Size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.translate(1, 1);
  drawGlyph(p, which, Qt::white, Qt::white);
  p.translate(-1, -1);
  drawGlyph(p, which, QColor(0x80, 0x80, 0x80), QColor(0xD4, 0xD4, 0xD4));
  return pm;
}

}  // namespace

QIcon toolButtonIcon(ToolPicture which) {
  QIcon icon;
  const QPixmap up = picture(which, Qt::black, Qt::white, 0);
  const QPixmap down = picture(which, QColor(0x00, 0x00, 0x80), QColor(0xFF, 0xFF, 0xE0), 0);
  const QPixmap held = picture(which, QColor(0x00, 0x00, 0x80), QColor(0xFF, 0xFF, 0xE0), 1);
  const QPixmap off = disabledPicture(which);
  icon.addPixmap(up, QIcon::Normal, QIcon::Off);
  icon.addPixmap(up, QIcon::Active, QIcon::Off);
  icon.addPixmap(picture(which, Qt::black, Qt::white, 1), QIcon::Selected, QIcon::Off);
  icon.addPixmap(down, QIcon::Normal, QIcon::On);
  icon.addPixmap(held, QIcon::Active, QIcon::On);
  icon.addPixmap(held, QIcon::Selected, QIcon::On);
  icon.addPixmap(off, QIcon::Disabled, QIcon::Off);
  icon.addPixmap(off, QIcon::Disabled, QIcon::On);
  return icon;
}

}  // namespace zorvex
