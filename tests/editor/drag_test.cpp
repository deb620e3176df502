// Moving a sentence with Ctrl and the left button in selection mode.
#include "FakeHost.h"
#include "support/TestFiles.h"

namespace zorvex::testing {
namespace {

constexpr ShiftState CtrlLeft{ssCtrl | ssLeft};

struct DragTest : EditorFixture {
  int32_t a = -1, b = -1, c = -1, ab = -1, bc = -1, dead = -1;
  void SetUp() override {
    a = addBox(diagram, "A", 115, 100, 60, 20);  // centre (145,110)
    b = addBox(diagram, "B", 100, 190, 60, 20);  // centre (130,200)
    c = addBox(diagram, "C", 300, 200, 60, 20);  // centre (330,210)
    ab = addLine(diagram, {1, 1}, {2, 2}, a, b);
    bc = addLine(diagram, {3, 3}, {4, 4}, b, c);
    dead = addLine(diagram, {5, 5}, {6, 6}, b, c);
    diagram.arrow(dead).Deleted = true;
    addLine(diagram, {7, 7}, {8, 8}, b, NoSentence);  // unresolved: keeps its ends
    TDefeater d;
    d.ChallengingRect = {90, 180, 170, 230};
    diagram.addDefeater(d);
    ed.MakeSelectionSpeedButtonClick();
  }
};

TEST_F(DragTest, StepsMoveTheBoxAndCarryTheArrowEnds) {
  ptr.press({130, 200}, MouseButton::Left, CtrlLeft);
  EXPECT_EQ(ed.editMode(), EditMode::DraggingSentenceMode);
  EXPECT_EQ(ed.DragReferencePoint(), (Point{130, 200}));
  EXPECT_FALSE(diagram.sentence(a).Enabled);
  EXPECT_TRUE(diagram.sentence(b).Enabled);
  EXPECT_EQ(host.panel[1], "Make a selection");
  const int before = host.surfaceRepaints;
  for (Point p : {Point{135, 203}, Point{140, 206}, Point{145, 210}}) ptr.move(p, CtrlLeft);
  const TSentence& s = diagram.sentence(b);
  EXPECT_EQ(s.Left, 115);
  EXPECT_EQ(s.Right, 175);
  EXPECT_EQ(s.Top, 200);
  EXPECT_EQ(s.Bottom, 220);
  EXPECT_EQ(s.Width, 60);
  EXPECT_EQ(s.Height, 20);
  // Two arrow ends per step: the counter repaints at its first update only.
  EXPECT_EQ(ed.DragRepaintCounter(), 6);
  EXPECT_EQ(host.surfaceRepaints, before + 1);
  EXPECT_EQ(host.defeaterRepaints, 3);

  const TArrow& r1 = diagram.arrow(ab);  // centres (145,110) above (145,210)
  EXPECT_EQ(r1.Center2X, 145);
  EXPECT_EQ(r1.Center2Y, 210);
  EXPECT_EQ((Point{r1.StartX, r1.StartY}), (Point{145, 120}));
  EXPECT_EQ((Point{r1.EndX, r1.EndY}), (Point{145, 200}));
  EXPECT_EQ((Rect{r1.Left, r1.Top, r1.Width, r1.Height}), (Rect{145, 120, 1, 81}));
  const TArrow& r2 = diagram.arrow(bc);  // centres (145,210) and (330,210)
  EXPECT_EQ(r2.Center1X, 145);
  EXPECT_EQ(r2.Center1Y, 210);
  EXPECT_EQ((Point{r2.StartX, r2.StartY}), (Point{175, 210}));
  EXPECT_EQ((Point{r2.EndX, r2.EndY}), (Point{300, 210}));
  EXPECT_EQ((Rect{r2.Left, r2.Top, r2.Width, r2.Height}), (Rect{175, 210, 126, 1}));
  EXPECT_EQ(diagram.arrow(dead).StartX, 5);  // deleted: not moved
  EXPECT_EQ(diagram.arrow(3).StartX, 7);     // unresolved: not moved
  EXPECT_EQ(diagram.defeater(0).ChallengingRect, (Rect{90, 180, 170, 230}));

  ptr.release({145, 210});
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  EXPECT_TRUE(diagram.sentence(a).Enabled);
  EXPECT_EQ(host.surfaceRepaints, before + 2);
  EXPECT_EQ(ed.DragRepaintCounter(), 6);  // the drop does not count
}

TEST_F(DragTest, EveryTenthArrowUpdateRepaintsAndDropOnSurfaceEndsTheDrag) {
  diagram.sentence(c).Deleted = true;
  diagram.sentence(c).Enabled = false;
  ptr.press({130, 200}, MouseButton::Left, CtrlLeft);
  const int before = host.surfaceRepaints;
  for (int k = 1; k <= 6; ++k) ptr.move({130 + k, 200}, CtrlLeft);
  EXPECT_EQ(ed.DragRepaintCounter(), 12);
  EXPECT_EQ(host.surfaceRepaints, before + 2);  // at counts 0 and 10
  // The pointer runs ahead of the box: the surface takes the step.
  ptr.move({400, 400}, CtrlLeft);
  EXPECT_EQ(diagram.sentence(b).Left, 100 + 6 + 264);
  EXPECT_EQ(diagram.sentence(b).Top, 190 + 200);
  ptr.release({410, 405});
  EXPECT_EQ(diagram.sentence(b).Left, 380);
  EXPECT_EQ(diagram.sentence(b).Bottom, 415);
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  EXPECT_TRUE(diagram.sentence(a).Enabled);
  EXPECT_FALSE(diagram.sentence(c).Enabled);  // deleted ones stay deaf
}

TEST_F(DragTest, ReleaseOutsideTheWindowStillEndsTheDrag) {
  ptr.press({130, 200}, MouseButton::Left, CtrlLeft);
  ptr.move({140, 205}, CtrlLeft);
  ptr.move({-50, -40}, CtrlLeft);  // outside: nothing receives the move
  EXPECT_EQ(diagram.sentence(b).Left, 110);
  ptr.release({-50, -40});
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  EXPECT_EQ(diagram.sentence(b).Left, 110 - 190);
  EXPECT_EQ(diagram.sentence(b).Top, 195 - 245);
  EXPECT_TRUE(diagram.sentence(a).Enabled);
  EXPECT_TRUE(diagram.sentence(c).Enabled);
}

TEST_F(DragTest, CtrlPressMovesOnlyInSelectionModeAndKeepsMarks) {
  ed.LeaveCurrentMode();
  ed.AddSentenceSpeedButtonClick();
  ptr.press({130, 200}, MouseButton::Left, CtrlLeft);
  EXPECT_EQ(ed.editMode(), EditMode::AddSentenceMode);
  ptr.release({130, 200});
  ed.MakeSelectionSpeedButtonClick();
  ptr.click({130, 200});
  ASSERT_TRUE(diagram.sentence(b).Selected);
  ptr.press({130, 200}, MouseButton::Left, CtrlLeft);
  ptr.move({131, 201}, CtrlLeft);
  ptr.release({131, 201});
  EXPECT_TRUE(diagram.sentence(b).Selected);
  EXPECT_EQ(diagram.sentence(b).Left, 101);
  EXPECT_FALSE(diagram.sentence(a).Selected);
}

TEST_F(DragTest, AStepThatWouldLeave32BitsLeavesTheBoxWhereItWas) {
  TSentence wide;  // as loaded, reaching almost to the end of the plane
  wide.Left = 0, wide.Top = 600, wide.Right = INT32_MAX - 5, wide.Bottom = 620, wide.Text = "wide";
  wide.Width = INT32_MAX - 4, wide.Height = 21;
  const int32_t n = diagram.addSentence(wide);
  ed.DragSentence(n, 10, 10);
  EXPECT_EQ(messageOf([&] { ed.SentenceDragOver(n, 30, 10); }), "Integer overflow");
  EXPECT_EQ(diagram.sentence(n).box(), (Rect{0, 600, INT32_MAX - 5, 620}));
  ed.SentenceDragDrop(n, 10, 10);  // dropped where it was pressed
  EXPECT_EQ(diagram.sentence(n).box(), (Rect{0, 600, INT32_MAX - 5, 620}));
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
}

}  // namespace
}  // namespace zorvex::testing
