#pragma once
// Which defeaters an edit gave another meaning: a sentence or arrow came
// into, or left, one of their rectangles. Worked out from the edit's step
// and the area it changed, so the cost follows the edit, not the diagram.
#include <cstdint>
#include <string>
#include <vector>

#include "edit/DiagramEdit.h"

namespace zorvex {

// The edit has been done; its step is taken back for a moment to see what
// the defeaters near it held before. Ascending numbers.
std::vector<int32_t> defeatersGivenNewMeaning(Diagram& diagram, const EditOutcome& edit);

// "The meaning of Defeater2 changed." / "... of Defeater0 and Defeater2 changed."
std::string DefeaterMeaningChangedText(const std::vector<int32_t>& defeaters);

}  // namespace zorvex
