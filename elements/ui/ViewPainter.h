#pragma once
// Painting the part of the diagram a view shows, at any zoom and scroll
// position. The painter paints surface pixels; `area` is the surface's
// repaint rectangle, already filled with the surface colour by the caller.
//  - 100 % at the origin: exactly paintDiagram.
//  - 100 % scrolled: the same pixels, shifted.
//  - zoomed, where text can be read: every figure one pixel wide at its
//    zoomed place, text at the zoomed size, clipped to its box.
//  - zoomed out below that: frames and fills without text, written straight
//    into pixels (and kept in `cache` when one is given, else drawn afresh).
#include <QFont>
#include <QPainter>
#include <QRect>

#include "elements/ui/PaintOptions.h"
#include "elements/ui/ViewPictureCache.h"
#include "model/Diagram.h"
#include "viewport/ViewTransform.h"

namespace zorvex {

// The cache holds the window's own view: options other than the window's
// are for paintings without one.
void paintDiagramView(QPainter& p, const Diagram& d, const QRect& area, const QFont& font, const ViewTransform& view,
                      ViewPictureCache* cache, const PaintOptions& options = {});

// Sentence text is drawn only from this pixel size up; smaller is unreadable.
constexpr int SmallestTextPixels = 6;

// The sentence font at a zoom step, and whether text is drawn there at all.
QFont zoomedSentenceFont(const QFont& font, int step);
bool textShows(const QFont& font, int step);

}  // namespace zorvex
