#pragma once
// The diagram drawn off-screen at 1:1, pixel (x, y) being diagram point
// (x, y): at least 640 x 480, and large enough for everything drawn.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include "model/Diagram.h"

namespace zorvex {

// The background of the drawing surface and of the key window.
inline const QColor SurfaceColour{0xD4, 0xD4, 0xD4};

QSize renderSize(const Diagram& d);
QImage renderDiagram(const Diagram& d, const QFont& font);
QImage renderDiagram(const Diagram& d);

}  // namespace zorvex
