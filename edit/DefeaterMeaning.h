#pragma once
// Which defeaters an edit gave another meaning: a sentence or arrow came
// into, or left, one of their rectangles. Worked out from the edit's step
// and the area it changed, so the cost follows the edit, not the diagram.
// Every command that moves or adds elements tells it the same way, with
// DefeaterMeaningChangedText in status bar panel 1.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "edit/DiagramEdit.h"

namespace zorvex {

// The step has been done; it is taken back for a moment to see what the
// defeaters near `area` held before. A defeater the step itself made has no
// meaning to change. Ascending numbers.
std::vector<int32_t> defeatersGivenNewMeaning(Diagram& diagram, const UndoStep& step, const std::optional<Rect>& area);
std::vector<int32_t> defeatersGivenNewMeaning(Diagram& diagram, const EditOutcome& edit);
// The same for a step whose area was not gathered (a whole drag, a
// paste, an arrangement): the extents of its records before and after.
std::vector<int32_t> defeatersGivenNewMeaning(Diagram& diagram, const UndoStep& step);

// "The meaning of Defeater2 changed." / "... of Defeater0 and Defeater2 changed."
std::string DefeaterMeaningChangedText(const std::vector<int32_t>& defeaters);

}  // namespace zorvex
