#pragma once
// A small diagram drawn through the edit layer, with an undo history, for
// the Edit menu's commands.
#include "FakeHost.h"
#include "history/DiagramState.h"

namespace zorvex::testing {

constexpr ShiftState CtrlShiftLeft{ssCtrl | ssShift | ssLeft};

// Selection marks are the window's, not the diagram's: undo selects what
// its step changed, so diagrams are compared without them.
inline Diagram unmarked(Diagram d) {
  for (TSentence& s : d.sentencesForStatus()) s.Selected = false;
  for (TArrow& a : d.arrowsForStatus()) a.Selected = false;
  for (TDefeater& f : d.defeatersForStatus()) f.Selected = false;
  return d;
}

struct CommandsFixture : EditorFixture {
  UndoHistory history;
  int32_t a = -1, b = -1, c = -1, ab = -1, ca = -1;
  // Boxes of 7 units a character plus 7: "A" is 14 x 20.
  int32_t sentence(Point at, const std::string& text) {
    return ed.edit().addSentence(at, text, host.measureText(text)).added->index;
  }
  void SetUp() override {
    a = sentence({100, 100}, "A");
    b = sentence({300, 100}, "B");
    c = sentence({100, 300}, "C");
    ab = ed.edit().addArrow(a, b).added->index;
    ca = ed.edit().addArrow(c, a).added->index;
    ed.setUndoHistory(&history);
    ed.MakeSelectionSpeedButtonClick();
  }
  // After another tool the commands below come back to selection mode.
  void selectionMode() {
    if (ed.editMode() != EditMode::MakeSelectionMode) ed.MakeSelectionSpeedButtonClick();
  }
  // Undo gives back `before` (marks aside, new elements deleted) and redo
  // what the command made, twice over.
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

}  // namespace zorvex::testing
