// Pictures written to files: everything drawn, left of and above the origin
// too; a PNG too large at full size drawn smaller, or refused; progress and
// stopping; a failure named with its reason before any drawing.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "PaintTestSupport.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/PictureExport.h"
#include "elements/ui/SentenceFont.h"
#include "elements/ui/ViewPainter.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

using test::rgb;

constexpr unsigned Grey = 0x808080;

TSentence box(int32_t l, int32_t t, int32_t w, int32_t h) {
  TSentence s;
  s.Left = l, s.Top = t, s.Width = w, s.Height = h, s.Right = l + w, s.Bottom = t + h;
  s.Text = "s" + std::to_string(l) + "," + std::to_string(t);
  return s;
}

// A sentence left of and above the origin, one across the first bands'
// edges, and an arrow from the first to the second.
Diagram leftAndAbove() {
  Diagram d;
  d.addSentence(box(-300, -120, 80, 20));
  d.addSentence(box(100, 100, 80, 300));
  TArrow a;
  a.Sentence1 = 0, a.Sentence2 = 1, a.StartX = -220, a.StartY = -100, a.EndX = 100, a.EndY = 100;
  a.Left = -220, a.Top = -100, a.Width = 321, a.Height = 201;
  d.addArrow(a);
  return d;
}

QImage png(const QString& file) { return QImage(file).convertToFormat(QImage::Format_RGB32); }

