#include "eval/Passes.h"

#include <vector>

namespace zorvex {
namespace {

constexpr Status RoundMarks = JustEvaluated | StatusFlipped;

// A new value, marked as changed in this round, and as turned over when it
// replaces the opposite one.
Status toPositive(Status old) {
  return has(old, Defeated) ? Undefeated | JustEvaluated | StatusFlipped : Undefeated | JustEvaluated;
}
Status toNegative(Status old) {
  return has(old, Undefeated) ? Defeated | JustEvaluated | StatusFlipped : Defeated | JustEvaluated;
}
constexpr Status ToNotEvaluated = NotEvaluated | JustEvaluated;

// Applies a collected change and tells the queries while the record is at hand.
void set(Status& status, Status value, EvaluationQueries& queries, ElementKind kind, int32_t n) {
  status = value;
  queries.statusChanged(kind, n);
}

std::string quoted(const TSentence& s, const char* rest) { return "'" + s.Text + rest; }

}  // namespace

const RoundTexts EvaluateTexts{"[Evaluate (one round)]",
                               "' is justified since it has no justified support, and is not attacked.",
                               "No new evaluations"};
const RoundTexts JumpTexts{"[Jump (one round)]",
                           "' is justified since it has no justified support and is not attacked.", "No new jumps"};

// The passes read statuses through the queries' copy and touch an element's
// record only to change it; clearing the round marks changes no answer.
void EvaluateArrows(Diagram& diagram, EvaluationQueries& queries) {
  auto& arrows = diagram.arrowsForStatus();
  std::vector<int32_t> toSupporting, toNotSupporting;
  for (int32_t n = 0; n < diagram.ArrowCount(); ++n) {
    if (!queries.arrowTakesPart(n)) continue;
    Status status = queries.arrowStatus(n);
    if (status & RoundMarks) {
      status = arrows[n].Status &= static_cast<Status>(~RoundMarks);
      queries.roundMarksCleared(ElementKind::Arrow, n);
    }
    if (has(status, SetByUser) || !queries.sentenceJustified(queries.arrowStart(n))) continue;
    const bool attacked = queries.IsArrowAttacked(n);
    if (!attacked && !has(status, Undefeated)) toSupporting.push_back(n);
    if (attacked && !has(status, Defeated)) toNotSupporting.push_back(n);
  }
  for (int32_t n : toSupporting) set(arrows[n].Status, toPositive(arrows[n].Status), queries, ElementKind::Arrow, n);
  for (int32_t n : toNotSupporting) set(arrows[n].Status, toNegative(arrows[n].Status), queries, ElementKind::Arrow, n);
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
    if (!queries.sentenceTakesPart(n)) continue;
    Status status = queries.sentenceStatus(n);
    if (status & RoundMarks) {
      status = sentences[n].Status &= static_cast<Status>(~RoundMarks);
      queries.roundMarksCleared(ElementKind::Sentence, n);
    }
    if (has(status, SetByUser)) continue;
    const bool support = queries.HasJustifiedSupport(n);
    if (rules.rule1 && support && !has(status, Undefeated))
      fire(toJustified, n, "' is justified since it has justified support.");
    if (support || !(rules.rule2 || rules.rule3a || rules.rule3b)) continue;
    const bool attacked = queries.IsAttacked(n);
    if (rules.rule2 && attacked && !has(status, Defeated))
      fire(toUnjustified, n,
           "' is unjustified since it has no justified support and is attacked by (justified) challenges.");
    if (rules.rule3a && !attacked && !has(status, NotEvaluated))
      fire(toNotEvaluated, n, "' is unevaluated since it has no justified support and is not attacked.");
    if (rules.rule3b && !attacked && !has(status, Undefeated)) fire(toJustified, n, texts.rule3b);
  }
  constexpr ElementKind S = ElementKind::Sentence;
  for (int32_t n : toJustified) set(sentences[n].Status, toPositive(sentences[n].Status), queries, S, n);
  for (int32_t n : toUnjustified) set(sentences[n].Status, toNegative(sentences[n].Status), queries, S, n);
  for (int32_t n : toNotEvaluated) set(sentences[n].Status, ToNotEvaluated, queries, S, n);
  if (!fired) log.AppendLogLine(texts.nothingNew);
  return fired;
}

void UnevaluateArrows(Diagram& diagram, EvaluationQueries& queries) {
  std::vector<int32_t> toNotEvaluated;
  for (int32_t n = 0; n < diagram.ArrowCount(); ++n) {
    if (!queries.arrowTakesPart(n)) continue;
    const Status status = queries.arrowStatus(n);
    if (!has(status, SetByUser) && !queries.sentenceJustified(queries.arrowStart(n)) && !has(status, NotEvaluated))
      toNotEvaluated.push_back(n);
  }
  auto& arrows = diagram.arrowsForStatus();
  for (int32_t n : toNotEvaluated) set(arrows[n].Status, ToNotEvaluated, queries, ElementKind::Arrow, n);
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
