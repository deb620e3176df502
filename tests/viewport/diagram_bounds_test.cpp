// The rectangle a whole diagram draws in: what counts, what is left out,
// and coordinates on both sides of the origin.
#include <gtest/gtest.h>

#include "viewport/DiagramBounds.h"

namespace zorvex {
namespace {

TSentence box(int32_t left, int32_t top, int32_t width, int32_t height) {
  TSentence s;
  s.Left = left, s.Top = top, s.Width = width, s.Height = height;
  s.Right = left + width, s.Bottom = top + height;
  s.Text = "s";
  return s;
}

TArrow arrow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  TArrow a;
  a.Sentence1 = 0, a.Sentence2 = 1, a.Enabled = true;
  a.StartX = x1, a.StartY = y1, a.EndX = x2, a.EndY = y2;
  return a;
}

TDefeater defeater(const Rect& challenging, const Rect& challenged) {
  TDefeater d;
  d.Enabled = true;
  d.ChallengingRect = challenging, d.ChallengedRect = challenged;
  d.StartX = challenging.Right, d.StartY = challenging.Top;
  d.EndX = challenged.Left, d.EndY = challenged.Top;
  return d;
}

TEST(DiagramBoundsTest, NothingForADiagramThatDrawsNothing) {
  EXPECT_EQ(drawnBounds(Diagram{}), std::nullopt);
  Diagram d;
  d.sentence(d.addSentence(box(10, 10, 50, 20))).Deleted = true;
  d.arrow(d.addArrow(arrow(0, 0, 90, 90))).Deleted = true;
  d.defeater(d.addDefeater(defeater({0, 0, 30, 30}, {40, 40, 70, 70}))).Deleted = true;
  TDefeater beingDrawn = defeater({100, 100, 130, 130}, {140, 140, 170, 170});
  beingDrawn.Incomplete = true;
  d.addDefeater(beingDrawn);
  d.beginPendingArrow().EndX = 500;
  EXPECT_EQ(drawnBounds(d), std::nullopt);
}

TEST(DiagramBoundsTest, SentenceBoxesOnBothSidesOfTheOrigin) {
  Diagram d;
  d.addSentence(box(-300, -200, 100, 20));
  d.addSentence(box(50, 60, 40, 30));
  // Inclusive: the last pixel of a 100-wide box starting at -300 is -201.
  EXPECT_EQ(drawnBounds(d), (Rect{-300, -200, 89, 89}));
  Diagram negative;
  negative.addSentence(box(-5000, -4000, 60, 20));
  negative.addSentence(box(-900, -800, 60, 20));
  EXPECT_EQ(drawnBounds(negative), (Rect{-5000, -4000, -841, -781}));
}

TEST(DiagramBoundsTest, ArrowHeadsAndDefeaterDiamondsCount) {
  Diagram d;
  d.addSentence(box(0, 0, 40, 20));
  const int32_t a = d.addArrow(arrow(20, 10, 300, -150));
  Rect expected = unite(d.drawnExtent({ElementKind::Sentence, 0}), d.drawnExtent({ElementKind::Arrow, a}));
  ASSERT_EQ(drawnBounds(d), expected);
  // The head reaches past the end point.
  EXPECT_GT(expected.Right, 300);
  EXPECT_LT(expected.Top, -150);
  const int32_t f = d.addDefeater(defeater({-700, 400, -600, 450}, {-550, 420, -500, 470}));
  expected = unite(expected, d.drawnExtent({ElementKind::Defeater, f}));
  EXPECT_EQ(drawnBounds(d), expected);
  EXPECT_EQ(expected.Left, -700);
  EXPECT_GE(expected.Bottom, 470);
}

TEST(DiagramBoundsTest, DeletedAndUnfinishedElementsAreLeftOut) {
  Diagram d;
  d.addSentence(box(0, 0, 100, 50));
  const Rect alone{0, 0, 99, 49};
  // Each of these would widen the bounds a long way.
  d.sentence(d.addSentence(box(90000, 0, 10, 10))).Deleted = true;
  d.arrow(d.addArrow(arrow(0, 0, -80000, 0))).Deleted = true;
  d.defeater(d.addDefeater(defeater({0, -70000, 10, -69990}, {20, 0, 30, 10}))).Deleted = true;
  TDefeater beingDrawn = defeater({0, 0, 10, 10}, {20, 60000, 30, 60010});
  beingDrawn.Incomplete = true;
  d.addDefeater(beingDrawn);
  EXPECT_EQ(drawnBounds(d), alone);

  d.sentence(1).Deleted = false;
  EXPECT_EQ(drawnBounds(d)->Right, 90009);
  d.sentence(1).Deleted = true;
  d.arrow(0).Deleted = false;
  EXPECT_LT(drawnBounds(d)->Left, -80000);
  d.arrow(0).Deleted = true;
  d.defeater(0).Deleted = false;
  EXPECT_LE(drawnBounds(d)->Top, -70000);
  d.defeater(0).Deleted = true;
  d.defeater(1).Incomplete = false;
  EXPECT_GE(drawnBounds(d)->Bottom, 60010);
}

}  // namespace
}  // namespace zorvex
