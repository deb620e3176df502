#include "layout/BoxLayout.h"

#include "layout/LayoutSession.h"

namespace zorvex {

LayoutOutput layOutBoxes(const LayoutInput& input, size_t layeredLimit) {
  return LayoutSession(input, layeredLimit).output();
}

LayoutOutput layOutOwn(const LayoutInput& input) { return LayoutSession(input, 0).output(); }

}  // namespace zorvex
