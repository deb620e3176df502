#pragma once
// Places boxes of fixed size for a layered picture: what a link points to is
// drawn above where it comes from, boxes named beside another are kept at its
// height, the boxes of a group are kept together with nothing else between
// them, and no two boxes come closer than the gap. The caller knows nothing
// of how: Graphviz's dot for maps of moderate size, rows of our own above.
// Dot runs in a child process with a time limit: when it crashes, fails an
// assertion or takes too long, the rows take over and the output says so.
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
};

enum class LayoutMethod { Layered, Rows };

// Why the rows were used where the layered layout was tried.
enum class LayeredFailure { None, TookTooLong, Failed };

struct LayoutOutput {
  std::vector<Point> corners;  // the top left corner of each box, the least at (margin, margin)
  LayoutMethod method = LayoutMethod::Layered;
  LayeredFailure failure = LayeredFailure::None;
};

// Above this many boxes the layered layout takes seconds: the rows are used.
inline constexpr size_t LayeredLayoutLimit = 1500;
inline constexpr int32_t LayoutMargin = 20;

LayoutOutput layOutBoxes(const LayoutInput& input, size_t layeredLimit = LayeredLayoutLimit);
// The two ways, for tests and benchmarks; the layered one falls back on the rows.
LayoutOutput layOutLayered(const LayoutInput& input);
LayoutOutput layOutInRows(const LayoutInput& input);

}  // namespace zorvex
