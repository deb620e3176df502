// Undoing and redoing each kind of step on the diagram alone.
#include <gtest/gtest.h>

#include "eval/RandomDiagram.h"
#include "eval/Rounds.h"
#include "history/DiagramState.h"
#include "history/UndoHistory.h"

namespace zorvex {
namespace {

using testing::diagramDiff;

Diagram sample(uint32_t seed) {
  testing::RandomDiagramMaker maker(seed);
  return maker.make(40, 60, 12, 300);
}

TSentence box(int32_t left, int32_t top, std::string text) {
  TSentence s;
  s.Left = left, s.Top = top, s.Width = 40, s.Height = 20;
  s.Right = left + 40, s.Bottom = top + 20;
  s.Text = std::move(text);
  return s;
}

// Runs a status command as the window does and checks undo gives back the
// state before and redo the state after, twice over.
template <typename Command>
void checkStatusStep(Diagram& g, const char* name, Command command) {
  UndoHistory history;
  const Diagram before = g;
  StatusSnapshot snapshot(g);
  command(g);
  history.record(StatusStep(name, snapshot, g));
  const Diagram after = g;
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(history.undoName(), name);
    EXPECT_EQ(history.undo(g), std::optional<std::string>(name));
    EXPECT_EQ(diagramDiff(g, before), "") << name;
    EXPECT_EQ(history.redoName(), name);
    EXPECT_EQ(history.redo(g), std::optional<std::string>(name));
    EXPECT_EQ(diagramDiff(g, after), "") << name;
  }
}

TEST(UndoStatusSteps, RoundsResetAndUserStatusComeBackExactly) {
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    Diagram g = sample(seed);
    EvaluationOptions options;
    EvaluationLog log;
    checkStatusStep(g, "Evaluate (one round)", [&](Diagram& d) { EvaluateOneRound(d, options, log); });
    checkStatusStep(g, "Jump (one round)", [&](Diagram& d) { JumpOneRound(d, options, log); });
    checkStatusStep(g, "Evaluate (one round)", [&](Diagram& d) { EvaluateOneRound(d, options, log); });
    if (g.SentenceCount() > 0)
      checkStatusStep(g, "Set Status", [&](Diagram& d) { SetStatusByUser(d, 0, UserStatus::Justified, log); });
    checkStatusStep(g, "Reset", [&](Diagram& d) { ResetAll(d, log); });
  }
}

// After an undone round the next round must be the one that would have come
// had the undone round never run.
TEST(UndoStatusSteps, TheRoundAfterAnUndoneRoundIsTheOneThatWouldHaveCome) {
  EvaluationOptions options;
  EvaluationLog log;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    Diagram g = sample(seed);
    EvaluateOneRound(g, options, log);
    Diagram expected = g;
    JumpOneRound(expected, options, log);
    UndoHistory history;
    StatusSnapshot snapshot(g);
    EvaluateOneRound(g, options, log);
    history.record(StatusStep("Evaluate (one round)", snapshot, g));
    history.undo(g);
    JumpOneRound(g, options, log);
    EXPECT_EQ(diagramDiff(g, expected), "") << "seed " << seed;
  }
}

TEST(UndoElementSteps, AnUndoneAddKeepsItsNumberDeletedAndRedoBringsItBack) {
  Diagram g;
  g.addSentence(box(10, 10, "a"));
  UndoHistory history;
  const int32_t n = g.addSentence(box(100, 10, "b"));
  ElementStepBuilder add(g, "Add Sentence");
  add.added({ElementKind::Sentence, n});
  history.record(add.take());
  const Diagram after = g;

  history.undo(g);
  ASSERT_EQ(g.SentenceCount(), 2);  // numbers never go back
  EXPECT_TRUE(g.sentence(n).Deleted);
  EXPECT_FALSE(g.sentence(n).Enabled);
  std::vector<ElementRef> found;
  g.query({90, 0, 200, 40}, found);
  for (ElementRef r : found) EXPECT_TRUE(g.sentence(r.index).Deleted);

  history.redo(g);
  EXPECT_EQ(diagramDiff(g, after), "");
  EXPECT_EQ(g.sentence(n).Text, "b");
}

