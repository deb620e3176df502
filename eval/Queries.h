#pragma once
// The support and attack questions the rounds ask about a diagram.
//
// What takes part (decided here, and kept by the rounds as well):
// - Deleted elements take no part: a deleted sentence neither supports,
//   challenges nor is challenged; a deleted arrow likewise; a deleted
//   defeater challenges nothing.
// - An arrow whose start or end sentence was not resolved at loading gives no
//   support, and inside a challenging rectangle it counts as not supporting,
//   so it spoils that challenge (unless it is deleted). A deleted start
//   sentence gives its arrows no support.
//
// EvaluationQueries answers the questions for a whole diagram at once:
// within one pass statuses do not change, so which defeater is a justified
// challenge, and from it what is attacked, is worked out once (on first use)
// for all elements, and each answer is then a lookup. What the defeaters'
// rectangles hold is found once, in one sweep over each kind of element
// (RectangleSweep); a rectangle too large for the sweep, or holding more
// than a few elements, is asked of a tree over the boxes (BoxTree) instead.
// Geometry, deletion marks and statuses are read when the object is made;
// what the rectangles hold is taken over from the previous object when the
// geometry, the deletion marks and the limit are exactly the same;
// statuses again after statusesChanged(). Not for use from several threads
// at once (it uses a second one of its own while it is made), except by the
// passes' two halves of a scan, as said at sentenceStatusWritten().
#include <cstdint>
#include <vector>

#include "eval/BoxTree.h"
#include "eval/RectangleSweep.h"
#include "model/Diagram.h"

namespace zorvex {

// The inside rules of one element and one defeater, by geometry alone
// (whether deleted elements count is for the callers to decide).
inline bool InChallengingRect(const TSentence& s, const TDefeater& d) { return sentenceInside(s, d.ChallengingRect); }
inline bool InChallengedRect(const TSentence& s, const TDefeater& d) { return sentenceInside(s, d.ChallengedRect); }
inline bool ArrowInChallengingRect(const TArrow& a, const TDefeater& d) { return arrowInside(a, d.ChallengingRect); }
inline bool ArrowInChallengedRect(const TArrow& a, const TDefeater& d) { return arrowInside(a, d.ChallengedRect); }

// Whether the arrow's two sentence numbers refer to sentences of the diagram.
inline bool arrowResolved(const Diagram& diagram, const TArrow& a) {
  return a.Sentence1 >= 0 && a.Sentence1 < diagram.SentenceCount() && a.Sentence2 >= 0 &&
         a.Sentence2 < diagram.SentenceCount();
}

// What the challenging rectangle of a defeater holds, for the defeater pass.
struct ChallengingSentences {
  bool anyNotEvaluated = false;
  bool anyDefeated = false;
};

class EvaluationQueries {
 public:
  // Rectangles holding more elements than this are asked of the tree.
  static constexpr size_t DefaultListLimit = 64;
  // From this many elements on, the work is shared with a second thread.
  static constexpr size_t DefaultTwoThreadsFrom = 100000;

  // Reads geometry and deletion marks now; the diagram must outlive this
  // object and keep its geometry and marks while it is used.
  explicit EvaluationQueries(const Diagram& diagram, size_t listLimit = DefaultListLimit,
                             size_t twoThreadsFrom = DefaultTwoThreadsFrom);
  ~EvaluationQueries();
  EvaluationQueries(const EvaluationQueries&) = delete;
  EvaluationQueries& operator=(const EvaluationQueries&) = delete;

  // Call after statuses changed: later answers read the new statuses.
  void statusesChanged();

  // What takes part, and the statuses as the queries last read them, for
  // the passes, which then touch only the elements they change.
  bool sentenceTakesPart(int32_t sentence) const { return sentenceTakesPart_[sentence] != 0; }
  // Not deleted, both ends resolved.
  bool arrowTakesPart(int32_t arrow) const { return arrowStart_[arrow] != NoSentence; }
  int32_t arrowStart(int32_t arrow) const { return arrowStart_[arrow]; }
  Status sentenceStatus(int32_t sentence) const {
    if (!statusesTaken_) takeStatuses();
    return sentenceStatus_[static_cast<size_t>(sentence)];
  }
  Status arrowStatus(int32_t arrow) const {
    if (!statusesTaken_) takeStatuses();
    return arrowStatus_[static_cast<size_t>(arrow)];
  }
  // Not deleted and justified.
  bool sentenceJustified(int32_t sentence) const {
    if (!statusesTaken_) takeStatuses();
    return goodSentence_.at(static_cast<size_t>(sentence)) != 0;
  }
  // For the passes' scans: the status just written to the record of an
  // element that takes part. Two threads may call these at once for
  // different elements, as long as neither asks about the other's elements;
  // answers that depend on statuses stay stale until statusesWritten().
  void sentenceStatusWritten(int32_t sentence, Status value) const {
    const auto n = static_cast<size_t>(sentence);
    sentenceStatus_[n] = value;
    goodSentence_[n] = has(value, Undefeated);
    lacksNotEvaluated_[n] = !has(value, NotEvaluated);
    lacksDefeated_[n] = !has(value, Defeated);
  }
  void arrowStatusWritten(int32_t arrow, Status value) const {
    const auto n = static_cast<size_t>(arrow);
    arrowStatus_[n] = value;
    goodArrow_[n] = has(value, Undefeated);
  }
  void statusesWritten() { forgetAnswers(); }

