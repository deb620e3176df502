#include "explain/UntilStable.h"

#include <algorithm>
#include <climits>
#include <unordered_map>
#include <vector>

#include "explain/RecordedSteps.h"

namespace zorvex {
namespace {

constexpr ElementKind Kinds[] = {ElementKind::Sentence, ElementKind::Arrow, ElementKind::Defeater};

uint64_t keyOf(ElementKind kind, int32_t n) { return (uint64_t{static_cast<uint8_t>(kind)} << 32) | uint32_t(n); }

uint8_t compared(ElementKind kind, uint8_t status) {
  if (kind == ElementKind::Defeater) return status;
  return has(status, Undefeated) ? 2 : has(status, Defeated) ? 1 : 0;
}

// The contribution of one element's status to the hash of all statuses (a
// sum, so it can be updated change by change).
uint64_t mix(ElementKind kind, int32_t n, uint8_t status) {
  uint64_t x = (keyOf(kind, n) << 2 | compared(kind, status)) * 0x9E3779B97F4A7C15ull;
  x ^= x >> 31;
  x *= 0xBF58476D1CE4E5B9ull;
  return x ^ (x >> 29);
}

// The hash after each round of the run, in one flat table: a node per round
// would cost a million rounds more than the rounds themselves. A slot holds
// a round and its hash's high half; the whole hashes lie in round order.
class SeenHashes {
 public:
  // The earlier round with this hash for which same(round) holds, or -1;
  // then the round is added (rounds come as 0, 1, 2, ...).
  template <class Same>
  int32_t findThenAdd(uint64_t hash, int32_t round, Same same) {
    if (2 * (hashes_.size() + 1) > slots_.size()) grow();
    const size_t mask = slots_.size() - 1;
    const auto high = static_cast<uint32_t>(hash >> 32);
    int32_t found = -1;
    size_t i = hash & mask;
    for (; slots_[i].round >= 0; i = (i + 1) & mask)
      if (found < 0 && slots_[i].high == high && hashes_[static_cast<size_t>(slots_[i].round)] == hash &&
          same(slots_[i].round))
        found = slots_[i].round;
    slots_[i] = {high, round};
    hashes_.push_back(hash);
    return found;
  }

 private:
  struct Slot {
    uint32_t high = 0;
    int32_t round = -1;
  };
  void grow() {
    slots_.assign(std::max<size_t>(64, 2 * slots_.size()), Slot{});
    const size_t mask = slots_.size() - 1;
    for (size_t r = 0; r < hashes_.size(); ++r) {
      size_t i = hashes_[r] & mask;
      while (slots_[i].round >= 0) i = (i + 1) & mask;
      slots_[i] = {static_cast<uint32_t>(hashes_[r] >> 32), static_cast<int32_t>(r)};
    }
  }
  std::vector<Slot> slots_;
  std::vector<uint64_t> hashes_;
};

class StateHashes {
 public:
  // Two states' hashes are compared, never a hash with the statuses: the
  // sum over the statuses the run started from may stand as 0.
  explicit StateHashes(const StatusRecord& record) : record_(record), firstStep_(record.stepCount()) {
    seen_.findThenAdd(hash_, 0, [](int32_t) { return false; });
  }

  // After round `r` of the run: whether it changed any compared status.
  bool roundChanged(int32_t r) {
    bool changed = false;
    const RecordedStep& step = record_.step(firstStep_ + r - 1);
    for (ElementKind k : Kinds)
      for (const Assignment& a : step.assigned[static_cast<size_t>(k)]) {
        const uint8_t was = compared(k, a.before), now = compared(k, a.after);
        if (was == now) continue;
        changed = true;
        hash_ += mix(k, a.index, a.after) - mix(k, a.index, a.before);
      }
    return changed;
  }

  // An earlier state of the run (0: before the first round) equal to the one after round r, or -1.
  int32_t earlierEqual(const Diagram& d, int32_t r) {
    return seen_.findThenAdd(hash_, r, [&](int32_t j) { return sameAs(d, j, r); });
  }

