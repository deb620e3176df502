#pragma once
// The commands of the round buttons, the reset button and the sentence
// menu's set-status items.
//
// The window calls a command after its own LeaveCurrentMode and before its
// repaint. None of them saves the log: the window repaints first and then
// calls EvaluationLog::SaveLog as the last step of rounds and reset (not of
// the user-set commands), so a failed save happens after all other work.
#include <cstdint>
#include <string>

#include "eval/EvaluationLog.h"
#include "eval/EvaluationOptions.h"
#include "model/Diagram.h"

namespace zorvex {

// "&Evaluate (one round)": appends "[Evaluate (one round)]", one line per
// rule that fired (or "No new evaluations") and an empty line. Returns the
// new text of status bar panel 1: "" or "No new evaluations".
std::string EvaluateOneRound(Diagram& diagram, const EvaluationOptions& options, EvaluationLog& log);

// "&Jump (one round)": the same with the Jump options, "[Jump (one round)]"
// and "No new jumps".
std::string JumpOneRound(Diagram& diagram, const EvaluationOptions& options, EvaluationLog& log);

// "&Reset": every sentence and arrow (deleted ones included) becomes not
// evaluated (4), every defeater neither active nor inactive. Panel 1 is
// cleared by the window.
void ResetAll(Diagram& diagram, EvaluationLog& log);

enum class UserStatus { Justified, Unjustified, NotEvaluated };

// The set-status items: 34, 33 or 4, with "[User]", the command's line and
// an empty line. Throws ZorvexError when there is no such sentence.
void SetStatusByUser(Diagram& diagram, int32_t sentence, UserStatus which, EvaluationLog& log);

// Whether the menu offers the command for a sentence with this status: not
// when the status already has the flag the command would set.
bool UserStatusOffered(Status current, UserStatus which);

}  // namespace zorvex
