#pragma once
// How a painting of the diagram may differ from the window's own.
namespace zorvex {

struct PaintOptions {
  // Selected elements in the selection colour. A picture for a file shows
  // the statuses' colours instead; the selection marks are never touched.
  bool selection = true;
};

}  // namespace zorvex
