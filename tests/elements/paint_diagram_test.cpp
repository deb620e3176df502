// Whole-diagram painting: order of elements, painting limited to an area,
// and the off-screen picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "PaintTestSupport.h"
#include "elements/Geometry.h"
#include "elements/ui/DiagramPainter.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/PictureExport.h"
#include "elements/ui/SentenceFont.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

using test::rgb;

TSentence box(int32_t l, int32_t t, int32_t w, int32_t h, Status status = Undefeated) {
  TSentence s;
  s.Left = l, s.Top = t, s.Width = w, s.Height = h, s.Right = l + w, s.Bottom = t + h;
  s.Status = status;
  return s;
}

TArrow shaft(int32_t sx, int32_t sy, int32_t ex, int32_t ey) {
  TArrow a;
  a.StartX = sx, a.StartY = sy, a.EndX = ex, a.EndY = ey;
  a.Status = Undefeated;
  setArrowBounds(a);
  return a;
}

TDefeater defeater(Rect challenging, Rect challenged) {
  TDefeater d;
  d.ChallengingRect = challenging;
  d.ChallengedRect = challenged;
  d.DefeaterState = DefeaterState::Active;
  ComputeStartEndDefeater(d);
  return d;
}

QImage paintedDiagram(const Diagram& d, QRect area = QRect(0, 0, 200, 200)) {
  return test::painted([&](QPainter& p) { paintDiagram(p, d, area, sentenceFont()); });
}

TEST(PaintDiagram, LaterElementsCoverEarlierOnesAndDefeatersLieBeneath) {
  Diagram d;
  d.addArrow(shaft(10, 50, 190, 50));                  // first: beneath the sentence
  d.addSentence(box(40, 40, 30, 20, NotEvaluated));    // covers the arrow at (50, 50)
  d.addArrow(shaft(10, 100, 190, 100));
  d.addSentence(box(20, 120, 30, 20, NotEvaluated));   // made before the arrow below
  d.addArrow(shaft(35, 110, 35, 160));                 // crosses the sentence, on top
  d.addDefeater(defeater({60, 90, 80, 130}, {100, 90, 120, 130}));  // beneath everything
  const QImage img = paintedDiagram(d);
  EXPECT_EQ(rgb(img, 50, 50), 0xC0C0C0u);
  EXPECT_EQ(rgb(img, 20, 50), 0u);
  EXPECT_EQ(rgb(img, 35, 130), 0u);
  EXPECT_EQ(rgb(img, 60, 100), 0u);     // the arrow over the defeater's outline
  EXPECT_EQ(rgb(img, 60, 95), 0xFF0000u);
}

TEST(PaintDiagram, OnlyTheAreaIsTouched) {
  Diagram d;
  d.addSentence(box(10, 10, 30, 20));
  d.addSentence(box(150, 150, 30, 20));
  d.addDefeater(defeater({100, 10, 120, 30}, {160, 10, 180, 30}));
  const QImage img = paintedDiagram(d, QRect(0, 0, 100, 100));
  EXPECT_EQ(rgb(img, 10, 10), 0u);
  EXPECT_EQ(rgb(img, 150, 150), test::Background);
  EXPECT_EQ(rgb(img, 100, 10), test::Background);  // the defeater lies outside the area
  // A box cut by the area's edge keeps its outside part untouched.
  const QImage half = paintedDiagram(d, QRect(0, 0, 25, 100));
  EXPECT_EQ(rgb(half, 24, 10), 0u);
  EXPECT_EQ(rgb(half, 25, 10), test::Background);
  EXPECT_EQ(rgb(half, 39, 29), test::Background);
}

TEST(PaintDiagram, DeletedElementsAreNotPainted) {
  Diagram d;
  d.addSentence(box(10, 10, 30, 20));
  d.addArrow(shaft(10, 80, 90, 80));
  d.addDefeater(defeater({100, 10, 120, 30}, {160, 10, 180, 30}));
  d.sentence(0).Deleted = true;
  d.arrow(0).Deleted = true;
  d.defeater(0).Deleted = true;
  EXPECT_EQ(paintedDiagram(d), test::canvasImage());
}

TEST(RenderDiagram, PictureSizeBackgroundAndFiles) {
  Diagram d;
  const QImage empty = renderDiagram(d);
  EXPECT_EQ(empty.size(), QSize(640, 480));
  EXPECT_EQ(rgb(empty, 639, 479), test::Background);
  d.addSentence(box(900, 700, 41, 21));  // last pixel at (940, 720)
  const QImage big = renderDiagram(d);
  EXPECT_EQ(big.size(), QSize(941, 721));
  EXPECT_EQ(rgb(big, 940, 720), 0u);
  EXPECT_EQ(rgb(big, 0, 0), test::Background);  // no bevel in pictures

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString png = dir.filePath("diagram.png");
  saveDiagramPicture(d, png);
  EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), big);
  const QString svg = dir.filePath("diagram.svg");
  saveDiagramPicture(d, svg);
  QFile f(svg);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains("<svg"));
  try {
    saveDiagramPicture(d, dir.filePath("missing/diagram.png"));
    ADD_FAILURE() << "no error";
  } catch (const ZorvexError& e) {
    EXPECT_EQ(e.message(), "Cannot create file " + dir.filePath("missing/diagram.png").toStdString() +
                               ": No such file or directory");
  }
}

}  // namespace
}  // namespace zorvex
