#pragma once
// Painting a whole diagram, or the part of it that meets an area.
#include <QFont>
#include <QPainter>
#include <QRect>

#include "model/Diagram.h"

namespace zorvex {

// Paints the elements whose drawn extent meets area (diagram
// coordinates); the background is the caller's. Cost follows what the area
// holds, not the size of the diagram.
void paintDiagram(QPainter& p, const Diagram& d, const QRect& area, const QFont& font);

}  // namespace zorvex
