#pragma once
// Reading the diagram as statements about rules: every arrow is the rule
// "condition (its start sentence) gives conclusion (its end sentence)", an
// arrow between two justified sentences is a reason that holds, and a
// defeater of exception type is an exception to one rule. The implicit-meaning
// command writes these in English to the evaluation log; the make-rule-explicit
// command words one rule in Dutch as the text of a new sentence.
//
// Deleted elements take no part. An arrow with an unresolved start or end
// sentence (NoSentence after loading) stands for no rule: it yields no rule
// and no reason line, and make-rule-explicit does nothing for it. Inside a
// challenged rectangle it still counts as one of the arrows there (it is
// drawn there, so the challenge is not aimed at one single rule), but it is
// never itself the challenged rule.
#include <cstdint>
#include <optional>
#include <string>

#include "eval/EvaluationLog.h"
#include "model/Diagram.h"

namespace zorvex {

// What an exception consists of: element numbers of the single justified
// sentence in the challenging rectangle, the single arrow in the challenged
// rectangle, and that arrow's condition and conclusion sentences.
struct ExceptionParts {
  int32_t ChallengingSentence = NoSentence;
  int32_t ChallengedArrow = -1;
  int32_t ConditionSentence = NoSentence;
  int32_t ConclusionSentence = NoSentence;
};

// The parts when defeater d is of exception type, nothing otherwise.
// The defeater's own Deleted mark is not looked at (FindExceptions skips it).
std::optional<ExceptionParts> IsOfExceptionType(const Diagram& diagram, int32_t d);

// Each appends its lines, in element number order, and nothing else: no
// header, no empty line, no save, no status change.
void FindRules(const Diagram& diagram, EvaluationLog& log);
void FindReasons(const Diagram& diagram, EvaluationLog& log);
void FindExceptions(const Diagram& diagram, EvaluationLog& log);
// The implicit-meaning command: rules, then reasons, then exceptions.
void ImplicitMeaning(const Diagram& diagram, EvaluationLog& log);

// "De regel met voorwaarde '<condition>' en conclusie '<conclusion>' is geldig"
// (no full stop) for the arrow; nothing when a side is unresolved.
std::optional<std::string> RuleSentenceText(const Diagram& diagram, int32_t arrow);

}  // namespace zorvex
