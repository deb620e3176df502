// Border points of the line between two boxes. Every expected value below was
// worked out by hand from the crossing, correction and override rules.
#include <gtest/gtest.h>

#include "elements/Geometry.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

StartEnd se(int32_t sx, int32_t sy, int32_t ex, int32_t ey) { return {{sx, sy}, {ex, ey}}; }

const Rect A{100, 100, 160, 120};

TEST(GeometryPoints, WorkedExamples) {
  EXPECT_EQ(ComputeStartEndPoints(A, {300, 200, 360, 220}), se(150, 120, 311, 200));
  EXPECT_EQ(ComputeStartEndPoints(A, {100, 200, 160, 220}), se(130, 120, 130, 200));
  EXPECT_EQ(ComputeStartEndPoints(A, {300, 100, 360, 120}), se(160, 110, 300, 110));
}

TEST(GeometryPoints, AlignedCentresTakeTheFacingSidesBothWays) {
  // Start box below the end box: top of A to bottom of B at A's centre x.
  EXPECT_EQ(ComputeStartEndPoints({100, 200, 160, 220}, A), se(130, 200, 130, 120));
  // Start box right of the end box: left of A to right of B at A's centre y.
  EXPECT_EQ(ComputeStartEndPoints({300, 100, 360, 120}, A), se(300, 110, 160, 110));
  // Same centre: the horizontal rule is the one that stands.
  EXPECT_EQ(ComputeStartEndPoints(A, {110, 105, 150, 115}), se(100, 110, 150, 110));
}

TEST(GeometryPoints, OverlappingBoxesUseRightOrBottomSides) {
  // Horizontal extents overlap, shallow line: both on the right sides.
  EXPECT_EQ(ComputeStartEndPoints(A, {140, 110, 200, 130}), se(160, 117, 200, 127));
  // Vertical extents overlap, steep line: both on the bottom sides.
  EXPECT_EQ(ComputeStartEndPoints(A, {110, 110, 170, 140}), se(136, 120, 150, 140));
}

TEST(GeometryPoints, TouchingBoxesCountAsSideBySide) {
  EXPECT_EQ(ComputeStartEndPoints(A, {160, 104, 220, 124}), se(160, 112, 160, 113));
  EXPECT_EQ(ComputeStartEndPoints({160, 104, 220, 124}, A), se(160, 113, 160, 112));
}

TEST(GeometryPoints, NegativeCoordinatesFallBackToTheCentre) {
  // Truncation toward zero pushes both crossings of the start box outside it.
  EXPECT_EQ(ComputeStartEndPoints({-6, -6, -5, -5}, {29, -42, 33, -38}), se(-5, -5, 29, -38));
  EXPECT_EQ(centreOf({-3, -3, 0, 0}), (Point{-1, -1}));
}

TEST(GeometryPoints, KeyWindowDefeaterSamples) {
  for (int32_t y : {0, 32, 64, 96, 128}) {
    TDefeater d;
    d.ChallengingRect = {378, y, 402, y + 16};
    d.ChallengedRect = {418, y + 8, 442, y + 24};
    ComputeStartEndDefeater(d);
    EXPECT_EQ(se(d.StartX, d.StartY, d.EndX, d.EndY), se(402, y + 10, 418, y + 14)) << "y=" << y;
    setDefeaterExtent(d);
    EXPECT_EQ(d.Width, 442 - 378 + 1);
    EXPECT_EQ(d.Height, 24 + 1);
  }
}

TEST(GeometryPoints, ArrowBetweenSentencesAndItsBounds) {
  TSentence s1, s2;
  s1.Left = 100, s1.Top = 100, s1.Right = 160, s1.Bottom = 120;
  s2.Left = 300, s2.Top = 200, s2.Right = 360, s2.Bottom = 220;
  TArrow a;
  a.Width = 77;
  ComputeStartEndArrow(a, s1, s2);
  EXPECT_EQ(se(a.StartX, a.StartY, a.EndX, a.EndY), se(150, 120, 311, 200));
  EXPECT_EQ(a.Width, 77);  // bounds are the caller's business
  TArrow b;
  b.StartX = 10, b.StartY = 50, b.EndX = 40, b.EndY = 20;
  setArrowBounds(b);
  EXPECT_EQ(b.Left, 10);
  EXPECT_EQ(b.Top, 20);
  EXPECT_EQ(b.Width, 31);
  EXPECT_EQ(b.Height, 31);
}

TEST(GeometryPoints, OverflowIsReported) {
  const Rect far{2000000000, 0, 2100000000, 10};
  EXPECT_THROW(ComputeStartEndPoints({-2100000000, 0, -2000000000, 20}, far), ZorvexError);
}

}  // namespace
}  // namespace zorvex
