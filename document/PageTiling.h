#pragma once
// How the diagram's picture is laid on printed pages: at full size over as
// many pages as it needs, row by row from the top left, or shrunk to fit one.
#include <cstdint>
#include <vector>

#include "model/Types.h"

namespace zorvex {

// The room a page leaves for the picture, in diagram pixels at full size.
struct PageRoom {
  int64_t width = 0;
  int64_t height = 0;
};

struct PagePlan {
  // Diagram pixels to page room: 1 at full size, less when shrunk to one page.
  double scale = 1.0;
  int64_t columns = 0;
  int64_t rows = 0;
  // The part of the frame each page shows (inclusive, as the frame), in the
  // order the pages are printed: left to right, then the next row down.
  std::vector<Rect> pages;
};

// Plans the pages for `frame` (inclusive diagram coordinates). With
// fitToOnePage the whole frame goes on one page, shrunk as far as it must
// be and never enlarged. Throws ZorvexError when the page has no room, or
// when at full size the frame would take more than MaxPrintedPages pages.
inline constexpr int64_t MaxPrintedPages = 1000;
PagePlan planPages(const Rect& frame, const PageRoom& room, bool fitToOnePage);

}  // namespace zorvex