struct PictureExportTest : ::testing::Test {
  QTemporaryDir dir;
  QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(PictureExportTest, WhatLiesLeftOfAndAboveTheOriginIsInThePictureWithAMargin) {
  const Diagram d = leftAndAbove();
  const ExportedPicture done = saveDiagramPicture(d, file("d.png"));
  EXPECT_FALSE(done.scaledDown());
  const QImage picture = png(file("d.png"));
  // The frame starts 10 pixels before the first sentence and ends where the
  // window's first view does.
  ASSERT_EQ(picture.size(), QSize(10 + 300 + 640, 10 + 120 + 480));
  EXPECT_EQ(rgb(picture, 10, 10), Grey);  // the first sentence's corner
  EXPECT_EQ(rgb(picture, 9, 10), test::Background);
  EXPECT_EQ(rgb(picture, 10, 9), test::Background);
  // From the origin on, the window's own pixels.
  const QImage window = renderDiagram(d);
  EXPECT_EQ(picture.copy(310, 130, 640, 480), window);

  saveDiagramPicture(d, file("d.pdf"));
  QFile pdf(file("d.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().contains("/MediaBox [0 0 950.000000 610.000000]"));
}

// For a display of pixel ratio 2: twice the pixels a side, each of the
// window's pixels drawn as two by two, the sentence's one-pixel frame too.
TEST_F(PictureExportTest, AtPixelRatioTwoAPngHasTwiceThePixelsASide) {
  const Diagram d = leftAndAbove();
  const ExportedPicture done = saveDiagramPicture(d, file("fine.png"), {}, 2);
  EXPECT_EQ(done.pixelRatio, 2);
  EXPECT_FALSE(done.scaledDown());
  const QImage picture = png(file("fine.png"));
  ASSERT_EQ(picture.size(), QSize(2 * 950, 2 * 610));
  for (const QPoint p : {QPoint(20, 20), QPoint(21, 21), QPoint(21, 30), QPoint(40, 21)})
    EXPECT_EQ(rgb(picture, p.x(), p.y()), Grey) << p.x() << ", " << p.y();  // the frame's corner and edges
  EXPECT_EQ(rgb(picture, 19, 20), test::Background);
  EXPECT_EQ(rgb(picture, 20, 19), test::Background);
  EXPECT_EQ(saveDiagramPicture(d, file("plain.png")).pixelRatio, 1);
  EXPECT_EQ(png(file("plain.png")).size(), QSize(950, 610));
}

TEST_F(PictureExportTest, APngTooWideAtFullSizeIsDrawnAtTheLargestStepThatFitsOrRefused) {
  Diagram d;
  d.addSentence(box(40, 40, 80, 20));
  d.addSentence(box(40000, 300, 80, 20));
  const ExportedPicture half = saveDiagramPicture(d, file("wide.png"));
  EXPECT_EQ(half.step, ViewTransform::ActualSizeStep - 1);
  EXPECT_EQ(half.fullSize.width, 40080);
  EXPECT_EQ(scaledDownNote(half.step, half.fullSize), "Picture drawn at 50 %: at 100 % it would be 40080 x 480 pixels");
  const QImage picture = png(file("wide.png"));
  ASSERT_EQ(picture.size(), QSize(20040, 240));
  EXPECT_EQ(rgb(picture, 20000, 150), Grey);  // the far sentence's corner, halved
  EXPECT_EQ(rgb(picture, 19999, 150), test::Background);
  // Vectors have no such limit.
  EXPECT_FALSE(saveDiagramPicture(d, file("wide.svg")).scaledDown());

  d.addSentence(box(32767 * 64, 0, 80, 20));
  QFile::remove(file("wide.png"));
  try {
    saveDiagramPicture(d, file("wide.png"));
    ADD_FAILURE() << "no error";
  } catch (const ZorvexError& e) {
    EXPECT_EQ(e.message(),
              "The picture would be 32769 x 8 pixels even at 1.5625 %, more than 32767 on a side: export it as SVG or "
              "PDF");
  }
  EXPECT_FALSE(QFile::exists(file("wide.png")));
}

// Drawn as a view at `step` shows it, over the frame of leftAndAbove().
QImage viewAt(const Diagram& d, int step, const PaintOptions& options) {
  ViewTransform view;
  view.zoomTo(step, {});
  view.setOffset({view.zoomed(-320), view.zoomed(-140)});
  QImage image = test::canvasImage(960, 620);
  QPainter p(&image);
  paintDiagramView(p, d, image.rect(), sentenceFont(), view, nullptr, options);
  return image;
}

TEST_F(PictureExportTest, WithoutTheSelectionSelectedElementsHaveTheirStatusColoursAtEveryZoom) {
  const Diagram plain = leftAndAbove();
  Diagram selected = plain;
  selected.sentence(0).Selected = selected.sentence(1).Selected = selected.arrow(0).Selected = true;
  TDefeater f;
  f.ChallengingRect = {-200, 200, -100, 260}, f.ChallengedRect = {300, 200, 400, 260};
  f.StartX = -100, f.StartY = 230, f.EndX = 300, f.EndY = 230;
  Diagram plainWithDefeater = plain;
  plainWithDefeater.addDefeater(f);
  f.Selected = true;
  selected.addDefeater(f);
  for (int step : {3, ViewTransform::ActualSizeStep, 7}) {
    EXPECT_NE(viewAt(selected, step, {}), viewAt(plainWithDefeater, step, {})) << step;
    EXPECT_EQ(viewAt(selected, step, {.selection = false}), viewAt(plainWithDefeater, step, {})) << step;
  }
  saveDiagramPicture(selected, file("selected.png"));
  saveDiagramPicture(plainWithDefeater, file("plain.png"));
  EXPECT_EQ(png(file("selected.png")), png(file("plain.png")));
  EXPECT_TRUE(selected.sentence(0).Selected);
}

TEST_F(PictureExportTest, ProgressIsToldAndStoppingLeavesTheOldFile) {
  const Diagram d = leftAndAbove();
  QFile old(file("d.png"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old");
  old.close();
  std::vector<int64_t> told;
  const ExportedPicture stopped = saveDiagramPicture(d, file("d.png"), [&](int64_t done, int64_t total) {
    told.push_back(done);
    EXPECT_EQ(total, 610);
    return told.size() < 2;
  });
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(told, std::vector<int64_t>({128, 256}));
  EXPECT_EQ(test::readAll(file("d.png")), "old");

  told.clear();
  EXPECT_FALSE(saveDiagramPicture(d, file("d.png"), [&](int64_t done, int64_t) {
                 told.push_back(done);
                 return true;
               }).stopped);
  EXPECT_EQ(told.back(), 610);
  EXPECT_EQ(png(file("d.png")).height(), 610);
}

TEST_F(PictureExportTest, AFileThatCannotBeWrittenIsNamedWithItsReasonBeforeAnyDrawing) {
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
  bool drawn = false;
  for (const char* name : {"d.png", "d.svg", "d.pdf"}) {
    try {
      saveDiagramPicture(leftAndAbove(), file(name), [&](int64_t, int64_t) { return drawn = true; });
      ADD_FAILURE() << "no error for " << name;
    } catch (const ZorvexError& e) {
      EXPECT_EQ(e.message(), "Cannot create file " + file(name).toStdString() + ": the folder is read-only");
    }
  }
  EXPECT_FALSE(drawn);
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
}  // namespace zorvex
