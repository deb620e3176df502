// Scroll bar ranges for diagrams anywhere and at every zoom, the bars' coarse
// units for very long ranges, and scrolling along while dragging at the edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

#include "viewport/ScrollArea.h"

namespace zorvex {
namespace {

constexpr int64_t Width = 640, Height = 480, Thickness = 16;
constexpr int ActualSize = ViewTransform::ActualSizeStep;
constexpr int Smallest = 0;                               // 1/64
constexpr int Largest = ViewTransform::StepCount - 1;     // 8 times

ViewTransform at(int step, ViewPoint offset = {}) {
  ViewTransform v;
  v.zoomTo(step, {0, 0});
  v.setOffset(offset);
  return v;
}

ScrollBars barsFor(const Rect& extent, const ViewTransform& v) {
  return scrollBarsFor(extent, v, Width, Height, Thickness);
}

void expectRange(const ScrollRange& r, int64_t minimum, int64_t maximum, int64_t page) {
  EXPECT_TRUE(r.shown);
  EXPECT_EQ(r.minimum, minimum);
  EXPECT_EQ(r.maximum, maximum);
  EXPECT_EQ(r.page, page);
}

TEST(ScrollAreaTest, NoBarsWhileTheDiagramAndItsMarginFitAtTheOrigin) {
  for (const Rect& inside : {Rect{0, 0, 600, 400}, Rect{5, 5, 629, 469}}) {
    const ScrollBars b = barsFor(inside, ViewTransform{});
    EXPECT_FALSE(b.horizontal.shown);
    EXPECT_FALSE(b.vertical.shown);
    EXPECT_EQ(b.visibleWidth, Width);
    EXPECT_EQ(b.visibleHeight, Height);
  }
  EXPECT_FALSE(scrollBarsFor(std::nullopt, ViewTransform{}, Width, Height, Thickness).horizontal.shown);
  // One pixel more on the right, or one to the left of the origin, and the bar is there.
  EXPECT_TRUE(barsFor({5, 5, 630, 400}, ViewTransform{}).horizontal.shown);
  EXPECT_FALSE(barsFor({5, 5, 630, 400}, ViewTransform{}).vertical.shown);
  EXPECT_TRUE(barsFor({-1, 5, 600, 400}, ViewTransform{}).horizontal.shown);
  EXPECT_TRUE(barsFor({5, -1, 600, 400}, ViewTransform{}).vertical.shown);
}

TEST(ScrollAreaTest, NegativeCoordinatesScrollBackToTheirMargin) {
  const ScrollBars b = barsFor({-500, -300, 200, 100}, ViewTransform{});
  EXPECT_EQ(b.visibleWidth, Width - Thickness);
  EXPECT_EQ(b.visibleHeight, Height - Thickness);
  expectRange(b.horizontal, -510, 0, Width - Thickness);
  expectRange(b.vertical, -310, 0, Height - Thickness);
  // Wholly left of and above the origin: the range still reaches home.
  const ScrollBars far = barsFor({-9000, -7000, -8000, -6000}, ViewTransform{});
  expectRange(far.horizontal, -9010, 0, Width - Thickness);
  expectRange(far.vertical, -7010, 0, Height - Thickness);
}

TEST(ScrollAreaTest, FarPositiveCoordinatesScrollUntilTheFarEdgeAndItsMargin) {
  const ScrollBars b = barsFor({100000, 50000, 100100, 50050}, ViewTransform{});
  expectRange(b.horizontal, 0, 100111 - (Width - Thickness), Width - Thickness);
  expectRange(b.vertical, 0, 50061 - (Height - Thickness), Height - Thickness);
  // At the end of the bar the last drawn pixel is followed by the margin.
  const ViewTransform end = at(ActualSize, {b.horizontal.maximum, b.vertical.maximum});
  EXPECT_EQ(end.toView(Point{100100, 50050}), (ViewPoint{b.visibleWidth - 1 - ScrollMargin, b.visibleHeight - 1 - ScrollMargin}));
}

TEST(ScrollAreaTest, RangesAreInZoomedPixels) {
  // 1/64: 128,000 units across become 2,000 pixels.
  const ScrollBars out = barsFor({-64000, -6400, 63999, 6399}, at(Smallest));
  expectRange(out.horizontal, -1010, 1010 - (Width - Thickness), Width - Thickness);
  expectRange(out.vertical, -110, 0, Height - Thickness);
  // 8 times: 101 units across take 808 pixels; 51 down take 408 and fit under the bar.
  const ScrollBars in = barsFor({0, 0, 100, 50}, at(Largest));
  expectRange(in.horizontal, 0, 818 - Width, Width);
  EXPECT_FALSE(in.vertical.shown);
  EXPECT_EQ(in.visibleHeight, Height - Thickness);
}

TEST(ScrollAreaTest, TheMarginFollowsTheLastPixelAPointShowsAt) {
  // Zoomed out, unit 64000 shows at pixel 1000; ten blank pixels follow it
  // when the bars are at their ends.
  for (int step = Smallest; step <= Largest; ++step) {
    const ViewTransform v = at(step);
    const Rect extent{-64000, -64000, 64000, 64000};
    const ScrollBars b = barsFor(extent, v);
    const ViewPoint low = at(step, {b.horizontal.minimum, b.vertical.minimum}).toView(Point{-64000, -64000});
    EXPECT_EQ(low, (ViewPoint{ScrollMargin, ScrollMargin})) << step;
    const ViewTransform end = at(step, {b.horizontal.maximum, b.vertical.maximum});
    const ViewRect last = end.toView(Rect{64000, 64000, 64000, 64000});
    const ViewPoint corner = end.toView(Point{64000, 64000});
    EXPECT_EQ(std::max(last.right, corner.x), b.visibleWidth - 1 - ScrollMargin) << step;
    EXPECT_EQ(std::max(last.bottom, corner.y), b.visibleHeight - 1 - ScrollMargin) << step;
  }
}

TEST(ScrollAreaTest, ABarAppearsWhenTheOtherTakesItsRoom) {
  // 471 pixels high fit into 480 but not into the 464 the horizontal bar leaves.
  const ScrollBars tall = barsFor({0, 0, 1000, 460}, ViewTransform{});
  expectRange(tall.horizontal, 0, 1011 - (Width - Thickness), Width - Thickness);
  expectRange(tall.vertical, 0, 471 - (Height - Thickness), Height - Thickness);
  const ScrollBars wide = barsFor({0, 0, 620, 1000}, ViewTransform{});
  expectRange(wide.horizontal, 0, 631 - (Width - Thickness), Width - Thickness);
  expectRange(wide.vertical, 0, 1011 - (Height - Thickness), Height - Thickness);
  // 461 still fit beside the bar.
  const ScrollBars fits = barsFor({0, 0, 1000, 450}, ViewTransform{});
  EXPECT_TRUE(fits.horizontal.shown);
  EXPECT_FALSE(fits.vertical.shown);
  EXPECT_EQ(fits.visibleWidth, Width);
  EXPECT_EQ(fits.horizontal.page, Width);
}

TEST(ScrollAreaTest, TheRangeHoldsTheOffsetAndEveryDrawnPixel) {
  const Rect extents[] = {{0, 0, 600, 400}, {-500, -300, 200, 100}, {100000, -70000, 100100, -69000},
                          {-2000000000, -2000000000, 2000000000, 2000000000}};
  for (const Rect& e : extents)
    for (int step = Smallest; step <= Largest; ++step)
      for (int64_t off : {int64_t{-5}, int64_t{0}, int64_t{333}, int64_t{-123456789}, int64_t{50000000000}}) {
        const ViewTransform v = at(step, {off, -off});
        const ScrollBars b = barsFor(e, v);
        const auto check = [&](const ScrollRange& r, int64_t offset, int64_t first, int64_t last, int64_t visible) {
          if (!r.shown) {
            // No bar: the drawn pixels are all in sight already.
            EXPECT_GE(first, 0);
            EXPECT_LT(last, visible);
            return;
          }
          EXPECT_LE(r.minimum, offset);
          EXPECT_GE(r.maximum, offset);
          EXPECT_EQ(r.page, visible);
          // The bar's ends show the diagram's two edges.
          EXPECT_GE(first + offset - r.minimum, 0);
          EXPECT_LT(last + offset - r.maximum, visible);
          // And go no farther than the margin past them, unless the view is there now.
          EXPECT_TRUE(r.minimum == offset || first + offset - r.minimum <= ScrollMargin) << step;
          EXPECT_TRUE(r.maximum == offset || last + offset - r.maximum >= visible - 1 - ScrollMargin) << step;
        };
        const ViewRect drawn = v.toView(e);
        check(b.horizontal, off, drawn.left, drawn.right, b.visibleWidth);
        check(b.vertical, -off, drawn.top, drawn.bottom, b.visibleHeight);
      }
}

// Fit: the largest step at which no bar is needed, whatever the diagram's
// size and place, and the diagram in the middle.
TEST(ScrollAreaTest, FitShowsEverythingWithoutBarsAtTheLargestStepThatAllows) {
  const Rect extents[] = {{40, 40, 100, 60},         {20000, 15000, 20060, 15020}, {-50, -50, -41, -41},
                          {-400, -300, 5260, 4020},  {0, 0, 600, 400},             {3, 7, 10003, 20007},
                          {-1000000, 0, 1000000, 10}, {-2000000000, -2000000000, 2000000000, 2000000000}};
  for (const Rect& e : extents)
    for (const auto& [w, h] : {std::pair<int64_t, int64_t>{Width, Height}, {1400, 960}, {201, 99}}) {
      const ViewTransform fit = fitView(e, w, h);
      const ScrollBars b = scrollBarsFor(e, fit, w, h, Thickness);
      const ViewRect drawn = fit.toView(e);
      if (fit.step() == Smallest && (drawn.right - drawn.left >= w || drawn.bottom - drawn.top >= h)) continue;
      EXPECT_FALSE(b.horizontal.shown || b.vertical.shown) << e.Left << " " << w;
      // Centred: the two sides differ by at most a pixel (and the margin the origin cuts off).
      const int64_t left = drawn.left, right = w - 1 - drawn.right, top = drawn.top, bottom = h - 1 - drawn.bottom;
      EXPECT_LE(std::abs(left - right), e.Left >= 0 && e.Left < 10 ? ScrollMargin + 1 : 1) << e.Left << " " << w;
      EXPECT_LE(std::abs(top - bottom), e.Top >= 0 && e.Top < 10 ? ScrollMargin + 1 : 1) << e.Top << " " << h;
      EXPECT_GE(std::min({left, right, top, bottom}), 0);
      // One step further in, the drawn part and its margins no longer fit.
      if (fit.step() < Largest && e.Left >= 10 && e.Top >= 10) {
        const ViewRect closer = at(fit.step() + 1).toView(e);
        EXPECT_TRUE(closer.right - closer.left + 1 + 2 * ScrollMargin > w ||
                    closer.bottom - closer.top + 1 + 2 * ScrollMargin > h)
            << e.Left << " " << w;
      }
    }
  // One sentence comes up as close as it goes, with nothing to scroll.
  EXPECT_EQ(fitView({20000, 15000, 20060, 15020}, Width, Height).step(), Largest);
}

TEST(ScrollAreaTest, BarUnitsAreExactForRangesAnIntHolds) {
  const BarUnits u = barUnits({true, -510, 9000, 624});
  EXPECT_EQ(u.unit, 1);
  EXPECT_EQ(u.minimum, -510);
  EXPECT_EQ(u.maximum, 9000);
  EXPECT_EQ(u.page, 624);
}

TEST(ScrollAreaTest, BarUnitsForRangesBeyondIntReachBothEnds) {
  const ScrollRange ranges[] = {
      {true, -(int64_t{1} << 34) - 10, (int64_t{1} << 34) + 10 - 624, 624},  // the whole plane at 8 times
      {true, 0, 5000000000, 624},
      {true, -5000000000, 0, 464},
      {true, 3000000001, 3000000001 + 7, 624},  // short, but far out
      {true, -int64_t{INT_MAX} - 7, int64_t{INT_MAX} + 1000, 624},
  };
  for (const ScrollRange& r : ranges) {
    const BarUnits u = barUnits(r);
    EXPECT_GT(u.unit, 1);
    // Qt's bars subtract and add their values: keep clear of overflow.
    EXPECT_LE(int64_t{u.maximum} - u.minimum + u.page, int64_t{INT_MAX});
    EXPECT_GE(u.minimum, INT_MIN / 2);
    EXPECT_LE(u.maximum, INT_MAX / 2);
    // Moved to either end, a bar takes the view at least as far as the range goes.
    EXPECT_LE(int64_t{u.minimum} * u.unit, r.minimum);
    EXPECT_GE(int64_t{u.maximum} * u.unit, r.maximum);
    EXPECT_GT(int64_t{u.minimum} * u.unit, r.minimum - u.unit);
    EXPECT_LT(int64_t{u.maximum} * u.unit, r.maximum + u.unit);
    EXPECT_GE(u.page, 1);
  }
}

TEST(ScrollAreaTest, AutoScrollOnlyNearOrPastTheEdges) {
  constexpr int64_t W = 624, H = 464, Zone = 8;
  // Inside, away from the edges: still.
  for (ViewPoint p : {ViewPoint{Zone, Zone}, ViewPoint{W / 2, H / 2}, ViewPoint{W - 1 - Zone, H - 1 - Zone}})
    EXPECT_EQ(autoScrollStep(p, W, H, Zone), (ViewPoint{0, 0}));
  // Near an edge: towards it, along that direction only.
  EXPECT_EQ(autoScrollStep({Zone - 1, H / 2}, W, H, Zone).y, 0);
  EXPECT_LT(autoScrollStep({Zone - 1, H / 2}, W, H, Zone).x, 0);
  EXPECT_GT(autoScrollStep({W - Zone, H / 2}, W, H, Zone).x, 0);
  EXPECT_LT(autoScrollStep({W / 2, Zone - 1}, W, H, Zone).y, 0);
  EXPECT_GT(autoScrollStep({W / 2, H - Zone}, W, H, Zone).y, 0);
  EXPECT_EQ(autoScrollStep({W / 2, H - Zone}, W, H, Zone).x, 0);
  // Both edges at a corner, and the two sides alike.
  const ViewPoint corner = autoScrollStep({W + 3, -3}, W, H, Zone);
  EXPECT_GT(corner.x, 0);
  EXPECT_LT(corner.y, 0);
  EXPECT_EQ(autoScrollStep({-20, -20}, W, H, Zone).x, -autoScrollStep({W - 1 + 20, H - 1 + 20}, W, H, Zone).x);
  // Faster the farther past, but never a jump.
  int64_t previous = 0;
  for (int64_t past : {0, 1, 5, 20, 40}) {
    const int64_t step = autoScrollStep({W - 1 - Zone + 1 + past, H / 2}, W, H, Zone).x;
    EXPECT_GT(step, previous) << past;
    previous = step;
  }
  EXPECT_LE(autoScrollStep({1000000, -1000000}, W, H, Zone).x, W / 4);
  EXPECT_GE(autoScrollStep({1000000, -1000000}, W, H, Zone).y, -H / 4);
  EXPECT_EQ(autoScrollStep({-5, -5}, 0, 0, Zone), (ViewPoint{0, 0}));
}

}  // namespace
}  // namespace zorvex
