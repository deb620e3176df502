// The kept picture of zoomed-out views: never an old state after an edit or
// a round, reused across scrolling and zooming, bounded in memory; and no
// view painting touches a pixel outside its repaint area.
#include <gtest/gtest.h>

#include "ViewTestSupport.h"

namespace zorvex {
namespace {

using test::rgb;

constexpr unsigned Grey = 0x808080, Blue = 0x0000FF;
constexpr unsigned Bg = test::Background;

Diagram grid(int columns, int rows) {
  Diagram d;
  for (int n = 0; n < columns * rows; ++n)
    d.addSentence(test::sentenceAt((n % columns) * 90, (n / columns) * 40, 64, 20, Status(1u << (n % 3)), "Text"));
  for (int n = 0; n + 1 < columns * rows; ++n) test::joinSentences(d, n, n + 1, Status(1u << (n % 3)));
  d.addDefeater(test::defeaterOf({-10, -10, 200, 70}, {400, 150, 700, 300}, DefeaterState::Active));
  return d;
}

void expectSamePicture(const QImage& a, const QImage& b) {
  ASSERT_EQ(a.size(), b.size());
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) ASSERT_EQ(rgb(a, x, y), rgb(b, x, y)) << "at " << x << ", " << y;
}

// Moves a sentence and its arrows as the editor does, telling the cache
// every drawn extent before and after.
void moveSentence(Diagram& d, ViewPictureCache& cache, int32_t n, int32_t dx, int32_t dy) {
  std::vector<int32_t> arrows;
  for (int32_t a = 0; a < d.ArrowCount(); ++a)
    if (d.arrow(a).Sentence1 == n || d.arrow(a).Sentence2 == n) arrows.push_back(a);
  cache.invalidate(d.drawnExtent({ElementKind::Sentence, n}));
  for (int32_t a : arrows) cache.invalidate(d.drawnExtent({ElementKind::Arrow, a}));
  TSentence& s = d.sentence(n);
  s.Left += dx, s.Right += dx, s.Top += dy, s.Bottom += dy;
  d.geometryChanged({ElementKind::Sentence, n});
  for (int32_t a : arrows) {
    TArrow& r = d.arrow(a);
    ComputeStartEndArrow(r, d.sentence(r.Sentence1), d.sentence(r.Sentence2));
    setArrowBounds(r);
    d.geometryChanged({ElementKind::Arrow, a});
    cache.invalidate(d.drawnExtent({ElementKind::Arrow, a}));
  }
  cache.invalidate(d.drawnExtent({ElementKind::Sentence, n}));
}

TEST(ViewPictureCache, AnEditShowsAtOnceAndEverythingElseStaysAsDrawn) {
  Diagram d = grid(20, 20);
  ViewPictureCache cache;
  const ViewTransform view = test::viewAt(4, -8, -8);
  test::viewImage(d, view, 500, 260, &cache);
  ASSERT_GT(cache.tileCount(), 0u);
  // A status set by the user: one sentence's frame turns blue.
  cache.invalidate(d.drawnExtent({ElementKind::Sentence, 22}));
  d.sentence(22).Status = Status(Undefeated | SetByUser);
  const QImage recoloured = test::viewImage(d, view, 500, 260, &cache);
  EXPECT_EQ(rgb(recoloured, 2 * 90 / 4 + 8, 40 / 4 + 8), Blue);
  expectSamePicture(recoloured, test::viewImage(d, view, 500, 260));
  // A sentence moved far: its old place shows the surface again.
  const int oldX = 5 * 90 / 4 + 8, oldY = 3 * 40 / 4 + 8;
  EXPECT_NE(rgb(recoloured, oldX, oldY), Bg);
  moveSentence(d, cache, 65, 800, 500);
  const QImage moved = test::viewImage(d, view, 500, 260, &cache);
  EXPECT_EQ(rgb(moved, oldX + 8, oldY + 2), Bg);
  expectSamePicture(moved, test::viewImage(d, view, 500, 260));
}

TEST(ViewPictureCache, APixelAFigureReachesPastItsExtentIsRedrawnToo) {
  // Far out a diamond keeps radius 1: its top pixel (187, 255) lies above the
  // defeater's whole extent (row 256), in the tile above.
  Diagram d;
  d.addDefeater(test::defeaterOf({8000, 16406, 8100, 16426}, {12000, 16406, 12200, 16426}, DefeaterState::Active));
  ViewPictureCache cache;
  const ViewTransform view = test::viewAt(0);
  EXPECT_EQ(rgb(test::viewImage(d, view, 300, 300, &cache), 187, 255), 0xFF0000u);
  cache.invalidate(d.drawnExtent({ElementKind::Defeater, 0}));
  d.defeater(0).DefeaterState = DefeaterState::Inactive;
  const QImage after = test::viewImage(d, view, 300, 300, &cache);
  EXPECT_EQ(rgb(after, 187, 255), 0xFF8080u);
  expectSamePicture(after, test::viewImage(d, view, 300, 300));
}

TEST(ViewPictureCache, AfterARoundInvalidateAllShowsEveryNewStatus) {
  Diagram d = grid(20, 20);
  ViewPictureCache cache;
  const ViewTransform view = test::viewAt(3, -4, -4);
  const QImage before = test::viewImage(d, view, 300, 240, &cache);
  for (TSentence& s : d.sentencesForStatus()) s.Status = Status(Undefeated | SetByUser);
  cache.invalidateAll();
  const QImage after = test::viewImage(d, view, 300, 240, &cache);
  EXPECT_EQ(rgb(after, 4, 4), Blue);
  expectSamePicture(after, test::viewImage(d, view, 300, 240));
  EXPECT_NE(after, before);
}

TEST(ViewPictureCache, ScrollingAndZoomingReuseTilesWithinTheMemoryBound) {
  Diagram d = grid(60, 60);
  ViewPictureCache small(6 * ViewPictureCache::TileBytes);
  ViewPictureCache ample;
  ViewTransform view = test::viewAt(3);
  for (int k = 0; k < 12; ++k) {
    SCOPED_TRACE(k);
    if (k == 6) view.zoomTo(2, {150, 100});
    if (k == 9) view.zoomTo(4, {10, 10});
    const QImage fresh = test::viewImage(d, view, 300, 200);
    expectSamePicture(test::viewImage(d, view, 300, 200, &small), fresh);
    expectSamePicture(test::viewImage(d, view, 300, 200, &ample), fresh);
    EXPECT_LE(small.bytes(), 6 * ViewPictureCache::TileBytes);
    view.scrollBy(31, 17);
  }
  EXPECT_LE(ample.bytes(), size_t{64} << 20);
  // What was drawn is kept until it is invalidated.
  view = test::viewAt(3);
  const QImage kept = test::viewImage(d, view, 300, 200, &ample);
  d.sentence(0).Status = Status(Undefeated | SetByUser);
  EXPECT_EQ(test::viewImage(d, view, 300, 200, &ample), kept);
  ample.invalidate(d.drawnExtent({ElementKind::Sentence, 0}));
  EXPECT_EQ(rgb(test::viewImage(d, view, 300, 200, &ample), 0, 0), Blue);
}

TEST(ViewPictureCache, AnotherDiagramIsNeverShownFromTheOldOnesTiles) {
  Diagram first = grid(10, 10);
  Diagram second;
  second.addSentence(test::sentenceAt(0, 0, 40, 20, NotEvaluated));
  ViewPictureCache cache;
  const ViewTransform view = test::viewAt(2);
  test::viewImage(first, view, 100, 100, &cache);
  const QImage shown = test::viewImage(second, view, 100, 100, &cache);
  expectSamePicture(shown, test::viewImage(second, view, 100, 100));
  EXPECT_EQ(rgb(shown, 0, 0), Grey);
  EXPECT_EQ(rgb(shown, 20, 10), Bg);
}

TEST(ViewPainting, NoPixelOutsideTheRepaintAreaIsTouched) {
  const Diagram d = grid(20, 20);
  const QRect area(40, 30, 120, 90);
  constexpr unsigned Marker = 0xFF00FF;
  ViewPictureCache cache;
  for (const ViewTransform& view :
       {test::viewAt(6), test::viewAt(6, 25, 7), test::viewAt(7, 11, 3), test::viewAt(9, 300, 90),
        test::viewAt(4, -3, -5), test::viewAt(0, -20, -20), test::viewAt(2, 5, 5)}) {
    SCOPED_TRACE(testing::Message() << "step " << view.step());
    for (ViewPictureCache* c : {static_cast<ViewPictureCache*>(nullptr), &cache}) {
      QImage img(240, 180, QImage::Format_RGB32);
      img.fill(QColor::fromRgb(Marker));
      QPainter p(&img);
      p.fillRect(area, QColor::fromRgb(Bg));
      paintDiagramView(p, d, area, sentenceFont(), view, c);
      p.end();
      int inside = 0;
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
          const bool in = area.contains(x, y);
          if (!in) {
            ASSERT_EQ(rgb(img, x, y), Marker) << "at " << x << ", " << y;
          }
          inside += in && rgb(img, x, y) != Bg;
        }
      EXPECT_GT(inside, 0);
    }
  }
}

}  // namespace
}  // namespace zorvex
