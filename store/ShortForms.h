#pragma once
// Filling in the columns a hand-written diagram may leave out, the way the
// program itself would compute them for a newly drawn element.
#include <functional>
#include <string>
#include <utility>

#include "edit/DerivedGeometry.h"
#include "model/Types.h"
#include "store/DiagramRows.h"

namespace zorvex {

struct Geometry {
  // Pixel size of a text in the sentence font; without it a sentence must
  // give its size.
  std::function<TextSize(const std::string&)> textSize;
  // Border points of the line from rectangle A to rectangle B (start on A,
  // end on B) in place of the program's own; empty: the program's own.
  std::function<std::pair<Point, Point>(const Rect&, const Rect&)> startEnd;
};

// The program's own border points and no text measurement: what can be
// completed without a sentence font.
Geometry borderPointGeometry();

// Right and Bottom (in 64 bits, unchecked) of a sentence box at `corner`
// sized from its text, as a newly added sentence is.
WidePoint farCornerForText(Point corner, const std::string& text, const Geometry& g);
// An arrow row joining two sentences: centres, border points and the references.
ArrowRow arrowBetween(const SentenceRow& from, const SentenceRow& to, const Geometry& g);
// Centres and end points of a defeater from its two rectangles.
void completeDefeater(DefeaterRow& d, const Geometry& g);

}  // namespace zorvex
