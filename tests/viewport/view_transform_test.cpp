// Mapping between surface pixels and diagram coordinates at every zoom step
// and scroll position, negative coordinates included.
#include <gtest/gtest.h>

#include "viewport/ViewTransform.h"

namespace zorvex {
namespace {

TEST(ViewTransformTest, IdentityAtActualSizeAndOrigin) {
  ViewTransform v;
  EXPECT_TRUE(v.isIdentity());
  for (int32_t c : {-70000, -1, 0, 1, 639, 123456}) {
    EXPECT_EQ(v.toView(Point{c, -c}), (ViewPoint{c, -c}));
    EXPECT_EQ(v.toDiagram(ViewPoint{c, -c}), (Point{c, -c}));
  }
  EXPECT_EQ(v.toView(Rect{3, 4, 10, 20}), (ViewRect{3, 4, 10, 20}));
  EXPECT_EQ(ViewTransform::scaleOfStep(ViewTransform::ActualSizeStep), (ZoomScale{1, 1}));
}

TEST(ViewTransformTest, RoundTripsAtEveryStepAndOffset) {
  for (int step = 0; step < ViewTransform::StepCount; ++step) {
    for (int64_t off : {-100003, -7, 0, 5, 99991}) {
      ViewTransform v;
      v.zoomTo(step, {0, 0});
      v.setOffset({off, -off});
      for (int32_t d : {-2000001, -65, -64, -1, 0, 1, 63, 64, 65, 999999}) {
        // The pixel a diagram point shows at lies in that point's unit...
        const ViewPoint p = v.toView(Point{d, d});
        const Point back = v.toDiagram(p);
        if (v.factor() >= 1) {
          EXPECT_EQ(back, (Point{d, d})) << "step " << step << " offset " << off << " d " << d;
        } else {
          // ...zoomed out, one pixel holds several units: the first of them.
          EXPECT_LE(back.x, d);
          EXPECT_GT(int64_t{back.x} + ViewTransform::scaleOfStep(step).den, d);
        }
        // Zoomed out, every pixel maps to a diagram point that shows at that
        // very pixel; zoomed in, to the unit whose block of pixels holds it.
        const ViewPoint q{off / 3 + d % 1000, d % 777};
        const ViewPoint shown = v.toView(v.toDiagram(q));
        const int64_t block = ViewTransform::scaleOfStep(step).num;
        EXPECT_TRUE(shown.x <= q.x && q.x < shown.x + block) << "step " << step;
        EXPECT_TRUE(shown.y <= q.y && q.y < shown.y + block) << "step " << step;
      }
    }
  }
}

TEST(ViewTransformTest, ZoomKeepsThePointUnderTheAnchor) {
  const ViewPoint anchor{211, 97};
  const Point under{211 - 300, 97 + 450};
  for (int step = 0; step < ViewTransform::StepCount; ++step) {
    ViewTransform v;
    v.setOffset({-300, 450});
    v.zoomTo(step, anchor);
    const Point now = v.toDiagram(anchor);
    const int64_t slack = ViewTransform::scaleOfStep(step).den;  // one pixel's worth of units
    EXPECT_LE(std::abs(int64_t{now.x} - under.x), slack) << step;
    EXPECT_LE(std::abs(int64_t{now.y} - under.y), slack) << step;
  }
  ViewTransform v;
  v.zoomTo(99, anchor);
  EXPECT_EQ(v.step(), ViewTransform::StepCount - 1);
  v.zoomTo(-5, anchor);
  EXPECT_EQ(v.step(), 0);
}

TEST(ViewTransformTest, RectanglesCoverAtLeastOnePixelAndExactUnits) {
  ViewTransform v;
  v.zoomTo(0, {0, 0});  // 1/64
  EXPECT_EQ(v.toView(Rect{-128, 0, -120, 5}), (ViewRect{-2, 0, -2, 0}));
  // The last unit's own pixel belongs to the rectangle, and every unit of
  // the last pixel to the diagram rectangle of pixels.
  EXPECT_EQ(v.toView(Rect{0, 0, 64, 64}), (ViewRect{0, 0, 1, 1}));
  EXPECT_EQ(v.toDiagram(ViewRect{-2, 0, -1, 1}), (Rect{-128, 0, -1, 127}));
  v.zoomTo(9, {0, 0});  // 8x
  EXPECT_EQ(v.toView(Rect{-1, 2, 0, 2}), (ViewRect{-8, 16, 7, 23}));
  EXPECT_EQ(v.toDiagram(ViewRect{-8, 16, 7, 23}), (Rect{-1, 2, 0, 2}));
  const ExactPoint e = v.toDiagramExact({-4, 20});
  EXPECT_DOUBLE_EQ(e.x, -0.5);
  EXPECT_DOUBLE_EQ(e.y, 2.5);
}

TEST(ViewTransformTest, FitStepPicksTheLargestZoomThatShowsEverything) {
  EXPECT_EQ(fitStep({0, 0, 599, 399}, 620, 420, 10), ViewTransform::ActualSizeStep);
  EXPECT_EQ(fitStep({0, 0, 600, 399}, 620, 420, 10), ViewTransform::ActualSizeStep - 1);  // 1/2
  EXPECT_EQ(fitStep({0, 0, 299, 199}, 620, 420, 10), ViewTransform::ActualSizeStep + 1);  // 2
  EXPECT_EQ(fitStep({-50, -50, -41, -41}, 620, 420, 10), ViewTransform::StepCount - 1);
  EXPECT_EQ(fitStep({-1000000, 0, 1000000, 10}, 620, 420, 10), 0);
  EXPECT_STREQ(zoomLabel(ViewTransform::ActualSizeStep), "100 %");
}

}  // namespace
}  // namespace zorvex
