#pragma once
// The words the reports of a read map share, whatever the map was written
// in: counts with their nouns, what was made, the layout's fallback and the
// defeaters that are not exact.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "aif/ArgumentMap.h"
#include "aif/MapDrawing.h"

namespace zorvex {

// "1 arrow", "3 arrows".
std::string counted(size_t n, const char* one, const char* many);

struct CountedItem {
  size_t n;
  const char* one;
  const char* many;
};
// The items that are not 0, counted and joined by commas ("" for none).
std::string countedList(const std::vector<CountedItem>& items);

// "12 sentences, 9 arrows, 2 rebuttals and 1 undercutter", and the
// inferences with several premises when there are any.
std::string madeCounts(const ArgumentMap& map);

// "The automatic layout took too long: the quick layered layout was used instead".
std::string fallbackLine(LayeredFailure failure);

// "Not exact: 2 defeaters could not be drawn to hold only what its conflict
// relates (Defeater3 for conflict 79, ...)": at most ten named.
std::string inexactLine(const DrawnMap& drawn, const char* relation,
                        const std::function<std::string(int32_t)>& whose);

}  // namespace zorvex
