// Zoomed out: frames and fills without text, each element at least one
// pixel, the figures written into pixels exactly as the painters draw them.
#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "elements/ui/DiagramPainter.h"
#include "elements/ui/ViewRaster.h"

namespace zorvex {
namespace {

using test::rgb;

constexpr unsigned Black = 0x000000, Grey = 0x808080, Silver = 0xC0C0C0, Red = 0xFF0000;
constexpr unsigned Bg = test::Background;

// The raster writer at 100 % must set exactly the painters' pixels.
void expectRasterMatchesPainter(const Diagram& d, int w, int h) {
  const QImage painted =
      test::painted([&](QPainter& p) { paintDiagram(p, d, QRect(0, 0, w, h), sentenceFont()); }, w, h);
  QImage raster = test::canvasImage(w, h);
  renderZoomedPixels(d, ViewTransform::ActualSizeStep, raster, {0, 0}, {0, 0, w - 1, h - 1});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(rgb(raster, x, y), rgb(painted, x, y)) << "at " << x << ", " << y;
}

TEST(ViewFigures, WrittenIntoPixelsTheyAreThePaintersFigures) {
  expectRasterMatchesPainter(test::everyKind(false), 300, 240);
}

TEST(ViewFigures, PaintOrderHoldsWhenCreationOrderAndNumbersDiffer) {
  Diagram d;
  d.addSentence(test::sentenceAt(10, 10, 40, 20, Undefeated));
  d.addSentence(test::sentenceAt(150, 10, 40, 20, Undefeated));
  TArrow late;  // number 0, but made last: over everything
  late.StartX = 0, late.StartY = 60, late.EndX = 200, late.EndY = 60, late.Status = NotEvaluated;
  late.ZOrder = 1000;
  setArrowBounds(late);
  d.addArrow(late);
  TArrow early = late;  // number 1, made before the sentence below
  early.StartY = early.EndY = 100;
  early.ZOrder = 0;
  setArrowBounds(early);
  d.addArrow(early);
  d.addSentence(test::sentenceAt(60, 50, 60, 60, Defeated));
  expectRasterMatchesPainter(d, 240, 140);
  const QImage raster = test::viewImage(d, test::viewAt(5), 120, 70);
  EXPECT_EQ(rgb(raster, 45, 30), Grey);   // the late arrow over the box
  EXPECT_EQ(rgb(raster, 45, 50), 0xFFFFFFu);  // the early one beneath it
}

TEST(ViewFigures, ManyElementsFoundThroughTheIndexPaintAsThePainterDoes) {
  Diagram d;
  for (int n = 0; n < 3000; ++n)
    d.addSentence(test::sentenceAt((n % 50) * 60 + n % 7, (n / 50) * 30 + n % 5, 44, 20, Status(1u << (n % 3))));
  for (int n = 0; n + 1 < 3000; ++n) test::joinSentences(d, n, n + 1, Status(1u << ((n + 1) % 3)));
  d.addDefeater(test::defeaterOf({40, 20, 170, 80}, {200, 100, 280, 200}, DefeaterState::Inactive));
  ASSERT_FALSE(preferWalk(d, {-2, -2, 301, 241}));
  expectRasterMatchesPainter(d, 300, 240);
}

Diagram spreadOut() {
  Diagram d;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      d.addSentence(test::sentenceAt(6400 * i + 640, 3200 * j + 640, 80, 24, NotEvaluated, "Readable text"));
  return d;
}

TEST(ViewZoomedOut, SentencesKeepFrameAndFillButNoText) {
  EXPECT_FALSE(textShows(sentenceFont(), 5));
  EXPECT_TRUE(textShows(sentenceFont(), 6));
  Diagram d;
  d.addSentence(test::sentenceAt(40, 40, 80, 40, NotEvaluated, "Some words"));
  d.addSentence(test::sentenceAt(200, 40, 70, 20, NotEvaluated, "Some more"));
  const QImage half = test::viewImage(d, test::viewAt(5), 200, 100);
  EXPECT_EQ(rgb(half, 20, 20), Grey);
  EXPECT_EQ(rgb(half, 59, 39), Grey);
  EXPECT_EQ(rgb(half, 21, 21), Silver);
  EXPECT_EQ(test::countColour(half, Black), 0);
  const QImage quarter = test::viewImage(d, test::viewAt(4), 100, 50);
  EXPECT_EQ(rgb(quarter, 10, 10), Grey);
  EXPECT_EQ(rgb(quarter, 29, 19), Grey);
  EXPECT_EQ(rgb(quarter, 11, 11), Silver);
  EXPECT_EQ(rgb(quarter, 50, 10), Grey);
  EXPECT_EQ(test::countColour(quarter, Black), 0);
  EXPECT_EQ(test::countColour(quarter, Grey) + test::countColour(quarter, Silver), 20 * 10 + 18 * 5);
}

TEST(ViewZoomedOut, AtTheFarthestEveryElementStillSetsAPixel) {
  Diagram d = spreadOut();
  d.addSentence(test::sentenceAt(30000, 100, 3, 3, Undefeated));
  TArrow shortArrow;
  shortArrow.StartX = 33000, shortArrow.StartY = 130, shortArrow.EndX = 33010, shortArrow.EndY = 131;
  shortArrow.Status = Defeated;
  setArrowBounds(shortArrow);
  d.addArrow(shortArrow);
  d.addDefeater(test::defeaterOf({20000, 20000, 20100, 20050}, {25000, 20000, 25100, 20050}, DefeaterState::Active));
  const QImage img = test::viewImage(d, test::viewAt(0), 420, 330);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      // 80 x 24 units: the two pixels holding any of them.
      EXPECT_EQ(rgb(img, 100 * i + 10, 50 * j + 10), Grey);
      EXPECT_EQ(rgb(img, 100 * i + 11, 50 * j + 10), Grey);
      EXPECT_EQ(rgb(img, 100 * i + 12, 50 * j + 10), Bg);
      EXPECT_EQ(rgb(img, 100 * i + 10, 50 * j + 11), Bg);
    }
  // The dot at (30000, 100) and the short arrow at (33000, 130): one pixel each.
  const QImage wide = test::viewImage(d, test::viewAt(0, 400, 0), 200, 100);
  EXPECT_EQ(rgb(wide, 468 - 400, 1), Black);
  EXPECT_EQ(rgb(wide, 515 - 400, 2), Black);
  // The defeater: its rectangles, its line and a diamond of radius 1.
  EXPECT_EQ(rgb(img, 312, 312), Red);
  EXPECT_EQ(rgb(img, 390, 312), Red);
  EXPECT_EQ(rgb(img, 350, 312), Red);
  EXPECT_GE(test::countColour(img, Red, QRect(385, 308, 8, 8)), 5);
  EXPECT_EQ(test::countColour(img, Black), 0);
}

}  // namespace
}  // namespace zorvex
