#pragma once
// Painting a whole diagram, or the part of it that meets an area.
#include <QFont>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <functional>

#include "elements/ui/PaintOptions.h"
#include "model/Diagram.h"

namespace zorvex {

// Paints the elements whose drawn extent meets area (diagram
// coordinates); the background is the caller's. Cost follows what the area
// holds, not the size of the diagram.
void paintDiagram(QPainter& p, const Diagram& d, const QRect& area, const QFont& font,
                  const PaintOptions& options = {});

// Told how much of a long drawing is done; false stops it.
using PaintProgress = std::function<bool(int64_t done, int64_t total)>;

// The same a few thousand elements at a time, telling `progress` after each
// part (done and total count elements). False when progress stopped it.
bool paintDiagramInParts(QPainter& p, const Diagram& d, const QRect& area, const QFont& font,
                         const PaintOptions& options, const PaintProgress& progress);

}  // namespace zorvex
