#pragma once
// What a defeater relates: the sentences and arrows inside its challenging
// rectangle (what challenges) and inside its challenged rectangle (what is
// challenged), by the inside rules of model/Elements.h. Deleted sentences
// and arrows are left out; a deleted defeater is answered like any other.
// Found through the diagram's spatial index, so the cost follows what the
// rectangles cover, not the size of the diagram.
#include <cstdint>
#include <vector>

#include "model/Diagram.h"

namespace zorvex {

struct RectangleHolds {
  std::vector<int32_t> sentences;  // ascending
  std::vector<int32_t> arrows;     // ascending
  friend bool operator==(const RectangleHolds&, const RectangleHolds&) = default;
};

struct DefeaterHolding {
  RectangleHolds challenging;
  RectangleHolds challenged;
  friend bool operator==(const DefeaterHolding&, const DefeaterHolding&) = default;
};

RectangleHolds rectangleHolds(const Diagram& diagram, const Rect& r);
DefeaterHolding defeaterHolds(const Diagram& diagram, int32_t defeater);

}  // namespace zorvex
