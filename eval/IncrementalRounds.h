#pragma once
// Rounds that visit only the elements whose status can change, with exactly
// the outcome of the whole-diagram round (eval/Rounds.h): statuses and round
// marks, defeater states, log lines in scan order, the panel text.
//
// An element's new status depends only on what its pass reads: its own
// status, and the support and attack answers that follow from its
// neighbours' statuses. Those answers are kept as counts (justified
// supports per sentence, spoilers per challenge, justified challenges per
// challenged element) and updated with every change; each change also puts
// the elements that read it on the lists of the passes still to come. The
// round marks need no visit of their own: an element carries them only when
// the last round changed it, and then it is on its pass's list anyway.
//
// Whatever changes statuses or the drawing elsewhere must say so (see
// below); until then the object assumes it is the only one that changes the
// diagram. The first round and the first after drawingChanged() are whole
// rounds; the next one, one after a change of rules and one after
// statusesChanged() visit everything; so does a round whose lists outgrow a
// share of the diagram. A drawing whose rectangles hold far more than its
// elements is left to the whole-diagram round.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "eval/EvaluationLog.h"
#include "eval/EvaluationOptions.h"
#include "eval/Passes.h"
#include "eval/PendingSet.h"
#include "eval/RoundIndex.h"
#include "eval/Rounds.h"
#include "model/Diagram.h"

namespace zorvex {

// One status byte (or defeater state) a round changed.
struct StatusChange {
  int32_t index = 0;
  uint8_t before = 0;
  uint8_t after = 0;
};

class IncrementalRounds {
 public:
  explicit IncrementalRounds(Diagram& diagram) : diagram_(diagram) {}

  std::string EvaluateOneRound(const EvaluationOptions& options, EvaluationLog& log);
  std::string JumpOneRound(const EvaluationOptions& options, EvaluationLog& log);
  std::string round(const RuleSet& rules, const RoundTexts& texts, EvaluationLog& log);
  // The commands of the same names in eval/Rounds.h, kept in step.
  void ResetAll(EvaluationLog& log);
  void SetStatusByUser(int32_t sentence, UserStatus which, EvaluationLog& log);

  // Changes made elsewhere: one element's status or state (a command, undo,
  // redo), any number of statuses, or the drawing (geometry, deletion
  // marks, elements added or taken away, another diagram loaded).
  void statusChanged(ElementRef ref);
  void statusesChanged() { countsValid_ = false; }
  void drawingChanged() { indexValid_ = false, wholeNext_ = true; }

  // What the last round changed, per kind (sentences, arrows, defeaters),
  // each list ascending: every byte that differs, round marks included.
  const std::array<std::vector<StatusChange>, 3>& lastChanges() const { return changes_; }
  // Whether the last round visited every element of some pass.
  bool lastRoundVisitedAll() const { return visitedAll_; }
  // Memory of the bookkeeping.
  size_t bytes() const;

 private:
  bool sync();
  bool prepare(const RuleSet& rules);

  std::string wholeRound(const RuleSet& rules, const RoundTexts& texts, EvaluationLog& log);
  void readStatuses();
  void countAll();
  void arrowPass();
  bool sentencePass(const RuleSet& rules, const RoundTexts& texts, EvaluationLog& log);
  void unevaluatePass();
  void defeaterPass();
  void finishChanges();

  bool goodSentence(int32_t s) const { return index_.sentencePart[s] && (sentence_[s] & Undefeated); }
  bool goodArrow(int32_t a) const { return index_.arrowRole[a] == RoundIndex::TakesPart && (arrow_[a] & Undefeated); }
  void writeSentence(int32_t s, Status next);
  void writeArrow(int32_t a, Status next);
  void sentenceMoved(int32_t s, Status before, Status after);
  void arrowMoved(int32_t a, Status before, Status after);
  void supportBy(int32_t s, int delta);
  void spoilBy(int32_t d, int delta);

  Diagram& diagram_;
  RoundIndex index_;
  bool indexValid_ = false, usable_ = false, countsValid_ = false, haveRules_ = false, visitedAll_ = false;
  // After the drawing changed, the whole round runs first (as fast as it
  // always was) and the next round builds the index.
  bool wholeNext_ = true;
  RuleSet rules_;
  // The statuses as the object last wrote or was told of them.
  std::vector<Status> sentence_, arrow_;
  std::vector<uint8_t> defeater_;
  // Justified supports per sentence; spoilers, not evaluated and
  // unjustified sentences per defeater's challenge; justified challenges
  // per challenged sentence and arrow.
  std::vector<int32_t> support_, spoilers_, notEvaluated_, defeated_, attackedS_, attackedA_;
  PendingSet arrowPass_, sentencePass_, unevaluatePass_, defeaterPass_;
  std::vector<std::pair<int32_t, Status>> decided_;
  std::array<std::vector<StatusChange>, 3> changes_;
};

}  // namespace zorvex
