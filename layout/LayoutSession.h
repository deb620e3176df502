#pragma once
// One map laid out part by part, then again where that was not good
// enough: the parts that hold a defeater that did not come out exact are
// laid out once more with more room, then by our own layout, each time
// leaving the other parts' pictures as they were; when arranging, such a
// part may also be left as it stands. Dot lays out all parts
// it is given at once, in one child process.
#include <cstddef>
#include <vector>

#include "layout/BoxLayout.h"
#include "layout/KeptPlaces.h"
#include "layout/LayoutParts.h"

namespace zorvex {

class LayoutSession {
 public:
  // `input` must outlive the session.
  LayoutSession(const LayoutInput& input, size_t layeredLimit);
  LayoutOutput output() const;
  // The parts that hold any of these boxes laid out again, the next way.
  LayoutOutput again(const std::vector<int32_t>& boxes);
  // The parts that hold any of these boxes drawn as they stand (given the
  // boxes' present places): they then stay where they are.
  LayoutOutput keepAsTheyStand(const std::vector<int32_t>& boxes);

 private:
  const LayoutInput& in_;
  std::vector<LayoutPart> parts_;
  std::vector<PartPicture> pictures_;
  std::vector<int> tries_;
  std::vector<bool> byDot_;
  std::vector<bool> partsFor(const std::vector<int32_t>& boxes) const;
  std::vector<int32_t> partOf_;
  LayeredFailure failure_ = LayeredFailure::None;
};

}  // namespace zorvex
