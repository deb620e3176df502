// Finding arrows and defeaters under the pointer.
#include "FakeHost.h"
#include "editor/HitTest.h"

namespace zorvex::testing {
namespace {

using HitTest = EditorFixture;

TEST_F(HitTest, ArrowLinesHitWithinTwoPixelsAndNotBeyondTheirEnds) {
  addLine(diagram, {100, 50}, {200, 50});
  EXPECT_EQ(ed.FindArrowAt(150, 52), 0);
  EXPECT_EQ(ed.FindArrowAt(150, 48), 0);
  EXPECT_FALSE(ed.FindArrowAt(150, 53));
  EXPECT_FALSE(ed.FindArrowAt(150, 47));
  EXPECT_EQ(ed.FindArrowAt(100, 50), 0);  // end points hit
  EXPECT_EQ(ed.FindArrowAt(200, 50), 0);
  EXPECT_FALSE(ed.FindArrowAt(99, 50));  // no cap beyond the ends
  EXPECT_FALSE(ed.FindArrowAt(201, 50));
  EXPECT_FALSE(ed.FindArrowAt(203, 50));
}

TEST_F(HitTest, SlantedLinesUseThePerpendicularDistance) {
  // Line (0,0)-(80,60), length 100: c = |80y - 60x| is 100 times the distance.
  EXPECT_TRUE(segmentHit({40, 32}, {0, 0}, {80, 60}));   // 1.6
  EXPECT_TRUE(segmentHit({39, 32}, {0, 0}, {80, 60}));   // 2.2
  EXPECT_FALSE(segmentHit({35, 30}, {0, 0}, {80, 60}));  // exactly 3
  EXPECT_FALSE(segmentHit({40, 34}, {0, 0}, {80, 60}));  // 3.2
  EXPECT_FALSE(segmentHit({10, 10}, {10, 10}, {10, 10}));  // zero length never hits
}

TEST_F(HitTest, HighestNumberWinsAndDeletedNeverHit) {
  addLine(diagram, {0, 100}, {300, 100});
  addLine(diagram, {100, 100}, {200, 100});
  addLine(diagram, {150, 0}, {150, 400});
  EXPECT_EQ(ed.FindArrowAt(150, 100), 2);
  EXPECT_EQ(ed.FindArrowAt(120, 101), 1);
  diagram.arrow(1).Deleted = true;
  EXPECT_EQ(ed.FindArrowAt(120, 101), 0);
  diagram.arrow(0).Deleted = true;
  EXPECT_FALSE(ed.FindArrowAt(120, 101));
}

TEST_F(HitTest, DefeaterBordersAndLine) {
  TDefeater d;
  d.ChallengingRect = {100, 100, 300, 200};
  d.ChallengedRect = {500, 100, 600, 200};
  d.StartX = 300, d.StartY = 150, d.EndX = 500, d.EndY = 150;
  diagram.addDefeater(d);
  EXPECT_FALSE(ed.FindDefeaterAt(200, 150));  // inside, away from the border and line
  EXPECT_EQ(ed.FindDefeaterAt(98, 150), 0);   // 2 outside the left side
  EXPECT_FALSE(ed.FindDefeaterAt(97, 150));
  EXPECT_EQ(ed.FindDefeaterAt(200, 202), 0);  // 2 below the bottom side
  EXPECT_EQ(ed.FindDefeaterAt(98, 98), 0);    // 2 beyond the corner both ways
  EXPECT_EQ(ed.FindDefeaterAt(602, 202), 0);
  EXPECT_FALSE(ed.FindDefeaterAt(97, 97));
  EXPECT_FALSE(ed.FindDefeaterAt(97, 98));
  EXPECT_EQ(ed.FindDefeaterAt(400, 152), 0);  // the line between them
  EXPECT_FALSE(ed.FindDefeaterAt(400, 153));

  TDefeater e = d;
  e.ChallengingRect = {90, 140, 110, 160};
  diagram.addDefeater(e);
  EXPECT_EQ(ed.FindDefeaterAt(100, 160), 1);  // on both defeaters' borders
  diagram.defeater(1).Deleted = true;
  EXPECT_EQ(ed.FindDefeaterAt(100, 160), 0);
}

TEST_F(HitTest, RightPressOpensArrowThenDefeaterMenu) {
  const int32_t arrow = addLine(diagram, {100, 300}, {400, 300});
  TDefeater d;
  d.ChallengingRect = {200, 250, 300, 300};
  d.ChallengedRect = {200, 400, 300, 450};
  diagram.addDefeater(d);
  ptr.press({250, 300}, MouseButton::Right, ShiftState(ssRight));
  EXPECT_EQ(host.popups, (std::vector<std::string>{"arrow", "defeater"}));
  EXPECT_EQ(ed.PopupArrow(), arrow);
  EXPECT_EQ(ed.PopupDefeater(), 0);
  EXPECT_EQ(ed.PopupPoint(), (Point{250, 300}));
  ptr.release({250, 300}, MouseButton::Right);
  // Empty surface: no menu, but the point is kept; the targets stay.
  ptr.press({700, 100}, MouseButton::Right, ShiftState(ssRight));
  EXPECT_EQ(host.popups.size(), 2u);
  EXPECT_EQ(ed.PopupPoint(), (Point{700, 100}));
  EXPECT_EQ(ed.PopupArrow(), arrow);
  // Right with Shift held is no menu press.
  ptr.press({250, 300}, MouseButton::Right, ShiftState(ssShift | ssRight));
  EXPECT_EQ(host.popups.size(), 2u);
}

}  // namespace
}  // namespace zorvex::testing
