// Drawing defeaters: the challenging rectangle, the guide figure and the
// challenged rectangle.
#include "FakeHost.h"

namespace zorvex::testing {
namespace {

OverlayFigure band(Point p1, Point p2) {
  return {OverlayFigure::Shape::Rectangle, p1, p2, OverlayDarkRed, true, true};
}

struct DefeaterTest : EditorFixture {
  void SetUp() override { ed.AddDefeaterSpeedButtonClick(); }
};

TEST_F(DefeaterTest, ChallengingRectIsNormalisedAndGuideStartsAtTheCorner) {
  ptr.press({200, 150});
  ASSERT_EQ(diagram.DefeaterCount(), 1);
  EXPECT_FALSE(ed.PendingDefeaterComplete());
  ptr.move({180, 140});
  EXPECT_EQ(host.overlay, std::vector<OverlayFigure>{band({180, 140}, {201, 151})});
  ptr.move({150, 120});
  EXPECT_EQ(host.overlay, std::vector<OverlayFigure>{band({150, 120}, {201, 151})});
  ptr.release({150, 120});
  const TDefeater& d = diagram.defeater(0);
  EXPECT_EQ(d.ChallengingRect, (Rect{150, 120, 200, 150}));
  EXPECT_EQ(d.Center1X, 175);
  EXPECT_EQ(d.Center1Y, 135);
  EXPECT_EQ(ed.editMode(), EditMode::AddChallengedRectMode);
  EXPECT_EQ(host.panel[1], "Add Challenged Rect");
  // Solid rectangle, and the guide of a new defeater: its diamond at (0,0).
  const OverlayFigure solid{OverlayFigure::Shape::Rectangle, {150, 120}, {201, 151}, OverlayDarkRed, false, false};
  const OverlayFigure diamond{OverlayFigure::Shape::Diamond, {0, 0}, {0, 0}, OverlayDarkRed, true, true};
  EXPECT_EQ(host.overlay, (std::vector<OverlayFigure>{solid, diamond}));
}

TEST_F(DefeaterTest, OnePointPressGivesAOnePixelRect) {
  ptr.click({40, 50});
  EXPECT_EQ(diagram.defeater(0).ChallengingRect, (Rect{40, 50, 40, 50}));
  EXPECT_EQ(ed.editMode(), EditMode::AddChallengedRectMode);
}

TEST_F(DefeaterTest, GuideFollowsThePointerAndChallengedRectStaysNormalised) {
  ptr.drag({100, 100}, {160, 120});
  ptr.move({300, 110}, HeldNone);
  const TDefeater& d = diagram.defeater(0);
  // Centres (130,110) and (300,110) on one line: facing sides.
  EXPECT_EQ((Point{d.StartX, d.StartY}), (Point{160, 110}));
  EXPECT_EQ((Point{d.EndX, d.EndY}), (Point{300, 110}));
  EXPECT_EQ(d.ChallengedRect, (Rect{300, 110, 300, 110}));
  const OverlayFigure solid{OverlayFigure::Shape::Rectangle, {100, 100}, {161, 121}, OverlayDarkRed, false, false};
  const OverlayFigure line{OverlayFigure::Shape::Line, {160, 110}, {300, 110}, OverlayDarkRed, true, true};
  const OverlayFigure diamond{OverlayFigure::Shape::Diamond, {300, 110}, {300, 110}, OverlayDarkRed, true, true};
  EXPECT_EQ(host.overlay, (std::vector<OverlayFigure>{solid, line, diamond}));
  EXPECT_EQ(diagram.DefeaterCount(), 1);

  ptr.press({300, 200});
  ptr.move({350, 260});
  EXPECT_EQ(d.ChallengedRect, (Rect{300, 200, 350, 260}));
  ptr.move({250, 180});  // across the press point both ways
  EXPECT_EQ(d.ChallengedRect, (Rect{250, 180, 300, 200}));
  ptr.move({280, 190});
  EXPECT_EQ(d.ChallengedRect, (Rect{280, 190, 300, 200}));
  EXPECT_EQ(d.Center2X, 290);
  EXPECT_EQ(d.Center2Y, 195);
  EXPECT_EQ(host.overlay.back(), band({280, 190}, {301, 201}));
  EXPECT_EQ(host.overlay.size(), 4u);  // solid, guide line, diamond, band
  ptr.release({320, 230});
  EXPECT_EQ(d.ChallengedRect, (Rect{300, 200, 320, 230}));
  EXPECT_EQ(d.Center2X, 310);
  EXPECT_EQ(d.Center2Y, 215);
  EXPECT_EQ(d.Width, 221);   // 320 - 100 + 1
  EXPECT_EQ(d.Height, 131);  // 230 - 100 + 1
  EXPECT_EQ(d.Left, 0);
  EXPECT_EQ(d.Top, 0);
  EXPECT_TRUE(ed.PendingDefeaterComplete());
  EXPECT_EQ(diagram.DefeaterCount(), 1);
  EXPECT_EQ(ed.editMode(), EditMode::AddChallengingRectMode);
  EXPECT_EQ(host.panel[1], "Add Challenging Rect");
  EXPECT_TRUE(host.overlay.empty());

  // The next defeater starts at once; turning the tool off keeps the first.
  ptr.drag({500, 300}, {520, 320});
  EXPECT_EQ(diagram.DefeaterCount(), 2);
  ed.AddDefeaterSpeedButtonClick();
  EXPECT_EQ(diagram.DefeaterCount(), 1);
  EXPECT_EQ(ed.editMode(), EditMode::NoTool);
  EXPECT_EQ(diagram.defeater(0).ChallengedRect, (Rect{300, 200, 320, 230}));
}

TEST_F(DefeaterTest, StrayMovesAndReleasesDoNotTouchFinishedDefeaters) {
  ptr.drag({100, 100}, {160, 120});
  ptr.drag({300, 200}, {320, 230});
  const Rect before = diagram.defeater(0).ChallengingRect;
  // A release and a left drag without a press on the surface in mode 4.
  ed.ArgumentPaintBoxMouseMove(HeldLeft, 10, 10);
  ed.ArgumentPaintBoxMouseUp(MouseButton::Left, HeldNone, 10, 10);
  EXPECT_EQ(diagram.defeater(0).ChallengingRect, before);
  EXPECT_EQ(diagram.DefeaterCount(), 1);
  EXPECT_EQ(ed.editMode(), EditMode::AddChallengingRectMode);
  EXPECT_TRUE(host.overlay.empty());
}

}  // namespace
}  // namespace zorvex::testing
