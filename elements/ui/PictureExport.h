#pragma once
// The whole diagram written to a picture file: PNG, SVG or PDF.
#include <QString>

#include "elements/ui/DiagramPainter.h"
#include "model/Diagram.h"
#include "viewport/PictureFrame.h"

namespace zorvex {

// What an export drew.
struct ExportedPicture {
  int step = ViewTransform::ActualSizeStep;  // the zoom step the picture is drawn at
  PictureSize fullSize;                      // its size at full size
  bool stopped = false;                      // progress said stop: nothing was written
  int pixelRatio = 1;                        // a PNG's device pixels per diagram pixel
  bool scaledDown() const { return step != ViewTransform::ActualSizeStep; }
};

// Writes pictureFrame(d) as the window draws it at full size, without the
// selection colour: PNG, or SVG
// when the name ends in ".svg", or PDF for ".pdf" (vector, one page of the
// frame's size in points). A PNG larger than MaxPictureSide a side at full
// size is drawn at the largest zoom step that fits. The file is replaced only
// by a complete picture; `progress` hears how far the drawing has come.
// Throws ZorvexError: "Cannot create file <name>: <reason>", or a PNG that
// would not fit even at the smallest step. With a pixel ratio of 2 (a
// display with twice the pixels) a PNG has twice the pixels a side, drawn as
// the window draws on that display, where it has room at full size.
ExportedPicture saveDiagramPicture(const Diagram& d, const QString& fileName, const PaintProgress& progress = {},
                                   int pixelRatio = 1);

}  // namespace zorvex
