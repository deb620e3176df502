// Every editing step undone and redone through the editor.
#include "EditCommandsTesting.h"

namespace zorvex::testing {
namespace {

constexpr ShiftState CtrlLeft{ssCtrl | ssLeft};

struct UndoTest : EditorFixture {
  UndoHistory history;
  int32_t a = -1, b = -1, ab = -1;
  void SetUp() override {
    a = addBox(diagram, "A", 100, 100, 60, 20);
    b = addBox(diagram, "B", 300, 100, 60, 20);
    ab = addLine(diagram, {160, 110}, {300, 110}, a, b);
    ed.setUndoHistory(&history);
  }
  // Undo gives back `before`, redo `after`, twice over (selection marks aside).
  void backAndForth(const Diagram& before, const std::string& name) {
    const Diagram after = unmarked(diagram);
    for (int pass = 0; pass < 2; ++pass) {
      EXPECT_EQ(ed.Undo(), std::optional<std::string>(name));
      EXPECT_EQ(diffWithExtrasGone(unmarked(diagram), unmarked(before)), "") << name;
      EXPECT_EQ(ed.Redo(), std::optional<std::string>(name));
      EXPECT_EQ(diagramDiff(unmarked(diagram), after), "") << name;
    }
  }
};

TEST_F(UndoTest, AnUndoneSentenceIsGoneButKeepsItsNumberAndItsTextIsFreeAgain) {
  const Diagram before = diagram;
  ed.AddSentenceSpeedButtonClick();
  ptr.click({400, 300});
  ed.SentenceEditTextChanged("C");
  ed.SentenceEditKeyPress(EnterKey);
  ASSERT_EQ(diagram.SentenceCount(), 3);
  EXPECT_EQ(history.undoName(), "Add Sentence");
  EXPECT_EQ(ed.Undo(), std::optional<std::string>("Add Sentence 'C'"));
  EXPECT_EQ(ed.editMode(), EditMode::AddSentenceMode);  // the tool stays
  EXPECT_EQ(diagram.SentenceCount(), 3);
  EXPECT_TRUE(diagram.sentence(2).Deleted);
  EXPECT_FALSE(diagram.sentence(2).Enabled);
  ed.Redo();
  EXPECT_FALSE(diagram.sentence(2).Deleted);
  EXPECT_EQ(diagram.sentence(2).Text, "C");
  backAndForth(before, "Add Sentence 'C'");

  ed.Undo();
  ptr.click({400, 300});
  ed.SentenceEditTextChanged("C");
  ed.SentenceEditKeyPress(EnterKey);
  EXPECT_TRUE(host.warnings.empty());  // the undone "C" is no duplicate
  EXPECT_EQ(diagram.SentenceCount(), 4);
  EXPECT_FALSE(history.canRedo());  // a new step clears the redo list
}

TEST_F(UndoTest, AnUndoneArrowIsNotHitAndMayBeDrawnAgain) {
  const int32_t c = addBox(diagram, "C", 100, 300, 60, 20);
  const Diagram before = diagram;
  ed.AddArrowSpeedButtonClick();
  ptr.click({110, 105});
  ptr.click({110, 305});
  ASSERT_EQ(diagram.ArrowCount(), 2);
  const TArrow made = diagram.arrow(1);
  const int32_t midX = (made.StartX + made.EndX) / 2, midY = (made.StartY + made.EndY) / 2;
  EXPECT_EQ(ed.FindArrowAt(midX, midY), std::optional<int32_t>(1));
  backAndForth(before, "Add Arrow");
  ed.Undo();
  EXPECT_EQ(ed.FindArrowAt(midX, midY), std::nullopt);
  ptr.click({110, 105});  // the arrow tool is still on
  ptr.click({110, 305});
  EXPECT_EQ(diagram.ArrowCount(), 3);  // not refused as a duplicate
  EXPECT_EQ(diagram.arrow(2).Sentence2, c);
}

TEST_F(UndoTest, AnUndoneDefeaterIsNotHit) {
  const Diagram before = diagram;
  ed.AddDefeaterSpeedButtonClick();
  ptr.drag({90, 90}, {170, 130});
  ptr.drag({290, 90}, {370, 130});
  ASSERT_EQ(diagram.DefeaterCount(), 1);
  const TDefeater d = diagram.defeater(0);
  ASSERT_TRUE(ed.FindDefeaterAt(d.EndX, d.EndY).has_value());
  backAndForth(before, "Add Defeater");
  ed.Undo();
  EXPECT_EQ(ed.FindDefeaterAt(d.EndX, d.EndY), std::nullopt);
}

TEST_F(UndoTest, AWholeDragIsOneStep) {
  const Diagram before = diagram;
  ed.MakeSelectionSpeedButtonClick();
  ptr.press({310, 105}, MouseButton::Left, CtrlLeft);
  EXPECT_EQ(ed.Undo(), std::nullopt);  // not in the middle of a drag
  for (Point p : {Point{320, 130}, Point{340, 160}, Point{360, 200}}) ptr.move(p, CtrlLeft);
  ptr.release({360, 200});
  ASSERT_EQ(diagram.sentence(b).Left, 350);
  EXPECT_EQ(history.undoCount(), 1u);
  backAndForth(before, "Move Sentence");
}

TEST_F(UndoTest, OnePressOfDeleteIsOneStepAndRefusingAllMakesNone) {
  const Diagram before = diagram;
  ed.MakeSelectionSpeedButtonClick();
  ptr.drag({90, 90}, {370, 130});  // A, B and the arrow
  host.answers = {false, false, false};
  ed.FormKeyDown(DeleteKey);
  EXPECT_FALSE(history.canUndo());
  host.answers = {true, true, true};
  ed.FormKeyDown(DeleteKey);
  ASSERT_TRUE(diagram.sentence(a).Deleted && diagram.sentence(b).Deleted && diagram.arrow(ab).Deleted);
  EXPECT_EQ(history.undoCount(), 1u);
  EXPECT_EQ(ed.Undo(), std::optional<std::string>("Delete"));
  EXPECT_EQ(diagramDiff(unmarked(diagram), before), "");
  // What came back is the selection again.
  EXPECT_TRUE(diagram.sentence(a).Selected && diagram.sentence(b).Selected && diagram.arrow(ab).Selected);
  EXPECT_EQ(ed.FindArrowAt(230, 110), std::optional<int32_t>(ab));
  ed.Redo();
  EXPECT_TRUE(diagram.sentence(a).Deleted && diagram.arrow(ab).Deleted);
  EXPECT_EQ(ed.FindArrowAt(230, 110), std::nullopt);
}

// As other editors do: undo and redo keep the tool, and in selection mode
// what the step changed is selected (a step of statuses keeps the selection).
TEST_F(UndoTest, UndoAndRedoKeepTheToolAndSelectWhatTheStepChanged) {
  const int32_t c = addBox(diagram, "C", 100, 300, 60, 20);
  ed.MakeSelectionSpeedButtonClick();
  ptr.drag({90, 90}, {370, 130});  // A, B and their arrow
  ed.FormKeyDown(RightArrowKey, ShiftState(ssShift));
  ASSERT_EQ(diagram.sentence(a).Left, 110);
  ed.Undo();
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  EXPECT_EQ(host.button, ToolButton::MakeSelection);
  EXPECT_EQ(diagram.sentence(a).Left, 100);
  EXPECT_TRUE(diagram.sentence(a).Selected && diagram.sentence(b).Selected && diagram.arrow(ab).Selected);
  EXPECT_FALSE(diagram.sentence(c).Selected);
  ed.FormKeyDown(DownArrowKey, ShiftState());  // the next key moves them again
  EXPECT_EQ(diagram.sentence(b).Top, 101);

  // What a paste added is selected again on redo, nothing once it is undone.
  ptr.click({110, 305});
  const std::optional<std::string> copy = ed.Copy();
  ASSERT_TRUE(copy);
  ed.Paste(*copy, Point{500, 400});
  const int32_t pasted = diagram.SentenceCount() - 1;
  ed.Undo();
  for (int32_t n = 0; n <= pasted; ++n) EXPECT_FALSE(diagram.sentence(n).Selected) << n;
  ed.Redo();
  EXPECT_TRUE(diagram.sentence(pasted).Selected);
  EXPECT_FALSE(diagram.sentence(c).Selected);

  // A status step keeps the selection as it is.
  history.record(UndoStep{"Reset", {}, {}});
  ed.Undo();
  EXPECT_TRUE(diagram.sentence(pasted).Selected);

  // The arrow tool stays too, and the next clicks draw an arrow.
  ed.AddArrowSpeedButtonClick();
  ptr.click({110, 105});
  ed.Undo();
  EXPECT_EQ(ed.editMode(), EditMode::AddStartArrowMode);
  EXPECT_EQ(host.button, ToolButton::AddArrow);
  ptr.click({110, 105});
  ptr.click({110, 305});
  EXPECT_EQ(diagram.arrow(diagram.ArrowCount() - 1).Sentence2, c);
}

}  // namespace
}  // namespace zorvex::testing
