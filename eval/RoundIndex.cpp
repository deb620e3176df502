#include "eval/RoundIndex.h"

#include <algorithm>

#include "eval/BoxTree.h"
#include "eval/Queries.h"
#include "eval/RectangleSweep.h"

namespace zorvex {
namespace {

BoxQuery sentenceQuery(const Rect& r) {
  return {int64_t{r.Left} + 1, int64_t{r.Top} + 1, int64_t{r.Right} - 1, int64_t{r.Bottom} - 1};
}
BoxQuery arrowQuery(const Rect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// Numbers per item from (item, number) pairs, in one counting pass.
PackedLists packed(size_t count, const std::vector<std::pair<int32_t, int32_t>>& pairs) {
  PackedLists out;
  out.first.assign(count + 1, 0);
  for (const auto& p : pairs) ++out.first[static_cast<size_t>(p.first) + 1];
  for (size_t i = 0; i < count; ++i) out.first[i + 1] += out.first[i];
  out.ids.resize(pairs.size());
  std::vector<uint32_t> at(out.first.begin(), out.first.end() - 1);
  for (const auto& p : pairs) out.ids[at[static_cast<size_t>(p.first)]++] = p.second;
  return out;
}

// What each of two rectangle lists holds of one kind of element, within a
// budget of numbers for both; false when the budget runs out.
class Holder {
 public:
  explicit Holder(size_t budget) : left_(budget) {}

  bool hold(const std::vector<BoxKey>& keys, const std::vector<BoxQuery>& queries, const std::vector<uint8_t>& skip,
            PackedLists& first, PackedLists& second) {
    RectangleSweep sweep;
    sweep.prepare(keys, queries.size());
    RectangleSweep::Listing listing;
    sweep.list(keys, queries, skip, EvaluationQueries::DefaultListLimit, listing);
    BoxTree tree;
    bool treeMade = false;
    const size_t half = queries.size() / 2;
    for (PackedLists* out : {&first, &second}) {
      const size_t offset = out == &first ? 0 : half;
      out->first.assign(half + 1, 0);
      out->ids.clear();
      for (size_t d = 0; d < half; ++d) {
        const size_t q = offset + d;
        out->first[d] = static_cast<uint32_t>(out->ids.size());
        if (skip[q]) continue;
        if (listing.answer[q] == RectangleSweep::Answer::Listed) {
          const size_t n = static_cast<size_t>(listing.last[q] - listing.first[q]);
          if (n > left_) return false;
          out->ids.insert(out->ids.end(), listing.ids.begin() + listing.first[q], listing.ids.begin() + listing.last[q]);
          left_ -= n;
          continue;
        }
        if (!treeMade) tree.build(keys), treeMade = true;
        const size_t before = out->ids.size();
        if (!tree.collectInside(queries[q], left_, out->ids)) return false;
        left_ -= out->ids.size() - before;
      }
      out->first[half] = static_cast<uint32_t>(out->ids.size());
    }
    return true;
  }

 private:
  size_t left_;
};

}  // namespace

bool RoundIndex::build(const Diagram& g) {
  const size_t nS = g.sentences().size(), nA = g.arrows().size(), nD = g.defeaters().size();
  sentencePart.resize(nS);
  std::vector<BoxKey> sKeys, aKeys;
  sKeys.reserve(nS);
  for (size_t i = 0; i < nS; ++i) {
    const TSentence& s = g.sentences()[i];
    sentencePart[i] = s.Deleted ? 0 : 1;
    if (!s.Deleted) sKeys.push_back({s.Left, s.Top, s.Right, s.Bottom, static_cast<int32_t>(i)});
  }
  arrowRole.resize(nA);
  arrowStart.assign(nA, NoSentence);
  arrowEnd.assign(nA, NoSentence);
  aKeys.reserve(nA);
  std::vector<std::pair<int32_t, int32_t>> starts;
  starts.reserve(nA);
  for (size_t i = 0; i < nA; ++i) {
    const TArrow& a = g.arrows()[i];
    const auto n = static_cast<int32_t>(i);
    arrowRole[i] = a.Deleted ? Deleted : arrowResolved(g, a) ? TakesPart : Unresolved;
    if (a.Deleted) continue;
    aKeys.push_back({std::min(a.StartX, a.EndX), std::min(a.StartY, a.EndY), std::max(a.StartX, a.EndX),
                     std::max(a.StartY, a.EndY), n});
    if (arrowRole[i] != TakesPart) continue;
    arrowStart[i] = a.Sentence1;
    arrowEnd[i] = a.Sentence2;
    starts.emplace_back(a.Sentence1, n);
  }
  outArrows = packed(nS, starts);
  defeaterPart.resize(nD);
  std::vector<BoxQuery> sQueries(2 * nD), aQueries(2 * nD);
  std::vector<uint8_t> skip(2 * nD);
  for (size_t d = 0; d < nD; ++d) {
    const TDefeater& t = g.defeaters()[d];
    defeaterPart[d] = t.Deleted ? 0 : 1;
    skip[d] = skip[nD + d] = t.Deleted ? 1 : 0;
    sQueries[d] = sentenceQuery(t.ChallengingRect), sQueries[nD + d] = sentenceQuery(t.ChallengedRect);
    aQueries[d] = arrowQuery(t.ChallengingRect), aQueries[nD + d] = arrowQuery(t.ChallengedRect);
  }
  Holder holder(4 * (nS + nA + nD) + 4096);
  if (!holder.hold(sKeys, sQueries, skip, challengingS, challengedS) ||
      !holder.hold(aKeys, aQueries, skip, challengingA, challengedA))
    return false;
  const auto reversed = [nD](const PackedLists& lists, size_t count) {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    pairs.reserve(lists.ids.size());
    for (size_t d = 0; d < nD; ++d)
      for (int32_t id : lists.of(d)) pairs.emplace_back(id, static_cast<int32_t>(d));
    return packed(count, pairs);
  };
  sentenceIn = reversed(challengingS, nS);
  arrowIn = reversed(challengingA, nA);
  return true;
}

size_t RoundIndex::bytes() const {
  size_t total = sentencePart.capacity() + defeaterPart.capacity() + arrowRole.capacity() +
                 (arrowStart.capacity() + arrowEnd.capacity()) * sizeof(int32_t);
  for (const PackedLists* p : {&outArrows, &challengingS, &challengingA, &challengedS, &challengedA, &sentenceIn, &arrowIn})
    total += p->bytes();
  return total;
}

}  // namespace zorvex
