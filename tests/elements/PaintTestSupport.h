#pragma once
// Painting into a plain image and reading pixels back as 0xRRGGBB.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <functional>

namespace zorvex::test {

constexpr unsigned Background = 0xD4D4D4;

inline QImage canvasImage(int w = 200, int h = 200) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(QColor(0xD4, 0xD4, 0xD4));
  return img;
}

inline QImage painted(const std::function<void(QPainter&)>& draw, int w = 200, int h = 200) {
  QImage img = canvasImage(w, h);
  QPainter p(&img);
  draw(p);
  return img;
}

inline unsigned rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

inline QByteArray readAll(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace zorvex::test
