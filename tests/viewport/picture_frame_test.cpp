// What an exported picture shows: the window's first view from the origin,
// widened to take in everything drawn, negative coordinates included; and
// the zoom step a picture too large at full size is drawn at.
#include <gtest/gtest.h>

#include "viewport/DiagramBounds.h"
#include "viewport/PictureFrame.h"

namespace zorvex {
namespace {

Diagram sentencesAt(std::initializer_list<Point> corners) {
  Diagram d;
  for (const Point& p : corners) {
    TSentence s;
    s.Left = p.x, s.Top = p.y, s.Width = 60, s.Height = 20;
    s.Right = p.x + 60, s.Bottom = p.y + 20;
    s.Text = "s" + std::to_string(d.SentenceCount());
    d.addSentence(std::move(s));
  }
  return d;
}

TEST(PictureFrameTest, FromTheOriginAtLeastTheWindowAndWidenedLeftAndUpWithAMargin) {
  EXPECT_EQ(pictureFrame(Diagram{}), (Rect{0, 0, 639, 479}));
  EXPECT_EQ(pictureFrame(sentencesAt({{40, 40}})), (Rect{0, 0, 639, 479}));
  const Diagram far = sentencesAt({{40, 40}, {900, 700}});
  EXPECT_EQ(pictureFrame(far), (Rect{0, 0, drawnBounds(far)->Right, drawnBounds(far)->Bottom}));

  const Diagram left = sentencesAt({{-300, 100}, {100, -120}});
  const Rect drawn = *drawnBounds(left);
  ASSERT_LT(drawn.Left, 0);
  EXPECT_EQ(pictureFrame(left), (Rect{drawn.Left - 10, drawn.Top - 10, 639, 479}));
  const Diagram edge = sentencesAt({{INT32_MIN + 5, 0}});
  EXPECT_EQ(pictureFrame(edge).Left, INT32_MIN);
}

TEST(PictureFrameTest, TooWideAtFullSizeTheLargestStepThatFitsOrNone) {
  const Rect fits{-10, 0, 32756, 479};  // 32767 pixels wide
  EXPECT_EQ(pictureSize(fits, ViewTransform::ActualSizeStep).width, 32767);
  EXPECT_EQ(largestPictureStep(fits), ViewTransform::ActualSizeStep);

  const Rect wide{0, 0, 40644, 19699};
  ASSERT_EQ(largestPictureStep(wide), ViewTransform::ActualSizeStep - 1);
  const PictureSize half = pictureSize(wide, ViewTransform::ActualSizeStep - 1);
  EXPECT_EQ(half.width, 20323);  // 40,645 units, the last one a pixel of its own
  EXPECT_EQ(half.height, 9850);
  EXPECT_EQ(largestPictureStep({0, 0, 32767 * 64 - 1, 10}), 0);  // 1/64: 32,767 pixels
  EXPECT_EQ(largestPictureStep({0, 0, 32767 * 64, 10}), std::nullopt);
}

}  // namespace
}  // namespace zorvex
