#pragma once
// Places boxes of fixed size for a layered picture: what a link points to is
// drawn above where it comes from, boxes named beside another are kept at its
// height, the boxes of a group are kept together with nothing else between
// them, and no two boxes come closer than the gap. The caller knows nothing
// of how: each connected part is laid out by itself, by Graphviz's dot when
// it is of moderate size and shape, by our own layered layout (which folds
// parts far out of proportion) above; the parts are then packed into a
// picture of the drawing surface's proportions. Dot runs in a child process
// with a time limit: when it crashes, fails an assertion or takes too long,
// our own layout takes over and the output says so.
//
// Given the boxes' present places, the layout keeps what is arranged: each
// part is laid out by our own layout from its present order, a part whose
// picture comes out as it stands is left where it is, and a changed part is
// put back where most of its boxes stay.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/Types.h"

namespace zorvex {

struct LayoutBox {
  int32_t width = 0;
  int32_t height = 0;
};

struct LayoutInput {
  std::vector<LayoutBox> boxes;
  std::vector<std::pair<int32_t, int32_t>> links;     // (from, to): `to` is drawn above `from`
  std::vector<std::pair<int32_t, int32_t>> beside;    // (box, other): `box` at the height of `other`
  std::vector<std::vector<int32_t>> groups;           // each kept together; a box in one group at most
  std::vector<std::pair<int32_t, int32_t>> straight;  // links best drawn upright: `from` right below `to`
  int32_t gap = 24;                                   // least room between two boxes, in pixels
  std::vector<Point> present;                         // each box's present top left corner, or none
};

// Dot for every part it was tried on, or our own layout for some part.
enum class LayoutMethod { Layered, Own };

// Why our own layout was used where dot was tried.
enum class LayeredFailure { None, TookTooLong, Failed };

struct LayoutOutput {
  std::vector<Point> corners;  // the top left corner of each box, the least at (margin, margin)
  LayoutMethod method = LayoutMethod::Layered;
  LayeredFailure failure = LayeredFailure::None;
};

// Above this many boxes in a part dot takes too long: our own layout is used.
inline constexpr size_t LayeredLayoutLimit = 1000;
inline constexpr int32_t LayoutMargin = 20;

LayoutOutput layOutBoxes(const LayoutInput& input, size_t layeredLimit = LayeredLayoutLimit);
// For tests and benchmarks: dot on the whole input as one graph (falling
// back on our own layout), and our own layout for every part.
LayoutOutput layOutLayered(const LayoutInput& input);
LayoutOutput layOutOwn(const LayoutInput& input);

}  // namespace zorvex
