#pragma once
// The rectangle everything drawn in a diagram covers.
#include <optional>

#include "model/Diagram.h"

namespace zorvex {

// The union of every element's drawn extent, deleted elements left out;
// nothing for a diagram that draws nothing. Visits every element once.
std::optional<Rect> drawnBounds(const Diagram& d);

// The smallest rectangle holding both.
Rect unite(const Rect& a, const Rect& b);

}  // namespace zorvex
