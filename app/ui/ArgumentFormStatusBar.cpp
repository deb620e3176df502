#include "app/ui/ArgumentFormStatusBar.h"

#include <QPainter>

namespace zorvex {
namespace {

void drawSunken(QPainter& p, const QRect& r) {
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.drawLine(r.left(), r.top(), r.right(), r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom());
  p.setPen(Qt::white);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

}  // namespace

TArgumentFormStatusBar::TArgumentFormStatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName("ArgumentFormStatusBar");
  setAutoFillBackground(false);
}

QString TArgumentFormStatusBar::panelText(int panel) const { return texts_[panel == 0 ? 0 : 1]; }

void TArgumentFormStatusBar::setPanelText(int panel, const QString& text) {
  QString& slot = texts_[panel == 0 ? 0 : 1];
  if (slot == text) return;
  slot = text;
  update(panelRect(panel));
}

QRect TArgumentFormStatusBar::panelRect(int panel) const {
  // Panels start 2 pixels below the bar's top and are separated by 2 pixels.
  if (panel == 0) return QRect(0, 2, Panel0Width - 2, height() - 2);
  return QRect(Panel0Width, 2, std::max(Panel1Width, width() - Panel0Width), height() - 2);
}

void TArgumentFormStatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(0xD4, 0xD4, 0xD4));
  p.setFont(font());
  for (int i = 0; i < 2; ++i) {
    const QRect r = panelRect(i);
    drawSunken(p, r);
    p.setPen(Qt::black);
    p.setClipRect(r.adjusted(1, 1, -1, -1));
    p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, texts_[i]);
    p.setClipping(false);
  }
}

}  // namespace zorvex
