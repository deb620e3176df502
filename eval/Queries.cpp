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

}  // namespace

const BoxTree& EvaluationQueries::Filed::tree() const {
  if (!treeMade) {
    treeStore.build(keys);
    treeMade = true;
  }
  return treeStore;
}

EvaluationQueries::EvaluationQueries(const Diagram& diagram, size_t listLimit)
    : diagram_(diagram), listLimit_(listLimit) {
  takeGeometryAndStatuses();
  sentences_.sweep.prepare(sentences_.keys);
  arrows_.sweep.prepare(arrows_.keys);
  for (const TDefeater& d : diagram.defeaters()) {
    defeaterTakesPart_.push_back(d.Deleted ? 0 : 1);
    sentences_.challenging.query.push_back(sentenceQuery(d.ChallengingRect));
    sentences_.challenged.query.push_back(sentenceQuery(d.ChallengedRect));
    arrows_.challenging.query.push_back(arrowQuery(d.ChallengingRect));
    arrows_.challenged.query.push_back(arrowQuery(d.ChallengedRect));
  }
}

// One sweep over each element list: the boxes of the elements that take part
// and the statuses the answers read.
void EvaluationQueries::takeGeometryAndStatuses() {
  const auto& sentences = diagram_.sentences();
  sentences_.keys.reserve(sentences.size());
  sentenceTakesPart_.resize(sentences.size());
  resizeStatuses();
  for (size_t i = 0; i < sentences.size(); ++i) {
    const TSentence& s = sentences[i];
    const int32_t n = static_cast<int32_t>(i);
    if (!s.Deleted) sentences_.keys.push_back({s.Left, s.Top, s.Right, s.Bottom, n});
    sentenceTakesPart_[i] = s.Deleted ? 0 : 1;
    takeSentenceStatus(n);
  }
  const auto& arrows = diagram_.arrows();
  arrows_.keys.reserve(arrows.size());
  arrowStart_.resize(arrows.size());
  arrowEnd_.resize(arrows.size());
  for (size_t i = 0; i < arrows.size(); ++i) {
    const TArrow& a = arrows[i];
    const int32_t n = static_cast<int32_t>(i);
    if (!a.Deleted)
      arrows_.keys.push_back({std::min(a.StartX, a.EndX), std::min(a.StartY, a.EndY), std::max(a.StartX, a.EndX),
                              std::max(a.StartY, a.EndY), n});
    const bool part = !a.Deleted && arrowResolved(diagram_, a);
    arrowStart_[i] = part ? a.Sentence1 : NoSentence;
    arrowEnd_[i] = part ? a.Sentence2 : NoSentence;
    takeArrowStatus(n);
  }
  statusesTaken_ = true;
}

void EvaluationQueries::resizeStatuses() const {
  const size_t sentences = diagram_.sentences().size(), arrows = diagram_.arrows().size();
  sentenceStatus_.resize(sentences);
  arrowStatus_.resize(arrows);
  goodSentence_.resize(sentences);
  lacksNotEvaluated_.resize(sentences);
  lacksDefeated_.resize(sentences);
  goodArrow_.resize(arrows);
}

void EvaluationQueries::statusesChanged() {
  statusesTaken_ = false;
  forgetAnswers();
}

void EvaluationQueries::forgetAnswers() {
  justifiedDone_ = supportDone_ = attackedDone_ = attackedArrowsDone_ = false;
  badSentences_.done = badArrows_.done = notEvaluatedMarks_.done = defeatedMarks_.done = false;
}

void EvaluationQueries::statusesChanged(ElementKind kind, const std::vector<int32_t>& numbers) {
  for (int32_t n : numbers) statusChanged(kind, n);
}

void EvaluationQueries::statusChanged(ElementKind kind, int32_t number) {
  forgetAnswers();
  if (!statusesTaken_) return;
  if (kind == ElementKind::Sentence) takeSentenceStatus(number);
  if (kind == ElementKind::Arrow) takeArrowStatus(number);
}

void EvaluationQueries::takeSentenceStatus(int32_t n) const {
  const TSentence& sentence = diagram_.sentences()[n];
  sentenceStatus_[n] = sentence.Status;
  const Status s = sentence.Deleted ? 0 : sentence.Status;
  goodSentence_[n] = has(s, Undefeated);
  lacksNotEvaluated_[n] = !has(s, NotEvaluated);
  lacksDefeated_[n] = !has(s, Defeated);
}

void EvaluationQueries::takeArrowStatus(int32_t n) const {
  const TArrow& a = diagram_.arrows()[n];
  arrowStatus_[n] = a.Status;
  goodArrow_[n] = has(a.Status, Undefeated) && arrowResolved(diagram_, a);
}

