#pragma once
// Draws an argument map as a diagram: sentence boxes sized as the program
// sizes a new sentence, placed by the box layout, arrows between them, and
// each defeater's rectangles drawn to hold exactly what its conflict relates.
// Every defeater is then checked against the inside rules; the layout is
// tried again with more room while some defeater is not exact, and those
// that never are are named.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "aif/ArgumentMap.h"
#include "layout/BoxLayout.h"
#include "model/Diagram.h"

namespace zorvex {

using TextMeasure = std::function<TextSize(const std::string&)>;

struct DrawnMap {
  LayoutMethod method = LayoutMethod::Layered;
  LayeredFailure failure = LayeredFailure::None;  // our own layout took over from a failed dot
  std::vector<int32_t> inexact;                   // defeaters that do not hold exactly what their conflict says
};

// Into an EMPTY diagram: sentence n is the map's text n, arrow n its arrow n,
// defeater n its defeater n.
DrawnMap drawMap(Diagram& into, const ArgumentMap& map, const TextMeasure& measure,
                 size_t layeredLimit = LayeredLayoutLimit);

// True when the defeater's challenging rectangle holds exactly the attacking
// sentences (and no arrow but one between two of them) and its challenged
// rectangle exactly the target sentence, or exactly the target arrows and no
// sentence.
bool holdsExactly(const Diagram& d, int32_t defeater, const MapDefeater& meaning);

}  // namespace zorvex
