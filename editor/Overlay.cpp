#include "editor/Overlay.h"

#include <algorithm>

namespace zorvex {

bool drawsNothing(const OverlayFigure& f) {
  switch (f.shape) {
    case OverlayFigure::Shape::Line: return f.p1 == f.p2;
    case OverlayFigure::Shape::Rectangle: return f.p1.x == f.p2.x || f.p1.y == f.p2.y;
    case OverlayFigure::Shape::Diamond: return false;
  }
  return false;
}

void Overlay::draw(const OverlayFigure& f) {
  if (drawsNothing(f)) return;
  figures_.push_back(f);
  changed_ = true;
}

void Overlay::erase(const OverlayFigure& f) {
  auto it = std::find(figures_.begin(), figures_.end(), f);
  if (it == figures_.end()) return;
  figures_.erase(it);
  changed_ = true;
}

void Overlay::clear() {
  if (figures_.empty()) return;
  figures_.clear();
  changed_ = true;
}

void Overlay::clearInverting() {
  const auto before = figures_.size();
  std::erase_if(figures_, [](const OverlayFigure& f) { return f.inverting; });
  if (figures_.size() != before) changed_ = true;
}

bool Overlay::takeChanged() {
  const bool c = changed_;
  changed_ = false;
  return c;
}

}  // namespace zorvex
