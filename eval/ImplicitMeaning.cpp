#include "eval/ImplicitMeaning.h"

#include "eval/Queries.h"

namespace zorvex {
namespace {

// A rule is an arrow that is not deleted and joins two counted sentences.
bool isRule(const Diagram& diagram, const TArrow& a) { return !a.Deleted && arrowResolved(diagram, a); }

const std::string& textOf(const Diagram& diagram, int32_t sentence) { return diagram.sentence(sentence).Text; }

bool justified(const Diagram& diagram, int32_t sentence) { return has(diagram.sentence(sentence).Status, Undefeated); }

std::string ruleWords(const Diagram& diagram, const TArrow& a) {
  return "rule with condition '" + textOf(diagram, a.Sentence1) + "' and conclusion '" +
         textOf(diagram, a.Sentence2) + "'";
}

// The last of the not deleted sentences in the rectangle, if it is the only one.
std::optional<int32_t> singleSentenceIn(const Diagram& diagram, const Rect& r) {
  int32_t count = 0, last = NoSentence;
  for (int32_t n = 0; n < diagram.SentenceCount(); ++n) {
    const TSentence& s = diagram.sentence(n);
    if (s.Deleted || !sentenceInside(s, r)) continue;
    ++count;
    last = n;
  }
  if (count != 1) return std::nullopt;
  return last;
}

std::optional<int32_t> singleArrowIn(const Diagram& diagram, const Rect& r) {
  int32_t count = 0, last = -1;
  for (int32_t n = 0; n < diagram.ArrowCount(); ++n) {
    const TArrow& a = diagram.arrow(n);
    if (a.Deleted || !arrowInside(a, r)) continue;
    ++count;
    last = n;
  }
  if (count != 1) return std::nullopt;
  return last;
}

}  // namespace

std::optional<ExceptionParts> IsOfExceptionType(const Diagram& diagram, int32_t d) {
  const TDefeater& defeater = diagram.defeater(d);
  const std::optional<int32_t> challenging = singleSentenceIn(diagram, defeater.ChallengingRect);
  if (!challenging || !justified(diagram, *challenging)) return std::nullopt;
  const std::optional<int32_t> arrow = singleArrowIn(diagram, defeater.ChallengedRect);
  if (!arrow) return std::nullopt;
  const TArrow& a = diagram.arrow(*arrow);
  if (!arrowResolved(diagram, a)) return std::nullopt;
  const TSentence& condition = diagram.sentence(a.Sentence1);
  const TSentence& conclusion = diagram.sentence(a.Sentence2);
  const bool holds = !InChallengedRect(condition, defeater) && InChallengedRect(conclusion, defeater) &&
                     has(condition.Status, Undefeated) && has(conclusion.Status, Defeated);
  if (!holds) return std::nullopt;
  return ExceptionParts{*challenging, *arrow, a.Sentence1, a.Sentence2};
}

void FindRules(const Diagram& diagram, EvaluationLog& log) {
  for (const TArrow& a : diagram.arrows()) {
    if (!isRule(diagram, a)) continue;
    log.AppendLogLine("The " + ruleWords(diagram, a) + " is valid.");
  }
}

void FindReasons(const Diagram& diagram, EvaluationLog& log) {
  for (const TArrow& a : diagram.arrows()) {
    if (!isRule(diagram, a) || !justified(diagram, a.Sentence1) || !justified(diagram, a.Sentence2)) continue;
    log.AppendLogLine("'" + textOf(diagram, a.Sentence1) + "' is a reason for '" + textOf(diagram, a.Sentence2) +
                      "'.");
  }
}

void FindExceptions(const Diagram& diagram, EvaluationLog& log) {
  for (int32_t d = 0; d < diagram.DefeaterCount(); ++d) {
    if (diagram.defeater(d).Deleted) continue;
    const std::optional<ExceptionParts> parts = IsOfExceptionType(diagram, d);
    if (!parts) continue;
    log.AppendLogLine("'" + textOf(diagram, parts->ChallengingSentence) + "' is an exception to the " +
                      ruleWords(diagram, diagram.arrow(parts->ChallengedArrow)) + ".");
  }
}

void ImplicitMeaning(const Diagram& diagram, EvaluationLog& log) {
  FindRules(diagram, log);
  FindReasons(diagram, log);
  FindExceptions(diagram, log);
}

std::optional<std::string> RuleSentenceText(const Diagram& diagram, int32_t arrow) {
  const TArrow& a = diagram.arrow(arrow);
  if (!arrowResolved(diagram, a)) return std::nullopt;
  return "De regel met voorwaarde '" + textOf(diagram, a.Sentence1) + "' en conclusie '" +
         textOf(diagram, a.Sentence2) + "' is geldig";
}

}  // namespace zorvex