// Both rectangles of every defeater in one sweep, challenging ones first.
void EvaluationQueries::list(const Filed& filed) const {
  if (filed.listed) return;
  const size_t count = defeaterTakesPart_.size();
  std::vector<BoxQuery> queries = filed.challenging.query;
  queries.insert(queries.end(), filed.challenged.query.begin(), filed.challenged.query.end());
  std::vector<uint8_t> skip(2 * count);
  for (size_t d = 0; d < count; ++d) skip[d] = skip[count + d] = defeaterTakesPart_[d] ? 0 : 1;
  RectangleSweep::Listing listing;
  filed.sweep.list(filed.keys, queries, skip, listLimit_, listing);
  fill(filed, listing, 0, filed.challenging);
  fill(filed, listing, count, filed.challenged);
  filed.listed = true;
}

void EvaluationQueries::fill(const Filed& filed, const RectangleSweep::Listing& listing, size_t offset,
                             Holdings& h) const {
  const size_t count = defeaterTakesPart_.size();
  h.first.assign(count, 0);
  h.last.assign(count, 0);
  h.tooMany.assign(count, 0);
  h.ids.clear();
  std::vector<int32_t> declined;
  for (size_t d = 0; d < count; ++d) {
    h.first[d] = h.last[d] = static_cast<int32_t>(h.ids.size());
    if (!defeaterTakesPart_[d]) continue;
    const size_t i = offset + d;
    switch (listing.answer[i]) {
      case RectangleSweep::Answer::Listed:
        h.ids.insert(h.ids.end(), listing.ids.begin() + listing.first[i], listing.ids.begin() + listing.last[i]);
        h.last[d] = static_cast<int32_t>(h.ids.size());
        break;
      case RectangleSweep::Answer::TooMany: h.tooMany[d] = h.anyTooMany = 1; break;
      case RectangleSweep::Answer::Declined: declined.push_back(static_cast<int32_t>(d)); break;
    }
  }
  if (declined.empty()) return;
  // Neighbouring rectangles one after the other walk the same part of the tree.
  std::vector<int64_t> xs, ys;
  for (int32_t d : declined) xs.push_back(h.query[d].a + h.query[d].c), ys.push_back(h.query[d].b + h.query[d].d);
  const BoxTree& tree = filed.tree();
  for (int32_t k : curveOrder(xs, ys)) {
    const int32_t d = declined[k];
    h.first[d] = static_cast<int32_t>(h.ids.size());
    if (!tree.collectInside(h.query[d], listLimit_, h.ids)) h.tooMany[d] = h.anyTooMany = 1;
    h.last[d] = static_cast<int32_t>(h.ids.size());
  }
}

void EvaluationQueries::takeStatuses() const {
  if (statusesTaken_) return;
  resizeStatuses();
  for (size_t n = 0; n < goodSentence_.size(); ++n) takeSentenceStatus(static_cast<int32_t>(n));
  for (size_t n = 0; n < goodArrow_.size(); ++n) takeArrowStatus(static_cast<int32_t>(n));
  statusesTaken_ = true;
}

// Whether every element rectangle d holds is marked in `good`.
bool EvaluationQueries::holdsOnly(const Filed& filed, Holdings& h, int32_t d, const std::vector<uint8_t>& good,
                                  Marks& bad) const {
  list(filed);
  if (!h.tooMany[d]) {
    for (int32_t i = h.first[d]; i < h.last[d]; ++i)
      if (!good[h.ids[i]]) return false;
    return true;
  }
  const BoxTree& tree = filed.tree();
  if (!bad.done) {
    bad.set = tree.marks([&good](int32_t id) { return !good[id]; });
    bad.done = true;
  }
  return !tree.anyMarkedInside(h.query[d], bad.set);
}

// out[id] = 1 for every element held by the rectangle of a defeater that
// takes part (and, if asked, is a justified challenge).
void EvaluationQueries::markHeld(const Filed& filed, Holdings& h, bool justifiedOnly,
                                 std::vector<uint8_t>& out) const {
  list(filed);
  if (!h.anyTooMany) {
    for (size_t d = 0; d < defeaterTakesPart_.size(); ++d)
      if (defeaterTakesPart_[d] && (!justifiedOnly || justified_[d]))
        for (int32_t i = h.first[d]; i < h.last[d]; ++i) out[h.ids[i]] = 1;
    return;
  }
  const BoxTree& tree = filed.tree();
  TagSet tags = tree.emptyTags();
  for (size_t d = 0; d < defeaterTakesPart_.size(); ++d) {
    if (!defeaterTakesPart_[d] || (justifiedOnly && !justified_[d])) continue;
    if (h.tooMany[d]) {
      tree.tagInside(h.query[d], tags);
    } else {
      for (int32_t i = h.first[d]; i < h.last[d]; ++i) out[h.ids[i]] = 1;
    }
  }
  tree.collectTags(tags, out);
}

