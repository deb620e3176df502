#include "layout/BoxLayout.h"

namespace zorvex {

LayoutOutput layOutBoxes(const LayoutInput& input, size_t layeredLimit) {
  return input.boxes.size() > layeredLimit ? layOutInRows(input) : layOutLayered(input);
}

}  // namespace zorvex
