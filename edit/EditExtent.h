#pragma once
// The area an edit changed, gathered element by element.
#include <algorithm>
#include <optional>

#include "model/Diagram.h"

namespace zorvex {

class EditExtent {
 public:
  void add(const Rect& r) {
    if (!area_) {
      area_ = r;
      return;
    }
    area_ = Rect{std::min(area_->Left, r.Left), std::min(area_->Top, r.Top), std::max(area_->Right, r.Right),
                 std::max(area_->Bottom, r.Bottom)};
  }
  void add(const Diagram& d, ElementRef ref) { add(d.drawnExtent(ref)); }
  const std::optional<Rect>& area() const { return area_; }

 private:
  std::optional<Rect> area_;
};

}  // namespace zorvex
