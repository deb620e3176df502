#pragma once
// The whole diagram as a picture at one zoom step, drawn as the view draws
// it there, with a margin of empty surface on every side.
#include <QImage>

#include "model/Diagram.h"

namespace zorvex {

constexpr int PictureMargin = 10;

// Throws ZorvexError when the picture would be wider or higher than 32767
// pixels, or cannot be had in memory.
QImage renderDiagramAtStep(const Diagram& d, int step, int margin = PictureMargin);

}  // namespace zorvex