  bool IsChallenged(int32_t sentence) const;
  bool IsArrowChallenged(int32_t arrow) const;
  bool HasJustifiedSupport(int32_t sentence) const {
    if (!supportDone_) computeSupport();
    const size_t n = static_cast<size_t>(sentence);
    return support_.at(n) != 0 && sentenceTakesPart_[n];
  }
  bool IsJustifiedChallenge(int32_t defeater) const;
  bool IsAttacked(int32_t sentence) const {
    if (!attackedDone_) computeAttacked();
    return attackedS_.at(static_cast<size_t>(sentence)) != 0;
  }
  bool IsArrowAttacked(int32_t arrow) const {
    if (!attackedArrowsDone_) computeAttackedArrows();
    return attackedA_.at(static_cast<size_t>(arrow)) != 0;
  }
  // Works out now what the questions above would work out on first use, so
  // that two threads may then ask them at once (until statuses change).
  void answerArrowQuestions() const {
    if (!statusesTaken_) takeStatuses();
    if (!attackedArrowsDone_) computeAttackedArrows();
  }
  // The passes split scans of at least this many elements between two threads.
  size_t twoThreadsFrom() const { return twoThreadsFrom_; }
  void readStatuses() const {
    if (!statusesTaken_) takeStatuses();
  }
  void answerSentenceQuestions(bool attacks) const {
    if (!statusesTaken_) takeStatuses();
    if (!supportDone_) computeSupport();
    if (attacks && !attackedDone_) computeAttacked();
  }
  // The flags of the (not deleted) sentences inside the challenging rectangle.
  ChallengingSentences challengingSentences(int32_t defeater) const;

 private:
  // What one rectangle of every defeater holds of one kind of element.
  struct Holdings {
    std::vector<BoxQuery> query;       // per defeater
    std::vector<int32_t> first, last;  // per defeater: its list is ids[first, last)
    std::vector<int32_t> ids;
    std::vector<uint8_t> tooMany;  // per defeater: not listed, ask the tree
    bool anyTooMany = false;
  };
  struct Marks {
    MarkSet set;
    bool done = false;
  };
  // The elements of one kind that take part, and what the defeaters'
  // rectangles hold of them. The tree is only made when a rectangle is too
  // large for the sweep.
  struct Filed {
    std::vector<BoxKey> keys;
    RectangleSweep sweep;
    mutable Holdings challenging, challenged;
    mutable bool listed = false;
    mutable BoxTree treeStore;
    mutable bool treeMade = false;
    const BoxTree& tree() const;
  };

  // What the last queries object listed, kept for the next one: rounds one
  // after the other on an unchanged drawing list the same rectangles again.
  struct Kept;
  static Kept& kept();
  void takeSide(Filed& filed, Filed& before, bool sameKeys);
  static bool sameGeometry(const Filed& before, const Filed& filed);

  void list(const Filed& filed) const;
  void fill(const Filed& filed, const RectangleSweep::Listing& listing, size_t offset, Holdings& h) const;
  // Each returns whether the boxes are those of `before`, which it then takes over.
  bool takeSentences(std::vector<BoxKey>* before);
  bool takeArrows(std::vector<BoxKey>* before);
  void resizeStatuses() const;
  void takeStatuses() const;
  void takeSentenceStatus(int32_t n) const;
  void takeArrowStatus(int32_t n) const;
  void forgetAnswers();
  bool holdsOnly(const Filed& filed, Holdings& h, int32_t d, const std::vector<uint8_t>& good, Marks& bad) const;
  void markHeld(const Filed& filed, Holdings& h, bool justifiedOnly, std::vector<uint8_t>& out) const;
  void computeJustified() const;
  void computeSupport() const;
  void computeAttacked() const;
  void computeAttackedArrows() const;
  void computeChallenged() const;

  const Diagram& diagram_;
  const size_t listLimit_;
  const size_t twoThreadsFrom_;
  Filed sentences_, arrows_;
  std::vector<uint8_t> sentenceTakesPart_, defeaterTakesPart_;
  // Per arrow: its sentences when it takes part (not deleted, both ends resolved), else NoSentence.
  std::vector<int32_t> arrowStart_, arrowEnd_;

  // Answers worked out on first use; the status-dependent ones are dropped by statusesChanged().
  mutable bool statusesTaken_ = false, challengedDone_ = false, justifiedDone_ = false, supportDone_ = false,
               attackedDone_ = false, attackedArrowsDone_ = false;
  mutable std::vector<Status> sentenceStatus_, arrowStatus_;
  mutable std::vector<uint8_t> goodSentence_, goodArrow_, lacksNotEvaluated_, lacksDefeated_;
  mutable Marks badSentences_, badArrows_, notEvaluatedMarks_, defeatedMarks_;
  mutable std::vector<uint8_t> challengedS_, challengedA_, justified_, support_, attackedS_, attackedA_;
};

}  // namespace zorvex