void EvaluationQueries::computeJustified() const {
  if (justifiedDone_) return;
  takeStatuses();
  justified_.assign(defeaterTakesPart_.size(), 0);
  for (size_t d = 0; d < defeaterTakesPart_.size(); ++d) {
    if (!defeaterTakesPart_[d]) continue;
    const int32_t n = static_cast<int32_t>(d);
    // Both scans count: a challenge holds only when neither finds a spoiler.
    justified_[d] = holdsOnly(sentences_, sentences_.challenging, n, goodSentence_, badSentences_) &&
                    holdsOnly(arrows_, arrows_.challenging, n, goodArrow_, badArrows_);
  }
  justifiedDone_ = true;
}

void EvaluationQueries::computeChallenged() const {
  if (!challengedDone_) {
    challengedS_.assign(diagram_.sentences().size(), 0);
    challengedA_.assign(diagram_.arrows().size(), 0);
    markHeld(sentences_, sentences_.challenged, false, challengedS_);
    markHeld(arrows_, arrows_.challenged, false, challengedA_);
    challengedDone_ = true;
  }
}

bool EvaluationQueries::IsChallenged(int32_t sentence) const {
  computeChallenged();
  return challengedS_.at(static_cast<size_t>(sentence)) != 0;
}

bool EvaluationQueries::IsArrowChallenged(int32_t arrow) const {
  computeChallenged();
  return challengedA_.at(static_cast<size_t>(arrow)) != 0;
}

Status EvaluationQueries::sentenceStatus(int32_t sentence) const {
  takeStatuses();
  return sentenceStatus_[sentence];
}

Status EvaluationQueries::arrowStatus(int32_t arrow) const {
  takeStatuses();
  return arrowStatus_[arrow];
}

void EvaluationQueries::roundMarksCleared(ElementKind kind, int32_t number) {
  if (!statusesTaken_) return;
  if (kind == ElementKind::Sentence) sentenceStatus_[number] = diagram_.sentences()[number].Status;
  if (kind == ElementKind::Arrow) arrowStatus_[number] = diagram_.arrows()[number].Status;
}

bool EvaluationQueries::sentenceJustified(int32_t sentence) const {
  takeStatuses();
  return goodSentence_.at(static_cast<size_t>(sentence)) != 0;
}

bool EvaluationQueries::HasJustifiedSupport(int32_t sentence) const {
  if (!supportDone_) {
    takeStatuses();
    support_.assign(diagram_.sentences().size(), 0);
    for (size_t n = 0; n < arrowStart_.size(); ++n)
      if (arrowStart_[n] != NoSentence && goodArrow_[n] && goodSentence_[arrowStart_[n]]) support_[arrowEnd_[n]] = 1;
    supportDone_ = true;
  }
  return support_.at(static_cast<size_t>(sentence)) != 0 && !diagram_.sentence(sentence).Deleted;
}

bool EvaluationQueries::IsJustifiedChallenge(int32_t defeater) const {
  computeJustified();
  return justified_.at(static_cast<size_t>(defeater)) != 0;
}

bool EvaluationQueries::IsAttacked(int32_t sentence) const {
  if (!attackedDone_) {
    computeJustified();
    attackedS_.assign(diagram_.sentences().size(), 0);
    markHeld(sentences_, sentences_.challenged, true, attackedS_);
    attackedDone_ = true;
  }
  return attackedS_.at(static_cast<size_t>(sentence)) != 0;
}

bool EvaluationQueries::IsArrowAttacked(int32_t arrow) const {
  if (!attackedArrowsDone_) {
    computeJustified();
    attackedA_.assign(diagram_.arrows().size(), 0);
    markHeld(arrows_, arrows_.challenged, true, attackedA_);
    attackedArrowsDone_ = true;
  }
  return attackedA_.at(static_cast<size_t>(arrow)) != 0;
}

ChallengingSentences EvaluationQueries::challengingSentences(int32_t defeater) const {
  takeStatuses();
  const int32_t d = defeater;
  return {!holdsOnly(sentences_, sentences_.challenging, d, lacksNotEvaluated_, notEvaluatedMarks_),
          !holdsOnly(sentences_, sentences_.challenging, d, lacksDefeated_, defeatedMarks_)};
}

}  // namespace zorvex
