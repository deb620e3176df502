// The four passes of an incremental round and how a change spreads. Each
// pass decides its listed elements from the statuses as they stood when it
// began, exactly as the whole round's pass (eval/Passes.cpp) decides every
// element, and applies its decisions after the scan; applying a change
// updates the counts and lists the elements that read it.
#include <string_view>

#include "eval/IncrementalRounds.h"

namespace zorvex {
namespace {

Status base(Status s) { return static_cast<Status>(s & ~RoundMarkFlags); }

}  // namespace

void IncrementalRounds::arrowPass() {
  decided_.clear();
  arrowPass_.take([&](int32_t a) {
    const auto n = static_cast<size_t>(a);
    if (index_.arrowRole[n] != RoundIndex::TakesPart) return;
    const Status old = arrow_[n], from = base(old);
    Status next = from;
    if (!has(from, SetByUser) && goodSentence(index_.arrowStart[n])) {
      const bool attacked = attackedA_[n] > 0;
      if (!attacked && !has(from, Undefeated)) next = toPositive(from);
      if (attacked && !has(from, Defeated)) next = toNegative(from);
    }
    if (next != old) decided_.emplace_back(a, next);
  });
  for (const auto& [a, next] : decided_) writeArrow(a, next);
}

bool IncrementalRounds::sentencePass(const RuleSet& rules, const RoundTexts& texts, EvaluationLog& log) {
  decided_.clear();
  bool fired = false;
  const auto& sentences = diagram_.sentences();
  sentencePass_.take([&](int32_t s) {
    const auto n = static_cast<size_t>(s);
    if (!index_.sentencePart[n]) return;
    const Status old = sentence_[n], from = base(old);
    bool positive = false, negative = false, notEvaluated = false;
    const auto fire = [&](bool& which, std::string_view rest) {
      which = fired = true;
      log.AppendLogLine(quotedLine(sentences[n], rest));
    };
    if (!has(from, SetByUser)) {
      const bool support = support_[n] > 0, attacked = attackedS_[n] > 0;
      if (rules.rule1 && support && !has(from, Undefeated)) fire(positive, Rule1Rest);
      if (!support) {
        if (rules.rule2 && attacked && !has(from, Defeated)) fire(negative, Rule2Rest);
        if (rules.rule3a && !attacked && !has(from, NotEvaluated)) fire(notEvaluated, Rule3aRest);
        if (rules.rule3b && !attacked && !has(from, Undefeated)) fire(positive, texts.rule3b);
      }
    }
    Status next = from;
    if (positive) next = toPositive(next);
    if (negative) next = toNegative(next);
    if (notEvaluated) next = ToNotEvaluated;
    if (next != old) decided_.emplace_back(s, next);
  });
  for (const auto& [s, next] : decided_) writeSentence(s, next);
  if (!fired) log.AppendLogLine(texts.nothingNew);
  return fired;
}

void IncrementalRounds::unevaluatePass() {
  decided_.clear();
  unevaluatePass_.take([&](int32_t a) {
    const auto n = static_cast<size_t>(a);
    if (index_.arrowRole[n] != RoundIndex::TakesPart) return;
    const Status status = arrow_[n];
    if (!has(status, SetByUser) && !goodSentence(index_.arrowStart[n]) && !has(status, NotEvaluated))
      decided_.emplace_back(a, ToNotEvaluated);
  });
  for (const auto& [a, next] : decided_) writeArrow(a, next);
}

void IncrementalRounds::defeaterPass() {
  auto& defeaters = diagram_.defeatersForStatus();
  defeaterPass_.take([&](int32_t d) {
    const auto n = static_cast<size_t>(d);
    if (!index_.defeaterPart[n] || notEvaluated_[n] > 0) return;
    const auto next = static_cast<uint8_t>(defeated_[n] > 0 ? DefeaterState::Inactive : DefeaterState::Active);
    if (next == defeater_[n]) return;
    changes_[2].push_back({d, defeater_[n], next});
    defeater_[n] = next;
    defeaters[n].DefeaterState = static_cast<DefeaterState>(next);
  });
}

void IncrementalRounds::supportBy(int32_t s, int delta) {
  int32_t& count = support_[static_cast<size_t>(s)];
  const bool before = count > 0;
  count += delta;
  if ((count > 0) != before) sentencePass_.add(s);
}

// A challenge's spoilers went up or down: when it turns justified or stops
// being so, what it challenges is attacked by one more or one fewer.
void IncrementalRounds::spoilBy(int32_t d, int delta) {
  const auto n = static_cast<size_t>(d);
  const bool before = spoilers_[n] == 0;
  spoilers_[n] += delta;
  const bool after = spoilers_[n] == 0;
  if (before == after || !index_.defeaterPart[n]) return;
  const int by = after ? 1 : -1;
  for (int32_t s : index_.challengedS.of(n)) {
    int32_t& count = attackedS_[static_cast<size_t>(s)];
    const bool was = count > 0;
    count += by;
    if ((count > 0) != was) sentencePass_.add(s);
  }
  for (int32_t a : index_.challengedA.of(n)) {
    int32_t& count = attackedA_[static_cast<size_t>(a)];
    const bool was = count > 0;
    count += by;
    if ((count > 0) != was) arrowPass_.add(a);
  }
}

// A sentence's flags changed: its own pass, the arrows that start at it, the
// sentences those support and the defeaters whose challenge holds it read it.
void IncrementalRounds::sentenceMoved(int32_t s, Status before, Status after) {
  const auto n = static_cast<size_t>(s);
  sentencePass_.add(s);
  const bool part = index_.sentencePart[n] != 0;
  const bool wasGood = part && has(before, Undefeated), isGood = part && has(after, Undefeated);
  for (int32_t a : index_.outArrows.of(n)) {
    arrowPass_.add(a);
    unevaluatePass_.add(a);
    if (wasGood != isGood && goodArrow(a)) supportBy(index_.arrowEnd[static_cast<size_t>(a)], isGood ? 1 : -1);
  }
  const int notEvaluated = int{has(after, NotEvaluated)} - int{has(before, NotEvaluated)};
  const int defeated = int{has(after, Defeated)} - int{has(before, Defeated)};
  for (int32_t d : index_.sentenceIn.of(n)) {
    notEvaluated_[static_cast<size_t>(d)] += notEvaluated;
    defeated_[static_cast<size_t>(d)] += defeated;
    if (notEvaluated != 0 || defeated != 0) defeaterPass_.add(d);
    if (wasGood != isGood) spoilBy(d, isGood ? -1 : 1);
  }
}

void IncrementalRounds::arrowMoved(int32_t a, Status before, Status after) {
  const auto n = static_cast<size_t>(a);
  arrowPass_.add(a);
  unevaluatePass_.add(a);
  const bool resolved = index_.arrowRole[n] == RoundIndex::TakesPart;
  const bool wasGood = resolved && has(before, Undefeated), isGood = resolved && has(after, Undefeated);
  if (wasGood == isGood) return;
  if (resolved && goodSentence(index_.arrowStart[n])) supportBy(index_.arrowEnd[n], isGood ? 1 : -1);
  for (int32_t d : index_.arrowIn.of(n)) spoilBy(d, isGood ? -1 : 1);
}

}  // namespace zorvex
