// The four tool buttons from every mode, and what leaving a mode undoes.
#include "FakeHost.h"

namespace zorvex::testing {
namespace {

struct ModesTest : EditorFixture {
  int32_t a = -1, b = -1;
  void SetUp() override {
    a = addBox(diagram, "A", 100, 100, 60, 20);
    b = addBox(diagram, "B", 300, 100, 60, 20);
  }
  // Reaches a mode the way the user does.
  void reach(EditMode m) {
    switch (m) {
      case EditMode::NoTool: break;
      case EditMode::AddSentenceMode: ed.AddSentenceSpeedButtonClick(); break;
      case EditMode::AddStartArrowMode: ed.AddArrowSpeedButtonClick(); break;
      case EditMode::AddEndArrowMode:
        ed.AddArrowSpeedButtonClick();
        ptr.click({110, 105});
        break;
      case EditMode::AddChallengingRectMode: ed.AddDefeaterSpeedButtonClick(); break;
      case EditMode::AddChallengedRectMode:
        ed.AddDefeaterSpeedButtonClick();
        ptr.drag({20, 400}, {60, 450});
        break;
      case EditMode::MakeSelectionMode: ed.MakeSelectionSpeedButtonClick(); break;
      case EditMode::DraggingSentenceMode:
        ed.MakeSelectionSpeedButtonClick();
        ptr.press({110, 105}, MouseButton::Left, ShiftState(ssCtrl | ssLeft));
        break;
    }
    ASSERT_EQ(ed.editMode(), m);
  }
};

const char* panelOf(EditMode m) {
  static const char* texts[] = {"", "Add Sentence", "Add Start Arrow", "Add End Arrow", "Add Challenging Rect",
                                "Add Challenged Rect", "Make a selection"};
  return texts[static_cast<int>(m)];
}

ToolButton buttonOf(EditMode m) {
  switch (m) {
    case EditMode::AddSentenceMode: return ToolButton::AddSentence;
    case EditMode::AddStartArrowMode:
    case EditMode::AddEndArrowMode: return ToolButton::AddArrow;
    case EditMode::AddChallengingRectMode:
    case EditMode::AddChallengedRectMode: return ToolButton::AddDefeater;
    case EditMode::MakeSelectionMode: return ToolButton::MakeSelection;
    default: return ToolButton::None;
  }
}

TEST_F(ModesTest, ToolButtonsFollowTheTransitionTable) {
  using M = EditMode;
  // Rows: active mode 0..6; columns: sentence, arrow, defeater, selection button.
  const M expected[7][4] = {
      {M::AddSentenceMode, M::AddStartArrowMode, M::AddChallengingRectMode, M::MakeSelectionMode},
      {M::NoTool, M::AddStartArrowMode, M::AddChallengingRectMode, M::MakeSelectionMode},
      {M::AddSentenceMode, M::NoTool, M::AddChallengingRectMode, M::MakeSelectionMode},
      {M::AddSentenceMode, M::NoTool, M::AddChallengingRectMode, M::MakeSelectionMode},
      {M::AddSentenceMode, M::AddStartArrowMode, M::NoTool, M::MakeSelectionMode},
      {M::AddSentenceMode, M::AddStartArrowMode, M::NoTool, M::MakeSelectionMode},
      {M::AddSentenceMode, M::AddStartArrowMode, M::AddChallengingRectMode, M::NoTool},
  };
  for (int from = 0; from < 7; ++from) {
    for (int col = 0; col < 4; ++col) {
      Diagram fresh;
      diagram = fresh;
      a = addBox(diagram, "A", 100, 100, 60, 20);
      b = addBox(diagram, "B", 300, 100, 60, 20);
      ArgumentEditor editor(diagram, host);
      Pointer p{editor};
      // Reach the mode with this fresh editor.
      const M m = static_cast<M>(from);
      if (m == M::AddSentenceMode) editor.AddSentenceSpeedButtonClick();
      if (m == M::AddStartArrowMode || m == M::AddEndArrowMode) editor.AddArrowSpeedButtonClick();
      if (m == M::AddEndArrowMode) p.click({110, 105});
      if (m == M::AddChallengingRectMode || m == M::AddChallengedRectMode) editor.AddDefeaterSpeedButtonClick();
      if (m == M::AddChallengedRectMode) p.drag({20, 400}, {60, 450});
      if (m == M::MakeSelectionMode) editor.MakeSelectionSpeedButtonClick();
      ASSERT_EQ(editor.editMode(), m);
      switch (col) {
        case 0: editor.AddSentenceSpeedButtonClick(); break;
        case 1: editor.AddArrowSpeedButtonClick(); break;
        case 2: editor.AddDefeaterSpeedButtonClick(); break;
        case 3: editor.MakeSelectionSpeedButtonClick(); break;
      }
      const M want = expected[from][col];
      SCOPED_TRACE(::testing::Message() << "from " << from << " button " << col);
      EXPECT_EQ(editor.editMode(), want);
      EXPECT_EQ(host.panel[1], panelOf(want));
      EXPECT_EQ(host.button, buttonOf(want));
      // Half-made arrows and defeaters never survive a tool change.
      EXPECT_FALSE(diagram.hasPendingArrow());
      EXPECT_EQ(diagram.ArrowCount(), 0);
      EXPECT_EQ(diagram.DefeaterCount(), 0);
      EXPECT_TRUE(editor.overlay().empty());
    }
  }
}

TEST_F(ModesTest, NoFigureOutlivesAGestureCutShortByLeaving) {
  ed.MakeSelectionSpeedButtonClick();
  ptr.press({50, 300});
  ptr.move({90, 350});
  ASSERT_EQ(host.overlay.size(), 1u);
  ed.LeaveCurrentMode();  // e.g. an evaluation started from the keyboard
  EXPECT_TRUE(host.overlay.empty());
  ptr.move({95, 355});
  ptr.release({95, 355});
  EXPECT_TRUE(host.overlay.empty());

  // Half a challenging rectangle: the defeater it created goes as well.
  ed.AddDefeaterSpeedButtonClick();
  ptr.press({50, 300});
  ptr.move({90, 350});
  ASSERT_EQ(diagram.DefeaterCount(), 1);
  ed.LeaveCurrentMode();
  EXPECT_EQ(diagram.DefeaterCount(), 0);
  EXPECT_TRUE(host.overlay.empty());
  ptr.release({90, 350});
  EXPECT_EQ(ed.editMode(), EditMode::NoTool);
  EXPECT_EQ(diagram.DefeaterCount(), 0);
}

TEST_F(ModesTest, DraggingIgnoresToolButtons) {
  reach(EditMode::DraggingSentenceMode);
  host.panel[1] = "unchanged";
  ed.AddSentenceSpeedButtonClick();
  ed.AddArrowSpeedButtonClick();
  ed.AddDefeaterSpeedButtonClick();
  ed.MakeSelectionSpeedButtonClick();
  ed.LeaveCurrentMode();
  EXPECT_EQ(ed.editMode(), EditMode::DraggingSentenceMode);
  EXPECT_EQ(host.panel[1], "unchanged");
  EXPECT_EQ(host.button, ToolButton::MakeSelection);
}

TEST_F(ModesTest, LeavingEndArrowModeRepaintsAndDestroysTheHalfMadeArrow) {
  reach(EditMode::AddEndArrowMode);
  ptr.move({250, 300}, HeldNone);
  EXPECT_EQ(host.overlay.size(), 1u);  // the guide line
  const int repaints = host.surfaceRepaints;
  ed.AddArrowSpeedButtonClick();
  EXPECT_EQ(host.surfaceRepaints, repaints + 1);
  EXPECT_TRUE(host.overlay.empty());
  EXPECT_FALSE(diagram.hasPendingArrow());
  EXPECT_EQ(diagram.ArrowCount(), 0);
  // The next arrow is complete and counted as Arrow0.
  ed.AddArrowSpeedButtonClick();
  ptr.click({110, 105});
  ptr.click({310, 105});
  EXPECT_EQ(diagram.ArrowCount(), 1);
  EXPECT_EQ(diagram.arrow(0).Sentence1, a);
  EXPECT_EQ(diagram.arrow(0).Sentence2, b);
}

TEST_F(ModesTest, LeavingChallengedRectModeRestoresTheDefeaterCount) {
  TDefeater old;
  diagram.addDefeater(old);
  reach(EditMode::AddChallengedRectMode);
  EXPECT_EQ(diagram.DefeaterCount(), 2);
  const int repaints = host.surfaceRepaints;
  ed.MakeSelectionSpeedButtonClick();
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  EXPECT_EQ(diagram.DefeaterCount(), 1);
  EXPECT_EQ(host.surfaceRepaints, repaints + 1);
  EXPECT_TRUE(host.overlay.empty());
  // The next defeater takes the discarded one's number.
  ed.AddDefeaterSpeedButtonClick();
  ptr.drag({20, 400}, {60, 450});
  EXPECT_EQ(ed.PendingDefeater(), 1);
}

TEST_F(ModesTest, LeavingSelectionModeClearsEveryMark) {
  reach(EditMode::MakeSelectionMode);
  ptr.drag({50, 50}, {400, 200});
  ASSERT_TRUE(diagram.sentence(a).Selected && diagram.sentence(b).Selected);
  host.elementRepaints.clear();
  ed.LeaveCurrentMode();
  EXPECT_EQ(ed.editMode(), EditMode::NoTool);
  EXPECT_FALSE(diagram.sentence(a).Selected || diagram.sentence(b).Selected);
  const std::vector<ElementRef> want{{ElementKind::Sentence, a}, {ElementKind::Sentence, b}};
  EXPECT_EQ(host.elementRepaints, want);
  EXPECT_EQ(host.panel[1], "");
  EXPECT_EQ(host.button, ToolButton::None);
}

TEST_F(ModesTest, LeavingSentenceModeOffersToKeepTypedText) {
  // No sentence to compare with yet (fresh diagram): the visible box is asked about.
  Diagram empty;
  FakeHost h;
  ArgumentEditor e(empty, h);
  e.AddSentenceSpeedButtonClick();
  e.ShowSentenceEdit(10, 10);
  h.answers = {true};
  e.LeaveCurrentMode();
  ASSERT_EQ(h.questions, std::vector<std::string>{"Do you want to keep the current sentence?"});
  EXPECT_EQ(empty.SentenceCount(), 1);
  EXPECT_EQ(empty.sentence(0).Text, "<Sentence>");
  EXPECT_FALSE(e.sentenceEdit().visible);

  // The box still showing the sentence just added asks nothing.
  e.AddSentenceSpeedButtonClick();
  e.ShowSentenceEdit(10, 10);
  e.LeaveCurrentMode();
  EXPECT_EQ(h.questions.size(), 1u);
  // Other text: No keeps nothing, hides the box and keeps its text.
  e.AddSentenceSpeedButtonClick();
  e.ShowSentenceEdit(10, 10);
  e.SentenceEditTextChanged("Other");
  h.answers = {false};
  e.AddArrowSpeedButtonClick();
  EXPECT_EQ(h.questions.size(), 2u);
  EXPECT_EQ(empty.SentenceCount(), 1);
  EXPECT_FALSE(e.sentenceEdit().visible);
  EXPECT_EQ(e.sentenceEdit().text, "Other");
  EXPECT_EQ(e.editMode(), EditMode::AddStartArrowMode);
  // A hidden box asks nothing.
  e.AddSentenceSpeedButtonClick();
  e.AddSentenceSpeedButtonClick();
  EXPECT_EQ(h.questions.size(), 2u);
}

}  // namespace
}  // namespace zorvex::testing
