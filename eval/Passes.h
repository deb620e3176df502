#pragma once
// The four passes of a round. Each pass decides every change on the statuses
// as they stood when it began (it collects first and applies after its scan),
// and sees the results of the passes before it.
//
// Rounds leave alone what takes no part in them: deleted elements (not even
// their round marks are cleared) and arrows whose start or end sentence was
// not resolved at loading. A deleted start sentence counts as not justified.
//
// The queries must be made for the same diagram; the passes tell them what
// they change, and whoever else changes statuses in between must call
// statusesChanged().
#include <string>
#include <string_view>

#include "eval/EvaluationLog.h"
#include "eval/EvaluationOptions.h"
#include "eval/Queries.h"
#include "model/Diagram.h"

namespace zorvex {

// The texts in which the two kinds of round differ.
struct RoundTexts {
  const char* header;      // "[Evaluate (one round)]"
  const char* rule3b;      // the part of the rule 3b line after the sentence's text
  const char* nothingNew;  // "No new evaluations"
};
extern const RoundTexts EvaluateTexts;
extern const RoundTexts JumpTexts;

// The parts of the rules' log lines after the sentence's text that both
// kinds of round share.
extern const char* const Rule1Rest;
extern const char* const Rule2Rest;
extern const char* const Rule3aRest;

// The values a round assigns: marked as changed in this round, and as
// turned over when they replace the opposite one.
constexpr Status RoundMarkFlags = JustEvaluated | StatusFlipped;
inline Status toPositive(Status old) {
  return has(old, Defeated) ? Undefeated | JustEvaluated | StatusFlipped : Undefeated | JustEvaluated;
}
inline Status toNegative(Status old) {
  return has(old, Undefeated) ? Defeated | JustEvaluated | StatusFlipped : Defeated | JustEvaluated;
}
constexpr Status ToNotEvaluated = NotEvaluated | JustEvaluated;

// "'" + the sentence's text + rest, in one allocation: a round may write
// hundreds of thousands of lines.
std::string quotedLine(const TSentence& s, std::string_view rest);

// Arrows from justified sentences become supporting or not supporting.
void EvaluateArrows(Diagram& diagram, EvaluationQueries& queries);

// Applies the switched-on rules to every sentence not fixed by the user and
// appends one log line per rule that fired, and the "nothing new" line when
// none did. Returns whether any rule fired.
bool EvaluateSentencePass(Diagram& diagram, EvaluationQueries& queries, const RuleSet& rules, const RoundTexts& texts,
                          EvaluationLog& log);
inline bool EvaluateSentences(Diagram& diagram, EvaluationQueries& queries, const EvaluationOptions& options,
                              EvaluationLog& log) {
  return EvaluateSentencePass(diagram, queries, options.evaluationRules(), EvaluateTexts, log);
}
inline bool JumpSentences(Diagram& diagram, EvaluationQueries& queries, const EvaluationOptions& options,
                          EvaluationLog& log) {
  return EvaluateSentencePass(diagram, queries, options.jumpingRules(), JumpTexts, log);
}

// Arrows whose start sentence is not justified any more become not evaluated.
void UnevaluateArrows(Diagram& diagram, EvaluationQueries& queries);

// Each defeater becomes active or inactive from the sentences in its
// challenging rectangle, or keeps its state while one of them is not evaluated.
void EvaluateDefeaters(Diagram& diagram, EvaluationQueries& queries);

// A whole round on queries made for the diagram: the header line, the four
// passes and the closing empty line. Returns the text of status bar panel 1.
std::string RunRound(Diagram& diagram, EvaluationQueries& queries, const RuleSet& rules, const RoundTexts& texts,
                     EvaluationLog& log);

}  // namespace zorvex
