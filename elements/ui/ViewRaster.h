#pragma once
// A zoomed view without text, written straight into an image's pixels: a
// million elements cost a few tens of nanoseconds each, where a painter call
// per element would cost microseconds.
#include <QImage>
#include <QPainter>
#include <QRect>

#include "elements/ui/PaintOptions.h"
#include "elements/ui/PaintOrder.h"
#include "model/Diagram.h"
#include "viewport/ViewTransform.h"

namespace zorvex {

// Draws every element that shows in `clip` (zoomed pixels of `step`, no
// offset) into `image`, whose pixel (0, 0) is zoomed pixel `origin`; nothing
// outside clip or the image is touched and nothing is cleared first. The
// image holds 32-bit pixels (RGB32 or premultiplied ARGB32).
void renderZoomedPixels(const Diagram& d, int step, QImage& image, ViewPoint origin, const ViewRect& clip,
                        const PaintOptions& options = {});

// Paints the surface pixels `area` of a zoomed-out view through one
// off-screen image, over what the painter has there already.
void paintZoomedPixels(QPainter& p, const Diagram& d, const QRect& area, const ViewTransform& view,
                       const PaintOptions& options = {});

// Sets every pixel of clip (zoomed, as above) to fully transparent.
void clearZoomedPixels(QImage& image, ViewPoint origin, const ViewRect& clip);

}  // namespace zorvex
