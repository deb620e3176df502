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
// for all elements, and each answer is then a lookup. Geometry and deletion
// marks are read when the object is made; statuses are read when an answer
// is first needed after construction or after statusesChanged().
#include <cstdint>
#include <vector>

#include "eval/BoxTree.h"
#include "model/Diagram.h"

namespace zorvex {

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
  // Reads geometry and deletion marks now; the diagram must outlive this
  // object and keep its geometry and marks while it is used.
  explicit EvaluationQueries(const Diagram& diagram);

  // Call after statuses changed: later answers read the new statuses.
  void statusesChanged();

  bool IsChallenged(int32_t sentence) const;
  bool IsArrowChallenged(int32_t arrow) const;
  bool HasJustifiedSupport(int32_t sentence) const;
  bool IsJustifiedChallenge(int32_t defeater) const;
  bool IsAttacked(int32_t sentence) const;
  bool IsArrowAttacked(int32_t arrow) const;
  // The flags of the (not deleted) sentences inside the challenging rectangle.
  ChallengingSentences challengingSentences(int32_t defeater) const;

 private:
  void computeChallenged() const;
  void computeJustified() const;
  void computeSupport() const;
  void computeAttacked() const;
  void computeChallengingFlags() const;
  void computeAttackedArrows() const;
  void tagChallenged(const BoxTree& tree, const std::vector<BoxQuery>& queries, bool justifiedOnly,
                     std::vector<uint8_t>& out, size_t count) const;

  const Diagram& diagram_;
  BoxTree sentences_;
  BoxTree arrows_;
  // Per defeater: its rectangles as queries on the two trees (unused for deleted defeaters).
  std::vector<BoxQuery> challengingForSentences_, challengedForSentences_;
  std::vector<BoxQuery> challengingForArrows_, challengedForArrows_;

  // Answers worked out on first use; the status-dependent ones are dropped by statusesChanged().
  mutable bool challengedDone_ = false, justifiedDone_ = false, supportDone_ = false, attackedDone_ = false,
               attackedArrowsDone_ = false, flagsDone_ = false;
  mutable std::vector<uint8_t> challengedS_, challengedA_;
  mutable std::vector<uint8_t> justified_;
  mutable std::vector<uint8_t> support_;
  mutable std::vector<uint8_t> attackedS_, attackedA_;
  mutable MarkSet notEvaluated_, defeated_;
};

}  // namespace zorvex
