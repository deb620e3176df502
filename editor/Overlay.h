#pragma once
// The rubber bands and guide figures now on the screen. Painting a figure
// with an inverting pen and painting it again removes it; here the figures
// are listed instead and the window paints the list last, with an inverting
// raster op, so two equal entries cancel just as on the screen. Removing a
// figure that is not shown does nothing (no stray figure is ever left).
#include <vector>

#include "editor/EditorTypes.h"

namespace zorvex {

class Overlay {
 public:
  // Shows a figure; figures that draw no pixel are not kept.
  void draw(const OverlayFigure& f);
  // Removes one showing of an equal figure, if there is one.
  void erase(const OverlayFigure& f);
  void clear();
  void clearInverting();
  const std::vector<OverlayFigure>& figures() const { return figures_; }
  // True once since the last call when the list changed.
  bool takeChanged();

 private:
  std::vector<OverlayFigure> figures_;
  bool changed_ = false;
};

bool drawsNothing(const OverlayFigure& f);

}  // namespace zorvex
