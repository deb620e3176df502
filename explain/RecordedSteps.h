#pragma once
// The status commands with their step recorded: what the buttons, the
// sentence menu and zorvex-cli run when explanations are wanted. Each is the
// plain command (eval/Rounds.h, the edit layer) between a look at the
// statuses before and after it.
#include <cstdint>
#include <string>

#include "eval/EvaluationLog.h"
#include "eval/EvaluationOptions.h"
#include "eval/Rounds.h"
#include "explain/StatusRecord.h"
#include "model/Diagram.h"

namespace zorvex {

// One round; returns the text of status bar panel 1, as the round does.
std::string RecordedRound(Diagram& diagram, StatusRecord& record, bool jump, const EvaluationOptions& options,
                          EvaluationLog& log, int32_t label = -1, int32_t round = 0);
void RecordedReset(Diagram& diagram, StatusRecord& record, EvaluationLog& log, int32_t label = -1);
void RecordedUserStatus(Diagram& diagram, StatusRecord& record, int32_t sentence, UserStatus which,
                        EvaluationLog& log, int32_t label = -1);

}  // namespace zorvex
