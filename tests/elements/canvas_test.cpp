// The drawing surface widget: background, bevel, diagram, inverting
// overlays, and pointer events handed on in window coordinates.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "PaintTestSupport.h"
#include "elements/ui/DiagramCanvas.h"

namespace zorvex {
namespace {

using test::rgb;

QImage shot(DiagramCanvas& c) { return c.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(Canvas, BackgroundBevelDiagramAndOverlays) {
  Diagram d;
  TSentence s;
  s.Left = 20, s.Top = 20, s.Width = 40, s.Height = 20, s.Right = 60, s.Bottom = 40;
  d.addSentence(s);
  DiagramCanvas c;
  c.resize(200, 100);
  c.setDiagram(&d);
  QImage img = shot(c);
  EXPECT_EQ(rgb(img, 100, 0), 0x808080u);
  EXPECT_EQ(rgb(img, 100, 1), 0xFFFFFFu);
  EXPECT_EQ(rgb(img, 100, 2), test::Background);
  EXPECT_EQ(rgb(img, 20, 20), 0x808080u);
  EXPECT_EQ(rgb(img, 30, 30), 0xC0C0C0u);

  // An inverting dotted line across background and sentence.
  const auto band = CanvasFigure::line({10, 30}, {80, 30}, QColor(0x80, 0, 0), LineStyle::Dotted);
  c.toggleOverlay(band);
  img = shot(c);
  EXPECT_EQ(rgb(img, 10, 30), 0x2B2B2Bu);  // inverse of the background
  EXPECT_EQ(rgb(img, 11, 30), test::Background);
  EXPECT_EQ(rgb(img, 30, 30), 0x3F3F3Fu);  // inverse of the silver fill
  EXPECT_EQ(rgb(img, 80, 30), test::Background);
  // A solid copy-mode rectangle, drawn in its colour.
  c.addOverlay(CanvasFigure::rectangle({100, 50}, {90, 40}, QColor(0x80, 0, 0), LineStyle::Solid, false));
  img = shot(c);
  EXPECT_EQ(rgb(img, 100, 50), 0x800000u);
  EXPECT_EQ(rgb(img, 90, 40), 0x800000u);
  EXPECT_EQ(rgb(img, 95, 45), test::Background);
  // Shown again, the inverting line goes away; the rectangle stays.
  c.toggleOverlay(band);
  img = shot(c);
  EXPECT_EQ(rgb(img, 10, 30), test::Background);
  EXPECT_EQ(rgb(img, 100, 50), 0x800000u);
  c.clearOverlays();
  EXPECT_TRUE(c.overlays().empty());
  EXPECT_EQ(rgb(shot(c), 100, 50), test::Background);
}

struct Recorder : CanvasInput {
  std::vector<std::pair<QEvent::Type, Point>> seen;
  void canvasMousePress(QMouseEvent& e, Point p) override { seen.emplace_back(e.type(), p); }
  void canvasMouseMove(QMouseEvent& e, Point p) override { seen.emplace_back(e.type(), p); }
  void canvasMouseRelease(QMouseEvent& e, Point p) override { seen.emplace_back(e.type(), p); }
  void canvasContextMenu(QContextMenuEvent& e, Point p) override { seen.emplace_back(e.type(), p); }
};

TEST(Canvas, PointerEventsReachTheHandler) {
  DiagramCanvas c;
  c.resize(200, 100);
  EXPECT_TRUE(c.hasMouseTracking());
  Recorder r;
  c.setInput(&r);
  QTest::mousePress(&c, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 22));
  QTest::mouseRelease(&c, Qt::LeftButton, Qt::NoModifier, QPoint(15, 30));
  ASSERT_EQ(r.seen.size(), 2u);
  EXPECT_EQ(r.seen[0], std::make_pair(QEvent::MouseButtonPress, Point{10, 22}));
  EXPECT_EQ(r.seen[1], std::make_pair(QEvent::MouseButtonRelease, Point{15, 30}));
}

TEST(PixelDraw, LineEndsDotsAndFigureOutlines) {
  const QRect all(-100, -100, 400, 400);
  std::vector<QPoint> px;
  linePixels({0, 0}, {5, 0}, all, LineStyle::Solid, px);
  EXPECT_EQ(px, (std::vector<QPoint>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));  // the end is left out
  px.clear();
  linePixels({3, 3}, {0, 0}, all, LineStyle::Solid, px);
  EXPECT_EQ(px, (std::vector<QPoint>{{3, 3}, {2, 2}, {1, 1}}));
  px.clear();
  linePixels({0, 0}, {0, 7}, all, LineStyle::Dotted, px);
  EXPECT_EQ(px, (std::vector<QPoint>{{0, 0}, {0, 2}, {0, 4}, {0, 6}}));
  px.clear();  // the dots stay where they are when only part is drawn
  linePixels({0, 0}, {0, 7}, QRect(0, 1, 1, 4), LineStyle::Dotted, px);
  EXPECT_EQ(px, (std::vector<QPoint>{{0, 2}, {0, 4}}));
  px.clear();
  linePixels({-2000000000, 5}, {2000000000, 5}, QRect(0, 0, 3, 10), LineStyle::Solid, px);
  EXPECT_EQ(px, (std::vector<QPoint>{{0, 5}, {1, 5}, {2, 5}}));
  // Outlines set each pixel once, so an inverting pen never undoes itself.
  auto unique = [](std::vector<QPoint> v) {
    std::sort(v.begin(), v.end(), [](QPoint a, QPoint b) { return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y()); });
    return std::adjacent_find(v.begin(), v.end()) == v.end();
  };
  px.clear();
  rectOutlinePixels({5, 5, 1, 2}, all, LineStyle::Solid, px);  // columns 1..5, rows 2..5
  EXPECT_EQ(px.size(), 14u);
  EXPECT_TRUE(unique(px));
  px.clear();
  rectOutlinePixels({4, 2, 4, 6}, all, LineStyle::Solid, px);
  EXPECT_EQ(px.size(), 5u);
  EXPECT_TRUE(unique(px));
  px.clear();
  diamondOutlinePixels({0, 0}, 5, all, LineStyle::Solid, px);
  EXPECT_EQ(px.size(), 20u);
  EXPECT_TRUE(unique(px));
  for (QPoint p : px) EXPECT_EQ(std::abs(p.x()) + std::abs(p.y()), 5);
}

}  // namespace
}  // namespace zorvex
