#include "eval/Queries.h"

#include <algorithm>
#include <mutex>
#include <thread>

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

struct EvaluationQueries::Kept {
  std::mutex mutex;
  bool valid = false;
  size_t listLimit = 0;
  std::vector<uint8_t> defeaterTakesPart;
  Filed sentences, arrows;
};

EvaluationQueries::Kept& EvaluationQueries::kept() {
  static Kept k;
  return k;
}

EvaluationQueries::EvaluationQueries(const Diagram& diagram, size_t listLimit, size_t twoThreadsFrom)
    : diagram_(diagram), listLimit_(listLimit), twoThreadsFrom_(twoThreadsFrom) {
  const size_t defeaters = diagram.defeaters().size();
  defeaterTakesPart_.reserve(defeaters);
  for (Holdings* h : {&sentences_.challenging, &sentences_.challenged, &arrows_.challenging, &arrows_.challenged})
    h->query.reserve(defeaters);
  for (const TDefeater& d : diagram.defeaters()) {
    defeaterTakesPart_.push_back(d.Deleted ? 0 : 1);
    sentences_.challenging.query.push_back(sentenceQuery(d.ChallengingRect));
    sentences_.challenged.query.push_back(sentenceQuery(d.ChallengedRect));
    arrows_.challenging.query.push_back(arrowQuery(d.ChallengingRect));
    arrows_.challenged.query.push_back(arrowQuery(d.ChallengedRect));
  }
  resizeStatuses();
  Filed sentencesBefore, arrowsBefore;
  bool reuse = false;
  {
    Kept& k = kept();
    const std::lock_guard<std::mutex> lock(k.mutex);
    reuse = k.valid && k.listLimit == listLimit_ && k.defeaterTakesPart == defeaterTakesPart_;
    if (reuse) sentencesBefore = std::move(k.sentences), arrowsBefore = std::move(k.arrows);
    k.valid = false;
  }
  // The two kinds share nothing until the passes begin: on a large diagram
  // the arrows are read and listed on a second thread while this one does
  // the sentences. Each side writes only its own members, so the answers are
  // the same either way.
  auto arrowSide = [&] {
    const bool same = takeArrows(reuse ? &arrowsBefore.keys : nullptr);
    takeSide(arrows_, arrowsBefore, same);
  };
  std::thread second;
  if (diagram.arrows().size() + diagram.sentences().size() >= twoThreadsFrom_) second = std::thread(arrowSide);
  const bool same = takeSentences(reuse ? &sentencesBefore.keys : nullptr);
  takeSide(sentences_, sentencesBefore, same);
  if (second.joinable())
    second.join();
  else
    arrowSide();
  statusesTaken_ = true;
}

EvaluationQueries::~EvaluationQueries() {
  Kept& k = kept();
  const std::lock_guard<std::mutex> lock(k.mutex);
  k.sentences = std::move(sentences_);
  k.arrows = std::move(arrows_);
  k.defeaterTakesPart = std::move(defeaterTakesPart_);
  k.listLimit = listLimit_;
  k.valid = true;
}

// With the same boxes, whether the rectangles are the same too.
bool EvaluationQueries::sameGeometry(const Filed& before, const Filed& filed) {
  return before.listed && before.challenging.query == filed.challenging.query &&
         before.challenged.query == filed.challenged.query;
}

// Lists what the rectangles hold of one kind, or takes it over from the
// previous object when nothing it depends on has changed.
void EvaluationQueries::takeSide(Filed& filed, Filed& before, bool sameKeys) {
  if (sameKeys && sameGeometry(before, filed)) {
    filed.challenging = std::move(before.challenging);
    filed.challenged = std::move(before.challenged);
    filed.treeStore = std::move(before.treeStore);
    filed.treeMade = before.treeMade;
    filed.listed = true;
    return;
  }
  filed.sweep.prepare(filed.keys, 2 * defeaterTakesPart_.size());
  list(filed);
}

