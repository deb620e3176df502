#include "tools/Steps.h"

#include <cctype>
#include <charconv>

#include "edit/DiagramEdit.h"
#include "explain/RecordedSteps.h"
#include "explain/UntilStable.h"
#include "model/ZorvexError.h"
#include "tools/Cli.h"

namespace zorvex::tools {
namespace {

[[noreturn]] void badStep(std::string_view word) {
  throw UsageError("Unknown step '" + std::string(word) +
                   "' (use evaluate, jump, until-stable, reset, justified:N, unjustified:N or not-evaluated:N)");
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

Step parseStep(std::string_view word) {
  Step step;
  step.word = std::string(word);
  if (word == "evaluate") return step.kind = Step::Evaluate, step;
  if (word == "jump") return step.kind = Step::Jump, step;
  if (word == "reset") return step.kind = Step::Reset, step;
  if (word == "until-stable") return step.kind = Step::UntilStable, step;
  const size_t colon = word.find(':');
  if (colon == std::string_view::npos) badStep(word);
  const std::string_view name = word.substr(0, colon), number = word.substr(colon + 1);
  if (name == "justified") step.status = UserStatus::Justified;
  else if (name == "unjustified") step.status = UserStatus::Unjustified;
  else if (name == "not-evaluated") step.status = UserStatus::NotEvaluated;
  else badStep(word);
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), step.sentence);
  if (number.empty() || ec != std::errc() || end != number.data() + number.size() || step.sentence < 0)
    throw UsageError("Bad sentence number in step '" + std::string(word) + "'");
  step.kind = Step::SetStatus;
  return step;
}

}  // namespace

std::vector<Step> parseSteps(std::string_view text) {
  std::vector<Step> steps;
  while (true) {
    const size_t comma = text.find(',');
    steps.push_back(parseStep(trimmed(text.substr(0, comma))));
    if (comma == std::string_view::npos) return steps;
    text.remove_prefix(comma + 1);
  }
}

void checkSteps(const std::vector<Step>& steps, const Diagram& diagram) {
  for (const Step& s : steps)
    if (s.kind == Step::SetStatus && s.sentence >= diagram.SentenceCount())
      throw UsageError("No sentence " + std::to_string(s.sentence) + " in step '" + s.word + "' (the diagram has " +
                       std::to_string(diagram.SentenceCount()) + " sentences)");
}

EvaluationOptions optionsFromSets(const std::string& evaluateSet, const std::string& jumpSet) {
  EvaluationOptions options;
  try {
    if (!evaluateSet.empty()) options.setEvaluationRules(parseRuleSet(evaluateSet));
    if (!jumpSet.empty()) options.setJumpingRules(parseRuleSet(jumpSet));
  } catch (const ZorvexError& e) {
    throw UsageError(e.message());
  }
  return options;
}

void runStep(const Step& step, Diagram& diagram, const EvaluationOptions& options, EvaluationLog& log) {
  switch (step.kind) {
    case Step::Evaluate: EvaluateOneRound(diagram, options, log); break;
    case Step::Jump: JumpOneRound(diagram, options, log); break;
    case Step::Reset: ResetAll(diagram, log); break;
    case Step::SetStatus: DiagramEdit(diagram).setUserStatus(step.sentence, step.status, log); break;
    case Step::UntilStable: {
      StatusRecord record(diagram);
      EvaluateUntilStable(diagram, record, options, log);
      break;
    }
  }
}

void runRecordedStep(const Step& step, int32_t index, Diagram& diagram, const EvaluationOptions& options,
                     EvaluationLog& log, StatusRecord& record) {
  switch (step.kind) {
    case Step::Evaluate: RecordedRound(diagram, record, false, options, log, index); break;
    case Step::Jump: RecordedRound(diagram, record, true, options, log, index); break;
    case Step::Reset: RecordedReset(diagram, record, log, index); break;
    case Step::SetStatus: RecordedUserStatus(diagram, record, step.sentence, step.status, log, index); break;
    case Step::UntilStable: EvaluateUntilStable(diagram, record, options, log, index); break;
  }
}

}  // namespace zorvex::tools
