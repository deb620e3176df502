#pragma once
// "Arrange Diagram": the open diagram laid out as an AIF map is, each
// defeater's rectangles drawn anew round what it holds, but only when every
// defeater then holds exactly the sentences and arrows it held before.
#include <cstddef>
#include <optional>
#include <string>

#include "history/UndoStep.h"
#include "layout/BoxLayout.h"
#include "model/Diagram.h"

namespace zorvex {

struct Arrangement {
  std::optional<UndoStep> step;  // done: the step that takes it back ("Arrange Diagram")
  std::string refusal;           // not done: why, naming the defeater that prevents it
};

Arrangement arrangeDiagram(Diagram& d, size_t layeredLimit = LayeredLayoutLimit);

}  // namespace zorvex
