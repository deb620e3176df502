#include "eval/IncrementalRounds.h"

#include <algorithm>

#include "eval/Queries.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

Status base(Status s) { return static_cast<Status>(s & ~RoundMarkFlags); }

}  // namespace

std::string IncrementalRounds::EvaluateOneRound(const EvaluationOptions& options, EvaluationLog& log) {
  return round(options.evaluationRules(), EvaluateTexts, log);
}

std::string IncrementalRounds::JumpOneRound(const EvaluationOptions& options, EvaluationLog& log) {
  return round(options.jumpingRules(), JumpTexts, log);
}

void IncrementalRounds::ResetAll(EvaluationLog& log) {
  zorvex::ResetAll(diagram_, log);
  statusesChanged();
}

void IncrementalRounds::SetStatusByUser(int32_t sentence, UserStatus which, EvaluationLog& log) {
  zorvex::SetStatusByUser(diagram_, sentence, which, log);
  statusChanged({ElementKind::Sentence, sentence});
}

void IncrementalRounds::statusChanged(ElementRef ref) {
  if (!indexValid_ || !usable_ || !countsValid_) return;
  const auto n = static_cast<size_t>(ref.index);
  const bool known = ref.kind == ElementKind::Sentence ? n < sentence_.size()
                     : ref.kind == ElementKind::Arrow  ? n < arrow_.size()
                                                       : n < defeater_.size();
  if (!known || !diagram_.exists(ref)) return drawingChanged();
  switch (ref.kind) {
    case ElementKind::Sentence: {
      const Status now = diagram_.sentence(ref.index).Status, before = sentence_[n];
      sentence_[n] = now;
      sentencePass_.add(ref.index);  // round marks may have come or gone
      if (base(now) != base(before)) sentenceMoved(ref.index, before, now);
      break;
    }
    case ElementKind::Arrow: {
      const Status now = diagram_.arrow(ref.index).Status, before = arrow_[n];
      arrow_[n] = now;
      arrowPass_.add(ref.index);
      if (base(now) != base(before)) arrowMoved(ref.index, before, now);
      break;
    }
    case ElementKind::Defeater: {
      defeater_[n] = static_cast<uint8_t>(diagram_.defeater(ref.index).DefeaterState);
      defeaterPass_.add(ref.index);
      break;
    }
  }
}

// The index follows the drawing, the counts the statuses; a round after
// either was invalidated visits everything.
bool IncrementalRounds::sync() {
  if (!indexValid_) {
    usable_ = index_.build(diagram_);
    indexValid_ = true;
    countsValid_ = false;
    if (usable_) {
      arrowPass_.resize(index_.arrowRole.size());
      unevaluatePass_.resize(index_.arrowRole.size());
      sentencePass_.resize(index_.sentencePart.size());
      defeaterPass_.resize(index_.defeaterPart.size());
    }
  }
  if (!usable_) return false;
  if (!countsValid_) {
    readStatuses();
    countAll();
    arrowPass_.addAll(), unevaluatePass_.addAll(), sentencePass_.addAll(), defeaterPass_.addAll();
    countsValid_ = true;
  }
  return true;
}

bool IncrementalRounds::prepare(const RuleSet& rules) {
  if (!indexValid_ && wholeNext_) {
    wholeNext_ = false;
    return false;
  }
  if (!sync()) return false;
  if (!haveRules_ || !(rules == rules_)) sentencePass_.addAll();
  return true;
}

void IncrementalRounds::readStatuses() {
  sentence_.clear(), arrow_.clear(), defeater_.clear();
  for (const TSentence& s : diagram_.sentences()) sentence_.push_back(s.Status);
  for (const TArrow& a : diagram_.arrows()) arrow_.push_back(a.Status);
  for (const TDefeater& d : diagram_.defeaters()) defeater_.push_back(static_cast<uint8_t>(d.DefeaterState));
}

void IncrementalRounds::countAll() {
  const size_t nS = sentence_.size(), nA = arrow_.size(), nD = defeater_.size();
  support_.assign(nS, 0);
  for (size_t a = 0; a < nA; ++a) {
    const auto n = static_cast<int32_t>(a);
    if (goodArrow(n) && goodSentence(index_.arrowStart[a])) ++support_[static_cast<size_t>(index_.arrowEnd[a])];
  }
  spoilers_.assign(nD, 0), notEvaluated_.assign(nD, 0), defeated_.assign(nD, 0);
  attackedS_.assign(nS, 0), attackedA_.assign(nA, 0);
  for (size_t d = 0; d < nD; ++d) {
    for (int32_t s : index_.challengingS.of(d)) {
      spoilers_[d] += !goodSentence(s);
      notEvaluated_[d] += has(sentence_[static_cast<size_t>(s)], NotEvaluated);
      defeated_[d] += has(sentence_[static_cast<size_t>(s)], Defeated);
    }
    for (int32_t a : index_.challengingA.of(d)) spoilers_[d] += !goodArrow(a);
    if (!index_.defeaterPart[d] || spoilers_[d] != 0) continue;
    for (int32_t s : index_.challengedS.of(d)) ++attackedS_[static_cast<size_t>(s)];
    for (int32_t a : index_.challengedA.of(d)) ++attackedA_[static_cast<size_t>(a)];
  }
}

