// Zoomed in: every figure at its zoomed place in its own colour, lines and
// frames one surface pixel wide, text at the zoomed size inside its box.
#include <gtest/gtest.h>

#include <climits>

#include "ViewTestSupport.h"

namespace zorvex {
namespace {

using test::rgb;

constexpr unsigned Black = 0x000000, White = 0xFFFFFF, Red = 0xFF0000, Grey = 0x808080;
constexpr unsigned Bg = test::Background;

TArrow straight(int32_t sx, int32_t sy, int32_t ex, int32_t ey, Status status) {
  TArrow a;
  a.StartX = sx, a.StartY = sy, a.EndX = ex, a.EndY = ey;
  a.Status = status;
  setArrowBounds(a);
  return a;
}

Diagram figures() {
  Diagram d;
  d.addSentence(test::sentenceAt(10, 10, 40, 20, Undefeated, "Ab"));
  d.addSentence(test::sentenceAt(10, 150, 40, 20, Defeated));
  d.addArrow(straight(10, 100, 190, 100, Undefeated));
  d.addArrow(straight(250, 10, 250, 190, Defeated));
  d.addDefeater(test::defeaterOf({300, 10, 380, 60}, {300, 120, 380, 180}, DefeaterState::Active));
  return d;
}

TEST(ViewZoomedIn, AtTwiceEveryFigureIsOnePixelWideAtItsPlace) {
  const QImage img = test::viewImage(figures(), test::viewAt(7), 800, 420);
  // The sentence box covers 20..99 x 20..59: a one-pixel frame round the fill.
  EXPECT_EQ(rgb(img, 20, 20), Black);
  EXPECT_EQ(rgb(img, 99, 59), Black);
  EXPECT_EQ(rgb(img, 19, 40), Bg);
  EXPECT_EQ(rgb(img, 100, 40), Bg);
  EXPECT_EQ(rgb(img, 21, 40), White);
  EXPECT_EQ(rgb(img, 98, 58), White);
  // The defeated sentence's cross runs corner to corner.
  EXPECT_EQ(rgb(img, 60, 320), Black);
  EXPECT_EQ(rgb(img, 61, 320), White);
  // A solid shaft: one row; its head from the zoomed head points.
  EXPECT_EQ(rgb(img, 100, 200), Black);
  EXPECT_EQ(rgb(img, 100, 199), Bg);
  EXPECT_EQ(rgb(img, 100, 201), Bg);
  EXPECT_EQ(rgb(img, 380, 200), Black);
  EXPECT_EQ(rgb(img, 372, 196), Black);
  EXPECT_EQ(rgb(img, 372, 204), Black);
  EXPECT_EQ(rgb(img, 372, 199), Bg);
  // A dotted shaft sets every other surface pixel.
  EXPECT_EQ(rgb(img, 500, 100), Black);
  EXPECT_EQ(rgb(img, 500, 101), Bg);
  EXPECT_EQ(rgb(img, 500, 102), Black);
  EXPECT_EQ(rgb(img, 501, 100), Bg);
  // The defeater: outlines on the zoomed rectangles' edges, its line, a diamond of radius 10.
  EXPECT_EQ(rgb(img, 600, 50), Red);
  EXPECT_EQ(rgb(img, 601, 50), Bg);
  EXPECT_EQ(rgb(img, 761, 50), Red);
  EXPECT_EQ(rgb(img, 760, 50), Bg);
  EXPECT_EQ(rgb(img, 680, 180), Red);
  EXPECT_EQ(rgb(img, 679, 180), Bg);
  EXPECT_EQ(rgb(img, 684, 234), Red);
  EXPECT_EQ(rgb(img, 685, 234), Bg);
  EXPECT_EQ(rgb(img, 675, 235), Red);
  EXPECT_EQ(rgb(img, 674, 235), Bg);
  EXPECT_EQ(rgb(img, 680, 250), Red);
  EXPECT_EQ(rgb(img, 680, 251), Bg);
}

TEST(ViewZoomedIn, AtFourTimesScrolledTheDiamondHasRadiusTwentyAndLinesStayThin) {
  const QImage img = test::viewImage(figures(), test::viewAt(8, 1160, 0), 400, 520);
  EXPECT_EQ(rgb(img, 40, 100), Red);
  EXPECT_EQ(rgb(img, 41, 100), Bg);
  EXPECT_EQ(rgb(img, 363, 100), Red);
  EXPECT_EQ(rgb(img, 362, 100), Bg);
  EXPECT_EQ(rgb(img, 200, 300), Red);
  EXPECT_EQ(rgb(img, 199, 300), Bg);
  EXPECT_EQ(rgb(img, 201, 300), Bg);
  EXPECT_EQ(rgb(img, 210, 470), Red);
  EXPECT_EQ(rgb(img, 211, 470), Bg);
  EXPECT_EQ(rgb(img, 190, 470), Red);
  EXPECT_EQ(rgb(img, 189, 470), Bg);
  EXPECT_EQ(rgb(img, 200, 500), Red);
  EXPECT_EQ(rgb(img, 200, 501), Bg);
}

// The box of the text's pixels inside a grey-framed sentence.
QRect inkOf(const QImage& img, QRect box) {
  QRect ink;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if (rgb(img, x, y) == Black) ink |= QRect(x, y, 1, 1);
  return ink;
}

TEST(ViewZoomedIn, TextGrowsWithTheZoomAndStaysInsideItsBox) {
  Diagram d;
  d.addSentence(test::sentenceAt(10, 10, 60, 20, NotEvaluated, "Tweety"));
  d.addSentence(test::sentenceAt(10, 60, 30, 20, NotEvaluated, "A text far wider than its box"));
  const QImage one = test::viewImage(d, test::viewAt(6, -1, 0), 100, 100);
  const QImage two = test::viewImage(d, test::viewAt(7), 200, 200);
  const QRect ink1 = inkOf(one, QRect(11, 10, 60, 20)), ink2 = inkOf(two, QRect(20, 20, 120, 40));
  ASSERT_FALSE(ink1.isEmpty());
  ASSERT_FALSE(ink2.isEmpty());
  EXPECT_NEAR(double(ink2.width()) / ink1.width(), 2.0, 0.4);
  EXPECT_NEAR(double(ink2.height()) / ink1.height(), 2.0, 0.4);
  EXPECT_GE(ink2.left(), 20 + 6);  // from the zoomed text origin (Left + 3) * 2
  EXPECT_GE(ink2.top(), 20 + 6);
  // The long text is cut at the zoomed frame (20..79 across): nothing beyond it.
  EXPECT_GT(test::countColour(two, Black, QRect(21, 121, 58, 38)), 20);
  EXPECT_EQ(test::countColour(two, Black, QRect(80, 120, 120, 40)), 0);
  EXPECT_EQ(rgb(two, 79, 156), Grey);
}

TEST(ViewZoomedIn, NegativeAndFarCoordinatesMapExactly) {
  Diagram d;
  d.addSentence(test::sentenceAt(-100, -50, 40, 20, NotEvaluated));
  d.addSentence(test::sentenceAt(INT32_MAX - 100, 1000, 60, 20, NotEvaluated));
  const QImage img = test::viewImage(d, test::viewAt(8, -420, -220), 200, 120);
  EXPECT_EQ(rgb(img, 20, 20), Grey);
  EXPECT_EQ(rgb(img, 179, 99), Grey);
  EXPECT_EQ(rgb(img, 180, 99), Bg);
  EXPECT_EQ(rgb(img, 19, 20), Bg);
  const int64_t farX = (int64_t{INT32_MAX} - 100) * 8;
  const QImage far = test::viewImage(d, test::viewAt(9, farX - 10, 8000 - 10), 100, 100);
  EXPECT_EQ(rgb(far, 10, 10), Grey);
  EXPECT_EQ(rgb(far, 9, 10), Bg);
  EXPECT_EQ(rgb(far, 11, 11), 0xC0C0C0u);
}

}  // namespace
}  // namespace zorvex
