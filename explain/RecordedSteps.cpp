#include "explain/RecordedSteps.h"

#include "edit/DiagramEdit.h"

namespace zorvex {

std::string RecordedRound(Diagram& diagram, StatusRecord& record, bool jump, const EvaluationOptions& options,
                          EvaluationLog& log, int32_t label, int32_t round) {
  record.before(diagram);
  const std::string panel = jump ? JumpOneRound(diagram, options, log) : EvaluateOneRound(diagram, options, log);
  record.finishRound(diagram, jump, jump ? options.jumpingRules() : options.evaluationRules(), label, round);
  return panel;
}

void RecordedReset(Diagram& diagram, StatusRecord& record, EvaluationLog& log, int32_t label) {
  record.before(diagram);
  ResetAll(diagram, log);
  record.finishReset(diagram, label);
}

void RecordedUserStatus(Diagram& diagram, StatusRecord& record, int32_t sentence, UserStatus which,
                        EvaluationLog& log, int32_t label) {
  record.before(diagram);
  DiagramEdit(diagram).setUserStatus(sentence, which, log);
  record.finishUser(diagram, sentence, label);
}

}  // namespace zorvex
