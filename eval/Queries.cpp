#include "eval/Queries.h"

#include <algorithm>

namespace zorvex {
namespace {

// Strictly inside R, as inclusive bounds.
BoxQuery sentenceQuery(const Rect& r) {
  return {int64_t{r.Left} + 1, int64_t{r.Top} + 1, int64_t{r.Right} - 1, int64_t{r.Bottom} - 1};
}

// Both end points inside R, borders included.
BoxQuery arrowQuery(const Rect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

std::vector<BoxKey> sentenceKeys(const Diagram& diagram) {
  std::vector<BoxKey> keys;
  keys.reserve(diagram.sentences().size());
  int32_t n = 0;
  for (const TSentence& s : diagram.sentences()) {
    if (!s.Deleted) keys.push_back({s.Left, s.Top, s.Right, s.Bottom, n});
    ++n;
  }
  return keys;
}

std::vector<BoxKey> arrowKeys(const Diagram& diagram) {
  std::vector<BoxKey> keys;
  keys.reserve(diagram.arrows().size());
  int32_t n = 0;
  for (const TArrow& a : diagram.arrows()) {
    if (!a.Deleted)
      keys.push_back({std::min(a.StartX, a.EndX), std::min(a.StartY, a.EndY), std::max(a.StartX, a.EndX),
                      std::max(a.StartY, a.EndY), n});
    ++n;
  }
  return keys;
}

}  // namespace

EvaluationQueries::EvaluationQueries(const Diagram& diagram) : diagram_(diagram) {
  sentences_.build(sentenceKeys(diagram));
  arrows_.build(arrowKeys(diagram));
  const size_t count = diagram.defeaters().size();
  challengingForSentences_.resize(count);
  challengedForSentences_.resize(count);
  challengingForArrows_.resize(count);
  challengedForArrows_.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const TDefeater& d = diagram.defeaters()[i];
    challengingForSentences_[i] = sentenceQuery(d.ChallengingRect);
    challengedForSentences_[i] = sentenceQuery(d.ChallengedRect);
    challengingForArrows_[i] = arrowQuery(d.ChallengingRect);
    challengedForArrows_[i] = arrowQuery(d.ChallengedRect);
  }
}

void EvaluationQueries::statusesChanged() {
  justifiedDone_ = supportDone_ = attackedDone_ = attackedArrowsDone_ = flagsDone_ = false;
}

void EvaluationQueries::tagChallenged(const BoxTree& tree, const std::vector<BoxQuery>& queries, bool justifiedOnly,
                                      std::vector<uint8_t>& out, size_t count) const {
  out.assign(count, 0);
  TagSet tags = tree.emptyTags();
  const auto& defeaters = diagram_.defeaters();
  for (size_t i = 0; i < defeaters.size(); ++i) {
    if (defeaters[i].Deleted || (justifiedOnly && !justified_[i])) continue;
    tree.tagInside(queries[i], tags);
  }
  tree.collectTags(tags, out);
}

void EvaluationQueries::computeChallenged() const {
  if (challengedDone_) return;
  tagChallenged(sentences_, challengedForSentences_, false, challengedS_, diagram_.sentences().size());
  tagChallenged(arrows_, challengedForArrows_, false, challengedA_, diagram_.arrows().size());
  challengedDone_ = true;
}

void EvaluationQueries::computeJustified() const {
  if (justifiedDone_) return;
  const auto& sentences = diagram_.sentences();
  const auto& arrows = diagram_.arrows();
  // What spoils a challenge: a sentence that is not justified, an arrow that
  // is not supporting or has an unresolved end.
  const MarkSet badSentences = sentences_.marks([&](int32_t n) { return !has(sentences[n].Status, Undefeated); });
  const MarkSet badArrows = arrows_.marks([&](int32_t n) {
    return !has(arrows[n].Status, Undefeated) || !arrowResolved(diagram_, arrows[n]);
  });
  const auto& defeaters = diagram_.defeaters();
  justified_.assign(defeaters.size(), 0);
  for (size_t i = 0; i < defeaters.size(); ++i) {
    if (defeaters[i].Deleted) continue;
    justified_[i] = !sentences_.anyMarkedInside(challengingForSentences_[i], badSentences) &&
                    !arrows_.anyMarkedInside(challengingForArrows_[i], badArrows);
  }
  justifiedDone_ = true;
}

void EvaluationQueries::computeSupport() const {
  if (supportDone_) return;
  const auto& sentences = diagram_.sentences();
  support_.assign(sentences.size(), 0);
  for (const TArrow& a : diagram_.arrows()) {
    if (a.Deleted || !arrowResolved(diagram_, a) || !has(a.Status, Undefeated)) continue;
    const TSentence& start = sentences[a.Sentence1];
    if (!start.Deleted && has(start.Status, Undefeated)) support_[a.Sentence2] = 1;
  }
  supportDone_ = true;
}

void EvaluationQueries::computeAttacked() const {
  if (attackedDone_) return;
  computeJustified();
  tagChallenged(sentences_, challengedForSentences_, true, attackedS_, diagram_.sentences().size());
  attackedDone_ = true;
}

void EvaluationQueries::computeAttackedArrows() const {
  if (attackedArrowsDone_) return;
  computeJustified();
  tagChallenged(arrows_, challengedForArrows_, true, attackedA_, diagram_.arrows().size());
  attackedArrowsDone_ = true;
}

void EvaluationQueries::computeChallengingFlags() const {
  if (flagsDone_) return;
  const auto& sentences = diagram_.sentences();
  notEvaluated_ = sentences_.marks([&](int32_t n) { return has(sentences[n].Status, NotEvaluated); });
  defeated_ = sentences_.marks([&](int32_t n) { return has(sentences[n].Status, Defeated); });
  flagsDone_ = true;
}

bool EvaluationQueries::IsChallenged(int32_t sentence) const {
  computeChallenged();
  return challengedS_.at(static_cast<size_t>(sentence)) != 0;
}

bool EvaluationQueries::IsArrowChallenged(int32_t arrow) const {
  computeChallenged();
  return challengedA_.at(static_cast<size_t>(arrow)) != 0;
}

bool EvaluationQueries::HasJustifiedSupport(int32_t sentence) const {
  computeSupport();
  return support_.at(static_cast<size_t>(sentence)) != 0 && !diagram_.sentence(sentence).Deleted;
}

bool EvaluationQueries::IsJustifiedChallenge(int32_t defeater) const {
  computeJustified();
  return justified_.at(static_cast<size_t>(defeater)) != 0;
}

bool EvaluationQueries::IsAttacked(int32_t sentence) const {
  computeAttacked();
  return attackedS_.at(static_cast<size_t>(sentence)) != 0;
}

bool EvaluationQueries::IsArrowAttacked(int32_t arrow) const {
  computeAttackedArrows();
  return attackedA_.at(static_cast<size_t>(arrow)) != 0;
}

ChallengingSentences EvaluationQueries::challengingSentences(int32_t defeater) const {
  computeChallengingFlags();
  const BoxQuery& q = challengingForSentences_.at(static_cast<size_t>(defeater));
  return {sentences_.anyMarkedInside(q, notEvaluated_), sentences_.anyMarkedInside(q, defeated_)};
}

}  // namespace zorvex
