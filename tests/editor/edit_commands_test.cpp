// Retyping a sentence, moving the selection by Ctrl+Shift-drag and by the
// arrow keys, and Select All: what changes, what is refused, the undo steps.
#include <chrono>

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
}

TEST_F(CommandsTest, EditTextTakesTheSelectionToolAndRetypesOnlyOneSelectedSentence) {
  // With nothing or two sentences selected there is nothing to retype.
  ed.EditSentenceText();
  EXPECT_FALSE(ed.sentenceEdit().visible);
  EXPECT_EQ(host.panel[1], "Select one sentence to edit its text.");
  ed.SelectAll();
  ed.EditSentenceText();
  EXPECT_FALSE(ed.sentenceEdit().visible);
  EXPECT_EQ(host.panel[1], "Select one sentence to edit its text.");

  // Another tool: F2 takes the selection tool, which selects nothing yet.
  ed.AddArrowSpeedButtonClick();
  ed.EditSentenceText();
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  EXPECT_EQ(host.button, ToolButton::MakeSelection);
  EXPECT_EQ(host.panel[1], "Select one sentence to edit its text.");
  ptr.click({105, 310});
  ed.EditSentenceText();
  EXPECT_EQ(ed.RetypedSentence(), std::optional<int32_t>(c));

  // No tool: a double-click on a sentence takes the tool, selects and retypes it.
  ed.SentenceEditKeyPress(EscapeKey);
  ed.MakeSelectionSpeedButtonClick();
  ASSERT_EQ(ed.editMode(), EditMode::NoTool);
  ptr.click({305, 110});
  ed.MouseDoubleClick({MouseButton::Left, HeldLeft, {305, 110}});
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  EXPECT_TRUE(diagram.sentence(b).Selected);
  EXPECT_EQ(ed.RetypedSentence(), std::optional<int32_t>(b));
  EXPECT_EQ(ed.sentenceEdit().text, "B");
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
  backAndForth(before, "Move 2 Sentences");

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
  ArgumentEditor::Clock::time_point now{};
  ed.setClock([&] { return now; });
  ed.SelectAll();
  for (int32_t n : {a, b, c}) EXPECT_TRUE(diagram.sentence(n).Selected);
  EXPECT_TRUE(diagram.arrow(ab).Selected);
  EXPECT_FALSE(diagram.arrow(ca).Selected);
  EXPECT_TRUE(diagram.defeater(0).Selected);

  // Presses less than a second apart are one step; a pause makes the next.
  ed.FormKeyDown(RightArrowKey, ShiftState());
  now += std::chrono::milliseconds(900);
  ed.FormKeyDown(DownArrowKey, ShiftState(ssShift));
  now += std::chrono::milliseconds(900);
  ed.FormKeyDown(LeftArrowKey, ShiftState(ssShift));
  const Diagram joined = diagram;
  now += std::chrono::milliseconds(1000);
  ed.FormKeyDown(UpArrowKey, ShiftState());
  EXPECT_EQ(diagram.sentence(b).box(), (Rect{291, 109, 305, 129}));
  EXPECT_EQ(diagram.sentence(c).box(), (Rect{91, 309, 105, 329}));
  EXPECT_EQ(diagram.arrow(ab).StartY, before.arrow(ab).StartY + 9);
  EXPECT_EQ(diagram.arrow(ca).EndY, before.arrow(ca).EndY);  // deleted: stays
  EXPECT_EQ(history.undoCount(), 2u);
  EXPECT_EQ(history.undoName(), "Move 3 Sentences");
  EXPECT_EQ(ed.Undo(), std::optional<std::string>("Move 3 Sentences"));
  EXPECT_EQ(diagramDiff(unmarked(diagram), unmarked(joined)), "");
  // An undo between two presses, or another selection, parts them too.
  ed.FormKeyDown(UpArrowKey, ShiftState());
  ed.Undo();
  ed.FormKeyDown(UpArrowKey, ShiftState());
  ptr.click({105, 310});
  ed.FormKeyDown(DownArrowKey, ShiftState());
  EXPECT_EQ(history.undoCount(), 3u);
  EXPECT_EQ(history.undoName(), "Move Sentence");
  for (int k = 0; k < 3; ++k) ed.Undo();
  EXPECT_EQ(diagramDiff(unmarked(diagram), unmarked(before)), "");

  // Out of selection mode the keys move nothing.
  ed.AddSentenceSpeedButtonClick();
  ed.FormKeyDown(RightArrowKey, ShiftState());
  EXPECT_EQ(diagramDiff(unmarked(diagram), unmarked(before)), "");
}

// A sentence that comes into or leaves a challenged rectangle changes what
// the defeater means: every command that moves or adds one says so.
TEST_F(CommandsTest, EveryCommandThatMovesOrAddsASentenceSaysWhichDefeaterChanged) {
  ed.edit().addDefeater({90, 290, 130, 330}, {290, 90, 330, 130});  // C challenges B
  const std::string changed = "The meaning of Defeater0 changed.";
  ptr.click({305, 110});
  ed.FormKeyDown(RightArrowKey, ShiftState(ssShift));  // B's Right 324: still inside
  EXPECT_EQ(host.panel[1], "Make a selection");
  ed.FormKeyDown(RightArrowKey, ShiftState(ssShift));  // 334: out
  EXPECT_EQ(host.panel[1], changed);
  ed.FormKeyDown(UpArrowKey, ShiftState());  // a move that changes nothing says nothing
  EXPECT_EQ(host.panel[1], "Make a selection");

  ptr.press({325, 110}, MouseButton::Left, CtrlShiftLeft);  // the group back in
  ptr.move({305, 111}, CtrlShiftLeft);
  ptr.release({305, 111}, MouseButton::Left, ShiftState(ssCtrl | ssShift));
  EXPECT_EQ(diagram.sentence(b).box(), (Rect{300, 100, 314, 120}));
  EXPECT_EQ(host.panel[1], changed);

  ptr.press({305, 110}, MouseButton::Left, ShiftState(ssCtrl | ssLeft));  // and out by Ctrl-drag
  ptr.move({345, 110}, ShiftState(ssCtrl | ssLeft));
  ptr.release({345, 110});
  ASSERT_EQ(diagram.sentence(b).Left, 340);
  EXPECT_EQ(history.undoName(), "Move Sentence");
  EXPECT_EQ(host.panel[1], changed);

  // Pasted into the rectangle, and elsewhere.
  ed.Paste("Z", Point{300, 100});
  EXPECT_EQ(host.panel[1], changed);
  ed.Paste("Y", Point{500, 400});
  EXPECT_EQ(host.panel[1], "Make a selection");

  // Added there.
  ed.AddSentenceSpeedButtonClick();
  ptr.click({292, 92});
  ed.SentenceEditTextChanged("D");
  ed.SentenceEditKeyPress(EnterKey);
  ASSERT_EQ(diagram.sentence(diagram.SentenceCount() - 1).Text, "D");
  EXPECT_EQ(host.panel[1], changed);
}

}  // namespace
}  // namespace zorvex::testing
