#pragma once
// The diagram made to mean what an edited Argdown text says, in one undo
// step: sentences that stay (the same text, or the title the text was
// written with) keep their places and statuses, removed ones go with their
// arrows, new ones are laid out near what they relate to while the others
// stay where they are, and arrows and defeaters follow the text. What the
// text pane beside the diagram applies.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aif/MapDrawing.h"
#include "edit/DiagramEdit.h"

namespace zorvex {

// The Edit menu's name of the step: "Undo Edit as Text".
extern const char* const TextEditStepName;

struct TextMeaningChange {
  // Done to the diagram already, for the caller to record; nothing when the
  // text means what the diagram does.
  std::optional<UndoStep> step;
  std::vector<int> unreadableLines;  // ascending, from 1: they changed nothing
  std::vector<int> inexactLines;     // attacks that could not be drawn exactly: left out
  std::vector<int32_t> newMeaning;   // defeaters kept that now hold something else, ascending
  std::string summary;               // for the status bar
};

// A sentence named in a line that cannot be read is neither deleted nor
// stripped of its arrows and defeaters: the line may be half typed.
TextMeaningChange takeTextMeaning(DiagramEdit& edit, std::string_view text, const TextMeasure& measure);

}  // namespace zorvex
