#pragma once
// The --steps list of `evaluate`: rounds, resets and set-status commands run
// in order, as the buttons and the sentence menu would run them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "eval/EvaluationLog.h"
#include "eval/EvaluationOptions.h"
#include "eval/Rounds.h"
#include "explain/StatusRecord.h"
#include "model/Diagram.h"

namespace zorvex::tools {

struct Step {
  enum Kind { Evaluate, Jump, Reset, SetStatus, UntilStable } kind = Evaluate;
  UserStatus status = UserStatus::Justified;  // for SetStatus
  int32_t sentence = -1;                      // for SetStatus
  std::string word;                           // as written, for messages
};

// Comma-separated "evaluate", "jump", "until-stable", "reset", "justified:N", "unjustified:N",
// "not-evaluated:N", spaces around words allowed. Throws UsageError naming
// the offending word.
std::vector<Step> parseSteps(std::string_view text);

// Throws UsageError for a step whose sentence number the diagram does not have.
void checkSteps(const std::vector<Step>& steps, const Diagram& diagram);

// The rule columns from --evaluate-options and --jump-options ("" keeps a
// column's defaults). Throws UsageError for a bad set.
EvaluationOptions optionsFromSets(const std::string& evaluateSet, const std::string& jumpSet);

void runStep(const Step& step, Diagram& diagram, const EvaluationOptions& options, EvaluationLog& log);
// The same, keeping what each step set for explanations; `index` is the
// step's place in the list.
void runRecordedStep(const Step& step, int32_t index, Diagram& diagram, const EvaluationOptions& options,
                     EvaluationLog& log, StatusRecord& record);

}  // namespace zorvex::tools
