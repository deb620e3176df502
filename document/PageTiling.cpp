#include "document/PageTiling.h"

#include <algorithm>
#include <string>

#include "model/ZorvexError.h"

namespace zorvex {
namespace {

int64_t pagesFor(int64_t length, int64_t room) { return (length + room - 1) / room; }

}  // namespace

PagePlan planPages(const Rect& frame, const PageRoom& room, bool fitToOnePage) {
  if (room.width <= 0 || room.height <= 0) throw ZorvexError("The page has no room for the diagram");
  const int64_t width = int64_t{frame.Right} - frame.Left + 1;
  const int64_t height = int64_t{frame.Bottom} - frame.Top + 1;
  PagePlan plan;
  if (fitToOnePage) {
    plan.scale = std::min({1.0, static_cast<double>(room.width) / static_cast<double>(width),
                           static_cast<double>(room.height) / static_cast<double>(height)});
    plan.columns = plan.rows = 1;
    plan.pages = {frame};
    return plan;
  }
  plan.columns = pagesFor(width, room.width);
  plan.rows = pagesFor(height, room.height);
  if (plan.columns * plan.rows > MaxPrintedPages)
    throw ZorvexError("The diagram would take " + std::to_string(plan.columns * plan.rows) +
                      " pages at full size: print it fitted to one page");
  plan.pages.reserve(static_cast<size_t>(plan.columns * plan.rows));
  for (int64_t row = 0; row < plan.rows; ++row) {
    for (int64_t column = 0; column < plan.columns; ++column) {
      const int64_t left = frame.Left + column * room.width;
      const int64_t top = frame.Top + row * room.height;
      plan.pages.push_back({static_cast<int32_t>(left), static_cast<int32_t>(top),
                            static_cast<int32_t>(std::min<int64_t>(left + room.width - 1, frame.Right)),
                            static_cast<int32_t>(std::min<int64_t>(top + room.height - 1, frame.Bottom))});
    }
  }
  return plan;
}

}  // namespace zorvex
