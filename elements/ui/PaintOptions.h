#pragma once
// How a painting of the diagram may differ from the window's own.
#include <optional>

#include "elements/StatusPalette.h"

namespace zorvex {

struct PaintOptions {
  // Selected elements in the selection colour. A picture for a file shows
  // the statuses' colours instead; the selection marks are never touched.
  bool selection = true;
  // None: the palette in use when the painting is made, so pictures and
  // prints follow the window.
  std::optional<Palette> palette = std::nullopt;

  Palette paletteNow() const { return palette ? *palette : paletteInUse(); }
};

}  // namespace zorvex
