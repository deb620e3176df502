#include "eval/Passes.h"

#include <vector>

namespace zorvex {
namespace {

constexpr Status RoundMarks = JustEvaluated | StatusFlipped;

Status toPositive(Status old) { return has(old, Defeated) ? Undefeated | JustEvaluated | StatusFlipped : Undefeated | JustEvaluated; }
Status toNegative(Status old) { return has(old, Undefeated) ? Defeated | JustEvaluated | StatusFlipped : Defeated | JustEvaluated; }
constexpr Status ToNotEvaluated = NotEvaluated | JustEvaluated;

bool takesPart(const Diagram& diagram, const TArrow& a) { return !a.Deleted && arrowResolved(diagram, a); }

std::string quoted(const TSentence& s, const char* rest) { return "'" + s.Text + rest; }

}  // namespace

const RoundTexts EvaluateTexts{"[Evaluate (one round)]",
                               "' is justified since it has no justified support, and is not attacked.",
                               "No new evaluations"};
const RoundTexts JumpTexts{"[Jump (one round)]",
                           "' is justified since it has no justified support and is not attacked.", "No new jumps"};

void EvaluateArrows(Diagram& diagram, EvaluationQueries& queries) {
  auto& arrows = diagram.arrowsForStatus();
  std::vector<int32_t> toSupporting, toNotSupporting;
  for (int32_t n = 0; n < diagram.ArrowCount(); ++n) {
    TArrow& a = arrows[n];
    if (!takesPart(diagram, a)) continue;
    // Clearing the round marks changes nothing the queries or the decisions read.
    a.Status &= static_cast<Status>(~RoundMarks);
    if (has(a.Status, SetByUser) || !queries.sentenceJustified(a.Sentence1)) continue;
    const bool attacked = queries.IsArrowAttacked(n);
    if (!attacked && !has(a.Status, Undefeated)) toSupporting.push_back(n);
    if (attacked && !has(a.Status, Defeated)) toNotSupporting.push_back(n);
  }
  for (int32_t n : toSupporting) arrows[n].Status = toPositive(arrows[n].Status);
  for (int32_t n : toNotSupporting) arrows[n].Status = toNegative(arrows[n].Status);
  queries.statusesChanged(ElementKind::Arrow, toSupporting);
  queries.statusesChanged(ElementKind::Arrow, toNotSupporting);
}

bool EvaluateSentencePass(Diagram& diagram, EvaluationQueries& queries, const RuleSet& rules, const RoundTexts& texts,
                          EvaluationLog& log) {
  auto& sentences = diagram.sentencesForStatus();
  std::vector<int32_t> toJustified, toUnjustified, toNotEvaluated;
  bool fired = false;
  auto fire = [&](std::vector<int32_t>& list, int32_t n, const char* rest) {
    list.push_back(n);
    log.AppendLogLine(quoted(sentences[n], rest));
    fired = true;
  };
  for (int32_t n = 0; n < diagram.SentenceCount(); ++n) {
    TSentence& s = sentences[n];
    if (s.Deleted) continue;
    s.Status &= static_cast<Status>(~RoundMarks);  // read by no query and no rule
    if (has(s.Status, SetByUser)) continue;
    const bool support = queries.HasJustifiedSupport(n);
    if (rules.rule1 && support && !has(s.Status, Undefeated))
      fire(toJustified, n, "' is justified since it has justified support.");
    if (support || !(rules.rule2 || rules.rule3a || rules.rule3b)) continue;
    const bool attacked = queries.IsAttacked(n);
    if (rules.rule2 && attacked && !has(s.Status, Defeated))
      fire(toUnjustified, n, "' is unjustified since it has no justified support and is attacked by (justified) challenges.");
    if (rules.rule3a && !attacked && !has(s.Status, NotEvaluated))
      fire(toNotEvaluated, n, "' is unevaluated since it has no justified support and is not attacked.");
    if (rules.rule3b && !attacked && !has(s.Status, Undefeated)) fire(toJustified, n, texts.rule3b);
  }
  for (int32_t n : toJustified) sentences[n].Status = toPositive(sentences[n].Status);
  for (int32_t n : toUnjustified) sentences[n].Status = toNegative(sentences[n].Status);
  for (int32_t n : toNotEvaluated) sentences[n].Status = ToNotEvaluated;
  queries.statusesChanged(ElementKind::Sentence, toJustified);
  queries.statusesChanged(ElementKind::Sentence, toUnjustified);
  queries.statusesChanged(ElementKind::Sentence, toNotEvaluated);
  if (!fired) log.AppendLogLine(texts.nothingNew);
  return fired;
}

void UnevaluateArrows(Diagram& diagram, EvaluationQueries& queries) {
  auto& arrows = diagram.arrowsForStatus();
  std::vector<int32_t> toNotEvaluated;
  for (int32_t n = 0; n < diagram.ArrowCount(); ++n) {
    const TArrow& a = arrows[n];
    if (takesPart(diagram, a) && !has(a.Status, SetByUser) && !queries.sentenceJustified(a.Sentence1) &&
        !has(a.Status, NotEvaluated))
      toNotEvaluated.push_back(n);
  }
  for (int32_t n : toNotEvaluated) arrows[n].Status = ToNotEvaluated;
  queries.statusesChanged(ElementKind::Arrow, toNotEvaluated);
}

void EvaluateDefeaters(Diagram& diagram, EvaluationQueries& queries) {
  auto& defeaters = diagram.defeatersForStatus();
  for (int32_t n = 0; n < diagram.DefeaterCount(); ++n) {
    TDefeater& d = defeaters[n];
    if (d.Deleted) continue;
    const ChallengingSentences held = queries.challengingSentences(n);
    if (held.anyNotEvaluated) continue;
    d.DefeaterState = held.anyDefeated ? DefeaterState::Inactive : DefeaterState::Active;
  }
}

std::string RunRound(Diagram& diagram, EvaluationQueries& queries, const RuleSet& rules, const RoundTexts& texts,
                     EvaluationLog& log) {
  log.AppendLogLine(texts.header);
  EvaluateArrows(diagram, queries);
  const bool fired = EvaluateSentencePass(diagram, queries, rules, texts, log);
  UnevaluateArrows(diagram, queries);
  EvaluateDefeaters(diagram, queries);
  log.AppendLogLine("");
  return fired ? std::string() : std::string(texts.nothingNew);
}

}  // namespace zorvex
