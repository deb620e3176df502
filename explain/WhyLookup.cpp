#include "explain/WhyLookup.h"

#include <algorithm>

#include "eval/Queries.h"

namespace zorvex {

WhyLookup::WhyLookup(const Diagram& diagram) : d_(diagram) {
  for (int32_t n = 0; n < d_.DefeaterCount(); ++n)
    if (!d_.defeater(n).Deleted) liveDefeaters_.push_back(n);
  for (int32_t n = 0; n < d_.SentenceCount(); ++n) {
    const TSentence& s = d_.sentence(n);
    if (!s.Deleted && (s.Right < s.Left || s.Bottom < s.Top || s.Width < 1 || s.Height < 1)) oddSentences_.push_back(n);
  }
}

bool WhyLookup::sentenceTakesPart(int32_t s) const {
  return s >= 0 && s < d_.SentenceCount() && !d_.sentence(s).Deleted;
}

bool WhyLookup::arrowTakesPart(int32_t a) const { return !d_.arrow(a).Deleted && arrowResolved(d_, d_.arrow(a)); }

bool WhyLookup::takesPart(ElementRef ref) const {
  switch (ref.kind) {
    case ElementKind::Sentence: return sentenceTakesPart(ref.index);
    case ElementKind::Arrow: return arrowTakesPart(ref.index);
    case ElementKind::Defeater: return !d_.defeater(ref.index).Deleted;
  }
  return false;
}

// One counting pass and one filling pass: the arrows grouped by end sentence.
void WhyLookup::indexArrows() const {
  arrowFirst_.assign(static_cast<size_t>(d_.SentenceCount()) + 1, 0);
  for (int32_t a = 0; a < d_.ArrowCount(); ++a)
    if (arrowTakesPart(a)) ++arrowFirst_[static_cast<size_t>(d_.arrow(a).Sentence2) + 1];
  for (size_t n = 1; n < arrowFirst_.size(); ++n) arrowFirst_[n] += arrowFirst_[n - 1];
  arrowList_.resize(static_cast<size_t>(arrowFirst_.back()));
  std::vector<int32_t> next(arrowFirst_.begin(), arrowFirst_.end() - 1);
  for (int32_t a = 0; a < d_.ArrowCount(); ++a)
    if (arrowTakesPart(a)) arrowList_[static_cast<size_t>(next[static_cast<size_t>(d_.arrow(a).Sentence2)]++)] = a;
  arrowsIndexed_ = true;
}

std::vector<int32_t> WhyLookup::arrowsTo(int32_t sentence) const {
  if (!arrowsIndexed_) indexArrows();
  const auto from = arrowList_.begin() + arrowFirst_[static_cast<size_t>(sentence)];
  const auto to = arrowList_.begin() + arrowFirst_[static_cast<size_t>(sentence) + 1];
  return {from, to};
}

std::vector<int32_t> WhyLookup::challengedHolding(ElementRef ref) const {
  std::vector<int32_t> out;
  if (ref.kind == ElementKind::Defeater || !takesPart(ref)) return out;
  for (int32_t d : liveDefeaters_) {
    const Rect& r = d_.defeater(d).ChallengedRect;
    if (ref.kind == ElementKind::Sentence ? sentenceInside(d_.sentence(ref.index), r)
                                          : arrowInside(d_.arrow(ref.index), r))
      out.push_back(d);
  }
  return out;
}

const RectangleHolds& WhyLookup::challenging(int32_t defeater) const {
  const auto found = challenging_.find(defeater);
  if (found != challenging_.end()) return found->second;
  const Rect& r = d_.defeater(defeater).ChallengingRect;
  RectangleHolds holds = rectangleHolds(d_, r);
  for (int32_t s : oddSentences_)
    if (sentenceInside(d_.sentence(s), r)) holds.sentences.push_back(s);
  std::sort(holds.sentences.begin(), holds.sentences.end());
  holds.sentences.erase(std::unique(holds.sentences.begin(), holds.sentences.end()), holds.sentences.end());
  return challenging_.emplace(defeater, std::move(holds)).first->second;
}

}  // namespace zorvex
