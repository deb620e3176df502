// Arrows (shaft colours and style, head strokes) and defeaters (colours,
// rectangle outlines, diamond) pixel by pixel.
#include <gtest/gtest.h>

#include "PaintTestSupport.h"
#include "elements/Geometry.h"
#include "elements/ui/ElementPainter.h"

namespace zorvex {
namespace {

using test::rgb;

TArrow arrow(int32_t sx, int32_t sy, int32_t ex, int32_t ey, Status status, bool selected = false) {
  TArrow a;
  a.StartX = sx, a.StartY = sy, a.EndX = ex, a.EndY = ey;
  setArrowBounds(a);
  a.Status = status;
  a.Selected = selected;
  return a;
}

QImage paintedArrow(const TArrow& a) {
  return test::painted([&](QPainter& p) { paintArrow(p, a); });
}

// A shaft from far outside ends in view: its head strokes are drawn there,
// and painting never fails for its length.
TEST(PaintArrow, ALongShaftEndingInViewShowsItsHead) {
  const QImage img = paintedArrow(arrow(-100000, 100, 100, 100, Undefeated));
  EXPECT_EQ(rgb(img, 99, 100), 0x000000u);
  EXPECT_EQ(rgb(img, 96, 102), 0x000000u);  // towards 8 back, 4 across
  EXPECT_EQ(rgb(img, 96, 98), 0x000000u);
}

TEST(PaintArrow, ShaftColourAndStyle) {
  struct Row {
    Status status;
    bool selected;
    unsigned colour;
    bool dotted;
  };
  for (Row row : {Row{NotEvaluated, false, 0x808080, false}, Row{Undefeated, false, 0x000000, false},
                  Row{Defeated, false, 0x000000, true}, Row{Undefeated | JustEvaluated | SetByUser, false, 0, false},
                  Row{NotEvaluated, true, 0xFFFF00, false}, Row{Defeated, true, 0xFFFF00, true}}) {
    SCOPED_TRACE(testing::Message() << "status " << int(row.status) << " selected " << row.selected);
    const QImage img = paintedArrow(arrow(10, 50, 90, 50, row.status, row.selected));
    EXPECT_EQ(rgb(img, 9, 50), test::Background);
    EXPECT_EQ(rgb(img, 10, 50), row.colour);  // the start pixel is set
    EXPECT_EQ(rgb(img, 11, 50), row.dotted ? test::Background : row.colour);
    EXPECT_EQ(rgb(img, 12, 50), row.colour);
    EXPECT_EQ(rgb(img, 13, 50), row.dotted ? test::Background : row.colour);
    // Head strokes back from (90, 50) to (82, 46) and (82, 54); solid always.
    for (auto [x, y] : {std::pair{88, 49}, {86, 48}, {88, 51}, {84, 53}}) EXPECT_EQ(rgb(img, x, y), row.colour);
    EXPECT_EQ(rgb(img, 82, 46), test::Background);
    EXPECT_EQ(rgb(img, 82, 54), test::Background);
  }
}

TEST(PaintArrow, HeadOfTheWorkedExampleIsSolidAndUnclipped) {
  // Shaft (100, 100) -> (130, 140): strokes end at (122, 136) and (128, 131).
  const QImage img = paintedArrow(arrow(100, 100, 130, 140, Defeated));
  EXPECT_EQ(rgb(img, 130, 140), 0u);  // both strokes start at the end point
  EXPECT_EQ(rgb(img, 124, 137), 0u);
  EXPECT_EQ(rgb(img, 128, 139), 0u);
  EXPECT_EQ(rgb(img, 122, 136), test::Background);  // stroke ends are not set
  EXPECT_EQ(rgb(img, 128, 132), 0u);
  EXPECT_EQ(rgb(img, 130, 139), 0u);  // step 1 of a stroke: dots would skip it
  EXPECT_EQ(rgb(img, 128, 131), test::Background);
  // Right to left along one row: the strokes leave the one-row bounds.
  const QImage flat = paintedArrow(arrow(100, 50, 60, 50, Undefeated));
  EXPECT_EQ(rgb(flat, 62, 49), 0u);
  EXPECT_EQ(rgb(flat, 62, 51), 0u);
  EXPECT_EQ(rgb(flat, 68, 46), test::Background);
}

TEST(PaintArrow, ShortEmptyAndDeletedArrows) {
  // Shorter than the head: strokes still drawn, reaching back past the start.
  const QImage shortOne = paintedArrow(arrow(50, 50, 53, 54, Undefeated));
  EXPECT_EQ(rgb(shortOne, 53, 54), 0u);
  EXPECT_EQ(rgb(shortOne, 49, 52), 0u);  // on the stroke to (45, 50), behind the start
  // Start and end in one point: nothing visible.
  EXPECT_EQ(paintedArrow(arrow(50, 50, 50, 50, Undefeated)), test::canvasImage());
  TArrow gone = arrow(10, 10, 90, 90, Undefeated, true);
  gone.Deleted = true;
  EXPECT_EQ(paintedArrow(gone), test::canvasImage());
}

TDefeater keyDefeater(DefeaterState state, bool selected = false) {
  TDefeater d;
  d.ChallengingRect = {78, 32, 102, 48};
  d.ChallengedRect = {118, 40, 142, 56};
  ComputeStartEndDefeater(d);  // start (102, 42), end (118, 46)
  d.DefeaterState = state;
  d.Selected = selected;
  return d;
}

TEST(PaintDefeater, ColoursOutlinesLineAndDiamond) {
  struct Row {
    DefeaterState state;
    bool selected;
    unsigned colour;
  };
  for (Row row : {Row{DefeaterState::ActiveNorInactive, false, 0x800000}, Row{DefeaterState::Active, false, 0xFF0000},
                  Row{DefeaterState::Inactive, false, 0xFF8080}, Row{DefeaterState::Active, true, 0xFFFF00}}) {
    SCOPED_TRACE(testing::Message() << "state " << int(row.state) << " selected " << row.selected);
    const QImage img = test::painted([&](QPainter& p) { paintDefeater(p, keyDefeater(row.state, row.selected)); });
    const unsigned c = row.colour, bg = test::Background;
    // Outlines cover Left..Right and Top..Bottom inclusive, the inside stays.
    for (auto [x, y] : {std::pair{78, 32}, {102, 32}, {102, 48}, {78, 48}, {142, 56}, {142, 40}, {130, 56}})
      EXPECT_EQ(rgb(img, x, y), c) << x << "," << y;
    for (auto [x, y] : {std::pair{103, 48}, {102, 49}, {90, 40}, {143, 56}, {142, 57}, {130, 50}})
      EXPECT_EQ(rgb(img, x, y), bg) << x << "," << y;
    // The line from (102, 42): (110, 44) lies exactly on it.
    EXPECT_EQ(rgb(img, 110, 44), c);
    EXPECT_EQ(rgb(img, 110, 46), bg);
    // Diamond around (118, 46): corners 5 away, filled, nothing beyond.
    for (auto [x, y] : {std::pair{113, 46}, {118, 41}, {123, 46}, {118, 51}, {116, 43}, {121, 47}})
      EXPECT_EQ(rgb(img, x, y), c) << x << "," << y;
    for (auto [x, y] : {std::pair{112, 46}, {119, 51}, {124, 46}, {115, 43}, {121, 49}})
      EXPECT_EQ(rgb(img, x, y), bg) << x << "," << y;
  }
  TDefeater gone = keyDefeater(DefeaterState::Active, true);
  gone.Deleted = true;
  EXPECT_EQ(test::painted([&](QPainter& p) { paintDefeater(p, gone); }), test::canvasImage());
}

}  // namespace
}  // namespace zorvex
