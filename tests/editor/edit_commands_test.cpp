// Retyping a sentence, moving the selection by Ctrl+Shift-drag and by the
// arrow keys, and Select All: what changes, what is refused, the undo steps.
#include "EditCommandsTesting.h"
#include "edit/DerivedGeometry.h"
#include "store/DiagramToRows.h"

namespace zorvex::testing {
namespace {

using CommandsTest = CommandsFixture;

TEST_F(CommandsTest, ADoubleClickRetypesASentenceItsArrowsFollowAndItsStatusStays) {
  diagram.sentence(a).Status = Undefeated | JustEvaluated;
  const Diagram before = diagram;
  ptr.click({105, 110});
  ed.MouseDoubleClick({MouseButton::Left, HeldLeft, {105, 110}});
  ASSERT_TRUE(ed.sentenceEdit().visible);
  EXPECT_EQ(ed.sentenceEdit().text, "A");
  EXPECT_EQ((Point{ed.sentenceEdit().Left, ed.sentenceEdit().Top}), (Point{100, 100}));
  EXPECT_EQ(host.editFocuses, 1);

  ed.SentenceEditTextChanged("A penguin");
  ed.SentenceEditKeyPress(EnterKey);
  EXPECT_FALSE(ed.sentenceEdit().visible);
  const TSentence& s = diagram.sentence(a);
  EXPECT_EQ(s.Text, "A penguin");
  EXPECT_EQ(s.box(), (Rect{100, 100, 100 + 63 + 7, 120}));
  EXPECT_EQ(s.Status, Undefeated | JustEvaluated);
  const LinkPoints out = linkBetween(s.box(), diagram.sentence(b).box());
  const LinkPoints in = linkBetween(diagram.sentence(c).box(), s.box());
  EXPECT_EQ((Point{diagram.arrow(ab).StartX, diagram.arrow(ab).StartY}), out.start);
  EXPECT_EQ((Point{diagram.arrow(ab).Center1X, diagram.arrow(ab).Center1Y}), out.centre1);
  EXPECT_EQ((Point{diagram.arrow(ca).EndX, diagram.arrow(ca).EndY}), in.end);
  EXPECT_EQ((Point{diagram.arrow(ca).Center2X, diagram.arrow(ca).Center2Y}), in.centre2);
  // The saved arrow rows name the sentence by its new text.
  EXPECT_EQ(arrowRowOf(diagram, ab).Text1, "A penguin");
  EXPECT_EQ(arrowRowOf(diagram, ca).Text2, "A penguin");
  EXPECT_EQ(history.undoCount(), 1u);
  backAndForth(before, "Retype Sentence 'A penguin'");
}

TEST_F(CommandsTest, ARetypeIsRefusedAsAddingIsAndEscapeKeepsTheOldText) {
  ptr.click({105, 110});
  ed.EditSentenceText();
  ASSERT_EQ(ed.RetypedSentence(), std::optional<int32_t>(a));
  ed.SentenceEditTextChanged("B");
  ed.SentenceEditKeyPress(EnterKey);
  ed.SentenceEditTextChanged("");
  ed.SentenceEditKeyPress(EnterKey);
  EXPECT_EQ(host.warnings, (std::vector<std::string>{RetypedDuplicateText("B"), EmptySentenceText}));
  EXPECT_TRUE(ed.sentenceEdit().visible);
  ed.SentenceEditTextChanged("Something else");
  ed.SentenceEditKeyPress(EscapeKey);
  EXPECT_FALSE(ed.sentenceEdit().visible);
  EXPECT_EQ(diagram.sentence(a).Text, "A");
  EXPECT_EQ(history.undoCount(), 0u);
  // With nothing selected there is nothing to retype.
  ptr.click({600, 400});
  ed.EditSentenceText();
  EXPECT_FALSE(ed.sentenceEdit().visible);
}

TEST_F(CommandsTest, ARetypeThatCarriesTheBoxOutOfADefeaterSaysWhichDefeaterChanged) {
  ed.edit().addDefeater({95, 95, 150, 130}, {290, 90, 330, 130});   // A is inside while it is short
  ed.edit().addDefeater({90, 290, 130, 330}, {290, 90, 330, 130});  // near C: not touched
  ptr.click({105, 110});
  ed.EditSentenceText();
  ed.SentenceEditTextChanged("A bird");  // Right 100 + 49 = 149: still inside
  ed.SentenceEditKeyPress(EnterKey);
  EXPECT_EQ(host.panel[1], "Make a selection");
  ed.EditSentenceText();
  ed.SentenceEditTextChanged("A long bird");  // Right 184: out
  ed.SentenceEditKeyPress(EnterKey);
  EXPECT_EQ(host.panel[1], "The meaning of Defeater0 changed.");
}

TEST_F(CommandsTest, CtrlShiftDragMovesTheSelectionWithItsArrowsAsOneStep) {
  const Diagram before = diagram;
  ptr.drag({95, 95}, {320, 125});  // selects A, B and the arrow between them
  ptr.press({305, 110}, MouseButton::Left, CtrlShiftLeft);
  ptr.move({310, 120}, CtrlShiftLeft);
  ptr.move({335, 150}, CtrlShiftLeft);
  ptr.release({335, 150}, MouseButton::Left, ShiftState(ssCtrl | ssShift));
  EXPECT_EQ(diagram.sentence(a).box(), (Rect{130, 140, 144, 160}));
  EXPECT_EQ(diagram.sentence(b).box(), (Rect{330, 140, 344, 160}));
  EXPECT_EQ(diagram.sentence(c).box(), (Rect{100, 300, 114, 320}));
  EXPECT_EQ(diagram.arrow(ab).StartX, before.arrow(ab).StartX + 30);
  EXPECT_EQ(diagram.arrow(ab).EndY, before.arrow(ab).EndY + 40);
  const LinkPoints in = linkBetween(diagram.sentence(c).box(), diagram.sentence(a).box());
  EXPECT_EQ((Point{diagram.arrow(ca).EndX, diagram.arrow(ca).EndY}), in.end);
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  EXPECT_EQ(history.undoCount(), 1u);
  backAndForth(before, "Move Sentences");

  // An unselected sentence does not start a group move; Ctrl alone still
  // moves the one sentence, as it always did.
  selectionMode();
  ptr.drag({95, 95}, {350, 170});
  ASSERT_TRUE(diagram.sentence(b).Selected);
  ptr.press({105, 310}, MouseButton::Left, CtrlShiftLeft);
  ptr.move({125, 330}, CtrlShiftLeft);
  ptr.release({125, 330}, MouseButton::Left, ShiftState(ssCtrl | ssShift));
  EXPECT_EQ(diagram.sentence(c).box(), (Rect{100, 300, 114, 320}));
  EXPECT_EQ(diagram.sentence(a).box(), (Rect{130, 140, 144, 160}));
  // Away and back to the spot: no step.
  ptr.press({135, 150}, MouseButton::Left, CtrlShiftLeft);
  ptr.move({165, 150}, CtrlShiftLeft);
  EXPECT_EQ(diagram.sentence(b).Left, 360);
  ptr.move({135, 150}, CtrlShiftLeft);
  ptr.release({135, 150}, MouseButton::Left, ShiftState(ssCtrl | ssShift));
  EXPECT_EQ(history.undoCount(), 1u);
}

TEST_F(CommandsTest, ArrowKeysNudgeTheSelectionAndSelectAllTakesEveryLiveElement) {
  ed.edit().addDefeater({90, 290, 130, 330}, {290, 90, 330, 130});
  ed.edit().deleteElements({{ElementKind::Arrow, ca}});
  const Diagram before = diagram;
  ed.SelectAll();
  for (int32_t n : {a, b, c}) EXPECT_TRUE(diagram.sentence(n).Selected);
  EXPECT_TRUE(diagram.arrow(ab).Selected);
  EXPECT_FALSE(diagram.arrow(ca).Selected);
  EXPECT_TRUE(diagram.defeater(0).Selected);

  ed.FormKeyDown(RightArrowKey, ShiftState());
  ed.FormKeyDown(DownArrowKey, ShiftState(ssShift));
  ed.FormKeyDown(LeftArrowKey, ShiftState(ssShift));
  ed.FormKeyDown(UpArrowKey, ShiftState());
  EXPECT_EQ(diagram.sentence(b).box(), (Rect{291, 109, 305, 129}));
  EXPECT_EQ(diagram.sentence(c).box(), (Rect{91, 309, 105, 329}));
  EXPECT_EQ(diagram.arrow(ab).StartY, before.arrow(ab).StartY + 9);
  EXPECT_EQ(diagram.arrow(ca).EndY, before.arrow(ca).EndY);  // deleted: stays
  EXPECT_EQ(history.undoCount(), 4u);
  EXPECT_EQ(history.undoName(), "Move Sentences");
  for (int k = 0; k < 4; ++k) ed.Undo();
  EXPECT_EQ(diagramDiff(unmarked(diagram), unmarked(before)), "");

  // Out of selection mode the keys move nothing.
  ed.AddSentenceSpeedButtonClick();
  ed.FormKeyDown(RightArrowKey, ShiftState());
  EXPECT_EQ(diagramDiff(unmarked(diagram), unmarked(before)), "");
}

}  // namespace
}  // namespace zorvex::testing
