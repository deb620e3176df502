// Sentence boxes: frame and fill colour for every status that occurs, the
// cross over unjustified ones, the text, and nothing for deleted ones.
#include <gtest/gtest.h>

#include <set>

#include "PaintTestSupport.h"
#include "elements/Geometry.h"
#include "elements/ui/ElementPainter.h"
#include "elements/ui/SentenceFont.h"

namespace zorvex {
namespace {

using test::rgb;

// A 60 x 20 box at (10, 10) without text, so every inner pixel is fill or cross.
TSentence box(Status status, bool selected = false) {
  TSentence s;
  s.Left = 10, s.Top = 10, s.Width = 60, s.Height = 20, s.Right = 70, s.Bottom = 30;
  s.Status = status;
  s.Selected = selected;
  return s;
}

QImage paintedSentence(const TSentence& s) {
  return test::painted([&](QPainter& p) { paintSentence(p, s, sentenceFont()); });
}

TEST(PaintSentence, FrameFillAndCrossForEveryStatus) {
  struct Row {
    Status status;
    unsigned frame, fill;
    bool cross;
  };
  const Row rows[] = {
      {NotEvaluated, 0x808080, 0xC0C0C0, false},
      {Undefeated, 0x000000, 0xFFFFFF, false},
      {Defeated, 0x000000, 0xFFFFFF, true},
      {Undefeated | JustEvaluated, 0x22B91E, 0xFFFFFF, false},
      {Defeated | JustEvaluated, 0x22B91E, 0xFFFFFF, true},
      {NotEvaluated | JustEvaluated, 0x22B91E, 0xC0C0C0, false},
      {JustEvaluated, 0x22B91E, 0xFFFFFF, false},
      {Undefeated | SetByUser, 0x0000FF, 0xFFFFFF, false},
      {Defeated | SetByUser, 0x0000FF, 0xFFFFFF, true},
      {Undefeated | JustEvaluated | StatusFlipped, 0x22B91E, 0x00FF00, false},
      {Defeated | JustEvaluated | StatusFlipped, 0x22B91E, 0x00FF00, true},
  };
  for (const Row& row : rows) {
    for (bool selected : {false, true}) {
      SCOPED_TRACE(testing::Message() << "status " << int(row.status) << " selected " << selected);
      const QImage img = paintedSentence(box(row.status, selected));
      const unsigned frame = selected ? 0xFFFF00 : row.frame;
      // Frame along the outermost pixels, nothing outside them.
      EXPECT_EQ(rgb(img, 10, 10), frame);
      EXPECT_EQ(rgb(img, 69, 10), frame);
      EXPECT_EQ(rgb(img, 69, 29), frame);
      EXPECT_EQ(rgb(img, 10, 29), frame);
      EXPECT_EQ(rgb(img, 70, 20), test::Background);
      EXPECT_EQ(rgb(img, 40, 30), test::Background);
      EXPECT_EQ(rgb(img, 68, 20), row.fill);
      // Points exactly on the two diagonals of the 60 x 20 box.
      for (auto [x, y] : {std::pair{15, 5}, {30, 10}, {45, 15}, {15, 15}, {45, 5}})
        EXPECT_EQ(rgb(img, 10 + x, 10 + y), row.cross ? frame : row.fill) << x << "," << y;
    }
  }
}

TEST(PaintSentence, TextIsBlackAndSharpInsideTheBox) {
  TSentence s;
  s.Left = 20, s.Top = 30, s.Text = "Abc";
  const QSize t = measureText(sentenceFont(), s.Text);
  sizeSentenceToText(s, t.width(), t.height());
  EXPECT_EQ(s.Width, t.width() + 7);
  EXPECT_EQ(s.Height, t.height() + 7);
  const QImage img = paintedSentence(s);
  std::set<unsigned> colours;
  int black = 0;
  for (int y = s.Top; y < s.Top + s.Height; ++y)
    for (int x = s.Left; x < s.Left + s.Width; ++x) {
      colours.insert(rgb(img, x, y));
      const bool inText = x >= s.Left + 3 && x < s.Left + 3 + t.width() && y >= s.Top + 3 && y < s.Top + 3 + t.height();
      if (rgb(img, x, y) == 0) {
        ++black;
        EXPECT_TRUE(inText) << x << "," << y;
      }
    }
  EXPECT_GT(black, 10);
  // No anti-aliasing: frame, fill and text colour only.
  EXPECT_EQ(colours, (std::set<unsigned>{0x808080, 0xC0C0C0, 0x000000}));
}

TEST(PaintSentence, TextNeverLeavesAStoredBoxTooSmallForIt) {
  TSentence s = box(Undefeated);
  s.Width = 12, s.Height = 9, s.Text = "A long sentence";
  const QImage img = paintedSentence(s);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool inside = x >= 10 && x < 22 && y >= 10 && y < 19;
      if (!inside) {
        EXPECT_EQ(rgb(img, x, y), test::Background) << x << "," << y;
      }
    }
}

TEST(PaintSentence, DeletedDrawsNothing) {
  TSentence s = box(Defeated | SetByUser, true);
  s.Text = "Gone";
  s.Deleted = true;
  EXPECT_EQ(paintedSentence(s), test::canvasImage());
}

}  // namespace
}  // namespace zorvex
