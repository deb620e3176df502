// The painters' own mapping agrees with the view's at every step, and finds
// exactly the diagram units a run of pixels shows.
#include <gtest/gtest.h>

#include "elements/ui/ViewMapping.h"

namespace zorvex {
namespace {

ViewTransform viewAt(int step, int64_t ox, int64_t oy) {
  ViewTransform v;
  v.zoomTo(step, {});
  v.setOffset({ox, oy});
  return v;
}

TEST(ViewMapping, PointsAndRectanglesMapAsTheViewMapsThem) {
  const int32_t coordinates[] = {-100001, -64, -63, -1, 0, 1, 63, 64, 65, 1000, 123457, INT32_MAX - 200};
  for (int step = 0; step < ViewTransform::StepCount; ++step)
    for (const auto& [ox, oy] : {std::pair<int64_t, int64_t>{0, 0}, {-37, 91}, {5000, -123}}) {
      const ViewTransform view = viewAt(step, ox, oy);
      const ViewMapping m = ViewMapping::of(view);
      for (int32_t a : coordinates)
        for (int32_t b : coordinates) {
          ASSERT_EQ((ViewPoint{m.x(a), m.y(b)}), view.toView(a, b)) << step << " " << a << " " << b;
          for (int32_t w : {0, 1, 2, 63, 64, 65, 130}) {
            const Rect r{a, b, static_cast<int32_t>(std::min<int64_t>(int64_t{a} + w, INT32_MAX)), b + 5};
            ASSERT_EQ(m.rect(r), view.toView(r)) << step << " " << a << " " << b << " " << w;
          }
        }
    }
}

TEST(ViewMapping, UnitsOfPixelsAreExactlyThoseShownThere) {
  for (int step = 0; step < ViewTransform::StepCount; ++step) {
    const ViewTransform view = viewAt(step, 13, -7);
    const ViewMapping m = ViewMapping::of(view);
    for (const ViewRect& px : {ViewRect{0, 0, 9, 4}, ViewRect{-30, -20, -3, -1}, ViewRect{5, 5, 5, 5}}) {
      const Rect u = m.unitsOf(px);
      ASSERT_LE(u.Left, u.Right);
      auto shown = [&](int32_t x, int32_t y) {  // any pixel of the unit lies in px
        const ViewRect v = view.toView(Rect{x, y, x, y});
        return v.left <= px.right && v.right >= px.left && v.top <= px.bottom && v.bottom >= px.top;
      };
      EXPECT_TRUE(shown(u.Left, u.Top)) << step;
      EXPECT_TRUE(shown(u.Right, u.Bottom)) << step;
      EXPECT_FALSE(shown(u.Left - 1, u.Top)) << step;
      EXPECT_FALSE(shown(u.Right + 1, u.Bottom)) << step;
      EXPECT_FALSE(shown(u.Right, u.Bottom + 1)) << step;
    }
  }
  // Pixels no 32-bit diagram can reach hold no units.
  const ViewMapping far = ViewMapping::of(viewAt(9, int64_t{1} << 40, 0));
  const Rect none = far.unitsOf({0, 0, 100, 100});
  EXPECT_GT(none.Left, none.Right);
}

}  // namespace
}  // namespace zorvex
