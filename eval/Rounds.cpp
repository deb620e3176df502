#include "eval/Rounds.h"

#include "eval/Passes.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

std::string runRound(Diagram& diagram, const RuleSet& rules, const RoundTexts& texts, EvaluationLog& log) {
  EvaluationQueries queries(diagram);
  return RunRound(diagram, queries, rules, texts, log);
}

}  // namespace

std::string EvaluateOneRound(Diagram& diagram, const EvaluationOptions& options, EvaluationLog& log) {
  return runRound(diagram, options.evaluationRules(), EvaluateTexts, log);
}

std::string JumpOneRound(Diagram& diagram, const EvaluationOptions& options, EvaluationLog& log) {
  return runRound(diagram, options.jumpingRules(), JumpTexts, log);
}

void ResetAll(Diagram& diagram, EvaluationLog& log) {
  for (TSentence& s : diagram.sentencesForStatus()) s.Status = NotEvaluated;
  for (TArrow& a : diagram.arrowsForStatus()) a.Status = NotEvaluated;
  for (TDefeater& d : diagram.defeatersForStatus()) d.DefeaterState = DefeaterState::ActiveNorInactive;
  log.AppendLogLine("[Reset]");
  log.AppendLogLine("All sentences are unevaluated.");
  log.AppendLogLine("");
}

void SetStatusByUser(Diagram& diagram, int32_t sentence, UserStatus which, EvaluationLog& log) {
  if (sentence < 0 || sentence >= diagram.SentenceCount())
    throw ZorvexError("Sentence" + std::to_string(sentence) + " not found");
  TSentence& s = diagram.sentence(sentence);
  const char* rest = nullptr;
  switch (which) {
    case UserStatus::Justified:
      s.Status = Undefeated | SetByUser;
      rest = "' is justified (set by user).";
      break;
    case UserStatus::Unjustified:
      s.Status = Defeated | SetByUser;
      rest = "' is unjustified (set by user).";
      break;
    case UserStatus::NotEvaluated:
      s.Status = NotEvaluated;
      rest = "' is not evaluated (set by user).";
      break;
  }
  log.AppendLogLine("[User]");
  log.AppendLogLine("'" + s.Text + rest);
  log.AppendLogLine("");
}

bool UserStatusOffered(Status current, UserStatus which) {
  switch (which) {
    case UserStatus::Justified: return !has(current, Undefeated);
    case UserStatus::Unjustified: return !has(current, Defeated);
    case UserStatus::NotEvaluated: return !has(current, NotEvaluated);
  }
  return false;
}

}  // namespace zorvex
