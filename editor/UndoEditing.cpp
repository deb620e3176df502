// Undo and redo as the editor sees them: the mode is left first, as for the
// round buttons, and a drag in progress is never cut into.
#include "editor/ArgumentEditor.h"

namespace zorvex {

std::optional<std::string> ArgumentEditor::stepThroughHistory(bool undo) {
  if (!history_ || EditMode_ == EditMode::DraggingSentenceMode || groupMove_) return std::nullopt;
  LeaveCurrentMode();
  std::optional<std::string> name = undo ? history_->undo(diagram_) : history_->redo(diagram_);
  // Undone additions and deletions change nothing the indexes hold (deletion
  // marks are read live), but a restored element may need to be painted.
  if (name) host_.repaintSurface();
  return name;
}

std::optional<std::string> ArgumentEditor::Undo() { return stepThroughHistory(true); }
std::optional<std::string> ArgumentEditor::Redo() { return stepThroughHistory(false); }

}  // namespace zorvex