 private:
  // The state after round j equals the present one when every status the
  // rounds since changed is back to what it was then.
  bool sameAs(const Diagram& d, int32_t j, int32_t r) const {
    std::unordered_map<uint64_t, uint8_t> then;
    for (int32_t s = j + 1; s <= r; ++s)
      for (ElementKind k : Kinds)
        for (const Assignment& a : record_.step(firstStep_ + s - 1).assigned[static_cast<size_t>(k)])
          then.emplace(keyOf(k, a.index), compared(k, a.before));
    for (const auto& [key, value] : then) {
      const ElementRef ref{static_cast<ElementKind>(key >> 32), static_cast<int32_t>(key & 0xFFFFFFFFu)};
      if (compared(ref.kind, record_.now(d, ref).status) != value) return false;
    }
    return true;
  }

  const StatusRecord& record_;
  const int32_t firstStep_;
  uint64_t hash_ = 0;
  SeenHashes seen_;
};

}  // namespace

std::string roundsText(int64_t n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
  return digits + (n == 1 ? " round" : " rounds");
}

int32_t untilStableLimit(const Diagram& d) {
  const int64_t elements = int64_t{d.SentenceCount()} + d.ArrowCount() + d.DefeaterCount();
  return static_cast<int32_t>(std::clamp<int64_t>(elements, UntilStableLimit, INT32_MAX));
}

namespace {

// One round of the run, recorded as the button's round is.
using RunOneRound = std::function<void(int32_t round)>;

UntilStableOutcome runUntilStable(const Diagram& diagram, StatusRecord& record, EvaluationLog& log,
                                  const std::function<bool(int32_t)>& keepGoing, int32_t limit,
                                  const RunOneRound& runRound) {
  UntilStableOutcome out;
  if (limit <= 0) limit = untilStableLimit(diagram);
  StateHashes states(record);
  for (int32_t r = 1;; ++r) {
    if (r > 1 && keepGoing && !keepGoing(r - 1)) {
      out.end = UntilStableOutcome::Stopped;
      out.message = "Stopped after " + roundsText(r - 1);
      break;
    }
    runRound(r);
    out.rounds = r;
    if (!states.roundChanged(r)) {
      out.message = "Stable after " + roundsText(r);
      break;
    }
    const int32_t earlier = states.earlierEqual(diagram, r);
    if (earlier >= 0) {
      out.end = UntilStableOutcome::Repeats;
      out.period = r - earlier;
      out.message = "The evaluation repeats every " + roundsText(out.period);
      break;
    }
    if (r >= limit) {
      out.end = UntilStableOutcome::Limit;
      out.message = "Not stable after " + roundsText(r);
      break;
    }
  }
  log.AppendLogLine(out.message);
  log.AppendLogLine("");
  return out;
}

}  // namespace

UntilStableOutcome EvaluateUntilStable(Diagram& diagram, StatusRecord& record, const EvaluationOptions& options,
                                       EvaluationLog& log, int32_t label, const std::function<bool(int32_t)>& keepGoing,
                                       int32_t limit, RoundWay way) {
  if (way == RoundWay::Incremental) {
    IncrementalRounds rounds(diagram);
    return EvaluateUntilStable(rounds, diagram, record, options, log, label, keepGoing, limit);
  }
  return runUntilStable(diagram, record, log, keepGoing, limit,
                        [&](int32_t r) { RecordedRound(diagram, record, false, options, log, label, r); });
}

UntilStableOutcome EvaluateUntilStable(IncrementalRounds& rounds, Diagram& diagram, StatusRecord& record,
                                       const EvaluationOptions& options, EvaluationLog& log, int32_t label,
                                       const std::function<bool(int32_t)>& keepGoing, int32_t limit) {
  return runUntilStable(diagram, record, log, keepGoing, limit, [&](int32_t r) {
    record.before(diagram);
    rounds.EvaluateOneRound(options, log);
    record.finishRoundFrom(diagram, rounds.lastChanges(), false, options.evaluationRules(), label, r);
  });
}

}  // namespace zorvex
