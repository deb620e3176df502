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
// statuses again after statusesChanged(). Not for use from several threads
// at once.
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

  // Reads geometry and deletion marks now; the diagram must outlive this
  // object and keep its geometry and marks while it is used.
  explicit EvaluationQueries(const Diagram& diagram, size_t listLimit = DefaultListLimit);

  // Call after statuses changed: later answers read the new statuses.
  void statusesChanged();
  // The same when only the listed elements of one kind changed status.
  void statusesChanged(ElementKind kind, const std::vector<int32_t>& numbers);
  void statusChanged(ElementKind kind, int32_t number);

  // What takes part, and the statuses as the queries last read them, for
  // the passes, which then touch only the elements they change.
  bool sentenceTakesPart(int32_t sentence) const { return sentenceTakesPart_[sentence] != 0; }
  // Not deleted, both ends resolved.
  bool arrowTakesPart(int32_t arrow) const { return arrowStart_[arrow] != NoSentence; }
  int32_t arrowStart(int32_t arrow) const { return arrowStart_[arrow]; }
  Status sentenceStatus(int32_t sentence) const;
  Status arrowStatus(int32_t arrow) const;
  // Not deleted and justified.
  bool sentenceJustified(int32_t sentence) const;
  // After an element's status lost only its JustEvaluated and StatusFlipped
  // marks, which no answer depends on.
  void roundMarksCleared(ElementKind kind, int32_t number);

  bool IsChallenged(int32_t sentence) const;
  bool IsArrowChallenged(int32_t arrow) const;
  bool HasJustifiedSupport(int32_t sentence) const;
  bool IsJustifiedChallenge(int32_t defeater) const;
  bool IsAttacked(int32_t sentence) const;
  bool IsArrowAttacked(int32_t arrow) const;
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

  void list(const Filed& filed) const;
  void fill(const Filed& filed, const RectangleSweep::Listing& listing, size_t offset, Holdings& h) const;
  void takeGeometryAndStatuses();
  void resizeStatuses() const;
  void takeStatuses() const;
  void takeSentenceStatus(int32_t n) const;
  void takeArrowStatus(int32_t n) const;
  void forgetAnswers();
  bool holdsOnly(const Filed& filed, Holdings& h, int32_t d, const std::vector<uint8_t>& good, Marks& bad) const;
  void markHeld(const Filed& filed, Holdings& h, bool justifiedOnly, std::vector<uint8_t>& out) const;
  void computeJustified() const;
  void computeChallenged() const;

  const Diagram& diagram_;
  const size_t listLimit_;
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