namespace {

// Collects the boxes of one kind. While they equal the ones listed before,
// nothing is written: the earlier list is taken over at the end.
class KeyCollector {
 public:
  KeyCollector(std::vector<BoxKey>& out, std::vector<BoxKey>* before, size_t size)
      : out_(out), before_(before), same_(before != nullptr) {
    if (!same_) out_.reserve(size);
  }
  void add(const BoxKey& k) {
    if (same_) {
      if (count_ < before_->size() && (*before_)[count_] == k) return void(++count_);
      same_ = false;
      out_.reserve(before_->size() + 16);
      out_.assign(before_->begin(), before_->begin() + static_cast<std::ptrdiff_t>(count_));
    }
    out_.push_back(k);
  }
  // Returns whether the boxes were the same as before.
  bool finish() {
    if (same_ && count_ == before_->size()) {
      out_ = std::move(*before_);
      before_->clear();
      return true;
    }
    if (same_) out_.assign(before_->begin(), before_->begin() + static_cast<std::ptrdiff_t>(count_));
    return false;
  }

 private:
  std::vector<BoxKey>& out_;
  std::vector<BoxKey>* before_;
  size_t count_ = 0;
  bool same_;
};

}  // namespace

// One sweep over each element list: the boxes of the elements that take part
// and the statuses the answers read.
bool EvaluationQueries::takeSentences(std::vector<BoxKey>* before) {
  const auto& sentences = diagram_.sentences();
  KeyCollector keys(sentences_.keys, before, sentences.size());
  sentenceTakesPart_.resize(sentences.size());
  for (size_t i = 0; i < sentences.size(); ++i) {
    const TSentence& s = sentences[i];
    const int32_t n = static_cast<int32_t>(i);
    if (!s.Deleted) keys.add({s.Left, s.Top, s.Right, s.Bottom, n});
    sentenceTakesPart_[i] = s.Deleted ? 0 : 1;
    takeSentenceStatus(n);
  }
  return keys.finish();
}

bool EvaluationQueries::takeArrows(std::vector<BoxKey>* before) {
  const auto& arrows = diagram_.arrows();
  KeyCollector keys(arrows_.keys, before, arrows.size());
  arrowStart_.resize(arrows.size());
  arrowEnd_.resize(arrows.size());
  for (size_t i = 0; i < arrows.size(); ++i) {
    const TArrow& a = arrows[i];
    const int32_t n = static_cast<int32_t>(i);
    if (!a.Deleted)
      keys.add({std::min(a.StartX, a.EndX), std::min(a.StartY, a.EndY), std::max(a.StartX, a.EndX),
                std::max(a.StartY, a.EndY), n});
    const bool part = !a.Deleted && arrowResolved(diagram_, a);
    arrowStart_[i] = part ? a.Sentence1 : NoSentence;
    arrowEnd_[i] = part ? a.Sentence2 : NoSentence;
    takeArrowStatus(n);
  }
  return keys.finish();
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
void EvaluationQueries::markHeld(const Filed& filed, Holdings& h, bool justifiedOnly, std::vector<uint8_t>& out) const {
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

void EvaluationQueries::computeSupport() const {
  takeStatuses();
  support_.assign(diagram_.sentences().size(), 0);
  for (size_t n = 0; n < arrowStart_.size(); ++n)
    if (arrowStart_[n] != NoSentence && goodArrow_[n] && goodSentence_[arrowStart_[n]]) support_[arrowEnd_[n]] = 1;
  supportDone_ = true;
}

bool EvaluationQueries::IsJustifiedChallenge(int32_t defeater) const {
  computeJustified();
  return justified_.at(static_cast<size_t>(defeater)) != 0;
}

void EvaluationQueries::computeAttacked() const {
  computeJustified();
  attackedS_.assign(diagram_.sentences().size(), 0);
  markHeld(sentences_, sentences_.challenged, true, attackedS_);
  attackedDone_ = true;
}

void EvaluationQueries::computeAttackedArrows() const {
  computeJustified();
  attackedA_.assign(diagram_.arrows().size(), 0);
  markHeld(arrows_, arrows_.challenged, true, attackedA_);
  attackedArrowsDone_ = true;
}

ChallengingSentences EvaluationQueries::challengingSentences(int32_t defeater) const {
  takeStatuses();
  const int32_t d = defeater;
  return {!holdsOnly(sentences_, sentences_.challenging, d, lacksNotEvaluated_, notEvaluatedMarks_),
          !holdsOnly(sentences_, sentences_.challenging, d, lacksDefeated_, defeatedMarks_)};
}

}  // namespace zorvex
