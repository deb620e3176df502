#include "explain/WhyLookup.h"

#include <algorithm>
#include <thread>

#include "eval/Queries.h"

namespace zorvex {

bool WhyLookup::odd(const TSentence& s) const {
  return s.Right < s.Left || s.Bottom < s.Top || s.Width < 1 || s.Height < 1;
}

WhyLookup::WhyLookup(const Diagram& diagram) : d_(diagram) {
  int32_t n = 0;
  for (const TSentence& s : d_.sentences()) {
    if (!s.Deleted && odd(s)) oddSentences_.push_back(n);
    ++n;
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

// One pass over the arrow records notes each arrow's end (or -1), then the
// compact ends are counted and filled: the records, the bulk of the memory,
// are read once.
// On a large diagram the second half of the records is read on a second
// thread: reading them is the whole cost.
void WhyLookup::indexArrows() const {
  const int32_t count = d_.ArrowCount();
  std::vector<int32_t> ends(static_cast<size_t>(count));
  const auto noteEnds = [&](int32_t from, int32_t to) {
    for (int32_t a = from; a < to; ++a) ends[static_cast<size_t>(a)] = arrowTakesPart(a) ? d_.arrow(a).Sentence2 : -1;
  };
  const int32_t half = count >= 100000 ? count / 2 : count;
  std::thread second;
  if (half < count) second = std::thread(noteEnds, half, count);
  noteEnds(0, half);
  if (second.joinable()) second.join();
  arrowFirst_.assign(static_cast<size_t>(d_.SentenceCount()) + 1, 0);
  for (const int32_t end : ends)
    if (end >= 0) ++arrowFirst_[static_cast<size_t>(end) + 1];
  for (size_t n = 1; n < arrowFirst_.size(); ++n) arrowFirst_[n] += arrowFirst_[n - 1];
  arrowList_.resize(static_cast<size_t>(arrowFirst_.back()));
  std::vector<int32_t> next(arrowFirst_.begin(), arrowFirst_.end() - 1);
  for (size_t a = 0; a < ends.size(); ++a)
    if (ends[a] >= 0) arrowList_[static_cast<size_t>(next[static_cast<size_t>(ends[a])]++)] = static_cast<int32_t>(a);
  arrowsIndexed_ = true;
}

std::vector<int32_t> WhyLookup::arrowsTo(int32_t sentence) const {
  if (!arrowsIndexed_) indexArrows();
  const auto from = arrowList_.begin() + arrowFirst_[static_cast<size_t>(sentence)];
  const auto to = arrowList_.begin() + arrowFirst_[static_cast<size_t>(sentence) + 1];
  return {from, to};
}

// A rectangle holding an arrow holds its start point, and one holding a
// sentence with a proper box holds the box's corner; the defeater's drawn
// extent covers its challenged rectangle, so the index finds it from that
// point. Odd boxes are checked against every defeater.
std::vector<int32_t> WhyLookup::challengedHolding(ElementRef ref) const {
  std::vector<int32_t> out;
  if (ref.kind == ElementKind::Defeater || !takesPart(ref)) return out;
  const auto holds = [&](int32_t d) {
    const TDefeater& def = d_.defeater(d);
    if (def.Deleted) return false;
    return ref.kind == ElementKind::Sentence ? sentenceInside(d_.sentence(ref.index), def.ChallengedRect)
                                             : arrowInside(d_.arrow(ref.index), def.ChallengedRect);
  };
  if (ref.kind == ElementKind::Sentence && odd(d_.sentence(ref.index))) {
    for (int32_t d = 0; d < d_.DefeaterCount(); ++d)
      if (holds(d)) out.push_back(d);
    return out;
  }
  Point p{0, 0};
  if (ref.kind == ElementKind::Sentence) p = {d_.sentence(ref.index).Left, d_.sentence(ref.index).Top};
  else p = {d_.arrow(ref.index).StartX, d_.arrow(ref.index).StartY};
  std::vector<ElementRef> found;
  d_.query({p.x, p.y, p.x, p.y}, found);
  for (const ElementRef& f : found)
    if (f.kind == ElementKind::Defeater && holds(f.index)) out.push_back(f.index);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
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
