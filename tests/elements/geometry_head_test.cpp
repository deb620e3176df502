// Arrow head stroke ends and the sentence size rule, worked out by hand.
#include <gtest/gtest.h>

#include "elements/Geometry.h"

namespace zorvex {
namespace {

TArrow shaft(int32_t sx, int32_t sy, int32_t ex, int32_t ey) {
  TArrow a;
  a.StartX = sx, a.StartY = sy, a.EndX = ex, a.EndY = ey;
  return a;
}

TEST(GeometryHead, StrokeEnds) {
  // d = 50: P1 = ((42*30 - 160)/50, (42*40 + 120)/50), P2 = (1420/50, 1560/50).
  StartEnd h = arrowHeadPoints(shaft(0, 0, 30, 40));
  EXPECT_EQ(h.start, (Point{22, 36}));
  EXPECT_EQ(h.end, (Point{28, 31}));
  // The same shaft elsewhere: offsets are relative to the start.
  h = arrowHeadPoints(shaft(10, 20, 40, 60));
  EXPECT_EQ(h.start, (Point{32, 56}));
  EXPECT_EQ(h.end, (Point{38, 51}));
  // Horizontal, right to left: 8 back, 4 either side.
  h = arrowHeadPoints(shaft(100, 50, 60, 50));
  EXPECT_EQ(h.start, (Point{68, 46}));
  EXPECT_EQ(h.end, (Point{68, 54}));
}

TEST(GeometryHead, ShortAndEmptyShafts) {
  // d = 5: the strokes reach back past the start (10, 10).
  StartEnd h = arrowHeadPoints(shaft(10, 10, 13, 14));
  EXPECT_EQ(h.start, (Point{5, 10}));
  EXPECT_EQ(h.end, (Point{11, 5}));
  h = arrowHeadPoints(shaft(7, 9, 7, 9));
  EXPECT_EQ(h.start, (Point{7, 9}));
  EXPECT_EQ(h.end, (Point{7, 9}));
}

// A shaft longer than 46,340 units squares past 32 bits: the head is still
// 8 back and 4 across, not an error that would stop every repaint.
TEST(GeometryHead, LongShaftsKeepTheirHead) {
  StartEnd h = arrowHeadPoints(shaft(0, 300, 60000, 300));
  EXPECT_EQ(h.start, (Point{59992, 304}));
  EXPECT_EQ(h.end, (Point{59992, 296}));
  h = arrowHeadPoints(shaft(-2000000000, 0, 2000000000, 0));
  EXPECT_EQ(h.start, (Point{1999999992, 4}));
  // A head that would lie outside 32-bit coordinates is no head.
  h = arrowHeadPoints(shaft(INT32_MIN, 0, INT32_MAX, 0));
  EXPECT_EQ(h.start, (Point{INT32_MAX - 8, 4}));
  h = arrowHeadPoints(shaft(INT32_MAX, 0, INT32_MAX, 100));
  EXPECT_EQ(h.start, (Point{INT32_MAX, 100}));
  EXPECT_EQ(h.end, (Point{INT32_MAX, 100}));
}

TEST(GeometryHead, SentenceIsSevenPixelsBiggerThanItsText) {
  TSentence s;
  s.Left = -3, s.Top = 20;
  sizeSentenceToText(s, 40, 13);
  EXPECT_EQ(s.Width, 47);
  EXPECT_EQ(s.Height, 20);
  EXPECT_EQ(s.Right, 44);
  EXPECT_EQ(s.Bottom, 40);
}

}  // namespace
}  // namespace zorvex
