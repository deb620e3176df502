// Placing the edit box, adding sentences from it, and the pointer position text.
#include "FakeHost.h"

namespace zorvex::testing {
namespace {

using SentenceEditTest = EditorFixture;

TEST_F(SentenceEditTest, PressPlacesTheBoxAndEnterAddsTheSentence) {
  ed.AddSentenceSpeedButtonClick();
  ptr.click({10, 22});  // surface point (10, 20)
  EXPECT_EQ(host.panel[0], "(10,22)");
  ASSERT_TRUE(ed.sentenceEdit().visible);
  EXPECT_EQ(ed.sentenceEdit().Left, 10);
  EXPECT_EQ(ed.sentenceEdit().Top, 22);
  EXPECT_EQ(ed.sentenceEdit().text, "<Sentence>");

  ed.SentenceEditKeyPress('a');
  EXPECT_EQ(diagram.SentenceCount(), 0);
  ed.SentenceEditKeyPress(13);
  ASSERT_EQ(diagram.SentenceCount(), 1);
  const TSentence& s = diagram.sentence(0);
  EXPECT_EQ(s.Text, "<Sentence>");
  // 10 characters of 7 pixels, 13 high, plus 7 each way.
  EXPECT_EQ(s.Left, 10);
  EXPECT_EQ(s.Top, 22);
  EXPECT_EQ(s.Width, 77);
  EXPECT_EQ(s.Height, 20);
  EXPECT_EQ(s.Right, 87);
  EXPECT_EQ(s.Bottom, 42);
  EXPECT_EQ(s.Status, NotEvaluated);
  EXPECT_FALSE(ed.sentenceEdit().visible);
  EXPECT_EQ(ed.editMode(), EditMode::AddSentenceMode);
  EXPECT_GE(host.surfaceRepaints, 1);
}

TEST_F(SentenceEditTest, DuplicatesAreRefusedUnlessDeletedOrOfOtherCase) {
  addBox(diagram, "Tweety flies", 100, 100, 90, 20);
  ed.AddSentenceSpeedButtonClick();
  ptr.click({300, 300});
  ed.SentenceEditTextChanged("Tweety flies");
  ed.SentenceEditKeyPress(13);
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_EQ(host.warnings[0], "The sentence\r\n    'Tweety flies'\r\nalready exists. It cannot be added again.");
  EXPECT_EQ(diagram.SentenceCount(), 1);
  EXPECT_TRUE(ed.sentenceEdit().visible);
  EXPECT_EQ(ed.editMode(), EditMode::AddSentenceMode);

  ed.SentenceEditTextChanged("tweety flies");
  ed.SentenceEditKeyPress(13);
  EXPECT_EQ(diagram.SentenceCount(), 2);

  diagram.sentence(0).Deleted = true;
  ptr.click({300, 300});
  ed.SentenceEditTextChanged("Tweety flies");
  ed.SentenceEditKeyPress(13);
  EXPECT_EQ(diagram.SentenceCount(), 3);
  EXPECT_EQ(host.warnings.size(), 1u);
  // The box kept the text just added, so the next Enter is a duplicate.
  ptr.click({300, 300});
  ed.SentenceEditKeyPress(13);
  EXPECT_EQ(host.warnings.size(), 2u);
}

TEST_F(SentenceEditTest, BoxIsShiftedIntoTheSurface) {
  host.surface = {800, 500};
  ed.ShowSentenceEdit(700, 490);
  EXPECT_EQ(ed.sentenceEdit().Left, 800 - 161);
  EXPECT_EQ(ed.sentenceEdit().Top, 500 - 21);
  ed.ShowSentenceEdit(639, 479);  // exactly fits
  EXPECT_EQ(ed.sentenceEdit().Left, 639);
  EXPECT_EQ(ed.sentenceEdit().Top, 479);
  ed.SetSentenceEditSize(300, 30);
  ed.ShowSentenceEdit(600, 10);
  EXPECT_EQ(ed.sentenceEdit().Left, 500);
  EXPECT_EQ(ed.sentenceEdit().Top, 10);
}

TEST_F(SentenceEditTest, PanelZeroShowsEveryPressInWindowCoordinates) {
  const int32_t s = addBox(diagram, "A", 100, 40, 60, 20);
  ed.ArgumentPaintBoxMouseDown(MouseButton::Middle, ShiftState(ssMiddle), 10, 20);
  EXPECT_EQ(host.panel[0], "(10,22)");
  for (int m : {0, 2, 6}) {
    if (m == 2) ed.AddArrowSpeedButtonClick();
    if (m == 6) ed.MakeSelectionSpeedButtonClick();
    host.panel[0].clear();
    ptr.press({120, 48}, MouseButton::Right, ShiftState(ssRight));
    ptr.release({120, 48}, MouseButton::Right);
    EXPECT_EQ(host.panel[0], "(120,48)");
  }
  // A right press on a sentence prepares its status menu.
  diagram.sentence(s).Status = Defeated;
  ptr.press({120, 48}, MouseButton::Right, ShiftState(ssRight));
  ASSERT_FALSE(host.sentencePopups.empty());
  const SentencePopupState& st = host.sentencePopups.back();
  EXPECT_EQ(st.sentence, s);
  EXPECT_TRUE(st.undefeatedEnabled);
  EXPECT_FALSE(st.defeatedEnabled);
  EXPECT_TRUE(st.notEvaluatedEnabled);
}

TEST_F(SentenceEditTest, PressGoesToTheTopmostEnabledSentence) {
  const int32_t low = addBox(diagram, "low", 100, 100, 100, 40);
  const int32_t high = addBox(diagram, "high", 150, 120, 100, 40);
  ed.AddArrowSpeedButtonClick();
  ptr.click({160, 130});
  ASSERT_TRUE(diagram.hasPendingArrow());
  EXPECT_EQ(diagram.pendingArrow().Sentence1, high);
  ed.AddArrowSpeedButtonClick();
  diagram.sentence(high).Deleted = true;
  diagram.sentence(high).Enabled = false;
  ed.AddArrowSpeedButtonClick();
  ptr.click({160, 130});
  ASSERT_TRUE(diagram.hasPendingArrow());
  EXPECT_EQ(diagram.pendingArrow().Sentence1, low);
  // The box's last pixel column is Left + Width - 1.
  ed.AddArrowSpeedButtonClick();
  ed.AddArrowSpeedButtonClick();
  ptr.click({200, 110});
  EXPECT_FALSE(diagram.hasPendingArrow());
  EXPECT_EQ(host.panel[1], "To add the start of an arrow click on a sentence.");
}

// A release that never came (a modal menu took it) must not keep the
// pointer with the sentence pressed last.
TEST_F(SentenceEditTest, APressWithNoOtherButtonHeldGoesToWhatIsUnderThePointer) {
  const int32_t a = addBox(diagram, "A", 100, 40, 60, 20);
  const int32_t b = addBox(diagram, "B", 300, 40, 60, 20);
  ed.AddArrowSpeedButtonClick();
  ptr.press({120, 48}, MouseButton::Right, ShiftState(ssRight));  // no release
  ptr.click({200, 200});
  EXPECT_FALSE(diagram.hasPendingArrow());
  ptr.press({120, 48}, MouseButton::Right, ShiftState(ssRight));
  ptr.press({310, 48}, MouseButton::Right, ShiftState(ssRight));
  EXPECT_EQ(host.sentencePopups.back().sentence, b);
  // With a button still held the pressed sentence keeps the pointer.
  ptr.press({120, 48});
  ptr.press({310, 48}, MouseButton::Right, ShiftState(ssLeft | ssRight));
  EXPECT_EQ(host.sentencePopups.back().sentence, a);
}

TEST_F(SentenceEditTest, EveryRightPressOnASentencePreparesItsMenuButOnlyAPlainOneSetsTheItems) {
  const int32_t a = addBox(diagram, "A", 100, 40, 60, 20);
  for (unsigned keys : {unsigned{ssShift}, unsigned{ssCtrl}, unsigned{ssAlt}}) {
    host.sentencePopups.clear();
    ptr.press({120, 48}, MouseButton::Right, ShiftState(ssRight | keys));
    ptr.release({120, 48}, MouseButton::Right, ShiftState(keys));
    ASSERT_EQ(host.sentencePopups.size(), 1u);
    EXPECT_EQ(host.sentencePopups[0].sentence, a);
    EXPECT_FALSE(host.sentencePopups[0].setsEnabling);
  }
  ptr.press({120, 48}, MouseButton::Right, ShiftState(ssRight));
  EXPECT_TRUE(host.sentencePopups.back().setsEnabling);
}

TEST_F(SentenceEditTest, PlacingFocusesTheBoxButTheRuleCommandsPlacementDoesNot) {
  ed.AddSentenceSpeedButtonClick();
  ptr.click({790, 490});
  EXPECT_EQ(host.editFocuses, 1);
  EXPECT_EQ(ed.sentenceEdit().Left, 800 - 161);  // kept inside the surface
  ed.PlaceSentenceEdit(790, 490);
  EXPECT_EQ(host.editFocuses, 1);
  EXPECT_EQ(ed.sentenceEdit().Left, 790);
  EXPECT_EQ(ed.sentenceEdit().Top, 490);
  EXPECT_TRUE(ed.sentenceEdit().visible);
}

}  // namespace
}  // namespace zorvex::testing