TEST(UndoElementSteps, AnUndoneMoveAndDeletionPutTheRecordsBack) {
  Diagram g;
  g.addSentence(box(10, 10, "a"));
  g.addSentence(box(100, 10, "b"));
  TArrow a;
  a.Sentence1 = 0, a.Sentence2 = 1, a.StartX = 50, a.EndX = 100, a.StartY = a.EndY = 20;
  g.addArrow(a);
  const Diagram before = g;
  UndoHistory history;

  ElementStepBuilder move(g, "Move Sentence");
  move.before({ElementKind::Sentence, 1});
  move.before({ElementKind::Arrow, 0});
  g.sentence(1).Left += 30, g.sentence(1).Right += 30, g.arrow(0).EndX += 30;
  history.record(move.take());

  ElementStepBuilder del(g, "Delete");
  for (ElementRef r : {ElementRef{ElementKind::Arrow, 0}, ElementRef{ElementKind::Sentence, 1}}) {
    del.before(r);
    if (r.kind == ElementKind::Arrow) g.arrow(0).Deleted = true, g.arrow(0).Enabled = false;
    else g.sentence(1).Deleted = true, g.sentence(1).Enabled = false;
  }
  history.record(del.take());
  const Diagram end = g;

  EXPECT_EQ(history.undo(g), std::optional<std::string>("Delete"));
  EXPECT_FALSE(g.sentence(1).Deleted);
  EXPECT_TRUE(g.sentence(1).Enabled);  // live sentences take input again
  EXPECT_FALSE(g.arrow(0).Enabled);  // arrows never do
  EXPECT_EQ(g.sentence(1).Left, 130);
  EXPECT_EQ(history.undo(g), std::optional<std::string>("Move Sentence"));
  EXPECT_EQ(diagramDiff(g, before), "");
  EXPECT_EQ(history.undo(g), std::nullopt);
  history.redo(g);
  history.redo(g);
  EXPECT_EQ(diagramDiff(g, end), "");
  EXPECT_EQ(history.redo(g), std::nullopt);
}

TEST(UndoHistoryLists, ANewStepClearsRedoAndTheOldestGoBeyondTheLimit) {
  Diagram g;
  g.addSentence(box(0, 0, "a"));
  UndoHistory history;
  for (int k = 0; k < 1005; ++k) {
    UndoStep step;
    step.name = "Set Status " + std::to_string(k);
    step.statuses.add(ElementKind::Sentence, 0, static_cast<uint8_t>(k % 2 ? 1 : 2), static_cast<uint8_t>(k % 2 ? 2 : 1));
    history.record(std::move(step));
  }
  EXPECT_EQ(history.undoCount(), 1000u);
  history.undo(g);
  history.undo(g);
  EXPECT_EQ(history.redoName(), "Set Status 1003");
  history.record(UndoStep{"Reset", {}, {}});
  EXPECT_FALSE(history.canRedo());
  EXPECT_EQ(history.undoName(), "Reset");
  history.clear();
  EXPECT_FALSE(history.canUndo());
}

// A round that changes a tenth of the statuses, spread over the diagram,
// costs at most three bytes per change.
TEST(UndoHistoryLists, StatusChangesArePacked) {
  Diagram g;
  for (int32_t n = 0; n < 100000; ++n) g.addSentence(box(n, 0, "s" + std::to_string(n)));
  StatusSnapshot snapshot(g);
  std::mt19937 rng(5);
  for (TSentence& s : g.sentencesForStatus())
    if (rng() % 10 == 0) s.Status = Undefeated | JustEvaluated;
  const Diagram after = g;
  UndoStep step = StatusStep("Evaluate (one round)", snapshot, g);
  EXPECT_NEAR(static_cast<double>(step.statuses.count()), 10000.0, 500.0);
  EXPECT_LE(step.statuses.bytes(), 3 * step.statuses.count() + 64);
  step.apply(g, true);
  for (const TSentence& s : g.sentences()) ASSERT_EQ(s.Status, NotEvaluated);
  step.apply(g, false);
  EXPECT_EQ(diagramDiff(g, after), "");
}

// The selection and the enabled marks belong to the editor's gesture: a step
// recorded while elements were selected, undone or redone after the marks
// changed, leaves them as they are now.
TEST(UndoElementSteps, LeaveTheSelectionAndEnabledMarksAsTheyAreNow) {
  Diagram g;
  g.addSentence(box(10, 10, "a"));
  g.addSentence(box(100, 10, "b"));
  TArrow a;
  a.Sentence1 = 0, a.Sentence2 = 1;
  g.addArrow(a);
  g.sentence(0).Selected = g.arrow(0).Selected = true;
  ElementStepBuilder move(g, "Move Sentence");
  move.before({ElementKind::Sentence, 0});
  move.before({ElementKind::Sentence, 1});
  move.before({ElementKind::Arrow, 0});
  g.sentence(0).Left += 5, g.sentence(1).Left += 5, g.arrow(0).StartX += 5;
  const UndoStep step = move.take();

  g.sentence(0).Selected = g.arrow(0).Selected = false;
  g.sentence(1).Selected = true;
  g.sentence(0).Enabled = false;  // another sentence is being dragged now
  for (bool undo : {true, false, true}) {
    step.apply(g, undo);
    EXPECT_EQ(g.sentence(0).Left, undo ? 10 : 15);
    EXPECT_FALSE(g.sentence(0).Selected);
    EXPECT_FALSE(g.arrow(0).Selected);
    EXPECT_TRUE(g.sentence(1).Selected);
    EXPECT_FALSE(g.sentence(0).Enabled);
    EXPECT_TRUE(g.sentence(1).Enabled);
  }
}

}  // namespace
}  // namespace zorvex
