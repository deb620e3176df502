// The view at 100 %: at the origin exactly the diagram painter's pixels,
// scrolled the same pixels moved, never a pixel outside the repaint area.
#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "elements/ui/DiagramPainter.h"

namespace zorvex {
namespace {

using test::rgb;

QImage painterImage(const Diagram& d, int w, int h) {
  return test::painted([&](QPainter& p) { paintDiagram(p, d, QRect(0, 0, w, h), sentenceFont()); }, w, h);
}

TEST(ViewAtActualSize, AtTheOriginEveryPixelIsTheDiagramPainters) {
  const Diagram d = test::everyKind();
  const QImage expected = painterImage(d, 300, 240);
  EXPECT_EQ(test::viewImage(d, test::viewAt(ViewTransform::ActualSizeStep), 300, 240), expected);
  ViewPictureCache cache;
  EXPECT_EQ(test::viewImage(d, test::viewAt(ViewTransform::ActualSizeStep), 300, 240, &cache), expected);
  // A partial repaint paints what the painter paints in that part.
  const QRect part(35, 15, 140, 110);
  const QImage partial = test::viewImage(d, test::viewAt(ViewTransform::ActualSizeStep), 300, 240, nullptr, part);
  EXPECT_EQ(partial.copy(part), expected.copy(part));
}

TEST(ViewAtActualSize, ScrolledTheSamePixelsShowMoved) {
  Diagram d = test::everyKind();
  const QImage whole = painterImage(d, 420, 360);
  for (const auto& [dx, dy] : {std::pair{37, 23}, std::pair{-41, 58}, std::pair{120, -17}}) {
    SCOPED_TRACE(testing::Message() << "offset " << dx << ", " << dy);
    const QImage shifted = test::viewImage(d, test::viewAt(ViewTransform::ActualSizeStep, dx, dy), 300, 240);
    int compared = 0;
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 300; ++x) {
        const int wx = x + dx, wy = y + dy;
        if (wx < 0 || wy < 0) continue;  // negative diagram coordinates are not in `whole`
        ASSERT_EQ(rgb(shifted, x, y), rgb(whole, wx, wy)) << "at " << x << ", " << y;
        ++compared;
      }
    EXPECT_GT(compared, 300 * 240 / 2);
  }
}

TEST(ViewAtActualSize, ElementsAtNegativeCoordinatesShowWhenScrolledThere) {
  Diagram d;
  d.addSentence(test::sentenceAt(-500, -300, 60, 20, Undefeated, "Far"));
  const QImage img = test::viewImage(d, test::viewAt(ViewTransform::ActualSizeStep, -510, -310), 100, 60);
  EXPECT_EQ(rgb(img, 10, 10), 0u);   // the frame's top left corner
  EXPECT_EQ(rgb(img, 69, 29), 0u);   // and its bottom right one
  EXPECT_EQ(rgb(img, 70, 30), test::Background);
  EXPECT_GT(test::countColour(img, 0u, QRect(13, 13, 50, 14)), 10);  // the text
}

}  // namespace
}  // namespace zorvex
