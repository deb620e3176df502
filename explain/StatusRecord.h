#pragma once
// Which step last gave each sentence, arrow and defeater its status, and the
// statuses every step changed, so that the statuses any step read can be
// found again later. Rounds themselves are untouched: the record takes the
// statuses after each step (one byte per element, without round marks) and,
// after the next one, keeps what it assigned: one pass over the records per
// step. A round assigns exactly the statuses that carry JustEvaluated
// afterwards; a defeater counts as set when its state changed. Every status
// change must therefore be a step of the record (or its undo or redo).
//
// Statuses are kept without the round marks (JustEvaluated, StatusFlipped):
// no rule reads them.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "eval/EvaluationOptions.h"
#include "eval/IncrementalRounds.h"
#include "history/UndoStep.h"
#include "model/Diagram.h"

namespace zorvex {

constexpr Status RoundMarks = JustEvaluated | StatusFlipped;
inline Status withoutMarks(Status s) { return static_cast<Status>(s & ~RoundMarks); }

enum class StepKind : uint8_t { Start, Evaluate, Jump, Reset, User, Edit };

// One assignment: element `index` went from `before` to `after`; the step
// that had set it before is `previous` (0: the start).
struct Assignment {
  int32_t index = 0;
  int32_t previous = 0;
  uint8_t before = 0;
  uint8_t after = 0;
};

struct RecordedStep {
  StepKind kind = StepKind::Start;
  RuleSet rules;         // the rules a round applied
  int32_t label = -1;    // the caller's number for the step (zorvex-cli: its place in --steps)
  int32_t round = 0;     // within a run until stable: 1, 2, ...; 0 otherwise
  // Rounds since the start or the last reset, up to this step: a round's own
  // number among them.
  int32_t roundsSoFar = 0;
  std::array<std::vector<Assignment>, 3> assigned;  // per kind, ascending numbers

  bool isRound() const { return kind == StepKind::Evaluate || kind == StepKind::Jump; }
  const Assignment* find(ElementKind kind, int32_t index) const;
};

// A status as it stood at the end of a step, and the step that had set it.
struct StatusAt {
  uint8_t status = 0;  // sentences and arrows: the status byte without marks; defeaters: the state
  int32_t setBy = 0;
};

class StatusRecord {
 public:
  // Step 0 is the start: every status as the diagram holds it now.
  explicit StatusRecord(const Diagram& diagram) { restart(diagram); }
  // A diagram was opened: everything starts again.
  void restart(const Diagram& diagram);

  // Call right before a step changes statuses (it takes in elements added
  // since the last step), then one of the finish calls.
  void before(const Diagram& diagram);
  int32_t finishRound(const Diagram& diagram, bool jump, const RuleSet& rules, int32_t label = -1, int32_t round = 0);
  // The same from the changes the round's undo step holds (every status
  // byte that changed), without a pass over the records.
  int32_t finishRoundFrom(const Diagram& diagram, const StatusChanges& changes, bool jump, const RuleSet& rules,
                          int32_t label = -1, int32_t round = 0);
  // The same from the lists of an incremental round (eval/IncrementalRounds.h).
  int32_t finishRoundFrom(const Diagram& diagram, const std::array<std::vector<StatusChange>, 3>& changes, bool jump,
                          const RuleSet& rules, int32_t label = -1, int32_t round = 0);
  int32_t finishUser(const Diagram& diagram, int32_t sentence, int32_t label = -1);
  int32_t finishReset(const Diagram& diagram, int32_t label = -1);
  // An edit that changed no status (added, moved or deleted elements): only
  // marks the place, so undo and redo stay in step with the undo history.
  int32_t finishEdit();

  // The latest step is taken back, or the one taken back last done again.
  void undo();
  void redo();
  // After the statuses were taken back or done again elsewhere (the undo
  // history): steps are undone or redone here until the kept statuses are
  // the diagram's; failing that the record starts again from the diagram.
  void follow(const Diagram& diagram);

  int32_t stepCount() const { return static_cast<int32_t>(steps_.size()); }
  int32_t lastStep() const { return stepCount() - 1; }
  const RecordedStep& step(int32_t n) const { return steps_[static_cast<size_t>(n)]; }

  // The step that last set the element (0: the start) and its status now.
  StatusAt now(const Diagram& diagram, ElementRef ref) const;
  // As it stood at the end of step `when`.
  StatusAt at(const Diagram& diagram, ElementRef ref, int32_t when) const;

  size_t bytes() const;

 private:
  int32_t lastOf(ElementRef ref) const;
  // How many of the step's assignments leave a kept status unlike the diagram's.
  size_t unlike(const Diagram& diagram, const RecordedStep& step) const;
  void take(RecordedStep step);
  void assign(RecordedStep& step, ElementKind kind, int32_t index, uint8_t after) const;
  static uint8_t current(const Diagram& diagram, ElementRef ref);
  RecordedStep roundStep(bool jump, const RuleSet& rules, int32_t label, int32_t round);
  void note(RecordedStep& step, ElementKind kind, int32_t n, uint8_t after);
  template <class Changes>
  int32_t finishRoundWith(const Diagram& diagram, const Changes& changes, bool jump, const RuleSet& rules,
                          int32_t label, int32_t round);

  std::vector<RecordedStep> steps_, undone_;
  // Per kind and element: the latest step that set it (0: none since the start).
  std::array<std::vector<int32_t>, 3> last_;
  // Arrows not evaluated with the JustEvaluated mark at the start.
  std::vector<int32_t> startMarked_;
  // Per kind and element: the status after the latest step.
  std::array<std::vector<uint8_t>, 3> statuses_;
};

}  // namespace zorvex