std::string IncrementalRounds::round(const RuleSet& rules, const RoundTexts& texts, EvaluationLog& log) {
  for (auto& list : changes_) list.clear();
  if (!prepare(rules)) return wholeRound(rules, texts, log);
  visitedAll_ = arrowPass_.all() || sentencePass_.all() || unevaluatePass_.all() || defeaterPass_.all();
  log.AppendLogLine(texts.header);
  arrowPass();
  const bool fired = sentencePass(rules, texts, log);
  unevaluatePass();
  defeaterPass();
  log.AppendLogLine("");
  finishChanges();
  rules_ = rules;
  haveRules_ = true;
  return fired ? std::string() : std::string(texts.nothingNew);
}

// Rectangles holding too much: the whole round, its changes found by comparison.
std::string IncrementalRounds::wholeRound(const RuleSet& rules, const RoundTexts& texts, EvaluationLog& log) {
  visitedAll_ = true;
  readStatuses();
  const std::vector<Status> sentences = sentence_, arrows = arrow_;
  const std::vector<uint8_t> defeaters = defeater_;
  EvaluationQueries queries(diagram_);
  const std::string panel = RunRound(diagram_, queries, rules, texts, log);
  readStatuses();
  const auto compare = [](auto& out, const auto& before, const auto& after) {
    for (size_t i = 0; i < before.size(); ++i)
      if (before[i] != after[i]) out.push_back({static_cast<int32_t>(i), before[i], after[i]});
  };
  compare(changes_[0], sentences, sentence_);
  compare(changes_[1], arrows, arrow_);
  compare(changes_[2], defeaters, defeater_);
  return panel;
}

void IncrementalRounds::writeSentence(int32_t s, Status next) {
  const Status before = sentence_[static_cast<size_t>(s)];
  diagram_.sentencesForStatus()[static_cast<size_t>(s)].Status = next;
  sentence_[static_cast<size_t>(s)] = next;
  changes_[0].push_back({s, before, next});
  if (base(next) != base(before)) sentenceMoved(s, before, next);
}

void IncrementalRounds::writeArrow(int32_t a, Status next) {
  const Status before = arrow_[static_cast<size_t>(a)];
  diagram_.arrowsForStatus()[static_cast<size_t>(a)].Status = next;
  arrow_[static_cast<size_t>(a)] = next;
  changes_[1].push_back({a, before, next});
  if (base(next) != base(before)) arrowMoved(a, before, next);
}

// An arrow may be written twice in a round (by the arrow and the clean-up
// pass): one change from its first status to its last.
void IncrementalRounds::finishChanges() {
  auto& arrows = changes_[1];
  const auto before = [](const StatusChange& x, const StatusChange& y) { return x.index < y.index; };
  // Mostly in order already; a sort of one or two would still ask for a buffer.
  if (!std::is_sorted(arrows.begin(), arrows.end(), before)) std::stable_sort(arrows.begin(), arrows.end(), before);
  size_t out = 0;
  for (size_t i = 0; i < arrows.size(); ++i) {
    if (out > 0 && arrows[out - 1].index == arrows[i].index)
      arrows[out - 1].after = arrows[i].after;
    else
      arrows[out++] = arrows[i];
  }
  arrows.resize(out);
  std::erase_if(arrows, [](const StatusChange& c) { return c.before == c.after; });
}

size_t IncrementalRounds::bytes() const {
  size_t total = index_.bytes() + sentence_.capacity() + arrow_.capacity() + defeater_.capacity();
  for (const auto* v : {&support_, &spoilers_, &notEvaluated_, &defeated_, &attackedS_, &attackedA_})
    total += v->capacity() * sizeof(int32_t);
  for (const PendingSet* p : {&arrowPass_, &sentencePass_, &unevaluatePass_, &defeaterPass_}) total += p->bytes();
  total += decided_.capacity() * sizeof(decided_[0]);
  for (const auto& list : changes_) total += list.capacity() * sizeof(StatusChange);
  return total;
}

}  // namespace zorvex
