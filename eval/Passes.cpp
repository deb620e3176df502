#include "eval/Passes.h"

#include <string_view>
#include <vector>

#include "eval/Halves.h"

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

// Made in one allocation: a round may write hundreds of thousands of lines.
std::string quoted(const TSentence& s, std::string_view rest) {
  std::string line;
  line.reserve(1 + s.Text.size() + rest.size());
  line += '\'';
  line += s.Text;
  line += rest;
  return line;
}

// What one half of a scan decided, joined in order after both halves ran.
struct Decided {
  std::vector<int32_t> toPositive, toNegative, toNotEvaluated;
  std::vector<std::string> lines;
};

}  // namespace

const RoundTexts EvaluateTexts{"[Evaluate (one round)]",
                               "' is justified since it has no justified support, and is not attacked.",
                               "No new evaluations"};
const RoundTexts JumpTexts{"[Jump (one round)]",
                           "' is justified since it has no justified support and is not attacked.", "No new jumps"};

// The passes read statuses through the queries' copy and touch an element's
// record only to change it; clearing the round marks changes no answer.
// Each half of a scan clears the marks of its own elements only.
void EvaluateArrows(Diagram& diagram, EvaluationQueries& queries) {
  auto& arrows = diagram.arrowsForStatus();
  queries.answerArrowQuestions();
  Decided half[2];
  inHalves(arrows.size(), queries.twoThreadsFrom(), [&](size_t begin, size_t end, int h) {
    for (size_t i = begin; i < end; ++i) {
      const auto n = static_cast<int32_t>(i);
      if (!queries.arrowTakesPart(n)) continue;
      Status status = queries.arrowStatus(n);
      if (status & RoundMarks) {
        status = arrows[i].Status &= static_cast<Status>(~RoundMarks);
        queries.roundMarksCleared(ElementKind::Arrow, n);
      }
      if (has(status, SetByUser) || !queries.sentenceJustified(queries.arrowStart(n))) continue;
      const bool attacked = queries.IsArrowAttacked(n);
      if (!attacked && !has(status, Undefeated)) half[h].toPositive.push_back(n);
      if (attacked && !has(status, Defeated)) half[h].toNegative.push_back(n);
    }
  });
  constexpr ElementKind A = ElementKind::Arrow;
  for (const Decided& d : half)
    for (int32_t n : d.toPositive) set(arrows[n].Status, toPositive(arrows[n].Status), queries, A, n);
  for (const Decided& d : half)
    for (int32_t n : d.toNegative) set(arrows[n].Status, toNegative(arrows[n].Status), queries, A, n);
}

namespace {

// The rules for the sentences [begin, end): what they change and the lines they write.
void decideSentences(std::vector<TSentence>& sentences, EvaluationQueries& queries, const RuleSet& rules,
                     const RoundTexts& texts, size_t begin, size_t end, Decided& out) {
  auto fire = [&](std::vector<int32_t>& list, int32_t n, std::string_view rest) {
    list.push_back(n);
    out.lines.push_back(quoted(sentences[static_cast<size_t>(n)], rest));
  };
  for (size_t i = begin; i < end; ++i) {
    const auto n = static_cast<int32_t>(i);
    if (!queries.sentenceTakesPart(n)) continue;
    Status status = queries.sentenceStatus(n);
    if (status & RoundMarks) {
      status = sentences[i].Status &= static_cast<Status>(~RoundMarks);
      queries.roundMarksCleared(ElementKind::Sentence, n);
    }
    if (has(status, SetByUser)) continue;
    const bool support = queries.HasJustifiedSupport(n);
    if (rules.rule1 && support && !has(status, Undefeated))
      fire(out.toPositive, n, "' is justified since it has justified support.");
    if (support || !(rules.rule2 || rules.rule3a || rules.rule3b)) continue;
    const bool attacked = queries.IsAttacked(n);
    if (rules.rule2 && attacked && !has(status, Defeated))
      fire(out.toNegative, n,
           "' is unjustified since it has no justified support and is attacked by (justified) challenges.");
    if (rules.rule3a && !attacked && !has(status, NotEvaluated))
      fire(out.toNotEvaluated, n, "' is unevaluated since it has no justified support and is not attacked.");
    if (rules.rule3b && !attacked && !has(status, Undefeated)) fire(out.toPositive, n, texts.rule3b);
  }
}

}  // namespace

bool EvaluateSentencePass(Diagram& diagram, EvaluationQueries& queries, const RuleSet& rules, const RoundTexts& texts,
                          EvaluationLog& log) {
  auto& sentences = diagram.sentencesForStatus();
  queries.answerSentenceQuestions(rules.rule2 || rules.rule3a || rules.rule3b);
  Decided half[2];
  inHalves(sentences.size(), queries.twoThreadsFrom(), [&](size_t begin, size_t end, int h) {
    decideSentences(sentences, queries, rules, texts, begin, end, half[h]);
  });
  bool fired = false;
  for (Decided& d : half) {
    fired = fired || !d.lines.empty();
    for (std::string& line : d.lines) log.AppendLogLine(std::move(line));
  }
  constexpr ElementKind S = ElementKind::Sentence;
  for (const Decided& d : half)
    for (int32_t n : d.toPositive) set(sentences[n].Status, toPositive(sentences[n].Status), queries, S, n);
  for (const Decided& d : half)
    for (int32_t n : d.toNegative) set(sentences[n].Status, toNegative(sentences[n].Status), queries, S, n);
  for (const Decided& d : half)
    for (int32_t n : d.toNotEvaluated) set(sentences[n].Status, ToNotEvaluated, queries, S, n);
  if (!fired) log.AppendLogLine(texts.nothingNew);
  return fired;
}

void UnevaluateArrows(Diagram& diagram, EvaluationQueries& queries) {
  auto& arrows = diagram.arrowsForStatus();
  queries.readStatuses();
  Decided half[2];
  inHalves(arrows.size(), queries.twoThreadsFrom(), [&](size_t begin, size_t end, int h) {
    for (size_t i = begin; i < end; ++i) {
      const auto n = static_cast<int32_t>(i);
      if (!queries.arrowTakesPart(n)) continue;
      const Status status = queries.arrowStatus(n);
      if (!has(status, SetByUser) && !queries.sentenceJustified(queries.arrowStart(n)) && !has(status, NotEvaluated))
        half[h].toNotEvaluated.push_back(n);
    }
  });
  for (const Decided& d : half)
    for (int32_t n : d.toNotEvaluated) set(arrows[n].Status, ToNotEvaluated, queries, ElementKind::Arrow, n);
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
