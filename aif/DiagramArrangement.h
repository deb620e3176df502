#pragma once
// "Arrange Diagram": the open diagram laid out as an AIF map is, each
// defeater's rectangles drawn anew round what it holds, but only when every
// defeater then holds exactly the sentences and arrows it held before, and
// only when something moves.
#include <vector>
#include <cstddef>
#include <optional>
#include <string>

#include "history/UndoStep.h"
#include "layout/BoxLayout.h"
#include "model/Diagram.h"

namespace zorvex {

struct Arrangement {
  // Done: the step that takes it back ("Arrange Diagram"), holding only the
  // elements that moved.
  std::optional<UndoStep> step;
  std::string done;  // done: what, for the status bar ("Arranged 12 sentences.")
  // Not done: why, naming the defeater that prevents it, or saying that
  // nothing would move ("The diagram is already arranged.").
  std::string refusal;
};

extern const char* const AlreadyArrangedText;
extern const char* const SelectionArrangedText;
extern const char* const NothingSelectedText;

// Starts from the present places: what is arranged stays where it is.
Arrangement arrangeDiagram(Diagram& d, size_t layeredLimit = LayeredLayoutLimit);

// "Arrange Selection": only the given sentences laid out anew, their picture
// where they were, every other sentence left in place; refused as Arrange
// Diagram is when a defeater would hold something else.
Arrangement arrangeSelection(Diagram& d, const std::vector<int32_t>& sentences,
                             size_t layeredLimit = LayeredLayoutLimit);

}  // namespace zorvex
