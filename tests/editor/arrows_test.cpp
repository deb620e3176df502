// Drawing arrows: start and end presses, the refusals and the guide line.
#include "FakeHost.h"

namespace zorvex::testing {
namespace {

struct ArrowsTest : EditorFixture {
  int32_t a = -1, b = -1, c = -1;
  void SetUp() override {
    a = addBox(diagram, "A", 100, 100, 60, 20);  // (100,100)-(160,120), centre (130,110)
    b = addBox(diagram, "B", 300, 100, 60, 20);  // (300,100)-(360,120), centre (330,110)
    c = addBox(diagram, "C", 100, 200, 60, 20);  // (100,200)-(160,220)
    ed.AddArrowSpeedButtonClick();
  }
  void arrow(Point from, Point to) {
    ptr.click(from);
    ptr.click(to);
  }
};

TEST_F(ArrowsTest, StartThenEndMakesACountedArrow) {
  ptr.click({110, 105});
  EXPECT_EQ(ed.editMode(), EditMode::AddEndArrowMode);
  EXPECT_EQ(host.panel[1], "Add End Arrow");
  ASSERT_TRUE(diagram.hasPendingArrow());
  EXPECT_EQ(ed.ArrowGuidePoint(), (Point{130, 110}));
  EXPECT_EQ(diagram.ArrowCount(), 0);

  // The guide line follows the pointer (no button, or Ctrl and left).
  ptr.move({200, 300}, HeldNone);
  const OverlayFigure line1{OverlayFigure::Shape::Line, {130, 110}, {200, 300}, OverlayBlack, false, true};
  EXPECT_EQ(host.overlay, std::vector<OverlayFigure>{line1});
  ptr.move({210, 310}, ShiftState(ssCtrl | ssLeft));
  const OverlayFigure line2{OverlayFigure::Shape::Line, {130, 110}, {210, 310}, OverlayBlack, false, true};
  EXPECT_EQ(host.overlay, std::vector<OverlayFigure>{line2});
  ptr.move({220, 320}, HeldLeft);  // plain left drag: no guide update
  EXPECT_EQ(host.overlay, std::vector<OverlayFigure>{line2});

  ptr.click({310, 105});
  ASSERT_EQ(diagram.ArrowCount(), 1);
  const TArrow& r = diagram.arrow(0);
  EXPECT_EQ(r.Sentence1, a);
  EXPECT_EQ(r.Sentence2, b);
  EXPECT_EQ(r.Center2X, 330);
  EXPECT_EQ(r.Center2Y, 110);
  // Centres on one horizontal line: facing sides at the shared height.
  EXPECT_EQ((Point{r.StartX, r.StartY}), (Point{160, 110}));
  EXPECT_EQ((Point{r.EndX, r.EndY}), (Point{300, 110}));
  EXPECT_EQ(r.Left, 160);
  EXPECT_EQ(r.Top, 110);
  EXPECT_EQ(r.Width, 141);
  EXPECT_EQ(r.Height, 1);
  EXPECT_TRUE(host.overlay.empty());
  EXPECT_FALSE(diagram.hasPendingArrow());
  // Ready for the next arrow at once.
  EXPECT_EQ(ed.editMode(), EditMode::AddStartArrowMode);
  EXPECT_EQ(host.panel[1], "Add Start Arrow");
  EXPECT_EQ(host.button, ToolButton::AddArrow);
}

TEST_F(ArrowsTest, SameSentenceAndDuplicatesAreRefused) {
  ptr.click({110, 105});
  ptr.move({200, 300}, HeldNone);
  ptr.click({120, 110});
  EXPECT_EQ(host.panel[1], "The start and end of the arrow must be different.");
  EXPECT_EQ(ed.editMode(), EditMode::AddEndArrowMode);
  EXPECT_EQ(host.overlay.size(), 1u);  // guide line still attached
  ptr.click({310, 105});
  ASSERT_EQ(diagram.ArrowCount(), 1);

  arrow({110, 105}, {310, 105});
  EXPECT_EQ(host.panel[1], "The arrow already exists.");
  EXPECT_EQ(diagram.ArrowCount(), 1);
  EXPECT_EQ(ed.editMode(), EditMode::AddEndArrowMode);
  EXPECT_EQ(diagram.pendingArrow().Sentence1, a);
  ed.AddArrowSpeedButtonClick();
  ed.AddArrowSpeedButtonClick();

  arrow({310, 105}, {110, 105});  // the opposite direction is no duplicate
  EXPECT_EQ(diagram.ArrowCount(), 2);
  diagram.arrow(0).Deleted = true;  // a deleted arrow blocks nothing
  arrow({110, 105}, {310, 105});
  EXPECT_EQ(diagram.ArrowCount(), 3);
  EXPECT_EQ(diagram.arrow(2).Sentence2, b);
}

TEST_F(ArrowsTest, DuplicateScanMatchesByTextAndSkipsUnresolvedArrows) {
  // A second sentence "B" (loaded duplicate text): an arrow A -> it counts as A -> B.
  const int32_t b2 = addBox(diagram, "B", 500, 100, 60, 20);
  addLine(diagram, {0, 0}, {1, 1}, a, b2);
  addLine(diagram, {0, 0}, {1, 1}, a, NoSentence);
  arrow({110, 105}, {310, 105});
  EXPECT_EQ(host.panel[1], "The arrow already exists.");
  EXPECT_EQ(diagram.ArrowCount(), 2);
  ed.AddArrowSpeedButtonClick();
  ed.AddArrowSpeedButtonClick();
  arrow({110, 105}, {110, 205});
  EXPECT_EQ(diagram.ArrowCount(), 3);
}

TEST_F(ArrowsTest, ModifiedPressesDoNothingAndEmptySurfaceHints) {
  ptr.press({110, 105}, MouseButton::Left, ShiftState(ssShift | ssLeft));
  ptr.release({110, 105});
  ptr.press({110, 105}, MouseButton::Left, ShiftState(ssCtrl | ssLeft));
  ptr.release({110, 105});
  EXPECT_FALSE(diagram.hasPendingArrow());
  EXPECT_EQ(ed.editMode(), EditMode::AddStartArrowMode);
  ptr.click({50, 300});
  EXPECT_EQ(host.panel[1], "To add the start of an arrow click on a sentence.");
  EXPECT_EQ(host.panel[0], "(50,300)");
  ptr.click({110, 105});
  ptr.click({50, 300});
  EXPECT_EQ(host.panel[1], "To add the end of an arrow click on a sentence.");
  ptr.press({310, 105}, MouseButton::Left, ShiftState(ssAlt | ssLeft));
  ptr.release({310, 105});
  EXPECT_EQ(diagram.ArrowCount(), 0);
  EXPECT_EQ(ed.editMode(), EditMode::AddEndArrowMode);
}

}  // namespace
}  // namespace zorvex::testing
